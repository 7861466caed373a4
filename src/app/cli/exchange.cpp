// tavodex-cli export and import: the exchange files of alarms, variables,
// text lists and pictures, as the list pages write and read them. The work
// is the exchange library's; an import is one step of the project's
// document, and the project is saved through the safe writer.

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>

#include "app/cli/commands.h"
#include "app/workspace.h"
#include "document/exchangeimport.h"
#include "document/listoperations.h"
#include "exchange/symbols.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "shell/codepage.h"
#include "shell/messageboxes.h"

namespace tavo::cli {

namespace {

const t_bild* PictureByNumber(const t_projekt& p, const std::string& key) {
  const std::string name = Utf8ToCp1252(key);
  for (const t_liste* n = p.pictures.get(); n; n = n->next())
    if (std::to_string(static_cast<const t_bild*>(n)->pictureNumber) == key)
      return static_cast<const t_bild*>(n);
  for (const t_liste* n = p.pictures.get(); n; n = n->next())
    if (n->name == name) return static_cast<const t_bild*>(n);
  return nullptr;
}

template <class T>
std::vector<const T*> All(const ListPtr& list) {
  std::vector<const T*> records;
  for (const t_liste* n = list.get(); n; n = n->next()) records.push_back(static_cast<const T*>(n));
  return records;
}

// Conflict questions on the terminal: the question, then one letter.
class TerminalQuestions final : public MessageBox {
 public:
  TerminalQuestions(std::istream& in, std::ostream& out) : in_(in), out_(out) {}
  int Show(MsgKind, ButtonSet, const std::string& text) override {
    std::string question = Cp1252ToUtf8(text);
    for (char& c : question)
      if (c == '\r') c = '\n';
    for (;;) {
      out_ << question
           << "\n[j] Ja  [J] Ja Alle  [n] Nein  [N] Nein Alle  [a] Abbruch: " << std::flush;
      std::string answer;
      if (!std::getline(in_, answer)) return kAnswerAbbruch;
      if (answer == "j") return kAnswerJa;
      if (answer == "J") return kAnswerJaAlle;
      if (answer == "n") return kAnswerNein;
      if (answer == "N") return kAnswerNeinAlle;
      if (answer == "a" || answer == "A") return kAnswerAbbruch;
    }
  }

 private:
  std::istream& in_;
  std::ostream& out_;
};

// Every conflict answered alike, without asking.
class FixedAnswer final : public MessageBox {
 public:
  explicit FixedAnswer(int answer) : answer_(answer) {}
  int Show(MsgKind, ButtonSet, const std::string&) override { return answer_; }

 private:
  int answer_;
};

void PrintMessages(const std::vector<ExchangeMessage>& messages, CliIo& io) {
  for (const ExchangeMessage& m : messages)
    io.err << Cp1252ToUtf8(ExchangeMessageText(m, io.workspace->translator())) << "\n";
}

struct ExportOptions {
  std::string project, output, picture;
  bool alarms = false, variables = false, textLists = false;
};

int Export(const ExportOptions& o, CliIo& io) {
  const bool alarms = o.alarms, variables = o.variables, textLists = o.textLists;
  const std::string& picture = o.picture;
  const std::string& output = o.output;
  if (alarms + variables + textLists + (picture.empty() ? 0 : 1) != 1)
    return io.UsageError("give exactly one of --alarms, --variables, --textlists, --picture");
  const OpenedProject opened = OpenProject(o.project, io);
  t_projekt* project = opened.project.get();
  std::vector<std::string> lines;
  const LineSink sink = [&](const std::string& line) { lines.push_back(line); };
  std::size_t count = 0;
  if (alarms) {
    const auto records = All<t_alarme>(project->alarms);
    WriteAlarmFile(records, sink);
    count = records.size();
  } else if (variables) {
    const auto records = All<t_variable>(project->variables);
    WriteVariableFile(records, project->coupling.get(), sink);
    count = records.size();
  } else if (textLists) {
    const auto records = All<t_textliste>(project->textLists);
    WriteTextListFile(records, sink);
    count = records.size();
  } else {
    const t_bild* b = PictureByNumber(*project, picture);
    if (!b) {
      io.err << "tavodex-cli: no picture '" << picture << "' in " << o.project << "\n";
      return 1;
    }
    WritePictureExchange(*project, *b, sink);
    count = 1;
  }
  std::string error;
  if (!WriteExchangeFile(output, lines, &error)) {
    ConsoleMessageBox box(io.workspace->translator(), io.err);
    box.Show(MsgKind::Fehler, ButtonSet::Weiter,
             io.workspace->translator().Tr(txt::kFehlerBeiDateizugriff));
    io.err << "tavodex-cli: " << error << "\n";
    return 1;
  }
  io.out << "exported " << count << (picture.empty() ? " record(s)" : " picture") << " to "
         << output << "\n";
  return 0;
}

struct ImportOptions {
  std::string project, file, onConflict = "ask", output;
};

int Import(const ImportOptions& o, CliIo& io) {
  const std::string& onConflict = o.onConflict;
  if (onConflict == "ask" && !isatty(STDIN_FILENO)) {
    io.err << "tavodex-cli: --on-conflict ask needs a terminal to ask on; "
              "give --on-conflict replace or keep\n";
    return 2;
  }
  const std::string target = o.output.empty() ? o.project : o.output;
  OpenedProject opened = OpenProject(o.project, io);
  std::unique_ptr<t_projekt> project = std::move(opened.project);
  std::string bytes;
  if (!ReadExchangeFile(o.file, bytes)) {
    io.err << "tavodex-cli: " << CannotOpen(o.file) << "\n";
    return 1;
  }
  Translator& translator = io.workspace->translator();
  TerminalQuestions terminal(std::cin, io.out);
  FixedAnswer replace(kAnswerJaAlle), keep(kAnswerNeinAlle);
  MessageBox& questions = onConflict == "ask"       ? static_cast<MessageBox&>(terminal)
                          : onConflict == "replace" ? static_cast<MessageBox&>(replace)
                                                    : static_cast<MessageBox&>(keep);
  Document document(std::move(project));
  EditResult result;
  std::string summary;
  switch (DetectExchangeKind(bytes)) {
    case ExchangeKind::Alarms:
    case ExchangeKind::Variables:
    case ExchangeKind::TextLists: {
      const ExchangeKind kind = DetectExchangeKind(bytes);
      RecordImportPlan plan;
      RecordList list = RecordList::TextLists;
      TextId step = txt::kExStepTextlisten;
      if (kind == ExchangeKind::Alarms) {
        plan = PlanAlarmImport(document.Project(), bytes, questions, translator);
        list = RecordList::Alarms;
        step = txt::kExStepAlarme;
      } else if (kind == ExchangeKind::Variables) {
        plan = PlanVariableImport(document.Project(), bytes, questions, translator);
        list = RecordList::Variables;
        step = txt::kExStepVariablen;
      } else {
        plan = PlanTextListImport(document.Project(), bytes);
      }
      PrintMessages(plan.messages, io);
      if (plan.status == ImportStatus::Cancelled) io.err << "tavodex-cli: import cancelled\n";
      summary = "imported " + std::to_string(plan.added.size()) + " new, overwrote " +
                std::to_string(plan.replaced.size());
      result = ApplyRecordImport(document, list, plan, step);
      break;
    }
    case ExchangeKind::Picture: {
      ExchangeContent content = ReadPictureExchange(bytes, io.workspace->objects());
      PrintMessages(content.messages, io);
      if (!content.readable) {
        io.err << "tavodex-cli: " << o.file << " holds no picture\n";
        return 1;
      }
      MergePlan plan = PlanMerge(document.Project(), std::move(content));
      for (const ClearedKey& k : plan.clearedKeys)
        io.err << Cp1252ToUtf8(FillIn(translator.Tr(txt::kExTasteGeloescht), k.picture)) << " "
               << KeyName(k.key) << "\n";
      summary = "imported " + std::to_string(plan.pictures.size()) + " picture(s), " +
                std::to_string(plan.variables.size()) + " new variable(s), " +
                std::to_string(plan.textLists.size()) + " new text list(s)";
      result = ApplyPictureImport(document, plan);
      break;
    }
    default:
      io.err << "tavodex-cli: " << o.file
             << " is no alarm, variable, text list or picture exchange file\n";
      return 1;
  }
  if (!result) {
    io.err << "tavodex-cli: " << Cp1252ToUtf8(translator.Tr(result.error)) << "\n";
    return 1;
  }
  io.out << summary << "\n";
  if (!document.CanUndo()) {
    io.out << "nothing imported; " << target << " left as it is\n";
    return document.Project().modified ? 0 : 1;
  }
  std::string error;
  std::vector<std::string> notCopied;
  if (!SaveProject(document.Project(), target, &error, &notCopied)) {
    io.err << "tavodex-cli: " << error << "\n";
    return 1;
  }
  for (const std::string& file : notCopied)
    io.err << "warning: bitmap file not copied into the project folder: " << file << "\n";
  io.out << "saved " << target << "\n";
  return 0;
}

}  // namespace

CommandRun DefineExport(CLI::App& app) {
  SetHelp(app,
          "usage: tavodex-cli export PROJECT.qvx --alarms|--variables|--textlists|--picture N\n"
          "                          --output FILE\n\n"
          "Writes every alarm, variable or text list of the project, or the picture with\n"
          "picture number (or name) N together with the variables and text lists it uses,\n"
          "to an exchange file as the list pages' export does (Windows code page 1252,\n"
          "CR LF). An existing FILE is replaced only once the new one is complete.\n"
          "Exit code 1 when the project cannot be read, the picture does not exist or the\n"
          "file cannot be written.\n");
  auto o = std::make_shared<ExportOptions>();
  AddProjectArgument(app, o->project);
  app.add_flag("--alarms", o->alarms, "every alarm");
  app.add_flag("--variables", o->variables, "every variable");
  app.add_flag("--textlists", o->textLists, "every text list");
  AddChecked(app, "--picture", o->picture, PictureNameOrNumber,
             "the picture (number or name) with what it uses");
  app.add_option("--output", o->output, "the exchange file to write")->required();
  return [o](CliIo& io) { return Export(*o, io); };
}

CommandRun DefineImport(CLI::App& app) {
  SetHelp(app,
          "usage: tavodex-cli import PROJECT.qvx FILE [--on-conflict ask|replace|keep]\n"
          "                          [--output FILE.qvx]\n\n"
          "Imports an alarm, variable, text list or picture exchange file (its kind is\n"
          "told by its first lines) into the project and saves it (default: PROJECT.qvx\n"
          "itself; the previous file becomes its .BAK). An alarm with a number the project\n"
          "has, or a variable with a name it has, is a conflict: 'ask' asks on the\n"
          "terminal (refused when standard input is no terminal), 'replace' overwrites the\n"
          "project's record, 'keep' keeps it and adds the imported one under a free\n"
          "number. Pictures bring their variables and text lists; equal ones are reused.\n"
          "Exit code 1 when nothing could be imported or the project not be saved.\n");
  auto o = std::make_shared<ImportOptions>();
  AddProjectArgument(app, o->project);
  app.add_option("FILE", o->file, "the exchange file")->required();
  AddChoice(app, "--on-conflict", o->onConflict, {"ask", "replace", "keep"},
            "how a conflict is answered");
  app.add_option("--output", o->output, "the project file to write (default: PROJECT.qvx)");
  return [o](CliIo& io) { return Import(*o, io); };
}

}  // namespace tavo::cli
