// Random edit sequences on the shipped demo projects, driven through the
// document the way the editor drives it. After every step the model must be
// whole: every list linked both ways, no node in two places, every extent
// what its geometry (a group's: its members) gives, the bitmap registry in
// step with the bitmap objects, the open picture in the project and no
// selection outside it, the modified state where the clean mark says. Every
// undo and redo must give back the state and the registry of the position
// it reaches; undoing everything gives the file as it was read, byte for
// byte, and redoing everything the edited file.
//
// Input: the first byte chooses the project, every further byte is read as
// the next operation and its arguments. TAVO_FUZZ_TRACE=1 prints the steps.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "document/clipboard.h"
#include "document/document.h"
#include "document/edits.h"
#include "document/listoperations.h"
#include "document/objectedit.h"
#include "document/operations.h"
#include "document/propertyedits.h"
#include "document/recordedit.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/fields/fields.h"
#include "objects/gruppe.h"
#include "objects/objectkinds.h"
#include "objects/rounding.h"
#include "objects/shapes/shapes.h"
#include "support/demoprojects.h"

namespace {

using namespace tavo;

[[noreturn]] void Fail(const char* what, int line) {
  std::fprintf(stderr, "edit sequence: violated at line %d: %s\n", line, what);
  std::abort();
}
#define REQUIRE(condition) ((condition) ? (void)0 : Fail(#condition, __LINE__))

// One input is at most this many operations, so long inputs stay fast.
constexpr int kMaxOperations = 120;
constexpr int kMaxPictures = 6;
constexpr int kMaxObjects = 80;

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  bool Flag() { return Byte() & 1; }
  // 0 .. n-1; 0 when n is 0.
  std::size_t Below(std::size_t n) {
    if (n <= 1) return 0;
    std::size_t v = Byte();
    if (n > 256) v = v << 8 | Byte();
    return v % n;
  }
  int Between(int low, int high) { return low + static_cast<int>(Below(high - low + 1)); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// --- walking the model ---------------------------------------------------------

template <class Fn>
void EachObjectDeep(t_liste* first, Fn&& fn) {
  for (t_liste* n = first; n; n = n->next()) {
    auto* object = static_cast<t_objekt*>(n);
    fn(*object);
    if (object->IsGroup()) EachObjectDeep(static_cast<t_gruppe*>(object)->FirstMember(), fn);
  }
}

std::vector<t_objekt*> ObjectsDeep(t_bild& picture) {
  std::vector<t_objekt*> out;
  EachObjectDeep(picture.objects.get(), [&](t_objekt& o) { out.push_back(&o); });
  return out;
}

std::vector<t_liste*> Nodes(const ListPtr& list) {
  std::vector<t_liste*> out;
  for (t_liste* n = list.get(); n; n = n->next()) out.push_back(n);
  return out;
}

bool SameExtent(const TermRect& a, const TermRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Every node linked both ways. The nodes go to `seen`, where the caller
// finds nodes that sit in two places (a cycle shows up as one too).
void CheckLinks(const t_liste* first, std::vector<const t_liste*>& seen) {
  REQUIRE(!first || !first->previous());
  const std::size_t limit = seen.size() + 100000;
  for (const t_liste* n = first; n; n = n->next()) {
    seen.push_back(n);
    REQUIRE(seen.size() < limit);
    REQUIRE(!n->next() || n->next()->previous() == n);
  }
}

// Links of every group at any depth, and every extent as it should be: a
// leaf's what its geometry gives (UpdateExtent on a copy), a group's the
// union of its members' (an empty group keeps whatever it had).
void CheckObjects(const t_liste* first, std::vector<const t_liste*>& seen) {
  CheckLinks(first, seen);
  for (const t_liste* n = first; n; n = n->next()) {
    const auto& object = static_cast<const t_objekt&>(*n);
    if (object.IsGroup()) {
      const auto& group = static_cast<const t_gruppe&>(object);
      CheckObjects(group.FirstMember(), seen);
      if (!group.FirstMember()) continue;
      TermRect u = group.FirstMember()->GetExtent();
      for (const t_liste* m = group.FirstMember(); m; m = m->next()) {
        const TermRect r = static_cast<const t_objekt*>(m)->GetExtent();
        u.left = std::min(u.left, r.left);
        u.top = std::min(u.top, r.top);
        u.right = std::max(u.right, r.right);
        u.bottom = std::max(u.bottom, r.bottom);
      }
      REQUIRE(SameExtent(group.GetExtent(), u));
    } else {
      ObjectPtr copy = object.Clone();
      copy->UpdateExtent();
      REQUIRE(SameExtent(object.GetExtent(), copy->GetExtent()));
    }
  }
}

// Which node sits where in every list, and the values edits exchange in
// place: enough to tell two states of the model apart without writing the
// file, since commands relink nodes instead of changing them.
std::string Fingerprint(const t_projekt& p) {
  std::string out;
  out.reserve(1024);
  auto put = [&](const auto& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
  };
  auto list = [&](const t_liste* first) {
    for (const t_liste* n = first; n; n = n->next()) put(n);
    put(nullptr);
  };
  auto objects = [&](auto& self, const t_liste* first) -> void {
    for (const t_liste* n = first; n; n = n->next()) {
      put(n);
      if (static_cast<const t_objekt*>(n)->IsGroup())
        self(self, static_cast<const t_gruppe*>(n)->FirstMember());
    }
    put(nullptr);
  };
  put(p.head.get());
  put(p.terminal.get());
  put(p.coupling.get());
  list(p.variables.get());
  list(p.alarms.get());
  for (const t_liste* t = p.textLists.get(); t; t = t->next()) {
    put(t);
    list(static_cast<const t_textliste*>(t)->texts.get());
  }
  put(nullptr);
  for (const t_liste* n = p.pictures.get(); n; n = n->next()) {
    const auto& picture = static_cast<const t_bild&>(*n);
    put(n);
    out += picture.name;
    put(picture.number);
    put(picture.pictureNumber);
    put(picture.backgroundColour);
    // The keys as one hash: they take most of a picture's fields.
    std::uint64_t keys = 14695981039346656037u;
    auto mix = [&](std::uint8_t byte) { keys = (keys ^ byte) * 1099511628211u; };
    for (const t_liste* k = picture.keys.get(); k; k = k->next()) {
      for (char c : k->name) mix(static_cast<std::uint8_t>(c));
      mix(0);
      const std::uint16_t value = static_cast<const t_taste*>(k)->value;
      mix(static_cast<std::uint8_t>(value));
      mix(static_cast<std::uint8_t>(value >> 8));
    }
    put(keys);
    objects(objects, picture.objects.get());
  }
  return out;
}

bool AnySelected(t_liste* first) {
  bool any = false;
  EachObjectDeep(first, [&](t_objekt& o) { any = any || o.IsSelected(); });
  return any;
}

// Every bitmap object has its identifier's entry, for its file and placed
// size. The register rule counts a use for an equal entry even when the
// object keeps a stored identifier of its own, so an entry may count more
// uses than objects show, never fewer, and an entry counts at least one.
void CheckRegistry(t_projekt& project) {
  std::vector<BitmapUse> uses;
  for (t_liste* p = project.pictures.get(); p; p = p->next())
    for (t_liste* o = static_cast<t_bild*>(p)->objects.get(); o; o = o->next())
      CollectBitmapUses(static_cast<t_objekt&>(*o), uses);
  const std::vector<bmprectype>& entries = project.bitmaps.Entries();
  std::unordered_map<std::int32_t, int> counted;
  for (const bmprectype& e : entries) {
    REQUIRE(e.identifier >= 1 && e.identifier <= t_bmpliste::kMaxIdentifier);
    REQUIRE(counted.emplace(e.identifier, 0).second);
    REQUIRE(e.useCount > 0);
  }
  for (const BitmapUse& u : uses) {
    auto entry = std::find_if(entries.begin(), entries.end(),
                              [&](const bmprectype& e) { return e.identifier == *u.identifier; });
    REQUIRE(entry != entries.end());
    REQUIRE(entry->fileName == u.fileName && entry->width == u.width && entry->height == u.height);
    ++counted[*u.identifier];
  }
  for (const bmprectype& e : entries) REQUIRE(e.useCount >= counted[e.identifier]);
}

// --- new objects -------------------------------------------------------------------

constexpr int kKinds[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 20};
// Few files and sizes, so that bitmaps meet equal ones and near misses: the
// same name in another case, the same size but for rounding.
const char* const kBitmapFiles[] = {"C:\\bilder\\logo.bmp", "C:\\bilder\\LOGO.bmp", "pumpe.bmp"};
constexpr double kBitmapSizes[][2] = {{40, 20}, {40.4, 20}, {80, 40}, {39.5, 20.5}};
const char* const kNames[] = {"", "Pumpe", "Au\xdf\x65n", "a\"b", "x;y)"};

ObjectPtr MakeObject(Input& in, int depth) {
  int kind = kKinds[in.Below(std::size(kKinds))];
  if (kind == kKindGruppe && depth >= 2) kind = kKindRechteck;
  // Members are often bitmaps, so that groups carry registry uses around.
  if (depth > 0 && in.Flag()) kind = kKindBitmap;
  ObjectPtr object = CreateObjectOfKind(kind);
  REQUIRE(object && object->Kind() == kind);
  const double x = in.Between(-2, 64) * 10;
  const double y = in.Between(-2, 48) * 10;
  const double w = in.Between(0, 8) * 12.5;
  const double h = in.Between(0, 8) * 7.25;
  switch (kind) {
    case kKindGruppe: {
      auto& group = static_cast<t_gruppe&>(*object);
      for (int i = in.Between(1, 3); i > 0; --i) group.AppendMember(MakeObject(in, depth + 1));
      break;
    }
    case kKindLinie:
      static_cast<t_linie&>(*object).SetEnds(x, y, x + w, y + h);
      break;
    case kKindRechteck:
      static_cast<t_rechteck&>(*object).SetCorners(x, y, x + w, y + h);
      break;
    case kKindKreis:
      static_cast<t_kreis&>(*object).SetFromCentre(x, y, x + w, y + h);
      break;
    case kKindPolygon:
      static_cast<t_polygon&>(*object).SetPoints({{x, y}, {x + w, y}, {x + w / 2, y + h}, {x, y}});
      break;
    case kKindBitmap: {
      auto& bitmap = static_cast<tqvxbitmap&>(*object);
      bitmap.file = kBitmapFiles[in.Below(std::size(kBitmapFiles))];
      const auto& size = kBitmapSizes[in.Below(std::size(kBitmapSizes))];
      if (in.Flag())
        bitmap.SetCorners(x, y, x + size[0], y + size[1]);
      else
        bitmap.SetCorners(x + size[0], y, x, y + size[1]);  // mirrored
      // A pasted bitmap brings the identifier it had.
      bitmap.identifier = static_cast<std::int32_t>(in.Below(4));
      break;
    }
    case kKindBargraf:
    case kKindPlotgraf:
      static_cast<t_graf&>(*object).SetCorners(x, y, x + w, y + h);
      break;
    default:
      static_cast<t_feldobjekt&>(*object).SetPosition(x, y);
      if (kind == kKindText)
        static_cast<ttext&>(*object).SetText(kNames[in.Below(std::size(kNames))]);
      break;
  }
  object->UpdateExtent();
  return object;
}

std::int16_t Clamp16(double v) {
  return SaturateToI16(v);
}

// --- planning relinks the way a command's caller would ----------------------------

// The object tree of a picture as a planned edit will have left it so far:
// an edit is planned completely before it is done, so the places of its
// later steps must follow its earlier ones.
class PlannedTree {
 public:
  explicit PlannedTree(t_bild& picture) {
    for (t_liste* n = picture.objects.get(); n; n = n->next()) {
      members_[nullptr].push_back(static_cast<t_objekt*>(n));
      Add(static_cast<t_objekt*>(n), nullptr, false);
    }
  }

  std::vector<t_objekt*>& Members(t_gruppe* group) { return members_[group]; }
  ObjectPlace PlaceIn(t_gruppe* group) const { return {group, TopOf(group)}; }
  ObjectPlace PlaceOf(t_objekt* node) const { return PlaceIn(parent_.at(node)); }

  // What a step may take: any node still in the tree may move; only nodes
  // that were in the model before the edit may go (a group emptied by the
  // steps before, as ungrouping does, too); a copy made while planning
  // replaces only a node no step has changed inside.
  enum class For { Move, Remove, Replace };
  t_objekt* Pick(Input& in, For purpose) {
    std::vector<t_objekt*> candidates;
    for (t_objekt* o : order_) {
      if (gone_.count(o)) continue;
      if (purpose != For::Move && fresh_.count(o)) continue;
      if (purpose == For::Replace && touched_.count(o)) continue;
      candidates.push_back(o);
    }
    return candidates.empty() ? nullptr : candidates[in.Below(candidates.size())];
  }
  // The top level (null) or a group that is not `node` and not inside it.
  t_gruppe* PickContainer(Input& in, t_objekt* node) {
    std::vector<t_gruppe*> candidates{nullptr};
    for (t_objekt* o : order_)
      if (o->IsGroup() && !gone_.count(o) && !Within(o, node))
        candidates.push_back(static_cast<t_gruppe*>(o));
    return candidates[in.Below(candidates.size())];
  }

  void Inserted(t_objekt* node, t_gruppe* group, std::size_t at) {
    auto& list = members_[group];
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), node);
    Add(node, group, true);
    Touch(group);
  }
  void Removed(t_objekt* node) {
    Unlink(node);
    Kill(node);
  }
  void Replaced(t_objekt* old, t_objekt* node) {
    t_gruppe* group = parent_.at(old);
    auto& list = members_[group];
    *std::find(list.begin(), list.end(), old) = node;
    Kill(old);
    Add(node, group, true);
    Touch(group);
  }
  void Moved(t_objekt* node, t_gruppe* group, std::size_t at) {
    Unlink(node);
    auto& list = members_[group];
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), node);
    parent_[node] = group;
    Touch(group);
  }

 private:
  void Add(t_objekt* node, t_gruppe* group, bool fresh) {
    parent_[node] = group;
    order_.push_back(node);
    if (fresh) fresh_.insert(node);
    if (!node->IsGroup()) return;
    auto* g = static_cast<t_gruppe*>(node);
    auto& list = members_[g];
    list.clear();
    for (t_liste* m = g->FirstMember(); m; m = m->next()) {
      list.push_back(static_cast<t_objekt*>(m));
      Add(static_cast<t_objekt*>(m), g, fresh);
    }
  }
  void Unlink(t_objekt* node) {
    t_gruppe* group = parent_.at(node);
    auto& list = members_[group];
    list.erase(std::find(list.begin(), list.end(), node));
    Touch(group);
  }
  void Kill(t_objekt* node) {
    gone_.insert(node);
    if (node->IsGroup())
      for (t_objekt* m : members_[static_cast<t_gruppe*>(node)]) Kill(m);
  }
  // A group whose members change, and every group around it.
  void Touch(t_gruppe* group) {
    for (t_objekt* o = group; o; o = parent_.at(o)) touched_.insert(o);
  }
  t_objekt* TopOf(t_gruppe* group) const {
    t_objekt* o = group;
    while (o && parent_.at(o)) o = parent_.at(o);
    return o;
  }
  bool Within(t_objekt* candidate, t_objekt* node) const {
    for (t_objekt* o = candidate; o; o = parent_.at(o))
      if (o == node) return true;
    return false;
  }

  std::unordered_map<const t_objekt*, t_gruppe*> parent_;
  std::unordered_map<const t_gruppe*, std::vector<t_objekt*>> members_;
  std::vector<t_objekt*> order_;
  std::unordered_set<const t_objekt*> gone_, fresh_, touched_;
};

// --- the sequence --------------------------------------------------------------------

class Sequence {
 public:
  // `original`: the file bytes of `project` as read.
  Sequence(Input& in, std::unique_ptr<t_projekt> project, const std::string& original,
           ObjectFactory& objects)
      : in_(in), doc_(std::move(project)), original_(original), objects_(objects) {
    doc_.Subscribe([this](const Change& change) {
      switch (change.kind) {
        case ChangeKind::Selection:
        case ChangeKind::OpenPicture:
        case ChangeKind::Modified:
        case ChangeKind::History:
          break;
        default:
          edited_ = true;
      }
    });
    current_ = Fingerprint(Project());
    saved_ = current_;
    states_.push_back(current_);
    registries_.push_back(Registry());
    REQUIRE(!doc_.IsModified());
    doc_.SetOpenPicture(static_cast<t_bild*>(doc_.Project().pictures.get()));
    Check();
  }

  void Run() {
    for (int i = 0; i < kMaxOperations && !in_.Empty(); ++i) {
      Step(in_.Byte());
      Check();
    }
    // The file bytes are compared where it counts: the edited project, the
    // project after undoing everything and after redoing everything.
    while (!macroSteps_.empty()) EndMacro();
    RedoAll();
    if (Position() == 0) {
      REQUIRE(Registry() == registries_.front());
      return;
    }
    const std::string edited = Bytes();
    while (doc_.CanUndo()) {
      Undo();
      Check();
    }
    REQUIRE(Position() == 0);
    REQUIRE(Bytes() == original_);
    REQUIRE(Registry() == registries_.front());
    REQUIRE(doc_.IsModified() == (clean_ != std::size_t{0}));
    RedoAll();
    REQUIRE(Bytes() == edited);
  }

 private:
  std::string Bytes() const { return testing::FileBytes(doc_.Project()); }
  std::string State() const { return Fingerprint(doc_.Project()); }
  void RedoAll() {
    while (doc_.CanRedo()) {
      Redo();
      Check();
    }
    REQUIRE(Position() == doc_.History().Size());
  }
  std::vector<bmprectype> Registry() const { return doc_.Project().bitmaps.Entries(); }
  t_projekt& Project() { return doc_.Project(); }
  std::size_t Position() const { return doc_.History().Position(); }

  void Step(std::uint8_t op) {
    // TAVO_FUZZ_TRACE=1 shows what a failing input does, step by step.
    static const bool trace = std::getenv("TAVO_FUZZ_TRACE") != nullptr;
    // Bytes from 224 on drive the editor's operations on the selection and
    // the list pages' operations; below, the document's own edits.
    if (op >= 224) {
      if (trace)
        std::fprintf(stderr, "operation %d at position %zu of %zu, %zu macros open\n", op - 224,
                     Position(), doc_.History().Size(), macroSteps_.size());
      Operation(static_cast<std::uint8_t>(op - 224));
      return;
    }
    if (trace)
      std::fprintf(stderr, "step %d at position %zu of %zu, %zu macros open\n", op % 28, Position(),
                   doc_.History().Size(), macroSteps_.size());
    switch (op % 28) {
      case 0:
        OpenPicture();
        break;
      case 1:
      case 2:
        Select();
        break;
      case 3:
        Move();
        break;
      case 4:
      case 5:
        Nudge();
        break;
      case 6:
        doc_.BreakMerge();
        break;
      case 7:
        Resize();
        break;
      case 8:
      case 9:
        EditAttributes();
        break;
      case 10:
        Rename();
        break;
      case 11:
      case 12:
        Add();
        break;
      case 13:
        Delete();
        break;
      case 14:
      case 15:
        RawObjectEdit();
        break;
      case 16:
        BeginMacro();
        break;
      case 17:
        EndMacro();
        break;
      case 18:
        AbortMacro();
        break;
      case 19:
        RecordSwaps();
        break;
      case 20:
        PictureHead();
        break;
      case 21:
        RecordLists();
        break;
      case 22:
        Pictures();
        break;
      case 23:
        Undo();
        break;
      case 24:
        Redo();
        break;
      case 25:
        MarkSaved();
        break;
      case 26:
        Group();
        break;
      case 27:
        Ungroup();
        break;
    }
  }

  // --- what must hold after every step ---------------------------------------------

  void Check() {
    t_projekt& p = Project();
    std::vector<const t_liste*>& seen = seen_;
    seen.clear();
    CheckLinks(p.variables.get(), seen);
    CheckLinks(p.alarms.get(), seen);
    CheckLinks(p.textLists.get(), seen);
    for (t_liste* t = p.textLists.get(); t; t = t->next())
      CheckLinks(static_cast<t_textliste*>(t)->texts.get(), seen);
    CheckLinks(p.pictures.get(), seen);
    bool openFound = doc_.OpenPicture() == nullptr;
    for (t_liste* n = p.pictures.get(); n; n = n->next()) {
      auto* picture = static_cast<t_bild*>(n);
      // Keys are relinked by nothing; their count and links must stay.
      int keys = 0;
      REQUIRE(!picture->keys || !picture->keys->previous());
      for (const t_liste* k = picture->keys.get(); k && keys <= kKeyCount; k = k->next(), ++keys)
        REQUIRE(!k->next() || k->next()->previous() == k);
      REQUIRE(keys == kKeyCount);
      CheckObjects(picture->objects.get(), seen);
      if (picture == doc_.OpenPicture())
        openFound = true;
      else
        REQUIRE(!AnySelected(picture->objects.get()));
    }
    REQUIRE(openFound);
    std::sort(seen.begin(), seen.end());
    REQUIRE(std::adjacent_find(seen.begin(), seen.end()) == seen.end());
    CheckRegistry(p);

    REQUIRE(states_.size() == doc_.History().Size() + 1);
    bool macroDid = false;
    for (int steps : macroSteps_) macroDid = macroDid || steps > 0;
    REQUIRE(doc_.IsModified() == (macroDid || clean_ != Position()));
    REQUIRE(p.modified == doc_.IsModified());
    REQUIRE(doc_.IsModified() || current_ == saved_);
  }

  // Runs an edit and keeps the books: a step that changed nothing leaves
  // the bytes alone; a step recorded (or merged into the last) gives the
  // bytes of its position.
  void Edit(const std::function<void()>& edit) {
    const std::size_t size = doc_.History().Size();
    const std::size_t position = Position();
    const std::vector<bmprectype> registry = Registry();
    edited_ = false;
    edit();
    std::string now = State();
    if (!edited_) {
      REQUIRE(now == current_);
      REQUIRE(Registry() == registry);
      REQUIRE(doc_.History().Size() == size && Position() == position);
      return;
    }
    current_ = std::move(now);
    if (!macroSteps_.empty()) {
      ++macroSteps_.back();
      REQUIRE(doc_.History().Size() == size && Position() == position);
      return;
    }
    Recorded(size, position);
  }

  void Recorded(std::size_t size, std::size_t position) {
    const std::size_t now = Position();
    REQUIRE(doc_.History().Size() == now);
    if (now == position) {
      // Merged into the last step: never across the clean mark.
      REQUIRE(now > 0 && size == position && clean_ != now);
    } else {
      REQUIRE(now == position + 1);
      if (clean_ && *clean_ > position) clean_.reset();
    }
    states_.resize(now + 1);
    registries_.resize(now + 1);
    states_[now] = current_;
    registries_[now] = Registry();
  }

  void Execute(CommandPtr command) {
    Edit([&] { doc_.Execute(std::move(command)); });
  }

  // --- view state ----------------------------------------------------------------------

  t_bild* PictureAt(std::size_t index) {
    std::vector<t_liste*> pictures = Nodes(Project().pictures);
    return pictures.empty() ? nullptr : static_cast<t_bild*>(pictures[index % pictures.size()]);
  }

  void OpenPicture() {
    const std::size_t index = in_.Byte();
    doc_.SetOpenPicture(index == 255 ? nullptr : PictureAt(index));
  }

  void Select() {
    t_bild* open = doc_.OpenPicture();
    if (!open) return;
    std::vector<t_objekt*> objects = ObjectsDeep(*open);
    if (objects.empty()) return;
    switch (in_.Below(3)) {
      case 0:
        doc_.Select(*objects[in_.Below(objects.size())], in_.Flag());
        break;
      case 1: {
        std::vector<t_objekt*> chosen;
        for (int i = in_.Between(0, 3); i > 0; --i)
          chosen.push_back(objects[in_.Below(objects.size())]);
        doc_.SetSelection(chosen);
        break;
      }
      default:
        doc_.DeselectAll();
    }
  }

  // --- object edits --------------------------------------------------------------------

  // The picture an object edit works on: mostly the open one.
  t_bild* Target() {
    if (in_.Below(4) == 0 || !doc_.OpenPicture()) return PictureAt(in_.Byte());
    return doc_.OpenPicture();
  }

  // The objects an edit applies to: the selection, or a few of the picture's.
  std::vector<t_objekt*> Objects(t_bild& picture) {
    if (&picture == doc_.OpenPicture() && in_.Flag()) {
      std::vector<t_objekt*> selected = doc_.SelectedObjects();
      if (!selected.empty()) return selected;
    }
    std::vector<t_objekt*> objects = ObjectsDeep(picture);
    std::vector<t_objekt*> chosen;
    if (objects.empty()) return chosen;
    for (int i = in_.Between(1, 3); i > 0; --i)
      chosen.push_back(objects[in_.Below(objects.size())]);
    return chosen;
  }

  void Move() {
    t_bild* picture = Target();
    if (!picture) return;
    std::vector<t_objekt*> objects = Objects(*picture);
    const int dx = in_.Between(-40, 40) * (in_.Flag() ? 1 : 1000);
    const int dy = in_.Between(-40, 40);
    Edit([&] { MoveObjects(doc_, *picture, objects, dx, dy); });
  }

  void Nudge() {
    t_bild* picture = Target();
    if (!picture) return;
    std::vector<t_objekt*> objects = Objects(*picture);
    static constexpr int kSteps[][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    const auto& step = kSteps[in_.Below(4)];
    Edit([&] { MoveObjects(doc_, *picture, objects, step[0], step[1], kMergeNudge); });
  }

  void Resize() {
    t_bild* picture = Target();
    if (!picture) return;
    std::vector<t_objekt*> objects = Objects(*picture);
    if (objects.empty()) return;
    t_objekt& object = *objects.front();
    const HandlePoint topLeft{Clamp16(object.ExtentLeft() + in_.Between(-20, 20)),
                              Clamp16(object.ExtentTop() + in_.Between(-20, 20))};
    // Now and then the handles cross, which mirrors the object.
    const HandlePoint bottomRight{Clamp16(object.ExtentRight() + in_.Between(-60, 20)),
                                  Clamp16(object.ExtentBottom() + in_.Between(-60, 20))};
    Edit([&] { ResizeObject(doc_, *picture, object, topLeft, bottomRight); });
  }

  void EditAttributes() {
    t_bild* picture = Target();
    if (!picture) return;
    std::vector<t_objekt*> objects = Objects(*picture);
    std::function<void(t_objekt&)> edit;
    const std::uint8_t value = in_.Byte();
    switch (in_.Below(9)) {
      case 0: {
        const double cx = in_.Between(0, 640), cy = in_.Between(0, 480);
        const int degrees = in_.Between(-360, 360);
        edit = [=](t_objekt& o) { o.Rotate(cx, cy, degrees); };
        break;
      }
      case 1: {
        const bool vertical = in_.Flag(), horizontal = in_.Flag();
        // Mirroring works on the frame, which a selected object holds.
        edit = [=](t_objekt& o) {
          o.UpdateExtent();
          o.SetFrame(Clamp16(o.ExtentLeft()), Clamp16(o.ExtentTop()), Clamp16(o.ExtentRight()),
                     Clamp16(o.ExtentBottom()));
          o.Mirror(vertical, horizontal);
        };
        break;
      }
      case 2:
        edit = [=](t_objekt& o) { o.SetPenColour(value); };
        break;
      case 3:
        edit = [=](t_objekt& o) { o.SetPenStyle(value % 5); };
        break;
      case 4:
        edit = [=](t_objekt& o) { o.SetPenWidth(value % 4); };
        break;
      case 5:
        edit = [=](t_objekt& o) { o.SetFillColour(value); };
        break;
      case 6:
        edit = [=](t_objekt& o) { o.SetFillPattern(value % 13); };
        break;
      case 7: {
        // Values the file form rounds; the history must keep them as they are.
        const t_schaltung rule{static_cast<std::int16_t>(value % 9), in_.Between(-400, 400) / 8.0,
                               static_cast<std::int16_t>(in_.Below(8))};
        edit = [=](t_objekt& o) { o.SetSwitching(rule); };
        break;
      }
      default: {
        const double scale = 0.5 + in_.Below(4) * 0.5;
        edit = [=](t_objekt& o) {
          o.UpdateExtent();
          o.SetHandle(kSlotTopLeft, {Clamp16(o.ExtentLeft()), Clamp16(o.ExtentTop())});
          o.SetHandle(kSlotBottomRight,
                      {Clamp16(o.ExtentLeft() + (o.ExtentRight() - o.ExtentLeft()) * scale),
                       Clamp16(o.ExtentTop() + (o.ExtentBottom() - o.ExtentTop()) * scale)});
          o.FitToFrame();
        };
      }
    }
    Edit([&] { EditObjects(doc_, *picture, objects, txt::kEditMove, edit); });
  }

  // Renaming, and what the property and switching dialogs do: an object
  // replaced by an edited copy (also one that holds what the object holds),
  // a rule set on an object and, for a group, on its members.
  void Rename() {
    t_bild* picture = Target();
    if (!picture) return;
    std::vector<t_objekt*> objects = Objects(*picture);
    if (objects.empty()) return;
    t_objekt& object = *objects.front();
    std::string name = kNames[in_.Below(std::size(kNames))];
    switch (in_.Below(3)) {
      case 0:
        Edit([&] { RenameObject(doc_, *picture, object, std::move(name)); });
        break;
      case 1: {
        ObjectPtr copy = object.Clone();
        if (!copy) return;
        if (in_.Flag()) {
          copy->name = name;
          copy->MoveBy(static_cast<std::int16_t>(in_.Between(-3, 3)),
                       static_cast<std::int16_t>(in_.Between(-3, 3)));
          if (auto* bitmap = dynamic_cast<tqvxbitmap*>(copy.get()))
            bitmap->SetFixedSize(!bitmap->fixedSize());
        }
        Edit([&] {
          ReplaceObject(doc_, *picture, object, std::move(copy), txt::kMenuObjekteigenschaften);
        });
        break;
      }
      default: {
        const t_schaltung rule{static_cast<std::int16_t>(in_.Below(9)),
                               static_cast<double>(in_.Between(0, 600)),
                               static_cast<std::int16_t>(in_.Below(8))};
        Edit([&] { SetObjectSwitching(doc_, *picture, object, rule); });
      }
    }
  }

  void Add() {
    t_bild* picture = Target();
    if (!picture || CountNodes(picture->objects.get()) > kMaxObjects) return;
    std::vector<ObjectPtr> objects;
    for (int i = in_.Between(1, 3); i > 0; --i) objects.push_back(MakeObject(in_, 0));
    const bool select = in_.Flag();
    Edit([&] { AddObjects(doc_, *picture, std::move(objects), txt::kEditCreate, select); });
  }

  void Delete() {
    t_bild* picture = Target();
    if (!picture) return;
    std::vector<t_objekt*> objects = Objects(*picture);
    Edit([&] { DeleteObjects(doc_, *picture, objects); });
  }

  // Relinking steps as grouping, ungrouping, drawing order, paste and the
  // like plan them: inserts at any place, removals, replacements by moved
  // copies, moves into and out of groups and within a list.
  void RawObjectEdit() {
    t_bild* picture = Target();
    if (!picture || CountNodes(picture->objects.get()) > kMaxObjects) return;
    PlannedTree tree(*picture);
    auto edit = std::make_unique<ObjectEdit>(txt::kEditMove, Project(), *picture,
                                             in_.Flag() ? kMergeNudge : kNoMerge);
    for (int i = in_.Between(1, 4); i > 0; --i) {
      switch (in_.Below(5)) {
        case 0: {
          t_gruppe* group = tree.PickContainer(in_, nullptr);
          ObjectPtr node = MakeObject(in_, 0);
          t_objekt* raw = node.get();
          const std::vector<t_objekt*>& list = tree.Members(group);
          const std::size_t at = in_.Below(list.size() + 2);  // 0: front, size + 1: the end
          if (at == list.size() + 1) {
            edit->Append(tree.PlaceIn(group), std::move(node));
            tree.Inserted(raw, group, list.size());
          } else {
            edit->Insert(tree.PlaceIn(group), at == 0 ? nullptr : list[at - 1], std::move(node));
            tree.Inserted(raw, group, at);
          }
          break;
        }
        case 1: {
          t_objekt* node = tree.Pick(in_, PlannedTree::For::Remove);
          if (!node) break;
          edit->Remove(tree.PlaceOf(node), *node);
          tree.Removed(node);
          break;
        }
        case 2: {
          t_objekt* node = tree.Pick(in_, PlannedTree::For::Replace);
          if (!node) break;
          ObjectPtr copy = node->Clone();
          copy->MoveBy(static_cast<std::int16_t>(in_.Between(-3, 3)),
                       static_cast<std::int16_t>(in_.Between(-3, 3)));
          if (copy->Kind() == kKindBitmap && in_.Flag()) {
            // Another placed size: the registry must follow.
            auto& bitmap = static_cast<tqvxbitmap&>(*copy);
            const auto& size = kBitmapSizes[in_.Below(std::size(kBitmapSizes))];
            bitmap.SetCorners(bitmap.x1, bitmap.y1, bitmap.x1 + size[0], bitmap.y1 + size[1]);
          }
          copy->UpdateExtent();
          t_objekt* raw = copy.get();
          edit->Replace(tree.PlaceOf(node), *node, std::move(copy));
          tree.Replaced(node, raw);
          break;
        }
        default: {
          t_objekt* node = tree.Pick(in_, PlannedTree::For::Move);
          if (!node) break;
          const ObjectPlace from = tree.PlaceOf(node);
          t_gruppe* group = tree.PickContainer(in_, node);
          std::vector<t_objekt*> list = tree.Members(group);
          list.erase(std::remove(list.begin(), list.end(), node), list.end());
          const std::size_t at = in_.Below(list.size() + 2);
          if (at == list.size() + 1) {
            edit->Move(from, *node, tree.PlaceIn(group), nullptr, true);
            tree.Moved(node, group, list.size());
          } else {
            edit->Move(from, *node, tree.PlaceIn(group), at == 0 ? nullptr : list[at - 1]);
            tree.Moved(node, group, at);
          }
        }
      }
    }
    if (edit->Empty()) return;
    Execute(std::move(edit));
  }

  // A few objects of one list into a new group in the place of the first.
  void Group() {
    t_bild* picture = Target();
    if (!picture) return;
    std::vector<t_objekt*> objects = ObjectsDeep(*picture);
    if (objects.empty()) return;
    const ObjectPlace outside = PlaceOf(*picture, *objects[in_.Below(objects.size())]);
    const ListPtr& list = outside.group ? outside.group->MemberList() : picture->objects;
    std::vector<t_objekt*> chosen;
    for (t_liste* n = list.get(); n; n = n->next())
      if (in_.Flag()) chosen.push_back(static_cast<t_objekt*>(n));
    if (chosen.empty()) return;
    ObjectPtr group = CreateObjectOfKind(kKindGruppe);
    auto* raw = static_cast<t_gruppe*>(group.get());
    const ObjectPlace inside{raw, outside.group ? outside.top : raw};
    auto edit = std::make_unique<ObjectEdit>(txt::kEditMove, Project(), *picture);
    edit->Insert(outside, chosen.front()->previous(), std::move(group));
    for (t_objekt* o : chosen) edit->Move(outside, *o, inside, nullptr, true);
    Execute(std::move(edit));
  }

  // A group's members into its place, then the group away.
  void Ungroup() {
    t_bild* picture = Target();
    if (!picture) return;
    std::vector<t_objekt*> groups;
    for (t_objekt* o : ObjectsDeep(*picture))
      if (o->IsGroup()) groups.push_back(o);
    if (groups.empty()) return;
    auto* group = static_cast<t_gruppe*>(groups[in_.Below(groups.size())]);
    const ObjectPlace outside = PlaceOf(*picture, *group);
    const ObjectPlace inside{group, outside.group ? outside.top : group};
    auto edit = std::make_unique<ObjectEdit>(txt::kEditMove, Project(), *picture);
    t_liste* after = group;
    for (t_liste* m = group->FirstMember(); m; m = m->next()) {
      edit->Move(inside, static_cast<t_objekt&>(*m), outside, after);
      after = m;
    }
    edit->Remove(outside, *group);
    Execute(std::move(edit));
  }

  // --- macros, undo, saving ------------------------------------------------------------

  void BeginMacro() {
    if (macroSteps_.size() >= 3) return;
    doc_.BeginMacro(txt::kEditPaste);
    macroSteps_.push_back(0);
    macroStart_.push_back(current_);
    macroRegistry_.push_back(Registry());
  }

  void EndMacro() {
    if (macroSteps_.empty()) {
      Edit([&] { doc_.EndMacro(); });
      return;
    }
    const std::size_t size = doc_.History().Size();
    const std::size_t position = Position();
    const int steps = macroSteps_.back();
    macroSteps_.pop_back();
    macroStart_.pop_back();
    macroRegistry_.pop_back();
    doc_.EndMacro();
    REQUIRE(State() == current_);
    if (steps == 0 || !macroSteps_.empty()) {
      if (steps > 0) ++macroSteps_.back();
      REQUIRE(doc_.History().Size() == size && Position() == position);
      return;
    }
    REQUIRE(Position() == position + 1);
    Recorded(size, position);
  }

  void AbortMacro() {
    if (macroSteps_.empty()) {
      Edit([&] { doc_.AbortMacro(); });
      return;
    }
    const std::size_t size = doc_.History().Size();
    const std::size_t position = Position();
    macroSteps_.pop_back();
    doc_.AbortMacro();
    current_ = State();
    REQUIRE(current_ == macroStart_.back());
    REQUIRE(Registry() == macroRegistry_.back());
    REQUIRE(doc_.History().Size() == size && Position() == position);
    macroStart_.pop_back();
    macroRegistry_.pop_back();
  }

  void Undo() {
    const std::size_t position = Position();
    doc_.Undo();
    if (!macroSteps_.empty() || position == 0) {
      REQUIRE(Position() == position && State() == current_);
      return;
    }
    REQUIRE(Position() == position - 1);
    current_ = State();
    REQUIRE(current_ == states_[position - 1]);
    REQUIRE(Registry() == registries_[position - 1]);
  }

  void Redo() {
    const std::size_t position = Position();
    doc_.Redo();
    if (!macroSteps_.empty() || position == doc_.History().Size()) {
      REQUIRE(Position() == position && State() == current_);
      return;
    }
    REQUIRE(Position() == position + 1);
    current_ = State();
    REQUIRE(current_ == states_[position + 1]);
    REQUIRE(Registry() == registries_[position + 1]);
  }

  // Saving happens between operations, never inside a compound one.
  void MarkSaved() {
    if (!macroSteps_.empty()) return;
    doc_.MarkSaved();
    clean_ = Position();
    saved_ = current_;
  }

  // --- records ------------------------------------------------------------------------

  void RecordSwaps() {
    t_projekt& p = Project();
    const std::string name = kNames[in_.Below(std::size(kNames))];
    switch (in_.Below(3)) {
      case 0: {
        if (!p.head) return;
        auto head = CloneRecord(*p.head);
        head->author = name;
        head->startPicture = static_cast<std::int16_t>(in_.Below(4));
        Execute(MakeHeadEdit(txt::kEditHead, p, std::move(head)));
        break;
      }
      case 1: {
        if (!p.terminal) return;
        auto terminal = CloneRecord(*p.terminal);
        terminal->dosVersion = in_.Flag() ? "VTA_640C.TRM" : "VTA_X" + name + ".TRM";
        Execute(MakeTerminalEdit(txt::kEditTerminal, p, std::move(terminal)));
        break;
      }
      default: {
        if (!p.coupling) return;
        auto coupling = CloneRecord(*p.coupling);
        coupling->readBlockAddress = in_.Between(0, 4000);
        coupling->alarmSort = static_cast<std::int16_t>(in_.Below(3));
        Execute(MakeCouplingEdit(txt::kEditCoupling, p, std::move(coupling)));
      }
    }
  }

  void PictureHead() {
    t_bild* picture = PictureAt(in_.Byte());
    if (!picture) return;
    PictureFields fields = PictureFields::Of(*picture);
    switch (in_.Below(4)) {
      case 0:
        fields.name = kNames[in_.Below(std::size(kNames))];
        break;
      case 1:
        fields.number = static_cast<std::uint16_t>(in_.Below(5));
        fields.pictureNumber = static_cast<std::uint16_t>(in_.Below(70000));
        break;
      case 2:
        fields.backgroundColour = in_.Byte();
        break;
      default:
        for (int i = in_.Between(1, 3); i > 0; --i) {
          auto& key = fields.keys[in_.Below(fields.keys.size())];
          key.first = kNames[in_.Below(std::size(kNames))];
          key.second = static_cast<std::uint16_t>(in_.Below(4));
        }
    }
    Execute(std::make_unique<PictureHeadEdit>(txt::kEditRename, *picture, std::move(fields)));
  }

  ListPtr NewRecord(RecordList which, const std::vector<t_liste*>& list) {
    const std::string name = kNames[in_.Below(std::size(kNames))];
    const bool copy = !list.empty() && in_.Flag();
    t_liste* model = copy ? list[in_.Below(list.size())] : nullptr;
    switch (which) {
      case RecordList::Variables: {
        auto v = model ? CloneRecord(static_cast<t_variable&>(*model))
                       : t_variable::NewInEditor(Project().variables.get());
        v->name = name;
        v->address = in_.Between(0, 3000);
        return v;
      }
      case RecordList::Alarms: {
        auto a = model ? CloneRecord(static_cast<t_alarme&>(*model))
                       : t_alarme::NewInEditor(Project().alarms.get());
        a->name = name;
        return a;
      }
      case RecordList::TextLists: {
        if (model) {
          auto t = CloneRecord(static_cast<t_textliste&>(*model));
          t->name = name;
          return t;
        }
        auto t = std::make_unique<t_textliste>();
        t->name = name;
        t->number = static_cast<std::uint16_t>(in_.Below(5));
        // Now and then without texts: nothing of it is written then.
        for (int i = in_.Between(0, 2); i > 0; --i) {
          auto text = std::make_unique<t_text>();
          text->name = kNames[in_.Below(std::size(kNames))];
          text->value = static_cast<std::uint16_t>(1u << in_.Below(16));
          AppendNode(t->texts, std::move(text));
        }
        return t;
      }
      case RecordList::Pictures:
        break;
    }
    // A new picture, or a copy of one with its objects (bitmaps included,
    // which bring their identifiers).
    if (!model) return t_bild::NewInEditor(Project().pictures.get());
    const auto& from = static_cast<t_bild&>(*model);
    auto picture = ClonePictureWithoutObjects(from);
    picture->name = name;
    t_liste* last = nullptr;
    for (t_liste* o = from.objects.get(); o; o = o->next())
      last = AppendNode(picture->objects, last, static_cast<t_objekt*>(o)->Clone());
    return picture;
  }

  ListPtr& ListOf(RecordList which) {
    switch (which) {
      case RecordList::Variables:
        return Project().variables;
      case RecordList::Alarms:
        return Project().alarms;
      case RecordList::TextLists:
        return Project().textLists;
      case RecordList::Pictures:
        break;
    }
    return Project().pictures;
  }

  void EditList(RecordList which) {
    std::vector<t_liste*> list = Nodes(ListOf(which));
    std::unordered_set<const t_liste*> fresh;
    auto edit = std::make_unique<RecordListEdit>(txt::kEditDelete, Project(), which);
    auto pickOld = [&]() -> t_liste* {
      std::vector<t_liste*> old;
      for (t_liste* n : list)
        if (!fresh.count(n)) old.push_back(n);
      return old.empty() ? nullptr : old[in_.Below(old.size())];
    };
    for (int i = in_.Between(1, 3); i > 0; --i) {
      switch (in_.Below(4)) {
        case 0: {
          if (which == RecordList::Pictures && list.size() >= kMaxPictures) break;
          ListPtr record = NewRecord(which, list);
          t_liste* raw = record.get();
          fresh.insert(raw);
          const std::size_t at = in_.Below(list.size() + 2);
          if (at == list.size() + 1) {
            edit->Append(std::move(record));
            list.push_back(raw);
          } else {
            edit->Insert(at == 0 ? nullptr : list[at - 1], std::move(record));
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), raw);
          }
          break;
        }
        case 1: {
          t_liste* node = pickOld();
          if (!node) break;
          edit->Remove(*node);
          list.erase(std::find(list.begin(), list.end(), node));
          break;
        }
        case 2: {
          t_liste* node = pickOld();
          if (!node) break;
          std::vector<t_liste*> just{node};
          ListPtr record = NewRecord(which, which == RecordList::Pictures ? just : list);
          t_liste* raw = record.get();
          fresh.insert(raw);
          edit->Replace(*node, std::move(record));
          *std::find(list.begin(), list.end(), node) = raw;
          break;
        }
        default: {
          if (list.empty()) break;
          t_liste* node = list[in_.Below(list.size())];
          list.erase(std::find(list.begin(), list.end(), node));
          const std::size_t at = in_.Below(list.size() + 1);
          edit->Move(*node, at == 0 ? nullptr : list[at - 1]);
          list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), node);
        }
      }
    }
    if (edit->Empty()) return;
    Execute(std::move(edit));
  }

  void RecordLists() {
    static constexpr RecordList kLists[] = {RecordList::Variables, RecordList::Alarms,
                                            RecordList::TextLists};
    EditList(kLists[in_.Below(3)]);
  }

  void Pictures() { EditList(RecordList::Pictures); }

  // --- the editor's operations -----------------------------------------------------------

  void Operation(std::uint8_t which) {
    t_bild* open = doc_.OpenPicture();
    switch (which % 16) {
      case 0:
        if (open) Edit([&] { GroupSelection(doc_, *open); });
        break;
      case 1:
        if (open) Edit([&] { UngroupSelection(doc_, *open); });
        break;
      case 2: {
        static constexpr DrawingOrder kOrders[] = {DrawingOrder::ToFront, DrawingOrder::ToBack,
                                                   DrawingOrder::OneForward, DrawingOrder::OneBack};
        const DrawingOrder order = kOrders[in_.Below(4)];
        if (open) Edit([&] { ChangeDrawingOrder(doc_, *open, order); });
        break;
      }
      case 3:
      case 4:
      case 5: {
        EditingOptions options;
        options.copyMoveX = in_.Between(-50, 50);
        options.copyMoveY = in_.Between(-50, 50);
        options.mirrorX = in_.Flag();
        options.mirrorY = in_.Flag();
        options.mirrorCopy = in_.Flag();
        options.angle = in_.Between(-360, 360);
        options.rotateCopy = in_.Flag();
        if (!open) break;
        if (which % 16 == 3) Edit([&] { CopySelection(doc_, *open, options); });
        if (which % 16 == 4) Edit([&] { MirrorSelection(doc_, *open, options); });
        if (which % 16 == 5) Edit([&] { RotateSelection(doc_, *open, options); });
        break;
      }
      case 6:
        if (open) Edit([&] { DeleteSelection(doc_, *open); });
        break;
      case 7: {
        const auto attribute = static_cast<ObjectAttribute>(in_.Below(5));
        const int picked = in_.Flag() ? kMixedAttribute : in_.Byte();
        std::uint8_t current = 0;
        Edit([&] { ApplyPickedAttribute(&doc_, open, attribute, picked, current); });
        break;
      }
      case 8: {
        const auto alignment = static_cast<Alignment>(in_.Below(6));
        const auto distribution = static_cast<Distribution>(in_.Below(2));
        const auto match = static_cast<SizeMatch>(in_.Below(2));
        if (!open) break;
        switch (in_.Below(3)) {
          case 0:
            Edit([&] { AlignSelection(doc_, *open, alignment); });
            break;
          case 1:
            Edit([&] { DistributeSelection(doc_, *open, distribution); });
            break;
          default:
            Edit([&] { MatchSelectionSize(doc_, *open, match); });
        }
        break;
      }
      case 9: {
        t_bild* picture = Target();
        if (!picture) break;
        std::vector<std::pair<int, std::uint16_t>> keys;
        for (int i = in_.Between(1, 4); i > 0; --i)
          keys.emplace_back(in_.Between(1, 48), static_cast<std::uint16_t>(in_.Below(6)));
        Edit([&] { SetPictureKeys(doc_, *picture, keys); });
        break;
      }
      case 10: {
        t_bild* picture = Target();
        if (!picture) break;
        const std::string name = in_.Flag() ? picture->name : "Bild" + std::to_string(in_.Byte());
        const auto number = static_cast<std::uint16_t>(in_.Between(1, 8));
        const std::uint8_t colour = in_.Byte();
        Edit([&] { SetPictureBaseData(doc_, *picture, name, number, colour); });
        break;
      }
      case 11:
        Copy();
        break;
      case 12:
        Paste();
        break;
      default:
        ListOperation();
    }
  }

  void Copy() {
    t_bild* open = doc_.OpenPicture();
    if (!open) return;
    const std::vector<t_objekt*> chosen = OutermostOnly(*open, doc_.SelectedObjects());
    if (!chosen.empty()) clipboard_ = ObjectsToClipboardText(chosen);
    if (in_.Flag()) Edit([&] { DeleteObjects(doc_, *open, chosen, txt::kEditCut); });
  }

  void Paste() {
    t_bild* open = doc_.OpenPicture();
    if (!open || clipboard_.empty() || CountNodes(open->objects.get()) > kMaxObjects) return;
    ClipboardObjects pasted = ObjectsFromClipboardText(clipboard_, objects_, Project());
    if (pasted.objects.empty()) return;
    const int offset = in_.Between(0, 30);
    Edit([&] { tavo::PasteObjects(doc_, *open, std::move(pasted), offset, offset); });
  }

  // The list pages' copy, delete, rename and renumber on a few records.
  void ListOperation() {
    static constexpr RecordList kLists[] = {RecordList::Variables, RecordList::Alarms,
                                            RecordList::TextLists, RecordList::Pictures};
    const RecordList list = kLists[in_.Below(4)];
    const ListPtr& head = list == RecordList::Variables   ? Project().variables
                          : list == RecordList::Alarms    ? Project().alarms
                          : list == RecordList::TextLists ? Project().textLists
                                                          : Project().pictures;
    std::vector<t_liste*> records = Nodes(head);
    if (records.empty()) return;
    std::vector<t_liste*> chosen;
    for (int i = in_.Between(1, 3); i > 0; --i) {
      t_liste* r = records[in_.Below(records.size())];
      if (std::find(chosen.begin(), chosen.end(), r) == chosen.end()) chosen.push_back(r);
    }
    switch (in_.Below(4)) {
      case 0:
        if (records.size() < 40) Edit([&] { CopyRecords(doc_, list, chosen); });
        break;
      case 1: {
        const UsedRecords used = in_.Flag() ? UsedRecords::Keep : UsedRecords::DeleteWithReferences;
        Edit([&] { DeleteRecords(doc_, list, chosen, used); });
        break;
      }
      case 2: {
        const std::string name = "n" + std::to_string(in_.Byte());
        Edit([&] { RenameRecord(doc_, list, *chosen.front(), name); });
        break;
      }
      default:
        if (list == RecordList::Variables || list == RecordList::TextLists) {
          const auto number = static_cast<std::uint16_t>(in_.Between(1, 12));
          Edit([&] { RenumberRecord(doc_, list, *chosen.front(), number); });
        }
    }
  }

  Input& in_;
  Document doc_;
  const std::string& original_;  // the file bytes as read
  ObjectFactory& objects_;
  std::string clipboard_;  // object lines copied, as the editor's clipboard holds them
  std::string current_;    // the state now (Fingerprint)
  std::string saved_;      // the state at the clean mark
  // State and registry at every position of the history.
  std::vector<std::string> states_;
  std::vector<std::vector<bmprectype>> registries_;
  std::optional<std::size_t> clean_{0};
  // Per open macro, outermost first: steps done in it, state and registry
  // when it began.
  std::vector<int> macroSteps_;
  std::vector<std::string> macroStart_;
  std::vector<std::vector<bmprectype>> macroRegistry_;
  bool edited_ = false;
  std::vector<const t_liste*> seen_;  // Check's, kept for its capacity
};

// The two demo projects: their files' bytes, read once, and the file each
// is written as right after reading.
struct Projects {
  struct Project {
    std::string file;
    std::string written;
  };
  testing::Installed installed;
  Project demo = Load("Projects\\Demo.qvx");
  Project felder = Load("Projects\\Felder.qvx");

  Project Load(const std::string& relative) {
    Project p;
    p.file = installed.Bytes(relative);
    REQUIRE(!p.file.empty());
    p.written = testing::FileBytes(*installed.ReadText(p.file));
    return p;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Projects projects;
  Input in(data, size);
  const Projects::Project& project = in.Flag() ? projects.felder : projects.demo;
  Sequence sequence(in, projects.installed.ReadText(project.file), project.written,
                    *projects.installed.objects);
  sequence.Run();
  return 0;
}
