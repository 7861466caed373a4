#include "exchange/listexchange.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "shell/language.h"
#include "shell/messagebox.h"

namespace tavo {

namespace {

constexpr int kLastAlarm = 239;
constexpr std::int64_t kAnyInt = -2147483648LL;
constexpr std::int64_t kAnyIntMax = 2147483647LL;

std::string FirstLine(std::string_view text) {
  LineCursor lines(text);
  std::string_view line;
  while (lines.Next(line))
    if (!line.empty()) return std::string(line);
  return {};
}

// The numbers a list holds, and the ones an import hands out.
class TakenNumbers {
 public:
  explicit TakenNumbers(const t_liste* list) {
    for (const t_liste* n = list; n; n = n->next()) taken_.insert(n->number);
  }
  bool Taken(int number) const { return taken_.count(number) > 0; }
  void Take(int number) { taken_.insert(number); }
  // Smallest untaken number from `from` on; -1 above `last`.
  int Smallest(int from, int last) const {
    for (int n = from; n <= last; ++n)
      if (!taken_.count(n)) return n;
    return -1;
  }

 private:
  std::unordered_set<int> taken_;
};

// The state an import builds: for every record it concerns, the copy or the
// new record that stands for it from now on.
class PlanBuilder {
 public:
  explicit PlanBuilder(RecordImportPlan& plan) : plan_(plan) {}

  // The record that overwrites `current`: a copy made once for a record of
  // the project, the record itself when the import added it.
  template <class T>
  T& Overwrite(T& current) {
    if (owned_.count(&current)) return current;
    for (auto& [old, copy] : plan_.replaced)
      if (copy.get() == &current) return current;
    ListPtr copy = CloneRecord(current);
    T& result = static_cast<T&>(*copy);
    plan_.replaced.emplace_back(&current, std::move(copy));
    return result;
  }
  template <class T>
  T& Add(std::unique_ptr<T> record) {
    T& result = *record;
    owned_.insert(record.get());
    plan_.added.push_back(std::move(record));
    return result;
  }

 private:
  RecordImportPlan& plan_;
  std::unordered_set<const t_liste*> owned_;
};

enum class Decision { Ask, Overwrite, AddNew, Stop };

// Puts conflicts to the user until an "all" answer is given.
class ConflictQuestions {
 public:
  explicit ConflictQuestions(MessageBox& box) : box_(box) {}
  Decision Ask(const std::string& question) {
    if (all_ != Decision::Ask) return all_;
    switch (box_.Show(MsgKind::Abfrage, ButtonSet::JaJaAlleNeinNeinAlleAbbruch, question)) {
      case kAnswerJa:
        return Decision::Overwrite;
      case kAnswerJaAlle:
        all_ = Decision::Overwrite;
        return Decision::Overwrite;
      case kAnswerNein:
        return Decision::AddNew;
      case kAnswerNeinAlle:
        all_ = Decision::AddNew;
        return Decision::AddNew;
      default:
        return Decision::Stop;
    }
  }

 private:
  MessageBox& box_;
  // The "all" answer given so far; Ask until there is one.
  Decision all_ = Decision::Ask;
};

void NoteLineBreak(const CsvRecord& record, RecordImportPlan& plan) {
  if (record.lineBreakInText) plan.messages.push_back({record.line, txt::kExZeilenumbruch, {}});
}

bool Number(const CsvRecord& record, std::size_t field, std::int64_t low, std::int64_t high,
            std::int32_t& value, RecordImportPlan& plan) {
  const std::string& text = field < record.fields.size() ? record.fields[field] : std::string();
  if (ParseDecimal(text, low, high, value)) return true;
  plan.messages.push_back({record.line, txt::kKeinIntegerwert, text});
  return false;
}

std::string Field(const CsvRecord& record, std::size_t field) {
  return field < record.fields.size() ? record.fields[field] : std::string();
}

}  // namespace

// --- writing -------------------------------------------------------------------------

void WriteAlarmFile(std::span<const t_alarme* const> alarms, const LineSink& sink) {
  sink(std::string(kAlarmFileHeader));
  for (const t_alarme* a : alarms) {
    std::string line =
        t_liste::IntToText(a->number) + "," + CsvField(a->name) + "," + CsvField(a->font) + ",";
    for (std::uint8_t flag : {t_alarme::kDynamic, t_alarme::kInterrupting, t_alarme::kHistoryComes,
                              t_alarme::kHistoryGoes})
      line += (a->flags & flag) ? "X," : ",";
    sink(line);
  }
}

void WriteVariableFile(std::span<const t_variable* const> variables, const t_steuerung* coupling,
                       const LineSink& sink) {
  sink(std::string(kVariableFileHeader));
  for (const t_variable* v : variables)
    sink(t_liste::IntToText(v->number) + "," + CsvField(v->name) + "," +
         AddressText(v->address, coupling) + "," + t_liste::IntToText(v->type) + "," +
         t_liste::IntToText(v->length));
}

void WriteTextListFile(std::span<const t_textliste* const> lists, const LineSink& sink) {
  sink(std::string(kTextListFileHeader));
  for (const t_textliste* list : lists) list->WriteProjectLines(sink);
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// --- reading ---------------------------------------------------------------------------

ExchangeKind DetectExchangeKind(std::string_view bytes) {
  const ExchangeText decoded = DecodeExchangeBytes(bytes);
  LineCursor lines(decoded.text);
  std::string_view line;
  int looked = 0;
  while (lines.Next(line) && looked < 5) {
    if (line.empty()) continue;
    ++looked;
    if (line.find(kVariableFileHeader) != std::string_view::npos) return ExchangeKind::Variables;
    if (StartsWith(line, "Index,") || line == "Index") return ExchangeKind::Alarms;
    if (line.find(kTextListFileHeader) != std::string_view::npos) return ExchangeKind::TextLists;
    if (line.find("QVX-Tavo-Dex-Export File") != std::string_view::npos)
      return ExchangeKind::Picture;
    if (line.find("QVX-Tavo-Dex-Symbol-File") != std::string_view::npos)
      return ExchangeKind::Symbol;
  }
  return ExchangeKind::Unknown;
}

std::string ExchangeTextOf(std::string_view bytes, std::vector<ExchangeMessage>& messages) {
  ExchangeText decoded = DecodeExchangeBytes(bytes);
  if (decoded.converted) {
    messages.push_back({0, txt::kExUtf8, {}});
    if (decoded.unmapped > 0)
      messages.push_back({0, txt::kUtf8Ersetzt, std::to_string(decoded.unmapped)});
  }
  return std::move(decoded.text);
}

RecordImportPlan PlanAlarmImport(const t_projekt& project, std::string_view bytes,
                                 MessageBox& questions, Translator& translator) {
  RecordImportPlan plan;
  const std::string text = ExchangeTextOf(bytes, plan.messages);
  const std::string header = FirstLine(text);
  if (header.find(kVariableFileHeader) != std::string::npos) {
    plan.status = ImportStatus::OtherKind;
    plan.messages.push_back({0, txt::kExVariablendatei, {}});
    return plan;
  }
  if (header.find("Index") == std::string::npos) {
    plan.status = ImportStatus::NoHeader;
    return plan;
  }
  PlanBuilder builder(plan);
  ConflictQuestions conflicts(questions);
  TakenNumbers taken(project.alarms.get());
  // Number -> the alarm that has it now (the project's, its copy, or a new one).
  std::unordered_map<int, t_alarme*> byNumber;
  for (t_liste* n = project.alarms.get(); n; n = n->next())
    byNumber.try_emplace(n->number, static_cast<t_alarme*>(n));

  LineCursor lines(text);
  lines.SkipHeader();
  CsvRecord record;
  while (NextCsvRecord(lines, record)) {
    std::int32_t number = 0;
    if (!Number(record, 0, kAnyInt, kAnyIntMax, number, plan)) continue;
    if (number < 0 || number > kLastAlarm) {
      plan.messages.push_back({record.line, txt::kExAlarmnummerZuGross, std::to_string(number)});
      continue;
    }
    NoteLineBreak(record, plan);
    std::uint8_t flags = 0;
    const std::uint8_t bits[] = {t_alarme::kDynamic, t_alarme::kInterrupting,
                                 t_alarme::kHistoryComes, t_alarme::kHistoryGoes};
    for (std::size_t i = 0; i < 4; ++i) {
      const std::string flag = Field(record, 3 + i);
      if (flag == "X" || flag == "x") flags |= bits[i];
    }
    const std::string alarmText = Field(record, 1);
    const std::string font = Field(record, 2);

    t_alarme* target = nullptr;
    if (auto it = byNumber.find(number); it != byNumber.end()) {
      const std::string question = translator.Tr(txt::kExSollAlarmNummer) + " [" +
                                   std::to_string(number) + "]->\"" + it->second->name + "\"\r" +
                                   translator.Tr(txt::kExMitAlarmNummer) + " [" +
                                   std::to_string(number) + "]->\"" + alarmText + "\" " +
                                   translator.Tr(txt::kExUeberschriebenWerden);
      const Decision decision = conflicts.Ask(question);
      if (decision == Decision::Stop) {
        plan.status = ImportStatus::Cancelled;
        return plan;
      }
      if (decision == Decision::Overwrite) {
        target = &builder.Overwrite(*it->second);
        it->second = target;
      } else {
        number = taken.Smallest(0, kLastAlarm);
        if (number < 0) {
          plan.messages.push_back({record.line, txt::kExKeineFreieNummer, {}});
          continue;
        }
      }
    }
    if (!target) {
      auto alarm = std::make_unique<t_alarme>();
      alarm->number = static_cast<std::uint16_t>(number);
      taken.Take(number);
      target = &builder.Add(std::move(alarm));
      byNumber.try_emplace(number, target);
    }
    target->name = alarmText;
    target->font = font;
    target->flags = flags;
    target->bitMask = std::int32_t{1} << (target->number % 16);
  }
  return plan;
}

RecordImportPlan PlanVariableImport(const t_projekt& project, std::string_view bytes,
                                    MessageBox& questions, Translator& translator) {
  RecordImportPlan plan;
  const std::string text = ExchangeTextOf(bytes, plan.messages);
  const std::string header = FirstLine(text);
  if (header.find(kVariableFileHeader) == std::string::npos) {
    if (header.find(kAlarmFileHeader.substr(0, 16)) != std::string::npos) {
      plan.status = ImportStatus::OtherKind;
      plan.messages.push_back({0, txt::kExAlarmdatei, {}});
    } else {
      plan.status = ImportStatus::NoHeader;
    }
    return plan;
  }
  PlanBuilder builder(plan);
  ConflictQuestions conflicts(questions);
  TakenNumbers taken(project.variables.get());
  std::unordered_map<std::string, t_variable*> byName;
  for (t_liste* n = project.variables.get(); n; n = n->next())
    byName.try_emplace(n->name, static_cast<t_variable*>(n));

  LineCursor lines(text);
  lines.SkipHeader();
  CsvRecord record;
  while (NextCsvRecord(lines, record)) {
    // Five fields, or six when the address is written as data block and word.
    if (record.fields.size() < 5) {
      plan.messages.push_back({record.line, txt::kExZuWenigFelder, {}});
      continue;
    }
    const bool blockAndWord = record.fields.size() >= 6;
    std::int32_t number = 0, address = 0, word = 0, type = 0, length = 0;
    if (!Number(record, 0, 0, 65535, number, plan)) continue;
    if (!Number(record, 2, kAnyInt, kAnyIntMax, address, plan)) continue;
    std::size_t next = 3;
    if (blockAndWord) {
      if (!Number(record, next++, kAnyInt, kAnyIntMax, word, plan)) continue;
      address = static_cast<std::int32_t>(static_cast<std::int64_t>(address) * 256 + word);
    }
    if (!Number(record, next++, 0, 255, type, plan)) continue;
    if (!Number(record, next, 0, 65535, length, plan)) continue;
    NoteLineBreak(record, plan);
    const std::string name = Field(record, 1);

    t_variable* target = nullptr;
    if (auto it = byName.find(name); it != byName.end()) {
      const std::string question = translator.Tr(txt::kExDieVariable) + " \"" + name + "\"\r " +
                                   translator.Tr(txt::kExMitDerVariable) + " \"" + name + "\" " +
                                   translator.Tr(txt::kExUeberschriebenWerden);
      const Decision decision = conflicts.Ask(question);
      if (decision == Decision::Stop) {
        plan.status = ImportStatus::Cancelled;
        return plan;
      }
      if (decision == Decision::Overwrite) {
        target = &builder.Overwrite(*it->second);
        it->second = target;
      }
    }
    if (!target) {
      if (taken.Taken(number)) number = taken.Smallest(1, 65535);
      if (number < 0) {
        plan.messages.push_back({record.line, txt::kExKeineFreieNummer, {}});
        continue;
      }
      auto variable = std::make_unique<t_variable>();
      variable->number = static_cast<std::uint16_t>(number);
      variable->name = name;
      // The file has no attribute: a new variable gets the editor's.
      variable->attribute = 1;
      taken.Take(number);
      target = &builder.Add(std::move(variable));
      byName.try_emplace(name, target);
    }
    target->address = address;
    target->type = static_cast<std::uint8_t>(type);
    target->length = static_cast<std::uint16_t>(length);
  }
  return plan;
}

RecordImportPlan PlanTextListImport(const t_projekt& project, std::string_view bytes) {
  RecordImportPlan plan;
  const std::string text = ExchangeTextOf(bytes, plan.messages);
  if (FirstLine(text).find(kTextListFileHeader) == std::string::npos) {
    plan.status = ImportStatus::NoHeader;
    return plan;
  }
  TakenNumbers taken(project.textLists.get());
  t_textliste* current = nullptr;
  t_liste* lastText = nullptr;
  LineCursor lines(text);
  std::string_view line;
  bool header = true;
  while (lines.Next(line)) {
    if (line.empty()) continue;
    if (header) {
      header = false;
      continue;
    }
    const std::string_view body = line.substr(1);
    if (StartsWith(body, "TextList(")) {
      std::string_view rest = body.substr(9);
      auto list = std::make_unique<t_textliste>();
      list->name = t_liste::Unquote(t_liste::NextToken(rest));
      t_liste::NextToken(rest);  // the number of the file is not used
      list->valueList = t_liste::NextToken(rest).find("Wert") != std::string_view::npos;
      const int number = taken.Smallest(1, 65535);
      if (number < 0) {
        plan.messages.push_back({lines.LineNumber(), txt::kExKeineFreieNummer, {}});
        current = nullptr;
        continue;
      }
      taken.Take(number);
      list->number = static_cast<std::uint16_t>(number);
      current = list.get();
      lastText = nullptr;
      plan.added.push_back(std::move(list));
    } else if (StartsWith(body, "Text(") && current) {
      std::string_view rest = body.substr(5);
      auto entry = std::make_unique<t_text>();
      entry->name = t_liste::Unquote(t_liste::NextToken(rest));
      std::string_view valueField = t_liste::NextToken(rest);
      std::int32_t value = 0;
      if (!ParseDecimal(valueField, 0, 65535, value)) {
        plan.messages.push_back(
            {lines.LineNumber(), txt::kKeinIntegerwert, std::string(valueField)});
        continue;
      }
      entry->value = static_cast<std::uint16_t>(value);
      lastText = AppendNode(current->texts, lastText, std::move(entry));
    }
  }
  return plan;
}

}  // namespace tavo
