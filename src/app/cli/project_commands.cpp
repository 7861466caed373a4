// tavodex-cli info and save: load a project through the normal reader.

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>

#include "app/cli/commands.h"
#include "app/workspace.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/objekt.h"
#include "project/projectfile.h"
#include "shell/codepage.h"
#include "shell/messageboxes.h"

namespace tavo::cli {
namespace {

std::string U(const std::string& cp1252) {
  return Cp1252ToUtf8(cp1252);
}

int CountObjects(const ListPtr& objects) {
  int n = 0;
  for (const t_liste* o = objects.get(); o; o = o->next())
    n += static_cast<const t_objekt*>(o)->ObjectCount();
  return n;
}

int Info(const std::string& path, CliIo& io) {
  const OpenedProject opened = OpenProject(path, io);
  const t_projekt* p = opened.project.get();
  const t_kopf& h = *p->head;
  io.out << "Project:     " << U(h.name) << "\n"
         << "Author:      " << U(h.author) << "\n"
         << "Created:     " << U(h.created) << "\n"
         << "Changed:     " << U(h.changed) << "\n";
  for (const std::string* info : {&h.info1, &h.info2, &h.info3})
    if (!info->empty()) io.out << "Info:        " << U(*info) << "\n";
  io.out << "Start:       " << h.startPicture << "\n";
  const t_terminal& t = *p->terminal;
  io.out << "Terminal:    " << U(t.terminalName) << " (" << U(t.dosVersion) << ", "
         << U(t.typeNumber) << ", " << t.width << "x" << t.height << ", "
         << (t.greyScale ? "grey" : "colour") << ")\n";
  if (p->coupling)
    io.out << "Coupling:    " << U(p->coupling->couplingName) << " (" << U(p->coupling->dosVersion)
           << ", " << (p->coupling->addressFormat == 1 ? "SIEMENS" : "INTEL") << ")\n";
  else
    io.out << "Coupling:    none\n";
  int objects = 0;
  for (const t_liste* b = p->pictures.get(); b; b = b->next())
    objects += CountObjects(static_cast<const t_bild*>(b)->objects);
  io.out << "Variables:   " << CountNodes(p->variables.get()) << "\n"
         << "Alarms:      " << CountNodes(p->alarms.get()) << "\n"
         << "Text lists:  " << CountNodes(p->textLists.get()) << "\n"
         << "Pictures:    " << CountNodes(p->pictures.get()) << "\n"
         << "Objects:     " << objects << "\n";
  for (const t_liste* b = p->pictures.get(); b; b = b->next()) {
    const auto& picture = *static_cast<const t_bild*>(b);
    io.out << "  picture " << picture.pictureNumber << " \"" << U(picture.name)
           << "\": " << CountObjects(picture.objects) << " objects\n";
  }
  io.out << "Messages:    " << opened.messages << "\n";
  return 0;
}

struct SaveOptions {
  std::string project, output;
};

int Save(const SaveOptions& o, CliIo& io) {
  const std::string target = o.output.empty() ? o.project : o.output;
  const auto fail = [&](const std::string& why) {
    ConsoleMessageBox box(io.workspace->translator(), io.err);
    box.Show(MsgKind::Fehler, ButtonSet::Weiter,
             io.workspace->translator().Tr(txt::kFehlerBeiDateizugriff));
    io.err << "tavodex-cli: " << why << "\n";
    return 1;
  };
  const OpenedProject opened = OpenProject(o.project, io);
  std::string error;
  std::vector<std::string> notCopied;
  if (!SaveProject(*opened.project, target, &error, &notCopied)) return fail(error);
  for (const std::string& file : notCopied)
    io.err << "warning: bitmap file not copied into the project folder: " << file << "\n";
  io.out << "saved " << target << "\n";
  return 0;
}

}  // namespace

CommandRun DefineInfo(CLI::App& app) {
  SetHelp(app,
          "usage: tavodex-cli info PROJECT.qvx\n\n"
          "Prints head, terminal, coupling and the size of every list. Messages of the\n"
          "reader about damaged lines go to stderr. Exit code 1 when the file cannot be read\n"
          "or is no project file.\n");
  auto path = std::make_shared<std::string>();
  AddProjectArgument(app, *path);
  return [path](CliIo& io) { return Info(*path, io); };
}

CommandRun DefineSave(CLI::App& app) {
  SetHelp(app,
          "usage: tavodex-cli save PROJECT.qvx [--output FILE.qvx]\n\n"
          "Loads the project and writes it back through the normal writer: the previous\n"
          "file becomes FILE.BAK and the project folder beside the file receives the\n"
          "bitmap files the pictures use.\n"
          "Exit code 1 when the project cannot be read or written.\n");
  auto o = std::make_shared<SaveOptions>();
  AddProjectArgument(app, o->project);
  app.add_option("--output", o->output, "the file to write (default: PROJECT.qvx)");
  return [o](CliIo& io) { return Save(*o, io); };
}

}  // namespace tavo::cli
