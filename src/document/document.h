#pragma once
// The open project as the editor and the command line change it: it owns
// the project, knows the picture open in the editor and which objects are
// selected, and keeps the undo history. Every change of the project goes
// through Execute as one command; views subscribe and learn of each change
// (and of the selection and the open picture) from one notification.
//
// Selection lives in the objects' own flags, as the sheet's handle and
// frame operations expect; the document is the one that sets them. After a
// step is done the first time, a replaced object hands its selection to its
// replacement and a removed one loses it; after Undo and Redo the objects
// the step touched become the selection.

#include <functional>
#include <memory>
#include <new>
#include <span>
#include <vector>

#include "document/change.h"
#include "document/command.h"
#include "document/history.h"
#include "project/projekt.h"
#include "shell/texts.h"

namespace tavo {

// The outcome of an edit: done, or why not (nothing changed then).
struct EditResult {
  bool done = true;
  TextId error{0, 0, ""};
  explicit operator bool() const { return done; }
  static EditResult Failed(const TextId& why) { return {false, why}; }
};

class Document final : private ChangeSink {
 public:
  explicit Document(std::unique_ptr<t_projekt> project);
  ~Document() override;
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  t_projekt& Project() { return *project_; }
  const t_projekt& Project() const { return *project_; }

  // --- edits ------------------------------------------------------------------
  // Prepares, does and records the step and reports it. Null does nothing.
  EditResult Execute(CommandPtr command);
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  // Names of the steps Undo and Redo would take; null when there is none.
  const TextId* UndoName() const;
  const TextId* RedoName() const;
  void Undo();
  void Redo();
  // Steps executed until EndMacro are one step. AbortMacro takes back what
  // the open macro did (for an operation that fails half way).
  void BeginMacro(const TextId& name);
  void EndMacro();
  void AbortMacro();
  // The next step does not merge with the one before (the arrow key was let go).
  void BreakMerge() { history_.BreakMerge(); }
  const UndoHistory& History() const { return history_; }

  // --- modified ------------------------------------------------------------------
  // Away from the saved state, or changed outside the history since saved.
  bool IsModified() const;
  // The project was saved as it is now.
  void MarkSaved();
  // The project differs from its file in a way no step can take back (it
  // came from an import and has no file yet): modified until saved.
  void MarkChangedOutsideHistory();

  // --- open picture and selection (view state: not undoable, not modified) -----
  t_bild* OpenPicture() const { return openPicture_; }
  // Deselects everything in the picture open so far.
  void SetOpenPicture(t_bild* picture);
  // Selection of any object of the open picture, group members included.
  void Select(t_objekt& object, bool selected);
  // Exactly these objects become selected.
  void SetSelection(std::span<t_objekt* const> objects);
  void DeselectAll();
  // Selected top-level objects of the open picture, in drawing order.
  std::vector<t_objekt*> SelectedTopLevel() const;
  // Every selected object of the open picture, members included, in tree order.
  std::vector<t_objekt*> SelectedObjects() const;

  // --- notification -----------------------------------------------------------
  using Listener = std::function<void(const Change&)>;
  int Subscribe(Listener listener);
  void Unsubscribe(int id);

 private:
  enum class Phase { FirstDo, Replay };
  void Changed(const Change& change) override;
  void Notify(const Change& change);
  void NotifySimple(ChangeKind kind);
  void Step(Command& command, bool undo);
  void AfterStep(bool wasModified);
  void KeepOpenPictureValid();

  std::unique_ptr<t_projekt> project_;
  UndoHistory history_;
  t_bild* openPicture_ = nullptr;
  bool changedOutside_ = false;
  Phase phase_ = Phase::FirstDo;
  struct Subscriber {
    int id;
    Listener listener;
  };
  std::vector<Subscriber> listeners_;
  int nextListener_ = 1;
  int notifying_ = 0;  // depth of deliveries under way
};

// Clears the selection flag of the object and, for a group, of its members.
void DeselectDeep(t_objekt& object);

// A listener's registration, ended when it goes (or on Reset).
class DocumentSubscription {
 public:
  DocumentSubscription() = default;
  DocumentSubscription(Document& document, Document::Listener listener)
      : document_(&document), id_(document.Subscribe(std::move(listener))) {}
  ~DocumentSubscription() { Reset(); }
  DocumentSubscription(const DocumentSubscription&) = delete;
  DocumentSubscription& operator=(const DocumentSubscription&) = delete;
  DocumentSubscription(DocumentSubscription&& other) noexcept { *this = std::move(other); }
  DocumentSubscription& operator=(DocumentSubscription&& other) noexcept {
    if (this != &other) {
      Reset();
      document_ = other.document_;
      id_ = other.id_;
      other.document_ = nullptr;
    }
    return *this;
  }
  void Reset() {
    if (document_) document_->Unsubscribe(id_);
    document_ = nullptr;
  }

 private:
  Document* document_ = nullptr;
  int id_ = 0;
};

// Runs `steps` (returning an EditResult) as one step named `name`: kept
// when they succeed, taken back when they fail or run out of memory.
template <class Steps>
EditResult InMacro(Document& document, const TextId& name, Steps&& steps) {
  document.BeginMacro(name);
  EditResult result;
  try {
    result = steps();
  } catch (const std::bad_alloc&) {
    result = EditResult::Failed(txt::kEditNoMemory);
  }
  if (result)
    document.EndMacro();
  else
    document.AbortMacro();
  return result;
}

}  // namespace tavo
