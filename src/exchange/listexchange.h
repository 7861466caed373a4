#pragma once
// The exchange files of alarms, variables and text lists: written from the
// entries a list page has selected, read into a plan of what an import adds
// and overwrites. The plan is applied by the document as one step
// (document/exchangeimport.h), so an import can be taken back as a whole.

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "exchange/exchangefile.h"
#include "project/projekt.h"

namespace tavo {

class MessageBox;
class Translator;

inline constexpr std::string_view kAlarmFileHeader =
    "Index,Alarmtext,Zeichensatz,Dynamisch,Unterbrechend,History Kommen,History Gehen";
inline constexpr std::string_view kVariableFileHeader = "Index,Variablenname,Adresse,Typ,Laenge";
inline constexpr std::string_view kTextListFileHeader = "[Textlisten]";

// --- writing -----------------------------------------------------------------------

// Header, then one line per alarm: «12,Motor gestoert,S008X016.FON,X,,X,,».
void WriteAlarmFile(std::span<const t_alarme* const> alarms, const LineSink& sink);
// Header, then «7,Motor,010,005,3,2» (SIEMENS coupling) or «7,Motor,2565,3,2».
void WriteVariableFile(std::span<const t_variable* const> variables, const t_steuerung* coupling,
                       const LineSink& sink);
// "[Textlisten]", then each list's project-file block (a list without texts
// writes nothing).
void WriteTextListFile(std::span<const t_textliste* const> lists, const LineSink& sink);

// The lines joined, each ended with CR LF, as the files hold them.
std::string JoinLines(const std::vector<std::string>& lines);

// --- reading ---------------------------------------------------------------------------

enum class ExchangeKind { Unknown, Alarms, Variables, TextLists, Picture, Symbol };
// The kind of an exchange file by its first lines.
ExchangeKind DetectExchangeKind(std::string_view text);

enum class ImportStatus {
  Imported,   // the plan holds what the file brings (maybe nothing)
  NoHeader,   // the first line is not the header of this kind
  OtherKind,  // a file of the other kind (an alarm file for variables, or back)
  Cancelled,  // "Abbruch" in a conflict question: the plan holds what came before
};

// What an import of alarms, variables or text lists does to the project:
// records of the project overwritten by new copies, and new records, in
// file order. Nothing of the project is touched until the plan is applied.
struct RecordImportPlan {
  ImportStatus status = ImportStatus::Imported;
  std::vector<std::pair<t_liste*, ListPtr>> replaced;  // the project's record, its new copy
  std::vector<ListPtr> added;
  std::vector<ExchangeMessage> messages;  // skipped lines, replaced line breaks, a converted file
  bool Empty() const { return replaced.empty() && added.empty(); }
};

// Conflicts ("an alarm with this number", "a variable with this name") are
// put to `questions` with the buttons "Ja", "Ja Alle", "Nein", "Nein Alle",
// "Abbruch" until an "all" answer was given.
//
// An alarm keeps the number of the file when the project has no alarm with
// it; on a conflict "Ja" overwrites the alarm's text, font and flags, "Nein"
// adds it with the smallest free number. Numbers outside 0..239 are refused.
//
// `bytes` are the file's bytes; a file saved as UTF-8 is converted first.
RecordImportPlan PlanAlarmImport(const t_projekt& project, std::string_view bytes,
                                 MessageBox& questions, Translator& translator);
// Variables conflict by name. "Ja" overwrites address, type and length (the
// variable keeps its number: objects refer to it by number); a new variable
// keeps the number of the file when it is free, otherwise it gets the
// smallest free number from 1 (objects hold 0 in their unused fields).
RecordImportPlan PlanVariableImport(const t_projekt& project, std::string_view bytes,
                                    MessageBox& questions, Translator& translator);
// Text lists are added beside the project's (no conflicts), each with the
// smallest free number from 1.
RecordImportPlan PlanTextListImport(const t_projekt& project, std::string_view bytes);

// The bytes of a file as the importers take them: converted from UTF-8 when
// a spreadsheet program saved them so (said in a message).
std::string ExchangeTextOf(std::string_view bytes, std::vector<ExchangeMessage>& messages);

}  // namespace tavo
