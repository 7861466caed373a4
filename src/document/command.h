#pragma once
// One undoable step. A command is built completely before it is done: it
// holds every copy it needs and the nodes it takes out of the model, so
// that doing and undoing only relink nodes and swap values, and neither can
// fail halfway. Only afterwards does it report what changed.

#include <cstdint>
#include <memory>
#include <vector>

#include "document/change.h"
#include "shell/texts.h"

namespace tavo {

// Steps with the same non-zero key that follow each other directly may
// merge into one (arrow-key nudges of the same objects).
using MergeKey = std::uint16_t;
inline constexpr MergeKey kNoMerge = 0;
inline constexpr MergeKey kMergeNudge = 1;
// Typing into a head field: the field's number is added.
inline constexpr MergeKey kMergeHeadField = 16;

class Command {
 public:
  explicit Command(const TextId& name) : name_(name) {}
  virtual ~Command() = default;
  Command(const Command&) = delete;
  Command& operator=(const Command&) = delete;

  // The step's name for the Undo and Redo menu entries.
  const TextId& Name() const { return name_; }

  // Ends the building, just before the step is done the first time: the
  // step makes what it still needs. False (with `error` set and nothing
  // changed) when it cannot be done.
  virtual bool Prepare(TextId& /*error*/) { return true; }
  // The model changes; nothing is reported yet.
  virtual void Do() noexcept = 0;
  virtual void Undo() noexcept = 0;
  // What the last Do (undone = false) or Undo (true) changed.
  virtual void Report(bool undone, ChangeSink& sink) const = 0;
  // The picture whose objects the step changes; null for other steps.
  virtual t_bild* Picture() const { return nullptr; }
  // Takes `next` (done right after this one) into this step; true when it
  // did, and `next` is then dropped.
  virtual bool MergeWith(Command& /*next*/) { return false; }

 private:
  TextId name_;
};

using CommandPtr = std::unique_ptr<Command>;

// Steps done as one: undone in reverse order.
class MacroCommand final : public Command {
 public:
  explicit MacroCommand(const TextId& name) : Command(name) {}
  // Takes a step that has been done already.
  void Add(CommandPtr done) { steps_.push_back(std::move(done)); }
  void Reserve() { steps_.reserve(steps_.size() + 1); }
  bool Empty() const { return steps_.empty(); }
  std::size_t Size() const { return steps_.size(); }

  void Do() noexcept override;
  void Undo() noexcept override;
  void Report(bool undone, ChangeSink& sink) const override;
  t_bild* Picture() const override;

 private:
  std::vector<CommandPtr> steps_;
};

}  // namespace tavo
