#include "document/history.h"

namespace tavo {

void UndoHistory::Record(CommandPtr done) {
  if (!done) return;
  if (!macros_.empty()) {
    macros_.back()->Add(std::move(done));
    return;
  }
  if (position_ < steps_.size()) {
    // The undone steps are gone for good; so is a clean mark among them.
    if (clean_ && *clean_ > position_) clean_.reset();
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
  }
  const bool mayMerge = !mergeBroken_ && position_ > 0 && clean_ != position_;
  mergeBroken_ = false;
  if (mayMerge && steps_[position_ - 1]->MergeWith(*done)) return;
  steps_.push_back(std::move(done));
  position_ = steps_.size();
}

void UndoHistory::StepBack() {
  if (position_ > 0) --position_;
  mergeBroken_ = true;
}

void UndoHistory::StepForward() {
  if (position_ < steps_.size()) ++position_;
  mergeBroken_ = true;
}

void UndoHistory::BeginMacro(const TextId& name) {
  macros_.push_back(std::make_unique<MacroCommand>(name));
}

void UndoHistory::EndMacro() {
  if (macros_.empty()) return;
  // Room first, so the macro cannot get lost between leaving the stack and
  // landing in the history.
  if (macros_.size() > 1)
    macros_[macros_.size() - 2]->Reserve();
  else
    steps_.reserve(position_ + 1);
  std::unique_ptr<MacroCommand> macro = std::move(macros_.back());
  macros_.pop_back();
  if (macro->Empty()) return;
  mergeBroken_ = true;
  Record(std::move(macro));
  mergeBroken_ = true;
}

std::unique_ptr<MacroCommand> UndoHistory::AbortMacro() {
  if (macros_.empty()) return nullptr;
  std::unique_ptr<MacroCommand> macro = std::move(macros_.back());
  macros_.pop_back();
  return macro;
}

bool UndoHistory::AwayFromClean() const {
  for (const auto& macro : macros_)
    if (!macro->Empty()) return true;
  return clean_ != position_;
}

void UndoHistory::Reserve() {
  if (!macros_.empty())
    macros_.back()->Reserve();
  else
    steps_.reserve(position_ + 1);
}

void UndoHistory::MarkClean() {
  clean_ = position_;
  mergeBroken_ = true;
}

void UndoHistory::Clear() {
  steps_.clear();
  macros_.clear();
  position_ = 0;
  clean_ = 0;
  mergeBroken_ = false;
}

}  // namespace tavo
