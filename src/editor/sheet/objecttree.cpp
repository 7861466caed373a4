#include "editor/sheet/objecttree.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>
#include <unordered_map>
#include <unordered_set>

#include "document/edits.h"
#include "editor/sheet/objecticons.h"
#include "editor/uitext.h"
#include "objects/gruppe.h"
#include "shell/texts.h"

namespace tavo {

namespace {

constexpr int kObjectRole = Qt::UserRole;

// Every node below `node`, depth first.
template <class Fn>
void ForEachNode(QTreeWidgetItem* node, Fn&& fn) {
  for (int i = 0; i < node->childCount(); ++i) {
    QTreeWidgetItem* child = node->child(i);
    fn(child);
    ForEachNode(child, fn);
  }
}

// While a Sync lives the tree's own signals change nothing; when the
// outermost one ends, the current node is announced (its object may be new).
class ObjListeSync {
 public:
  explicit ObjListeSync(int& depth, ObjListe& tree) : depth_(depth), tree_(tree) { ++depth_; }
  ~ObjListeSync() {
    if (--depth_ == 0) emit tree_.currentObjectChanged();
  }
  ObjListeSync(const ObjListeSync&) = delete;
  ObjListeSync& operator=(const ObjListeSync&) = delete;

 private:
  int& depth_;
  ObjListe& tree_;
};

}  // namespace

// --- ObjListe --------------------------------------------------------------------

ObjListe::ObjListe(Translator& translator, QWidget* parent)
    : QTreeWidget(parent), translator_(translator) {
  setObjectName("ObjListe");
  setColumnCount(1);
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setIndentation(27);
  setIconSize(QSize(kObjectIconWidth, kObjectIconHeight));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
  // The chosen node stays marked while the sheet has the focus.
  QPalette colours = palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
    colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
  setPalette(colours);

  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (syncing_) return;
    NodeChosen(current);
    emit currentObjectChanged();
  });
  // A click on the current node selects its object again (the sheet may
  // have selected others meanwhile).
  connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) {
    if (!syncing_) NodeChosen(node);
  });
  connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* node) {
    if (!syncing_) NodeEdited(node);
  });
}

ObjListe::~ObjListe() {
  // The items are taken down after this part of the tree is gone: nothing
  // they cause may reach it.
  blockSignals(true);
  subscription_.Reset();
}

void ObjListe::SetDocument(Document* document) {
  subscription_.Reset();
  document_ = document;
  picture_ = document ? document->OpenPicture() : nullptr;
  if (document_)
    subscription_ =
        DocumentSubscription(*document_, [this](const Change& change) { DocumentChanged(change); });
  Rebuild(false);
}

void ObjListe::Retranslate() {
  QTreeWidgetItem* root = topLevelItem(0);
  if (!root) return;
  ObjListeSync sync(syncing_, *this);
  root->setText(0, Tr(translator_, txt::kObjektliste));
  // Objects without a name show their kind's name.
  ForEachNode(root, [this](QTreeWidgetItem* node) {
    if (t_objekt* object = ObjectOf(node)) ShowObject(node, *object);
  });
}

t_objekt* ObjListe::ObjectOf(const QTreeWidgetItem* node) const {
  return node ? static_cast<t_objekt*>(node->data(0, kObjectRole).value<void*>()) : nullptr;
}

QTreeWidgetItem* ObjListe::NodeOf(const t_objekt* object) const {
  QTreeWidgetItem* root = topLevelItem(0);
  if (!root || !object) return nullptr;
  QTreeWidgetItem* found = nullptr;
  ForEachNode(root, [&](QTreeWidgetItem* node) {
    if (!found && ObjectOf(node) == object) found = node;
  });
  return found;
}

t_objekt* ObjListe::CurrentObject() const {
  return ObjectOf(currentItem());
}

// --- following the document ----------------------------------------------------------

void ObjListe::DocumentChanged(const Change& change) {
  switch (change.kind) {
    case ChangeKind::OpenPicture:
      picture_ = document_->OpenPicture();
      Rebuild(false);
      break;
    case ChangeKind::Objects:
      if (picture_ && change.picture == picture_) ObjectsChanged(change);
      break;
    case ChangeKind::Selection:
      // A selection the tree made itself is where it already is.
      if (!syncing_) FollowSelection();
      break;
    default:
      break;
  }
}

void ObjListe::ObjectsChanged(const Change& change) {
  bool rebuild = false;
  for (const ObjectChange& e : change.objects) rebuild = rebuild || e.op != ObjectChange::Replaced;
  if (!rebuild) {
    // Edits replace objects by edited copies: the nodes stay, with the
    // copies' names and images.
    std::unordered_map<const t_objekt*, QTreeWidgetItem*> nodes;
    if (QTreeWidgetItem* root = topLevelItem(0))
      ForEachNode(root, [&](QTreeWidgetItem* node) { nodes.emplace(ObjectOf(node), node); });
    ObjListeSync sync(syncing_, *this);
    for (const ObjectChange& e : change.objects) {
      auto it = nodes.find(e.previous);
      if (it == nodes.end()) {
        rebuild = true;  // not the tree the change was made to: start afresh
        break;
      }
      QTreeWidgetItem* node = it->second;
      nodes.erase(it);
      Repoint(node, *e.object);
    }
  }
  if (rebuild) Rebuild(true, &change);
}

void ObjListe::Rebuild(bool keepState, const Change* change) {
  // What was expanded and current, by object; a replaced object counts as
  // its replacement.
  std::unordered_set<const t_objekt*> expanded;
  const t_objekt* current = nullptr;
  bool rootCurrent = false, rootExpanded = true;
  if (QTreeWidgetItem* root = topLevelItem(0); root && keepState) {
    std::unordered_map<const t_objekt*, const t_objekt*> replaced;
    if (change)
      for (const ObjectChange& e : change->objects)
        if (e.op == ObjectChange::Replaced) replaced[e.previous] = e.object;
    const auto now = [&](const t_objekt* object) {
      const auto it = replaced.find(object);
      return it == replaced.end() ? object : it->second;
    };
    ForEachNode(root, [&](QTreeWidgetItem* node) {
      if (node->isExpanded()) expanded.insert(now(ObjectOf(node)));
    });
    current = now(CurrentObject());
    rootCurrent = currentItem() == root;
    rootExpanded = root->isExpanded();
  }

  ObjListeSync sync(syncing_, *this);
  ++generation_;
  setUpdatesEnabled(false);
  clear();
  if (picture_) {
    auto* root = new QTreeWidgetItem(this);
    root->setText(0, Tr(translator_, txt::kObjektliste));
    root->setIcon(0, ObjectIcon(0));
    root->setFlags(root->flags() & ~Qt::ItemIsEditable);
    AddNodes(root, static_cast<t_objekt*>(picture_->objects.get()));
    if (!expanded.empty())
      ForEachNode(root, [&](QTreeWidgetItem* node) {
        if (expanded.count(ObjectOf(node))) node->setExpanded(true);
      });
    root->setExpanded(rootExpanded);
    if (QTreeWidgetItem* node = rootCurrent ? root : NodeOf(current)) setCurrentItem(node);
  }
  setUpdatesEnabled(true);
}

void ObjListe::AddNodes(QTreeWidgetItem* parent, t_objekt* first) {
  for (t_liste* n = first; n; n = n->next()) AddNode(parent, static_cast<t_objekt&>(*n));
}

QTreeWidgetItem* ObjListe::AddNode(QTreeWidgetItem* parent, t_objekt& object) {
  auto* node = new QTreeWidgetItem(parent);
  node->setFlags(node->flags() | Qt::ItemIsEditable);
  node->setData(0, kObjectRole, QVariant::fromValue(static_cast<void*>(&object)));
  ShowObject(node, object);
  if (object.IsGroup()) AddNodes(node, static_cast<t_gruppe&>(object).FirstMember());
  return node;
}

void ObjListe::ShowObject(QTreeWidgetItem* node, t_objekt& object) {
  node->setText(0, Q(object.DisplayName(translator_)));
  node->setIcon(0, ObjectIcon(ObjectImageIndex(object)));
}

void ObjListe::Repoint(QTreeWidgetItem* node, t_objekt& object) {
  node->setData(0, kObjectRole, QVariant::fromValue(static_cast<void*>(&object)));
  ShowObject(node, object);
  // A group's copy has copies of its members, in the same order.
  t_objekt* member = object.IsGroup() ? static_cast<t_gruppe&>(object).FirstMember() : nullptr;
  const int members = object.IsGroup() ? static_cast<t_gruppe&>(object).MemberCount() : 0;
  if (members == node->childCount()) {
    for (int i = 0; i < members; ++i, member = static_cast<t_objekt*>(member->next()))
      Repoint(node->child(i), *member);
  } else {
    qDeleteAll(node->takeChildren());
    AddNodes(node, member);
  }
}

void ObjListe::FollowSelection() {
  if (!document_ || !picture_) return;
  const std::vector<t_objekt*> selected = document_->SelectedTopLevel();
  if (selected.empty()) return;
  QTreeWidgetItem* node = NodeOf(selected.front());
  if (!node || node == currentItem()) return;
  ObjListeSync sync(syncing_, *this);
  setCurrentItem(node);
  scrollToItem(node);
}

// --- the user's choices ----------------------------------------------------------------

void ObjListe::NodeChosen(QTreeWidgetItem* node) {
  t_objekt* object = ObjectOf(node);
  if (!object || !document_ || !picture_) return;
  if (rubberBandDragged && rubberBandDragged()) return;
  const std::vector<t_objekt*> selected = document_->SelectedObjects();
  if (selected.size() == 1 && selected.front() == object) return;
  ObjListeSync sync(syncing_, *this);
  t_objekt* const one[] = {object};
  document_->SetSelection(one);
}

void ObjListe::NodeEdited(QTreeWidgetItem* node) {
  t_objekt* object = ObjectOf(node);
  if (object && document_ && picture_) {
    const unsigned generation = generation_;
    RenameObject(*document_, *picture_, *object, S(node->text(0)));
    // The tree was rebuilt under the node: nothing of it is left to mend.
    if (generation != generation_) return;
    object = ObjectOf(node);
  }
  // The node shows what its object is called now: the new name, its kind's
  // name for an empty one, the old name when nothing changed.
  ObjListeSync sync(syncing_, *this);
  if (object)
    ShowObject(node, *object);
  else
    node->setText(0, Tr(translator_, txt::kObjektliste));
}

// --- ObjectTreePanel ----------------------------------------------------------------

ObjectTreePanel::ObjectTreePanel(Translator& translator, QWidget* parent)
    : QWidget(parent), translator_(translator) {
  setObjectName("ObjListePanel");
  tree_ = new ObjListe(translator, this);
  properties_ = new QToolButton(this);
  properties_->setObjectName("ToolButton5");
  switching_ = new QToolButton(this);
  switching_->setObjectName("ToolButton19");
  switching_->setIcon(SwitchingImage());

  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(2, 2, 2, 2);
  buttons->setSpacing(2);
  buttons->addWidget(properties_);
  buttons->addWidget(switching_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(tree_, 1);
  layout->addLayout(buttons);

  connect(tree_, &ObjListe::currentObjectChanged, this, &ObjectTreePanel::UpdateButtons);
  connect(properties_, &QToolButton::clicked, this, [this] { RunHook(editProperties); });
  connect(switching_, &QToolButton::clicked, this, [this] { RunHook(editSwitching); });
  // A double click on a node does what the property button does, for the
  // objects that have a dialog.
  connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* node) {
    const t_objekt* object = tree_->ObjectOf(node);
    if (object && object == tree_->CurrentObject() && PropertyImageIndex(object->Kind()) >= 0)
      RunHook(editProperties);
  });
  Retranslate();
  UpdateButtons();
}

void ObjectTreePanel::SetDocument(Document* document) {
  document_ = document;
  tree_->SetDocument(document);
}

void ObjectTreePanel::Retranslate() {
  tree_->Retranslate();
  properties_->setToolTip(Tr(translator_, txt::kObjekteigenschaften));
  switching_->setToolTip(Tr(translator_, txt::kSchaltverhalten));
}

void ObjectTreePanel::UpdateButtons() {
  const t_objekt* object = tree_->CurrentObject();
  const int image = object ? PropertyImageIndex(object->Kind()) : -1;
  if (image >= 0) properties_->setIcon(PropertyImage(image));
  properties_->setVisible(image >= 0);
  switching_->setEnabled(object != nullptr);
}

void ObjectTreePanel::RunHook(const ObjectHook& hook) {
  t_objekt* object = tree_->CurrentObject();
  if (!hook || !object || !document_ || !document_->OpenPicture()) return;
  hook(*document_, *document_->OpenPicture(), *object);
}

}  // namespace tavo
