#pragma once
// Commands on the project's records: the head, terminal and coupling
// (replaced as a whole by an edited copy), the records of the variable,
// alarm, text list and picture lists (inserted, removed, replaced, moved),
// and a picture's own fields and keys (exchanged value by value, so that
// the picture and its objects stay the same nodes).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/command.h"
#include "project/projekt.h"

namespace tavo {

// Replaces the head, terminal or coupling record of the project.
template <class T>
class RecordSwap final : public Command {
 public:
  RecordSwap(const TextId& name, std::unique_ptr<T>& slot, std::unique_ptr<T> edited,
             ChangeKind kind, MergeKey merge = kNoMerge)
      : Command(name), slot_(slot), held_(std::move(edited)), kind_(kind), merge_(merge) {}
  void Do() noexcept override { slot_.swap(held_); }
  void Undo() noexcept override { slot_.swap(held_); }
  void Report(bool, ChangeSink& sink) const override {
    Change change;
    change.kind = kind_;
    sink.Changed(change);
  }
  // Typing into one field: this step keeps the record from before the
  // first keystroke, the record now in place is the newest.
  bool MergeWith(Command& next) override {
    auto* other = dynamic_cast<RecordSwap*>(&next);
    return other && merge_ != kNoMerge && other->merge_ == merge_ && &other->slot_ == &slot_;
  }

 private:
  std::unique_ptr<T>& slot_;
  std::unique_ptr<T> held_;
  ChangeKind kind_;
  MergeKey merge_;
};

// `merge`: successive edits of one head field are one step.
std::unique_ptr<Command> MakeHeadEdit(const TextId& name, t_projekt& project,
                                      std::unique_ptr<t_kopf> edited, MergeKey merge = kNoMerge);
std::unique_ptr<Command> MakeTerminalEdit(const TextId& name, t_projekt& project,
                                          std::unique_ptr<t_terminal> edited);
std::unique_ptr<Command> MakeCouplingEdit(const TextId& name, t_projekt& project,
                                          std::unique_ptr<t_steuerung> edited);

// Steps on one of the project's record lists, in the order planned.
class RecordListEdit final : public Command {
 public:
  RecordListEdit(const TextId& name, t_projekt& project, RecordList list);
  ~RecordListEdit() override;

  void Insert(t_liste* after, ListPtr record);
  void Append(ListPtr record);
  void Remove(t_liste& record);
  void Replace(t_liste& old, ListPtr record);
  // `record` goes behind `after` (null: to the front).
  void Move(t_liste& record, t_liste* after);
  bool Empty() const { return steps_.empty(); }

  // Pictures that leave or come take their bitmaps out of and into the
  // registry.
  bool Prepare(TextId& error) override;
  void Do() noexcept override;
  void Undo() noexcept override;
  void Report(bool undone, ChangeSink& sink) const override;

 private:
  enum class Kind : std::uint8_t { Insert, Remove, Replace, Move };
  struct Step {
    Kind kind;
    t_liste* node = nullptr;         // inserted, removed, moved; Replace: the old one
    t_liste* replacement = nullptr;  // Replace: the new one
    t_liste* after = nullptr;        // Insert, Move
    bool toEnd = false;              // Insert
    t_liste* oldAfter = nullptr;     // Remove, Move: set when done
    ListPtr held;
  };
  ListPtr& List();

  t_projekt& project_;
  RecordList list_;
  std::vector<Step> steps_;
  std::optional<std::vector<bmprectype>> registry_;
};

// A picture's own fields and its keys.
struct PictureFields {
  std::string name;
  std::uint16_t number = 0;
  std::uint16_t pictureNumber = 0;
  std::uint8_t backgroundColour = 15;
  // Name and value of every key, in key order.
  std::vector<std::pair<std::string, std::uint16_t>> keys;

  static PictureFields Of(const t_bild& picture);
};

class PictureHeadEdit final : public Command {
 public:
  PictureHeadEdit(const TextId& name, t_bild& picture, PictureFields edited);
  void Do() noexcept override { Exchange(); }
  void Undo() noexcept override { Exchange(); }
  void Report(bool undone, ChangeSink& sink) const override;

 private:
  void Exchange() noexcept;
  t_bild& picture_;
  PictureFields held_;
};

}  // namespace tavo
