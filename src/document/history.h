#pragma once
// The linear undo history: the steps done, a position, and the clean mark
// (the position at which the project was last saved). Steps recorded while
// a macro is open become parts of that macro. A step recorded behind steps
// that were undone drops them.

#include <cstddef>
#include <optional>
#include <vector>

#include "document/command.h"

namespace tavo {

class UndoHistory {
 public:
  // Records a step that has been done. Merges it into the previous step
  // when both allow it, the previous one is the last done, the clean mark
  // does not lie between them and no break was asked for since.
  void Record(CommandPtr done);

  bool CanUndo() const { return macros_.empty() && position_ > 0; }
  bool CanRedo() const { return macros_.empty() && position_ < steps_.size(); }
  // The step the next Undo (Redo) takes back (does again); null when none.
  Command* NextUndo() const { return CanUndo() ? steps_[position_ - 1].get() : nullptr; }
  Command* NextRedo() const { return CanRedo() ? steps_[position_].get() : nullptr; }
  // Moves the position after the caller undid (redid) the step.
  void StepBack();
  void StepForward();

  // Compound steps: everything recorded until the matching EndMacro is one
  // step. An empty macro records nothing. AbortMacro hands the open macro
  // back so the caller can undo what it did.
  void BeginMacro(const TextId& name);
  void EndMacro();
  std::unique_ptr<MacroCommand> AbortMacro();
  bool InMacro() const { return !macros_.empty(); }

  // The next step starts a step of its own, even if it could merge.
  void BreakMerge() { mergeBroken_ = true; }

  // The current position is what was saved.
  void MarkClean();
  // True when the position differs from the clean mark (also when the saved
  // state can no longer be reached).
  // An open macro that did something counts as away.
  bool AwayFromClean() const;
  // Makes room for one more step, so that recording a step that has been
  // done cannot fail for want of memory.
  void Reserve();

  std::size_t Position() const { return position_; }
  std::size_t Size() const { return steps_.size(); }
  void Clear();

 private:
  std::vector<CommandPtr> steps_;
  std::size_t position_ = 0;
  std::optional<std::size_t> clean_{0};
  std::vector<std::unique_ptr<MacroCommand>> macros_;
  bool mergeBroken_ = false;
};

}  // namespace tavo
