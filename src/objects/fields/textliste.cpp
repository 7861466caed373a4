#include <algorithm>
#include <cmath>
#include <set>

#include "objects/fields/fields.h"
#include "objects/objectkinds.h"
#include "project/records.h"
#include "project/runwriter.h"

namespace tavo {

namespace {

// Length bytes and the text length carry at most 255 characters.
constexpr std::size_t kMaxTextBytes = 255;
// The record counts its texts in an i16.
constexpr std::size_t kMaxWrittenTexts = 32767;

const t_textliste* ListOf(const t_liste* textLists, std::uint16_t number) {
  return dynamic_cast<const t_textliste*>(FindByNumber(textLists, number));
}

std::uint8_t LongestText(const t_textliste& list) {
  std::size_t longest = 0;
  for (const t_liste* t = list.texts.get(); t; t = t->next())
    longest = std::max(longest, t->name.size());
  return static_cast<std::uint8_t>(std::min(longest, kMaxTextBytes));
}

}  // namespace

tTeLiObj::tTeLiObj(std::uint8_t kind) : t_feldobjekt(kind) {}

void tTeLiObj::RefreshTextLength(const t_liste* textLists) {
  if (const t_textliste* list = ListOf(textLists, textList_)) textLength_ = LongestText(*list);
}

std::string tTeLiObj::ShownText(const t_liste* textLists) const {
  const t_textliste* list = ListOf(textLists, textList_);
  if (!list || !list->texts) return {};
  std::string text = list->texts->name;
  text.resize(LongestText(*list), ' ');
  return ToTerminalCharset(text);
}

std::string tTeLiObj::TextForValue(const t_liste* textLists, std::int64_t value) const {
  const t_textliste* list = ListOf(textLists, textList_);
  if (!list) return {};
  const t_text* hit = nullptr;
  const auto find = [&](std::int64_t wanted) {
    for (const t_liste* t = list->texts.get(); t; t = t->next())
      if (static_cast<const t_text*>(t)->value == wanted) return static_cast<const t_text*>(t);
    return static_cast<const t_text*>(nullptr);
  };
  if (list->valueList) {
    hit = find(value);
  } else {
    for (int bit = 0; bit < 16 && !hit; ++bit)
      if (value & (std::int64_t(1) << bit)) hit = find(std::int64_t(1) << bit);
  }
  std::string text = hit ? hit->name : std::string();
  text.resize(LongestText(*list), ' ');
  return ToTerminalCharset(text);
}

void tTeLiObj::UpdateExtent() {
  // One pixel less on the far edges: the terminal's own measure of the list.
  ExtentOfCells(textLength_, 1);
}

std::string tTeLiObj::FormatFields() const {
  return Bracketed(FormatCommonFields() + ";" + RealToText(x()) + ";" + RealToText(y()) + ";" +
                   Quote(font_) + ";" + IntToText(variable_) + ";" + IntToText(textList_));
}

void tTeLiObj::ParseWith(std::string_view rest, const t_liste* fonts) {
  ParseCommonFields(rest);
  ParsePosition(rest);
  font_ = Unquote(NextToken(rest));
  variable_ = static_cast<std::int16_t>(TextToInt(NextToken(rest)));
  textList_ = static_cast<std::uint16_t>(TextToInt(NextToken(rest)));
  LookUpCell(fonts);
  UpdateExtent();
}

void tTeLiObj::WriteRunLines(RunWriter& out) const {
  out.Line(RunLinePrefix() + RunAttributes() + RunPosition() + ";" + Quote(font_) + ";" +
           IntToText(variable_) + ";" + IntToText(textList_) + ")");
}

void tTeLiObj::WriteRecord(ByteSink& out, bool valueList,
                           const std::vector<RecordText>& texts) const {
  const std::size_t count = std::min(texts.size(), kMaxWrittenTexts);
  std::size_t longest = 0;
  for (std::size_t i = 0; i < count; ++i) longest = std::max(longest, texts[i].text.size());
  textLength_ = static_cast<std::uint8_t>(std::min(longest, kMaxTextBytes));

  PutU8(out, Kind());
  WriteAttributes(out);
  WritePosition(out);
  WriteFontAndCell(out);
  PutU8(out, valueList ? 2 : 1);
  PutI16(out, static_cast<std::int16_t>(count));
  PutU8(out, textLength_);
  PutI16(out, variable_);
  for (std::size_t i = 0; i < count; ++i) {
    const std::string text = ToTerminalCharset(texts[i].text.substr(0, kMaxTextBytes));
    PutI16(out, texts[i].value);
    PutU8(out, static_cast<std::uint8_t>(text.size()));
    for (char c : text) PutU8(out, static_cast<std::uint8_t>(c));
  }
  WriteSwitching(out);
}

void tTeLiObj::WriteBinaryWith(ByteSink& out, const t_liste* textLists) const {
  const t_textliste* list = ListOf(textLists, textList_);
  if (!list && textLists) list = dynamic_cast<const t_textliste*>(FirstNode(textLists));
  std::vector<RecordText> texts;
  if (list) {
    for (const t_liste* t = list->texts.get(); t; t = t->next())
      texts.push_back({static_cast<std::int16_t>(static_cast<const t_text*>(t)->value), t->name});
  }
  WriteRecord(out, list && list->valueList, texts);
}

void tTeLiObj::WriteBinary(ByteSink& out) const {
  WriteRecord(out, recordValueList_, recordTexts_);
}

bool tTeLiObj::ReadBinary(const ByteReader& read) {
  BinaryIn in(read);
  ReadAttributes(in);
  ReadPosition(in);
  ReadFontAndCell(in);
  std::uint8_t listKind = 1;
  std::int16_t count = 0;
  in.U8(listKind);
  in.I16(count);
  in.U8(textLength_);
  in.I16(variable_);
  recordValueList_ = listKind == 2;
  recordTexts_.clear();
  hasRecord_ = true;
  // Texts beyond the first 256 are read over to stay in step, not kept.
  for (int i = 0; i < count && in.ok(); ++i) {
    RecordText entry;
    std::uint8_t length = 0;
    if (!in.I16(entry.value) || !in.U8(length)) break;
    std::string text;
    for (std::uint8_t k = 0; k < length; ++k) {
      std::uint8_t c = 0;
      if (!in.U8(c)) break;
      text += static_cast<char>(c);
    }
    if (!in.ok()) break;
    entry.text = FromTerminalCharset(text);
    if (recordTexts_.size() < kMaxRecordTexts) recordTexts_.push_back(std::move(entry));
  }
  ReadSwitching(in);
  UpdateExtent();
  return in.ok();
}

void tTeLiObj::AdoptRecordTexts(ListPtr& textLists, Translator& translator) {
  if (!hasRecord_) return;
  std::set<std::uint16_t> used;
  for (const t_liste* n = textLists.get(); n; n = n->next()) used.insert(n->number);
  std::uint16_t number = 1;
  while (used.count(number) && number < 65535) ++number;

  auto list = std::make_unique<t_textliste>();
  list->number = number;
  list->name = translator.Tr(txt::kTypTextliste) + " " + IntToText(number);
  list->valueList = recordValueList_;
  t_liste* last = nullptr;
  for (const RecordText& entry : recordTexts_) {
    auto text = std::make_unique<t_text>();
    text->value = static_cast<std::uint16_t>(entry.value);
    text->name = entry.text;
    last = AppendNode(list->texts, last, std::move(text));
  }
  AppendNode(textLists, std::move(list));
  textList_ = number;
  recordTexts_.clear();
  recordValueList_ = false;
  hasRecord_ = false;
}

void tTeLiObj::DrawWith(tview& view, int mode, const FieldContext& context) const {
  const bool running = context.values && mode == kDrawNormal;
  const std::string text =
      running ? TextForValue(context.textLists,
                             context.values->Value(static_cast<std::uint16_t>(variable_)))
              : ShownText(context.textLists);
  t_objekt::Draw(view, mode);
  if (mode == kDrawNormal) {
    if (!text.empty()) DrawText(view, fillColour() != 255, text);
  } else {
    // The block stands for the longest text, so for the list's texts when
    // the list is known and for the stored length otherwise.
    DrawBlock(view, text.empty() ? textLength_ : text.size(), 1);
  }
}

std::unique_ptr<t_objekt> tTeLiObj::Clone() const {
  ObjectPtr copy = CreateObjectOfKind(Kind());
  auto* field = dynamic_cast<tTeLiObj*>(copy.get());
  if (!field) return nullptr;
  CopyFieldTo(*field);
  field->textLength_ = textLength_;
  field->textList_ = textList_;
  field->variable_ = variable_;
  field->recordTexts_ = recordTexts_;
  field->recordValueList_ = recordValueList_;
  field->hasRecord_ = hasRecord_;
  return copy;
}

void tTeLiObj::CollectReferences(std::vector<std::int16_t>& variables,
                                 std::vector<std::int16_t>& textLists) const {
  t_objekt::CollectReferences(variables, textLists);
  variables.push_back(variable_);
  textLists.push_back(static_cast<std::int16_t>(textList_));
}

bool tTeLiObj::UsesVariable(std::int16_t variable) const {
  return t_objekt::UsesVariable(variable) || variable_ == variable;
}

bool tTeLiObj::UsesTextList(std::int16_t list) const {
  return textList_ == static_cast<std::uint16_t>(list);
}

void tTeLiObj::RenumberVariable(std::int16_t from, std::int16_t to) {
  t_objekt::RenumberVariable(from, to);
  if (variable_ == from) variable_ = to;
}

void tTeLiObj::RenumberTextList(std::int16_t from, std::int16_t to) {
  if (textList_ == static_cast<std::uint16_t>(from)) textList_ = static_cast<std::uint16_t>(to);
}

}  // namespace tavo
