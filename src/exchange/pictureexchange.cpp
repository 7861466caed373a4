#include "exchange/pictureexchange.h"

#include <algorithm>
#include <optional>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "exchange/listexchange.h"
#include "exchange/symbols.h"
#include "objects/binary.h"
#include "objects/fields/fields.h"
#include "objects/gruppe.h"
#include "objects/objectkinds.h"
#include "project/objectfactory.h"
#include "project/objectlines.h"
#include "shell/language.h"

namespace tavo {

namespace {

const std::string kRule = ";" + std::string(40, '-');

void CollectDeep(std::span<const t_objekt* const> objects, std::set<std::int16_t>& variables,
                 std::set<std::int16_t>& lists) {
  std::vector<std::int16_t> v, l;
  for (const t_objekt* o : objects) o->CollectReferences(v, l);
  variables.insert(v.begin(), v.end());
  lists.insert(l.begin(), l.end());
}

template <class Fn>
void EachDeep(t_objekt& object, Fn&& fn) {
  fn(object);
  if (!object.IsGroup()) return;
  for (t_liste* m = static_cast<t_gruppe&>(object).FirstMember(); m; m = m->next())
    EachDeep(static_cast<t_objekt&>(*m), fn);
}

void WriteUsed(const t_projekt& project, std::span<const t_objekt* const> objects,
               const char* variablesComment, const char* listsComment, const LineSink& sink) {
  sink(variablesComment);
  sink("[Variables]");
  for (const t_variable* v : VariablesUsedBy(project, objects))
    v->WriteProjectLines(sink, project.coupling.get());
  sink("");
  sink(listsComment);
  sink("[TextList]");
  for (const t_textliste* l : TextListsUsedBy(project, objects)) l->WriteProjectLines(sink);
  sink("");
}

std::vector<const t_objekt*> TopLevel(const t_bild& picture) {
  std::vector<const t_objekt*> objects;
  for (const t_liste* o = picture.objects.get(); o; o = o->next())
    objects.push_back(static_cast<const t_objekt*>(o));
  return objects;
}

// --- reading ------------------------------------------------------------------------

enum class Section { None, Variables, TextList, Pictures, Symbol, Other };

class ExchangeReader final : private ObjectLineReport {
 public:
  ExchangeReader(ObjectFactory& factory, bool symbol) : factory_(factory), symbol_(symbol) {}

  ExchangeContent Run(std::string_view bytes) {
    const std::string text = ExchangeTextOf(bytes, content_.messages);
    LineCursor lines(text);
    std::string_view line;
    while (lines.Next(line)) {
      line_ = lines.LineNumber();
      if (!line.empty()) HandleLine(line);
    }
    if (objects_ && objects_->InGroup()) objects_->Finish();
    if (symbol_) {
      // A group without a name of its own takes the symbol's name.
      for (t_liste* o = content_.objects.get(); o; o = o->next())
        if (static_cast<t_objekt*>(o)->IsGroup() && o->name.empty()) o->name = content_.symbolName;
      if (!sawSymbol_) content_.readable = false;
    } else if (!content_.pictures) {
      content_.readable = false;
    }
    return std::move(content_);
  }

 private:
  void Message(const TextId& id, std::string detail = {}) {
    content_.messages.push_back({line_, id, std::move(detail)});
  }
  void GroupError() override { Message(txt::kProjektfileGruppenfehler); }
  void UnknownKind(int kind) override { Message(txt::kUnbekannteObjektart, std::to_string(kind)); }
  void UnendedGroup() override { Message(txt::kEndeInGruppe); }

  void HandleLine(std::string_view line) {
    if (objects_ && objects_->InGroup()) {
      if (line[0] != '[' && !StartsWith(line, "-Picture(") && !StartsWith(line, "-PictureEnd") &&
          !StartsWith(line, "-SymbolEnd")) {
        objects_->Take(line);
        return;
      }
      objects_->BreakGroups();
    }
    if (line[0] == '[') {
      StartSection(line.substr(1));
    } else if (line[0] == '-') {
      if (section_ == Section::None) {
        Message(txt::kProjektfileFehlerhaft);
        return;
      }
      Record(line);
    }
  }

  void StartSection(std::string_view rest) {
    const std::string_view name = rest.substr(0, rest.find(']'));
    if (name == "Variables")
      section_ = Section::Variables;
    else if (name == "TextList")
      section_ = Section::TextList;
    else if (name == "Pictures" && !symbol_)
      section_ = Section::Pictures;
    else if (name == "Symbol" && symbol_)
      section_ = Section::Symbol;
    else
      return;  // other section names leave the section as it is
    objects_.reset();
    picture_ = nullptr;
  }

  bool Int(std::string_view field, std::int64_t low, std::int64_t high, std::int32_t& value) {
    if (ParseDecimal(field, low, high, value)) return true;
    Message(txt::kKeinIntegerwert, std::string(field));
    return false;
  }

  void Record(std::string_view line) {
    const std::string_view text = line.substr(1);
    switch (section_) {
      case Section::Variables:
        if (StartsWith(text, "Variable(")) VariableLine(text.substr(9));
        break;
      case Section::TextList:
        TextListLine(text);
        break;
      case Section::Pictures:
        PictureLine(line);
        break;
      case Section::Symbol:
        SymbolLine(line);
        break;
      default:
        break;
    }
  }

  void VariableLine(std::string_view rest) {
    std::int32_t number = 0, type = 0, length = 0, attribute = 0;
    if (!Int(t_liste::NextToken(rest), 0, 65535, number)) return;
    const std::string_view addressField = t_liste::NextToken(rest);
    std::int32_t address = 0;
    const std::size_t comma = addressField.find(',');
    if (comma == std::string_view::npos) {
      if (!Int(addressField, -2147483648LL, 2147483647LL, address)) return;
    } else {
      std::int32_t block = 0, word = 0;
      if (!Int(addressField.substr(0, comma), 0, 255, block) ||
          !Int(addressField.substr(comma + 1), 0, 255, word))
        return;
      address = block * 256 + word;
    }
    if (!Int(t_liste::NextToken(rest), 0, 255, type) ||
        !Int(t_liste::NextToken(rest), 0, 65535, length) ||
        !Int(t_liste::NextToken(rest), 0, 255, attribute))
      return;
    auto v = std::make_unique<t_variable>();
    v->number = static_cast<std::uint16_t>(number);
    v->address = address;
    v->type = static_cast<std::uint8_t>(type);
    v->length = static_cast<std::uint16_t>(length);
    v->attribute = static_cast<std::uint8_t>(attribute);
    v->name = t_liste::Unquote(t_liste::NextToken(rest));
    lastVariable_ = AppendNode(content_.variables, lastVariable_, std::move(v));
  }

  void TextListLine(std::string_view text) {
    if (StartsWith(text, "TextList(")) {
      std::string_view rest = text.substr(9);
      std::string name = t_liste::Unquote(t_liste::NextToken(rest));
      std::int32_t number = 0;
      currentList_ = nullptr;
      if (!Int(t_liste::NextToken(rest), 0, 65535, number)) return;
      auto list = std::make_unique<t_textliste>();
      list->name = std::move(name);
      list->number = static_cast<std::uint16_t>(number);
      list->valueList = t_liste::NextToken(rest).find("Wert") != std::string_view::npos;
      currentList_ = list.get();
      lastText_ = nullptr;
      lastList_ = AppendNode(content_.textLists, lastList_, std::move(list));
    } else if (StartsWith(text, "Text(") && currentList_) {
      std::string_view rest = text.substr(5);
      std::string name = t_liste::Unquote(t_liste::NextToken(rest));
      std::int32_t value = 0;
      if (!Int(t_liste::NextToken(rest), 0, 65535, value)) return;
      auto t = std::make_unique<t_text>();
      t->name = std::move(name);
      t->value = static_cast<std::uint16_t>(value);
      lastText_ = AppendNode(currentList_->texts, lastText_, std::move(t));
    } else if (StartsWith(text, "TextListEnd")) {
      currentList_ = nullptr;
    }
  }

  void PictureLine(std::string_view line) {
    const std::string_view text = line.substr(1);
    if (StartsWith(text, "Picture(")) {
      std::string_view rest = text.substr(8);
      std::int32_t number = 0, pictureNumber = 0, colour = 0;
      picture_ = nullptr;
      objects_.reset();
      if (!Int(t_liste::NextToken(rest), 0, 65535, number) ||
          !Int(t_liste::NextToken(rest), 0, 65535, pictureNumber))
        return;
      std::string name = t_liste::Unquote(t_liste::NextToken(rest));
      if (!Int(t_liste::NextToken(rest), 0, 255, colour)) return;
      auto b = std::make_unique<t_bild>();
      b->number = static_cast<std::uint16_t>(number);
      b->pictureNumber = static_cast<std::uint16_t>(pictureNumber);
      b->name = std::move(name);
      b->backgroundColour = static_cast<std::uint8_t>(colour);
      picture_ = b.get();
      objects_.emplace(&factory_, b->objects, static_cast<ObjectLineReport*>(this));
      lastPicture_ = AppendNode(content_.pictures, lastPicture_, std::move(b));
      return;
    }
    if (StartsWith(text, "PictureEnd")) {
      picture_ = nullptr;
      objects_.reset();
      return;
    }
    if (!picture_) {
      if (StartsWith(text, "GroupEnd")) GroupError();
      return;
    }
    if (StartsWith(text, "Key(")) {
      std::string_view rest = text.substr(4);
      std::int32_t number = 0, value = 0;
      if (!Int(t_liste::NextToken(rest), 0, 65535, number) ||
          !Int(t_liste::NextToken(rest), 0, 65535, value))
        return;
      std::string name = t_liste::Unquote(t_liste::NextToken(rest));
      if (t_taste* key = picture_->keys.Assign(number)) {
        key->value = static_cast<std::uint16_t>(value);
        if (!name.empty()) key->name = std::move(name);
      }
      return;
    }
    objects_->Take(line);
  }

  void SymbolLine(std::string_view line) {
    const std::string_view text = line.substr(1);
    if (StartsWith(text, "Symbol(")) {
      std::string_view rest = text.substr(7);
      if (!sawSymbol_) content_.symbolName = t_liste::Unquote(t_liste::NextToken(rest));
      sawSymbol_ = true;
      if (!objects_)
        objects_.emplace(&factory_, content_.objects, static_cast<ObjectLineReport*>(this));
      return;
    }
    if (StartsWith(text, "SymbolEnd")) {
      objects_.reset();
      return;
    }
    if (!objects_) {
      if (StartsWith(text, "GroupEnd")) GroupError();
      return;
    }
    objects_->Take(line);
  }

  ObjectFactory& factory_;
  bool symbol_;
  ExchangeContent content_;
  int line_ = 0;
  Section section_ = Section::None;
  t_liste* lastVariable_ = nullptr;
  t_liste* lastList_ = nullptr;
  t_liste* lastText_ = nullptr;
  t_textliste* currentList_ = nullptr;
  t_liste* lastPicture_ = nullptr;
  t_bild* picture_ = nullptr;
  bool sawSymbol_ = false;
  std::optional<ObjectLineReader> objects_;
};

// Takes the numbers of a list and hands out the smallest free ones.
class FreeNumbers {
 public:
  explicit FreeNumbers(const t_liste* list) {
    for (const t_liste* n = list; n; n = n->next()) taken_.insert(n->number);
  }
  void Take(int number) { taken_.insert(number); }
  int Next() {
    while (taken_.count(next_)) ++next_;
    taken_.insert(next_);
    return next_;
  }

 private:
  std::unordered_set<int> taken_;
  int next_ = 1;
};

// Renumbers the references of one top-level object by the pairs, each
// reference once: the pairs go through numbers the object does not use, so
// that 1 -> 5 and 5 -> 6 do not make 1 into 6.
void Renumber(t_objekt& object, const std::unordered_map<int, int>& variables,
              const std::unordered_map<int, int>& lists) {
  std::vector<std::int16_t> usedVariables, usedLists;
  object.CollectReferences(usedVariables, usedLists);
  auto apply = [&](const std::vector<std::int16_t>& used, const std::unordered_map<int, int>& map,
                   auto renumber) {
    std::set<int> olds;
    for (std::int16_t n : used)
      if (auto it = map.find(n); it != map.end() && it->second != n) olds.insert(n);
    if (olds.empty()) return;
    std::set<int> busy(used.begin(), used.end());
    for (int old : olds) busy.insert(map.at(old));
    std::vector<std::pair<int, int>> parked;  // temporary, final
    int spare = 32767;
    for (int old : olds) {
      while (busy.count(spare)) --spare;
      busy.insert(spare);
      renumber(static_cast<std::int16_t>(old), static_cast<std::int16_t>(spare));
      parked.emplace_back(spare, map.at(old));
    }
    for (auto [spareNumber, final] : parked)
      renumber(static_cast<std::int16_t>(spareNumber), static_cast<std::int16_t>(final));
  };
  apply(usedVariables, variables,
        [&](std::int16_t from, std::int16_t to) { object.RenumberVariable(from, to); });
  apply(usedLists, lists,
        [&](std::int16_t from, std::int16_t to) { object.RenumberTextList(from, to); });
}

}  // namespace

// --- writing -------------------------------------------------------------------------

std::vector<const t_variable*> VariablesUsedBy(const t_projekt& project,
                                               std::span<const t_objekt* const> objects) {
  std::set<std::int16_t> variables, lists;
  CollectDeep(objects, variables, lists);
  std::vector<const t_variable*> used;
  for (const t_liste* n = project.variables.get(); n; n = n->next())
    if (variables.count(static_cast<std::int16_t>(n->number)))
      used.push_back(static_cast<const t_variable*>(n));
  return used;
}

std::vector<const t_textliste*> TextListsUsedBy(const t_projekt& project,
                                                std::span<const t_objekt* const> objects) {
  std::set<std::int16_t> variables, lists;
  CollectDeep(objects, variables, lists);
  std::vector<const t_textliste*> used;
  for (const t_liste* n = project.textLists.get(); n; n = n->next())
    if (lists.count(static_cast<std::int16_t>(n->number)))
      used.push_back(static_cast<const t_textliste*>(n));
  return used;
}

void WritePictureExchange(const t_projekt& project, const t_bild& picture, const LineSink& sink) {
  sink(kRule);
  sink("; QVX-Tavo-Dex-Export File f\xFCr Bilddaten ");
  sink(kRule);
  sink("");
  const std::vector<const t_objekt*> objects = TopLevel(picture);
  WriteUsed(project, objects, "; im Bild verwendete Variablen", "; im Bild verwendete Textlisten",
            sink);
  sink("; Bilddaten");
  sink("[Pictures]");
  picture.WriteProjectLines(sink);
}

void WriteSymbolFile(const t_projekt& project, std::span<const t_objekt* const> objects,
                     const std::string& name, const LineSink& sink) {
  sink(kRule);
  sink("; QVX-Tavo-Dex-Symbol-File");
  sink(kRule);
  sink("");
  WriteUsed(project, objects, "; im Symbol verwendete Variablen",
            "; im Symbol verwendete Textlisten", sink);
  sink("; Objektdaten");
  sink("[Symbol]");
  sink("-Symbol(" + t_liste::Quote(name) + ")");
  for (const t_objekt* o : objects) o->WriteProjectLines(sink);
  sink("-SymbolEnd");
  sink("");
}

// --- reading ------------------------------------------------------------------------

ExchangeContent ReadPictureExchange(std::string_view bytes, ObjectFactory& factory) {
  return ExchangeReader(factory, false).Run(bytes);
}

ExchangeContent ReadSymbolText(std::string_view bytes, ObjectFactory& factory) {
  return ExchangeReader(factory, true).Run(bytes);
}

ExchangeContent ReadSymbolBinary(std::string_view bytes, Translator& translator) {
  ExchangeContent content;
  constexpr std::string_view kMagic = "QVX_SymFile";
  constexpr std::size_t kBodyAt = 42;
  if (bytes.size() < kBodyAt || bytes.substr(0, kMagic.size()) != kMagic) {
    content.readable = false;
    content.messages.push_back({0, txt::kExSymbolUngueltig, {}});
    return content;
  }
  content.symbolName = SymbolNameOfBinary(bytes);
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data()) + kBodyAt;
  const std::size_t size = bytes.size() - kBodyAt;
  // The group's record, with its kind byte 0; a file that starts with a
  // member's kind holds the group's body alone.
  ObjectPtr group;
  if (size > 0 && data[0] == kKindGruppe) {
    RecordRead read = ReadObjectRecord(MemoryReader(data, size));
    group = std::move(read.object);
    if (!read.complete) content.messages.push_back({0, txt::kExSymbolUngueltig, {}});
  } else {
    auto g = std::make_unique<t_gruppe>();
    if (!g->ReadBinary(MemoryReader(data, size)))
      content.messages.push_back({0, txt::kExSymbolUngueltig, {}});
    group = std::move(g);
  }
  if (!group) {
    content.readable = false;
    return content;
  }
  if (group->name.empty()) group->name = content.symbolName;
  EachDeep(*group, [&](t_objekt& o) {
    if (auto* field = dynamic_cast<tTeLiObj*>(&o); field && field->hasRecordTexts())
      field->AdoptRecordTexts(content.textLists, translator);
  });
  group->UpdateExtent();
  content.objects = std::move(group);
  return content;
}

// --- merging ----------------------------------------------------------------------------

bool EqualTextLists(const t_textliste& a, const t_textliste& b) {
  if (a.name != b.name || a.valueList != b.valueList) return false;
  const t_liste* x = a.texts.get();
  const t_liste* y = b.texts.get();
  for (; x && y; x = x->next(), y = y->next())
    if (x->name != y->name ||
        static_cast<const t_text*>(x)->value != static_cast<const t_text*>(y)->value)
      return false;
  return !x && !y;
}

MergePlan PlanMerge(const t_projekt& project, ExchangeContent content, int sheetWidth,
                    int sheetHeight) {
  MergePlan plan;
  std::unordered_map<int, int> variableMap, listMap;

  // Equal variables are found by name first: a project of thousands of
  // variables is not walked once per imported variable.
  std::unordered_multimap<std::string, const t_variable*> byName;
  for (const t_liste* n = project.variables.get(); n; n = n->next())
    byName.emplace(n->name, static_cast<const t_variable*>(n));
  FreeNumbers variableNumbers(project.variables.get());
  while (ListPtr node = std::move(content.variables)) {
    content.variables = node->DetachNext();
    auto& v = static_cast<t_variable&>(*node);
    const t_liste* equal = nullptr;
    for (auto [it, end] = byName.equal_range(v.name); it != end && !equal; ++it)
      if (it->second->address == v.address && it->second->type == v.type) equal = it->second;
    if (variableMap.count(v.number)) continue;  // a second record of one number
    if (equal) {
      variableMap[v.number] = equal->number;
      continue;
    }
    const int number = variableNumbers.Next();
    variableMap[v.number] = number;
    v.number = static_cast<std::uint16_t>(number);
    plan.variables.push_back(std::move(node));
  }

  FreeNumbers listNumbers(project.textLists.get());
  while (ListPtr node = std::move(content.textLists)) {
    content.textLists = node->DetachNext();
    auto& l = static_cast<t_textliste&>(*node);
    const t_liste* equal = nullptr;
    for (const t_liste* n = project.textLists.get(); n && !equal; n = n->next())
      if (EqualTextLists(static_cast<const t_textliste&>(*n), l)) equal = n;
    if (listMap.count(l.number)) continue;
    if (equal) {
      listMap[l.number] = equal->number;
      continue;
    }
    const int number = listNumbers.Next();
    listMap[l.number] = number;
    l.number = static_cast<std::uint16_t>(number);
    plan.textLists.push_back(std::move(node));
  }

  for (t_liste* o = content.objects.get(); o; o = o->next())
    Renumber(static_cast<t_objekt&>(*o), variableMap, listMap);
  while (ListPtr node = std::move(content.objects)) {
    content.objects = node->DetachNext();
    plan.objects.emplace_back(static_cast<t_objekt*>(node.release()));
  }

  // Pictures: numbers from 1 upward, and keys that follow the file's pictures.
  FreeNumbers pictureNumbers(project.pictures.get());
  FreeNumbers displayNumbers(nullptr);
  for (const t_liste* n = project.pictures.get(); n; n = n->next())
    displayNumbers.Take(static_cast<const t_bild*>(n)->pictureNumber);
  const int before = CountNodes(project.pictures.get());
  std::unordered_map<int, int> positionOfFileNumber;
  int index = 0;
  for (const t_liste* n = content.pictures.get(); n; n = n->next())
    positionOfFileNumber.try_emplace(n->number, before + ++index);
  const int width = project.terminal ? project.terminal->width : 640;
  const int height = project.terminal ? project.terminal->height : 480;
  while (ListPtr node = std::move(content.pictures)) {
    content.pictures = node->DetachNext();
    auto& b = static_cast<t_bild&>(*node);
    for (t_liste* o = b.objects.get(); o; o = o->next())
      Renumber(static_cast<t_objekt&>(*o), variableMap, listMap);
    b.keys.ForEachAssigned([&](t_taste& key) {
      if (key.value == 0) return;
      if (auto it = positionOfFileNumber.find(key.value); it != positionOfFileNumber.end()) {
        key.value = static_cast<std::uint16_t>(it->second);
      } else {
        plan.clearedKeys.push_back({b.name, key.number});
        key.value = 0;
      }
    });
    b.number = static_cast<std::uint16_t>(pictureNumbers.Next());
    b.pictureNumber = static_cast<std::uint16_t>(displayNumbers.Next());
    if (sheetWidth > 0 && sheetHeight > 0) {
      b.originX = static_cast<std::int16_t>(sheetWidth / 2 - width / 2);
      b.originY = static_cast<std::int16_t>(sheetHeight / 2 - height / 2);
    }
    plan.pictures.push_back(std::move(node));
  }
  return plan;
}

}  // namespace tavo
