#include "document/document.h"

#include <algorithm>
#include <exception>
#include <new>

#include "objects/gruppe.h"
#include "shell/texts.h"

namespace tavo {

namespace {

template <class Fn>
void EachObjectDeep(t_liste* first, Fn&& fn) {
  for (t_liste* n = first; n; n = n->next()) {
    auto* object = static_cast<t_objekt*>(n);
    fn(*object);
    if (object->IsGroup()) EachObjectDeep(static_cast<t_gruppe*>(object)->FirstMember(), fn);
  }
}

bool PictureInProject(const t_projekt& project, const t_bild* picture) {
  for (const t_liste* p = project.pictures.get(); p; p = p->next())
    if (p == picture) return true;
  return false;
}

}  // namespace

void DeselectDeep(t_objekt& object) {
  object.SetSelected(false);
  if (object.IsGroup())
    EachObjectDeep(static_cast<t_gruppe&>(object).FirstMember(),
                   [](t_objekt& o) { o.SetSelected(false); });
}

Document::Document(std::unique_ptr<t_projekt> project) : project_(std::move(project)) {
  if (!project_) project_ = std::make_unique<t_projekt>();
  // A project handed over as modified (imported) stays so until saved.
  changedOutside_ = project_->modified;
}

Document::~Document() = default;

// --- edits ---------------------------------------------------------------------

EditResult Document::Execute(CommandPtr command) {
  if (!command) return {};
  const bool wasModified = IsModified();
  try {
    TextId error{0, 0, ""};
    if (!command->Prepare(error)) return EditResult::Failed(error);
    history_.Reserve();
  } catch (const std::bad_alloc&) {
    return EditResult::Failed(txt::kEditNoMemory);
  }
  command->Do();
  phase_ = Phase::FirstDo;
  command->Report(false, *this);
  history_.Record(std::move(command));
  AfterStep(wasModified);
  return {};
}

const TextId* Document::UndoName() const {
  const Command* step = history_.NextUndo();
  return step ? &step->Name() : nullptr;
}

const TextId* Document::RedoName() const {
  const Command* step = history_.NextRedo();
  return step ? &step->Name() : nullptr;
}

void Document::Step(Command& command, bool undo) {
  if (t_bild* picture = command.Picture()) {
    // The step is shown where it happened, with what it touched selected.
    if (picture != openPicture_) SetOpenPicture(picture);
    EachObjectDeep(picture->objects.get(), [](t_objekt& o) { o.SetSelected(false); });
  }
  if (undo)
    command.Undo();
  else
    command.Do();
  phase_ = Phase::Replay;
  command.Report(undo, *this);
  phase_ = Phase::FirstDo;
  if (command.Picture()) NotifySimple(ChangeKind::Selection);
}

void Document::Undo() {
  Command* step = history_.NextUndo();
  if (!step) return;
  const bool wasModified = IsModified();
  history_.StepBack();
  Step(*step, true);
  AfterStep(wasModified);
}

void Document::Redo() {
  Command* step = history_.NextRedo();
  if (!step) return;
  const bool wasModified = IsModified();
  history_.StepForward();
  Step(*step, false);
  AfterStep(wasModified);
}

void Document::BeginMacro(const TextId& name) {
  history_.BeginMacro(name);
}

void Document::EndMacro() {
  history_.EndMacro();
  NotifySimple(ChangeKind::History);
}

void Document::AbortMacro() {
  const bool wasModified = IsModified();
  std::unique_ptr<MacroCommand> macro = history_.AbortMacro();
  if (!macro || macro->Empty()) return;
  Step(*macro, true);
  AfterStep(wasModified);
}

void Document::AfterStep(bool wasModified) {
  KeepOpenPictureValid();
  project_->modified = IsModified();
  if (project_->modified != wasModified) NotifySimple(ChangeKind::Modified);
  // The step's own changes were told before the history recorded it.
  NotifySimple(ChangeKind::History);
}

void Document::KeepOpenPictureValid() {
  if (openPicture_ && !PictureInProject(*project_, openPicture_)) {
    // The step that took the picture out holds it; its objects lose the
    // selection as removed objects do, so it does not return selected.
    EachObjectDeep(openPicture_->objects.get(), [](t_objekt& o) { o.SetSelected(false); });
    openPicture_ = nullptr;
    NotifySimple(ChangeKind::OpenPicture);
  }
}

// --- modified ------------------------------------------------------------------

bool Document::IsModified() const {
  return changedOutside_ || history_.AwayFromClean();
}

void Document::MarkSaved() {
  const bool wasModified = IsModified();
  history_.MarkClean();
  changedOutside_ = false;
  project_->modified = false;
  if (wasModified) NotifySimple(ChangeKind::Modified);
}

void Document::MarkChangedOutsideHistory() {
  const bool wasModified = IsModified();
  changedOutside_ = true;
  project_->modified = true;
  if (!wasModified) NotifySimple(ChangeKind::Modified);
}

// --- open picture and selection -------------------------------------------------

void Document::SetOpenPicture(t_bild* picture) {
  if (picture && !PictureInProject(*project_, picture)) picture = nullptr;
  if (openPicture_)
    EachObjectDeep(openPicture_->objects.get(), [](t_objekt& o) { o.SetSelected(false); });
  openPicture_ = picture;
  NotifySimple(ChangeKind::OpenPicture);
}

void Document::Select(t_objekt& object, bool selected) {
  if (object.IsSelected() == selected) return;
  object.SetSelected(selected);
  NotifySimple(ChangeKind::Selection);
}

void Document::SetSelection(std::span<t_objekt* const> objects) {
  if (openPicture_)
    EachObjectDeep(openPicture_->objects.get(), [](t_objekt& o) { o.SetSelected(false); });
  for (t_objekt* o : objects)
    if (o) o->SetSelected(true);
  NotifySimple(ChangeKind::Selection);
}

void Document::DeselectAll() {
  if (!openPicture_) return;
  bool any = false;
  EachObjectDeep(openPicture_->objects.get(), [&](t_objekt& o) {
    any = any || o.IsSelected();
    o.SetSelected(false);
  });
  if (any) NotifySimple(ChangeKind::Selection);
}

std::vector<t_objekt*> Document::SelectedTopLevel() const {
  std::vector<t_objekt*> selected;
  if (!openPicture_) return selected;
  for (t_liste* n = openPicture_->objects.get(); n; n = n->next())
    if (static_cast<t_objekt*>(n)->IsSelected()) selected.push_back(static_cast<t_objekt*>(n));
  return selected;
}

std::vector<t_objekt*> Document::SelectedObjects() const {
  std::vector<t_objekt*> selected;
  if (!openPicture_) return selected;
  EachObjectDeep(openPicture_->objects.get(), [&](t_objekt& o) {
    if (o.IsSelected()) selected.push_back(&o);
  });
  return selected;
}

// --- notification ---------------------------------------------------------------

void Document::Changed(const Change& change) {
  if (change.kind == ChangeKind::Objects) {
    // What a replayed step touched becomes the selection where it can be
    // one: in the open picture (a compound step may span pictures).
    const bool replay = phase_ == Phase::Replay && change.picture == openPicture_;
    for (const ObjectChange& e : change.objects) {
      switch (e.op) {
        case ObjectChange::Removed:
          DeselectDeep(*e.object);
          break;
        case ObjectChange::Replaced: {
          const bool selected = replay || e.previous->IsSelected();
          DeselectDeep(*e.previous);
          if (selected) e.object->SetSelected(true);
          break;
        }
        case ObjectChange::Added:
        case ObjectChange::Moved:
          if (replay) e.object->SetSelected(true);
          break;
      }
    }
  }
  Notify(change);
}

void Document::Notify(const Change& change) {
  // A listener may subscribe or unsubscribe while being told: new ones wait
  // for the next change, leaving ones are only marked until the walk ends.
  ++notifying_;
  const std::size_t count = listeners_.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (listeners_[i].id == 0) continue;
    try {
      // A copy: the listener may unsubscribe itself while it runs.
      const Listener listener = listeners_[i].listener;
      listener(change);
    } catch (const std::exception&) {
      // A view that fails to follow must not stop the others; the model
      // is whole either way.
    }
  }
  if (--notifying_ == 0) std::erase_if(listeners_, [](const Subscriber& s) { return s.id == 0; });
}

void Document::NotifySimple(ChangeKind kind) {
  Change change;
  change.kind = kind;
  change.picture = openPicture_;
  Notify(change);
}

int Document::Subscribe(Listener listener) {
  listeners_.push_back({nextListener_, std::move(listener)});
  return nextListener_++;
}

void Document::Unsubscribe(int id) {
  for (Subscriber& s : listeners_)
    if (s.id == id) s.id = 0;
  if (notifying_ == 0) std::erase_if(listeners_, [](const Subscriber& s) { return s.id == 0; });
}

}  // namespace tavo
