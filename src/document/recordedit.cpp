#include "document/recordedit.h"

#include "objects/bitmap/tqvxbitmap.h"
#include "shell/texts.h"

namespace tavo {

std::unique_ptr<Command> MakeHeadEdit(const TextId& name, t_projekt& project,
                                      std::unique_ptr<t_kopf> edited, MergeKey merge) {
  return std::make_unique<RecordSwap<t_kopf>>(name, project.head, std::move(edited),
                                              ChangeKind::Head, merge);
}

std::unique_ptr<Command> MakeTerminalEdit(const TextId& name, t_projekt& project,
                                          std::unique_ptr<t_terminal> edited) {
  return std::make_unique<RecordSwap<t_terminal>>(name, project.terminal, std::move(edited),
                                                  ChangeKind::Terminal);
}

std::unique_ptr<Command> MakeCouplingEdit(const TextId& name, t_projekt& project,
                                          std::unique_ptr<t_steuerung> edited) {
  return std::make_unique<RecordSwap<t_steuerung>>(name, project.coupling, std::move(edited),
                                                   ChangeKind::Coupling);
}

// --- record lists -------------------------------------------------------------------

RecordListEdit::RecordListEdit(const TextId& name, t_projekt& project, RecordList list)
    : Command(name), project_(project), list_(list) {}

RecordListEdit::~RecordListEdit() = default;

ListPtr& RecordListEdit::List() {
  switch (list_) {
    case RecordList::Variables:
      return project_.variables;
    case RecordList::Alarms:
      return project_.alarms;
    case RecordList::TextLists:
      return project_.textLists;
    case RecordList::Pictures:
      break;
  }
  return project_.pictures;
}

void RecordListEdit::Insert(t_liste* after, ListPtr record) {
  if (!record) return;
  t_liste* raw = record.get();
  steps_.push_back({Kind::Insert, raw, nullptr, after, false, nullptr, std::move(record)});
}

void RecordListEdit::Append(ListPtr record) {
  if (!record) return;
  t_liste* raw = record.get();
  steps_.push_back({Kind::Insert, raw, nullptr, nullptr, true, nullptr, std::move(record)});
}

void RecordListEdit::Remove(t_liste& record) {
  steps_.push_back({Kind::Remove, &record, nullptr, nullptr, false, nullptr, nullptr});
}

void RecordListEdit::Replace(t_liste& old, ListPtr record) {
  if (!record) return;
  t_liste* raw = record.get();
  steps_.push_back({Kind::Replace, &old, raw, nullptr, false, nullptr, std::move(record)});
}

void RecordListEdit::Move(t_liste& record, t_liste* after) {
  steps_.push_back({Kind::Move, &record, nullptr, after, false, nullptr, nullptr});
}

bool RecordListEdit::Prepare(TextId& error) {
  if (list_ != RecordList::Pictures) return true;
  std::vector<BitmapUse> leaving, coming;
  auto collect = [](t_liste* picture, std::vector<BitmapUse>& out) {
    for (t_liste* o = static_cast<t_bild*>(picture)->objects.get(); o; o = o->next())
      CollectBitmapUses(static_cast<t_objekt&>(*o), out);
  };
  for (const Step& s : steps_) {
    if (s.kind == Kind::Remove || s.kind == Kind::Replace) collect(s.node, leaving);
    if (s.kind == Kind::Insert) collect(s.node, coming);
    if (s.kind == Kind::Replace) collect(s.replacement, coming);
  }
  if (leaving.empty() && coming.empty()) return true;
  t_bmpliste after = project_.bitmaps;
  for (const BitmapUse& u : leaving) after.Release(*u.identifier);
  std::vector<std::int32_t> identifiers;
  identifiers.reserve(coming.size());
  for (const BitmapUse& u : coming) {
    const std::int32_t id = after.Register(u.fileName, u.width, u.height, *u.identifier);
    if (id == t_bmpliste::kNoIdentifier) {
      error = txt::kEditBitmapRegistryFull;
      return false;
    }
    identifiers.push_back(id);
  }
  for (std::size_t i = 0; i < coming.size(); ++i) *coming[i].identifier = identifiers[i];
  std::vector<bmprectype> entries;
  after.Swap(entries);
  registry_ = std::move(entries);
  return true;
}

void RecordListEdit::Do() noexcept {
  ListPtr& list = List();
  for (Step& s : steps_) {
    switch (s.kind) {
      case Kind::Insert:
        InsertNode(list, s.toEnd ? LastNode(list.get()) : s.after, std::move(s.held));
        break;
      case Kind::Remove:
        s.oldAfter = s.node->previous();
        s.held = UnlinkNode(list, s.node);
        break;
      case Kind::Replace:
        s.held = ReplaceNode(list, s.node, std::move(s.held));
        break;
      case Kind::Move: {
        s.oldAfter = s.node->previous();
        ListPtr node = UnlinkNode(list, s.node);
        InsertNode(list, s.after, std::move(node));
        break;
      }
    }
  }
  if (registry_) project_.bitmaps.Swap(*registry_);
}

void RecordListEdit::Undo() noexcept {
  ListPtr& list = List();
  for (auto it = steps_.rbegin(); it != steps_.rend(); ++it) {
    Step& s = *it;
    switch (s.kind) {
      case Kind::Insert:
        s.held = UnlinkNode(list, s.node);
        break;
      case Kind::Remove:
        InsertNode(list, s.oldAfter, std::move(s.held));
        break;
      case Kind::Replace:
        s.held = ReplaceNode(list, s.replacement, std::move(s.held));
        break;
      case Kind::Move: {
        ListPtr node = UnlinkNode(list, s.node);
        InsertNode(list, s.oldAfter, std::move(node));
        break;
      }
    }
  }
  if (registry_) project_.bitmaps.Swap(*registry_);
}

void RecordListEdit::Report(bool, ChangeSink& sink) const {
  Change change;
  change.kind = list_ == RecordList::Pictures ? ChangeKind::Pictures : ChangeKind::List;
  change.list = list_;
  sink.Changed(change);
}

// --- a picture's own fields -----------------------------------------------------------

PictureFields PictureFields::Of(const t_bild& picture) {
  PictureFields f;
  f.name = picture.name;
  f.number = picture.number;
  f.pictureNumber = picture.pictureNumber;
  f.backgroundColour = picture.backgroundColour;
  for (const t_liste* k = picture.keys.get(); k; k = k->next())
    f.keys.emplace_back(k->name, static_cast<const t_taste*>(k)->value);
  return f;
}

PictureHeadEdit::PictureHeadEdit(const TextId& name, t_bild& picture, PictureFields edited)
    : Command(name), picture_(picture), held_(std::move(edited)) {}

void PictureHeadEdit::Exchange() noexcept {
  picture_.name.swap(held_.name);
  std::swap(picture_.number, held_.number);
  std::swap(picture_.pictureNumber, held_.pictureNumber);
  std::swap(picture_.backgroundColour, held_.backgroundColour);
  auto value = held_.keys.begin();
  for (t_liste* k = picture_.keys.get(); k && value != held_.keys.end(); k = k->next(), ++value) {
    k->name.swap(value->first);
    std::swap(static_cast<t_taste*>(k)->value, value->second);
  }
}

void PictureHeadEdit::Report(bool, ChangeSink& sink) const {
  Change change;
  change.kind = ChangeKind::PictureHead;
  change.picture = &picture_;
  sink.Changed(change);
}

}  // namespace tavo
