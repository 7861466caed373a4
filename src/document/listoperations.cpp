#include "document/listoperations.h"

#include <algorithm>
#include <new>
#include <unordered_set>

#include "document/edits.h"
#include "document/recordedit.h"
#include "objects/gruppe.h"
#include "shell/language.h"
#include "shell/textcase.h"
#include "shell/texts.h"

namespace tavo {

namespace {

ListPtr& ListOf(t_projekt& project, RecordList list) {
  switch (list) {
    case RecordList::Variables:
      return project.variables;
    case RecordList::Alarms:
      return project.alarms;
    case RecordList::TextLists:
      return project.textLists;
    case RecordList::Pictures:
      break;
  }
  return project.pictures;
}

// Objects store variable and text list numbers as 16-bit signed values.
std::int16_t ObjectNumber(std::uint16_t number) {
  return static_cast<std::int16_t>(number);
}

template <class Fn>
void EachObjectDeep(const t_objekt& object, std::vector<const t_objekt*>& groups, Fn&& fn) {
  fn(object, groups);
  if (!object.IsGroup()) return;
  groups.push_back(&object);
  for (const t_liste* m = static_cast<const t_gruppe&>(object).FirstMember(); m; m = m->next())
    EachObjectDeep(static_cast<const t_objekt&>(*m), groups, fn);
  groups.pop_back();
}

template <class Fn>
void EachObjectDeep(t_objekt& object, Fn&& fn) {
  fn(object);
  if (!object.IsGroup()) return;
  for (t_liste* m = static_cast<t_gruppe&>(object).FirstMember(); m; m = m->next())
    EachObjectDeep(static_cast<t_objekt&>(*m), fn);
}

bool SwitchingUses(const t_objekt& object, std::int16_t variable) {
  const t_schaltung rule = object.GetSwitching();
  return rule.action != 0 && rule.variable == variable;
}

// How the object itself (not its members) refers to the variable: not at
// all, by its switching rule only, or by its field.
enum class OwnUse { None, Switching, Field };

OwnUse OwnVariableUse(const t_objekt& object, std::int16_t variable) {
  const bool switching = SwitchingUses(object, variable);
  if (object.IsGroup()) return switching ? OwnUse::Switching : OwnUse::None;
  if (!object.UsesVariable(variable)) return OwnUse::None;
  std::vector<std::int16_t> variables, textLists;
  object.CollectReferences(variables, textLists);
  const auto count = std::count(variables.begin(), variables.end(), variable);
  return count > (switching ? 1 : 0) ? OwnUse::Field : OwnUse::Switching;
}

bool OwnTextListUse(const t_objekt& object, std::int16_t list) {
  return !object.IsGroup() && object.UsesTextList(list);
}

// The object or a member at any depth names the variable, also in a
// switching rule that is off.
bool NamesVariable(const t_objekt& object, std::int16_t variable) {
  bool any = false;
  std::vector<const t_objekt*> groups;
  EachObjectDeep(object, groups, [&](const t_objekt& o, const auto&) {
    any = any || o.UsesVariable(variable) || o.GetSwitching().variable == variable;
  });
  return any;
}

// Key numbers of one level of the F and S keys, for KeyName.
struct KeyRow {
  const char* prefix;
  int first;  // key number of row 1
  int count;
};

void Replace(std::string& text, std::string_view what, const std::string& with) {
  const std::size_t at = text.find(what);
  if (at != std::string::npos) text.replace(at, what.size(), with);
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

std::string ObjectWords(const t_objekt& object, Translator& translator) {
  std::string words = object.TypeName(translator);
  if (!object.name.empty()) words.append(" ").append(Quoted(object.name));
  return words;
}

const TextId& CopyStepName(RecordList list) {
  switch (list) {
    case RecordList::Variables:
      return txt::kStepVariablenKopieren;
    case RecordList::Alarms:
      return txt::kStepAlarmeKopieren;
    case RecordList::TextLists:
      return txt::kStepTextlistenKopieren;
    case RecordList::Pictures:
      break;
  }
  return txt::kStepBilderKopieren;
}

const TextId& DeleteStepName(RecordList list) {
  switch (list) {
    case RecordList::Variables:
      return txt::kStepVariablenLoeschen;
    case RecordList::Alarms:
      return txt::kStepAlarmeLoeschen;
    case RecordList::TextLists:
      return txt::kStepTextlistenLoeschen;
    case RecordList::Pictures:
      break;
  }
  return txt::kStepBilderLoeschen;
}

// Runs `steps` inside a macro named `name`; a step that fails takes back
// what the macro did so far.
// Every picture's top-level objects that `names` picks, with an edit of the
// copy, as one object edit per picture.
template <class Pick, class Edit>
EditResult EditReferringObjects(Document& document, const TextId& name, Pick&& names, Edit&& edit) {
  for (t_liste* p = document.Project().pictures.get(); p; p = p->next()) {
    auto& picture = static_cast<t_bild&>(*p);
    std::vector<t_objekt*> objects;
    for (t_liste* o = picture.objects.get(); o; o = o->next())
      if (names(static_cast<const t_objekt&>(*o))) objects.push_back(static_cast<t_objekt*>(o));
    if (objects.empty()) continue;
    if (EditResult r = EditObjects(document, picture, objects, name, edit); !r) return r;
  }
  return {};
}

// The variable is gone: a switching rule that tests it is switched off (a
// group's own rule only, its members keep theirs), and every other mention
// becomes 0.
void ClearVariable(t_objekt& top, std::int16_t variable) {
  EachObjectDeep(top, [&](t_objekt& o) {
    if (SwitchingUses(o, variable)) o.t_objekt::SetSwitching(t_schaltung{});
  });
  top.RenumberVariable(variable, 0);
}

}  // namespace

// --- numbering -----------------------------------------------------------------------

NumberPool::NumberPool(const t_liste* list, bool fromZero)
    : taken_(65536, false), from_(fromZero ? 0 : 1) {
  for (const t_liste* n = FirstNode(list); n; n = n->next()) taken_[n->number] = true;
}

NumberPool NumberPool::PictureNumbers(const t_liste* pictures) {
  NumberPool pool;
  pool.taken_.assign(65536, false);
  for (const t_liste* n = FirstNode(pictures); n; n = n->next())
    pool.taken_[static_cast<const t_bild*>(n)->pictureNumber] = true;
  return pool;
}

int NumberPool::Take() {
  for (int i = from_; i < 65536; ++i)
    if (!taken_[static_cast<std::size_t>(i)]) {
      taken_[static_cast<std::size_t>(i)] = true;
      return i;
    }
  return -1;
}

std::unique_ptr<t_textliste> NewTextList(const t_liste* textLists) {
  auto list = std::make_unique<t_textliste>();
  list->name = "neue Textliste";
  list->number = FreeNumberFromOne(textLists);
  return list;
}

std::uint16_t FirstFreeTextValue(const t_textliste& list) {
  std::vector<bool> taken(65536, false);
  ForEach<t_text>(list.texts, [&](const t_text& t) { taken[t.value] = true; });
  if (!list.valueList) {
    for (int bit = 0; bit < 16; ++bit)
      if (!taken[std::size_t{1} << bit]) return static_cast<std::uint16_t>(1u << bit);
    return 0;
  }
  for (std::size_t value = 0; value < taken.size(); ++value)
    if (!taken[value]) return static_cast<std::uint16_t>(value);
  return 0;
}

std::int32_t AlarmBitMask(std::uint16_t number) {
  return std::int32_t{1} << (number % 16);
}

// --- references ------------------------------------------------------------------

std::vector<Reference> FindReferences(const t_projekt& project, RecordList list,
                                      const t_liste& record) {
  std::vector<Reference> found;
  if (list == RecordList::Alarms) return found;
  if (list == RecordList::Pictures) {
    const int position = IndexOfNode(project.pictures.get(), &record) + 1;
    if (position <= 0) return found;
    ForEach<t_bild>(project.pictures, [&](t_bild& picture) {
      picture.keys.ForEachAssigned([&](const t_taste& key) {
        if (key.value == position) {
          Reference r;
          r.picture = &picture;
          r.key = key.number;
          found.push_back(std::move(r));
        }
      });
    });
    return found;
  }
  const std::int16_t number = ObjectNumber(record.number);
  ForEach<t_bild>(project.pictures, [&](t_bild& picture) {
    std::vector<const t_objekt*> groups;
    for (const t_liste* o = picture.objects.get(); o; o = o->next()) {
      const auto& top = static_cast<const t_objekt&>(*o);
      // Most objects refer to nothing: ask the whole object once first.
      if (list == RecordList::Variables ? !top.UsesVariable(number) : !top.UsesTextList(number))
        continue;
      EachObjectDeep(top, groups, [&](const t_objekt& object, const auto& around) {
        bool refers = false, switchingOnly = false;
        if (list == RecordList::Variables) {
          const OwnUse use = OwnVariableUse(object, number);
          refers = use != OwnUse::None;
          switchingOnly = use == OwnUse::Switching;
        } else {
          refers = OwnTextListUse(object, number);
        }
        if (!refers) return;
        Reference r;
        r.picture = &picture;
        r.object = const_cast<t_objekt*>(&object);
        r.groups = around;
        r.switchingOnly = switchingOnly;
        found.push_back(std::move(r));
      });
    }
  });
  return found;
}

bool IsInUse(const t_projekt& project, RecordList list, const t_liste& record) {
  if (list != RecordList::Variables && list != RecordList::TextLists) return false;
  const std::int16_t number = ObjectNumber(record.number);
  for (const t_liste* p = project.pictures.get(); p; p = p->next())
    for (const t_liste* o = static_cast<const t_bild*>(p)->objects.get(); o; o = o->next()) {
      const auto& object = static_cast<const t_objekt&>(*o);
      if (list == RecordList::Variables ? object.UsesVariable(number) : object.UsesTextList(number))
        return true;
    }
  return false;
}

std::string KeyName(int number) {
  static constexpr const char* kLevels[] = {"", "Shift-", "Ctrl-", "Alt-"};
  for (int level = 0; level < 4; ++level) {
    for (int key = 1; key <= 16; ++key)
      if (FunctionKeyNumber(key, level) == number)
        return kLevels[level] + std::string("F") + std::to_string(key);
    for (int key = 1; key <= 12; ++key)
      if (SoftKeyNumber(key, level) == number)
        return kLevels[level] + std::string("S") + std::to_string(key);
  }
  return std::string("#").append(std::to_string(number));
}

std::string ReferenceText(const Reference& reference, Translator& translator) {
  std::string text = translator.Tr(txt::kListBild) + " " +
                     Quoted(reference.picture ? reference.picture->name : std::string()) + ": ";
  if (!reference.object)
    return text + translator.Tr(txt::kListTaste) + " " + KeyName(reference.key);
  for (const t_objekt* group : reference.groups) text += ObjectWords(*group, translator) + " / ";
  text += ObjectWords(*reference.object, translator);
  if (reference.switchingOnly) text += " (" + translator.Tr(txt::kSchaltverhalten) + ")";
  return text;
}

std::string ReferenceLines(std::span<const Reference> references, Translator& translator,
                           std::size_t limit) {
  std::string lines;
  const std::size_t shown = std::min(limit, references.size());
  for (std::size_t i = 0; i < shown; ++i) {
    if (!lines.empty()) lines += "\r";
    lines += ReferenceText(references[i], translator);
  }
  if (shown < references.size())
    lines.append("\r").append(MoreLine(references.size() - shown, translator));
  return lines;
}

std::string MoreLine(std::size_t count, Translator& translator) {
  // A language table may lack the placeholder; the line is then shown as
  // it stands.
  std::string more = translator.Tr(txt::kListWeitere);
  Replace(more, "%s", std::to_string(count));
  return more;
}

// --- new and edited records ------------------------------------------------------

EditResult AppendRecord(Document& document, RecordList list, ListPtr record, const TextId& name) {
  if (!record) return {};
  try {
    auto command = std::make_unique<RecordListEdit>(name, document.Project(), list);
    command->Append(std::move(record));
    return document.Execute(std::move(command));
  } catch (const std::bad_alloc&) {
    return EditResult::Failed(txt::kEditNoMemory);
  }
}

EditResult ReplaceRecord(Document& document, RecordList list, t_liste& record, ListPtr edited,
                         const TextId& name) {
  if (!edited) return {};
  try {
    auto command = std::make_unique<RecordListEdit>(name, document.Project(), list);
    command->Replace(record, std::move(edited));
    return document.Execute(std::move(command));
  } catch (const std::bad_alloc&) {
    return EditResult::Failed(txt::kEditNoMemory);
  }
}

// --- copies ---------------------------------------------------------------------

std::unique_ptr<t_bild> ClonePicture(const t_bild& picture) {
  std::unique_ptr<t_bild> copy = ClonePictureWithoutObjects(picture);
  t_liste* last = nullptr;
  for (const t_liste* o = picture.objects.get(); o; o = o->next()) {
    ObjectPtr object = static_cast<const t_objekt&>(*o).Clone();
    if (!object) return nullptr;
    object->SetSelected(false);
    last = AppendNode(copy->objects, last, std::move(object));
  }
  copy->zoom = 1.0;
  copy->originX = 0;
  copy->originY = 0;
  return copy;
}

CopyOutcome CopyRecords(Document& document, RecordList list, std::span<t_liste* const> records) {
  CopyOutcome outcome;
  if (records.empty()) return outcome;
  try {
    t_projekt& project = document.Project();
    const t_liste* first = ListOf(project, list).get();
    NumberPool numbers(first, list == RecordList::Alarms);
    NumberPool pictureNumbers =
        NumberPool::PictureNumbers(list == RecordList::Pictures ? first : nullptr);
    auto command = std::make_unique<RecordListEdit>(CopyStepName(list), project, list);
    for (const t_liste* record : records) {
      const int number = numbers.Take();
      if (list == RecordList::Alarms && (number < 0 || number > kLastAlarmNumber)) {
        outcome.rangeError = true;
        break;
      }
      if (number < 0) break;  // 65535 records: no number left
      ListPtr copy;
      switch (list) {
        case RecordList::Variables:
          copy = CloneRecord(static_cast<const t_variable&>(*record));
          break;
        case RecordList::Alarms: {
          auto alarm = CloneRecord(static_cast<const t_alarme&>(*record));
          alarm->bitMask = AlarmBitMask(static_cast<std::uint16_t>(number));
          copy = std::move(alarm);
          break;
        }
        case RecordList::TextLists:
          copy = CloneRecord(static_cast<const t_textliste&>(*record));
          break;
        case RecordList::Pictures: {
          auto picture = ClonePicture(static_cast<const t_bild&>(*record));
          if (!picture) {
            outcome.result = EditResult::Failed(txt::kEditCannotCopy);
            outcome.copies.clear();
            return outcome;
          }
          const int pictureNumber = pictureNumbers.Take();
          if (pictureNumber < 0) break;
          picture->pictureNumber = static_cast<std::uint16_t>(pictureNumber);
          copy = std::move(picture);
          break;
        }
      }
      if (!copy) break;
      copy->number = static_cast<std::uint16_t>(number);
      outcome.copies.push_back(copy.get());
      command->Append(std::move(copy));
    }
    if (command->Empty()) return outcome;
    outcome.result = document.Execute(std::move(command));
    if (!outcome.result) outcome.copies.clear();
  } catch (const std::bad_alloc&) {
    outcome.result = EditResult::Failed(txt::kEditNoMemory);
    outcome.copies.clear();
  }
  return outcome;
}

// --- deletion --------------------------------------------------------------------

namespace {

// The keys of the pictures that stay, after the pictures at the positions
// `gone` (1-based, ascending) left the list of `count` pictures: a key that
// called a picture that goes loses its function, one that called a picture
// further down follows it. Values beyond the list called nothing before and
// stay as they are.
EditResult FollowPicturePositions(Document& document, const std::vector<int>& gone, int count) {
  int position = 0;
  for (t_liste* p = document.Project().pictures.get(); p; p = p->next()) {
    ++position;
    if (std::binary_search(gone.begin(), gone.end(), position)) continue;
    auto& picture = static_cast<t_bild&>(*p);
    PictureFields fields = PictureFields::Of(picture);
    bool changed = false;
    for (auto& key : fields.keys) {
      std::uint16_t& value = key.second;
      if (value == 0 || value > count) continue;
      const auto below = std::lower_bound(gone.begin(), gone.end(), int{value});
      const std::uint16_t now = below != gone.end() && *below == value
                                    ? std::uint16_t{0}
                                    : static_cast<std::uint16_t>(value - (below - gone.begin()));
      changed = changed || now != value;
      value = now;
    }
    if (!changed) continue;
    auto command =
        std::make_unique<PictureHeadEdit>(txt::kStepBilderLoeschen, picture, std::move(fields));
    if (EditResult r = document.Execute(std::move(command)); !r) return r;
  }
  return {};
}

}  // namespace

DeleteOutcome DeleteRecords(Document& document, RecordList list, std::span<t_liste* const> records,
                            UsedRecords used) {
  DeleteOutcome outcome;
  t_projekt& project = document.Project();
  const t_liste* first = ListOf(project, list).get();
  // Only records of the list, each once.
  std::unordered_set<const t_liste*> seen;
  for (t_liste* record : records) {
    if (!record || IndexOfNode(first, record) < 0 || !seen.insert(record).second) continue;
    if (used == UsedRecords::Keep && IsInUse(project, list, *record))
      outcome.kept.push_back(record);
    else
      outcome.deleted.push_back(record);
  }
  if (outcome.deleted.empty()) return outcome;
  // The numbers whose references go: those no record that stays carries
  // (another record with the same number still answers for it).
  std::vector<const t_liste*> cleared;
  bool zeroStays = false;
  if (list == RecordList::Variables || list == RecordList::TextLists) {
    const std::unordered_set<const t_liste*> going(outcome.deleted.begin(), outcome.deleted.end());
    std::vector<bool> stays(65536, false);
    for (const t_liste* n = first; n; n = n->next())
      if (!going.count(n)) stays[n->number] = true;
    zeroStays = stays[0];
    for (const t_liste* record : outcome.deleted)
      if (!stays[record->number]) cleared.push_back(record);
  }
  // A field whose variable (text list) is gone is set to 0, the number that
  // stands for none. While a record numbered 0 stays, the field would refer
  // to that record instead: the references cannot go.
  if (used == UsedRecords::DeleteWithReferences && zeroStays) {
    for (const t_liste* record : cleared) {
      if (record->number == 0) continue;
      for (const Reference& r : FindReferences(project, list, *record))
        if (!r.switchingOnly) {
          outcome.deleted.clear();
          outcome.result = EditResult::Failed(txt::kNullVergeben);
          return outcome;
        }
    }
  }
  const TextId& name =
      used == UsedRecords::Keep ? DeleteStepName(list) : txt::kStepMitVerweisenLoeschen;
  outcome.result = InMacro(document, name, [&]() -> EditResult {
    if (list == RecordList::Variables || list == RecordList::TextLists) {
      for (const t_liste* record : cleared) {
        const std::int16_t number = ObjectNumber(record->number);
        EditResult r;
        if (list == RecordList::Variables)
          r = EditReferringObjects(
              document, name, [&](const t_objekt& o) { return NamesVariable(o, number); },
              [&](t_objekt& o) { ClearVariable(o, number); });
        else
          r = EditReferringObjects(
              document, name, [&](const t_objekt& o) { return o.UsesTextList(number); },
              [&](t_objekt& o) { o.RenumberTextList(number, 0); });
        if (!r) return r;
      }
    }
    if (list == RecordList::Pictures) {
      std::vector<int> gone;
      for (const t_liste* record : outcome.deleted) gone.push_back(IndexOfNode(first, record) + 1);
      std::sort(gone.begin(), gone.end());
      if (EditResult r = FollowPicturePositions(document, gone, CountNodes(first)); !r) return r;
    }
    auto command = std::make_unique<RecordListEdit>(name, project, list);
    for (t_liste* record : outcome.deleted) command->Remove(*record);
    return document.Execute(std::move(command));
  });
  if (!outcome.result) {
    outcome.kept.clear();
    outcome.deleted.clear();
  }
  return outcome;
}

// --- renaming and renumbering ----------------------------------------------------

bool PictureNameTaken(const t_projekt& project, const t_bild& renamed, std::string_view name) {
  auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (const t_liste* p = project.pictures.get(); p; p = p->next()) {
    if (p == &renamed || p->name.size() != name.size()) continue;
    if (std::equal(name.begin(), name.end(), p->name.begin(),
                   [&](char a, char b) { return fold(a) == fold(b); }))
      return true;
  }
  return false;
}

EditResult RenameRecord(Document& document, RecordList list, t_liste& record, std::string name) {
  if (record.name == name) return {};
  try {
    if (list == RecordList::Pictures) {
      auto& picture = static_cast<t_bild&>(record);
      PictureFields fields = PictureFields::Of(picture);
      fields.name = std::move(name);
      return document.Execute(
          std::make_unique<PictureHeadEdit>(txt::kEditRename, picture, std::move(fields)));
    }
    ListPtr copy;
    switch (list) {
      case RecordList::Variables:
        copy = CloneRecord(static_cast<const t_variable&>(record));
        break;
      case RecordList::Alarms:
        copy = CloneRecord(static_cast<const t_alarme&>(record));
        break;
      case RecordList::TextLists:
      case RecordList::Pictures:
        copy = CloneRecord(static_cast<const t_textliste&>(record));
        break;
    }
    copy->name = std::move(name);
    return ReplaceRecord(document, list, record, std::move(copy), txt::kEditRename);
  } catch (const std::bad_alloc&) {
    return EditResult::Failed(txt::kEditNoMemory);
  }
}

EditResult RenumberRecord(Document& document, RecordList list, t_liste& record,
                          std::uint16_t number) {
  if (list != RecordList::Variables && list != RecordList::TextLists) return {};
  if (record.number == number) return {};
  t_projekt& project = document.Project();
  if (IndexOfNode(ListOf(project, list).get(), &record) < 0) return {};
  if (FindByNumber(ListOf(project, list).get(), number))
    return EditResult::Failed(txt::kNummerVergeben);
  const std::int16_t from = ObjectNumber(record.number), to = ObjectNumber(number);
  return InMacro(document, txt::kStepNummerAendern, [&]() -> EditResult {
    EditResult r;
    if (list == RecordList::Variables)
      r = EditReferringObjects(
          document, txt::kStepNummerAendern,
          [&](const t_objekt& o) { return NamesVariable(o, from); },
          [&](t_objekt& o) { o.RenumberVariable(from, to); });
    else
      r = EditReferringObjects(
          document, txt::kStepNummerAendern,
          [&](const t_objekt& o) { return o.UsesTextList(from); },
          [&](t_objekt& o) { o.RenumberTextList(from, to); });
    if (!r) return r;
    ListPtr copy;
    if (list == RecordList::Variables)
      copy = CloneRecord(static_cast<const t_variable&>(record));
    else
      copy = CloneRecord(static_cast<const t_textliste&>(record));
    copy->number = number;
    return ReplaceRecord(document, list, record, std::move(copy), txt::kStepNummerAendern);
  });
}

// --- rows shown -------------------------------------------------------------------

std::string VariableAddressText(std::int32_t address, const t_steuerung* coupling) {
  if (coupling && coupling->addressFormat == 1)
    return "DB" + std::to_string((address >> 8) & 0xFF) + " DW" + std::to_string(address & 0xFF);
  return std::to_string(address);
}

namespace {
// Between the texts of a row: no typed text holds it.
constexpr char kCellBreak = '\x1F';
}  // namespace

void RowFilter::Clear() {
  rows_.clear();
  matches_.clear();
  matchCount_ = 0;
}

void RowFilter::SetRows(const std::vector<std::vector<std::string>>& rows) {
  Clear();
  rows_.reserve(rows.size());
  for (const auto& texts : rows) AddRow(texts);
}

void RowFilter::AddRow(const std::vector<std::string>& texts) {
  std::string row;
  for (const std::string& text : texts) {
    row += FoldCase(text);
    row += kCellBreak;
  }
  rows_.push_back(std::move(row));
  matches_.push_back(0);
  Apply(rows_.size() - 1);
}

void RowFilter::SetText(std::string_view typed) {
  std::string folded = FoldCase(typed);
  folded.erase(std::remove(folded.begin(), folded.end(), kCellBreak), folded.end());
  folded_ = std::move(folded);
  matchCount_ = 0;
  Apply(0);
}

void RowFilter::Apply(std::size_t first) {
  for (std::size_t i = first; i < rows_.size(); ++i) {
    const bool match = folded_.empty() || rows_[i].find(folded_) != std::string::npos;
    matches_[i] = match ? 1 : 0;
    if (match) ++matchCount_;
  }
}

}  // namespace tavo
