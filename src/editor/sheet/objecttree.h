#pragma once
// The object tree `ObjListe` of the picture editor page and the panel that
// holds it with its two buttons, the property button `ToolButton5` and the
// switching behaviour button `ToolButton19`.
//
// The tree mirrors the objects of the document's open picture: a root
// "Objektliste" without an object, under it one node per top-level object in
// list order (back to front) and under a group's node its members. A node
// refers to its object only while the document says the object is in the
// picture: the tree follows every change of the open picture's objects
// (a replaced object's node takes the replacement; anything else rebuilds
// the tree, keeping which nodes are expanded and which is current), and
// is rebuilt whenever a picture is opened.
//
// Choosing a node (a click, the arrow keys) makes its object the whole
// selection, a group member alone too. A selection made elsewhere moves the
// current node to the first selected top-level object, if there is one,
// without selecting anything itself. Editing a node's text in place renames
// its object as one undoable step.

#include <QTreeWidget>
#include <functional>

#include "document/document.h"

class QToolButton;

namespace tavo {

class Translator;
class t_bild;
class t_objekt;

class ObjListe final : public QTreeWidget {
  Q_OBJECT
 public:
  explicit ObjListe(Translator& translator, QWidget* parent = nullptr);
  ~ObjListe() override;

  // Null when the project is closed: the tree is cleared and lets go of
  // the document.
  void SetDocument(Document* document);
  void Retranslate();

  // The object of a node; null for the root.
  t_objekt* ObjectOf(const QTreeWidgetItem* node) const;
  // The node of an object of the open picture; null when it has none.
  QTreeWidgetItem* NodeOf(const t_objekt* object) const;
  // The object of the current node; null for the root or no current node.
  t_objekt* CurrentObject() const;

  // Whether a rubber band is being dragged on the sheet, asked before a
  // chosen node changes the selection: while it is, choosing a node selects
  // nothing. The selection tool answers it; empty: never.
  std::function<bool()> rubberBandDragged;

 signals:
  // The current node changed, or the object it carries was replaced.
  void currentObjectChanged();

 private:
  void DocumentChanged(const Change& change);
  void ObjectsChanged(const Change& change);
  // Clears the tree and, with a picture open, adds the root and every
  // object's node. With `keepState` the nodes whose objects were expanded
  // or current before are again (objects replaced in `change` count as
  // the ones they replaced).
  void Rebuild(bool keepState, const Change* change = nullptr);
  void AddNodes(QTreeWidgetItem* parent, t_objekt* first);
  QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, t_objekt& object);
  void ShowObject(QTreeWidgetItem* node, t_objekt& object);
  // The node and its children take `object` and its members; where the
  // members no longer match the children, the children are made anew.
  void Repoint(QTreeWidgetItem* node, t_objekt& object);
  void FollowSelection();
  void NodeChosen(QTreeWidgetItem* node);
  void NodeEdited(QTreeWidgetItem* node);

  Translator& translator_;
  Document* document_ = nullptr;
  DocumentSubscription subscription_;
  t_bild* picture_ = nullptr;  // the document's open picture, as last told
  // Set while the tree changes itself: its own signals then change nothing.
  int syncing_ = 0;
  // Counts rebuilds, so that a handler knows whether its node still exists.
  unsigned generation_ = 0;
};

// The side panel's content: the tree above the two buttons. The buttons
// hand the current node's object to hooks; both do nothing while the hooks
// are empty (the dialogs plug in here).
class ObjectTreePanel final : public QWidget {
  Q_OBJECT
 public:
  explicit ObjectTreePanel(Translator& translator, QWidget* parent = nullptr);

  void SetDocument(Document* document);
  void Retranslate();
  ObjListe* Tree() const { return tree_; }
  QToolButton* PropertyButton() const { return properties_; }
  QToolButton* SwitchingButton() const { return switching_; }

  // The property dialog (`ToolButton5`, or a double click on a node whose
  // object has one) and the switching behaviour dialog (`ToolButton19`) of
  // the current node's object, in the open picture.
  // A dialog that changes the object does so through the document.
  using ObjectHook = std::function<void(Document&, t_bild&, t_objekt&)>;
  ObjectHook editProperties;
  ObjectHook editSwitching;

 private:
  void UpdateButtons();
  void RunHook(const ObjectHook& hook);

  Translator& translator_;
  Document* document_ = nullptr;
  ObjListe* tree_;
  QToolButton* properties_;
  QToolButton* switching_;
};

}  // namespace tavo
