// Writes a DOS-generation demo project from a project file: the record
// container NAME.prj and its picture files 001nnnnn.BLD, made by the
// first-generation image writer (the same file set the DOS editor made).
// docs/dos-import.md says how the shipped demos are regenerated.

#include <filesystem>
#include <iostream>
#include <string>

#include "download/image/legacyimage.h"
#include "objects/objectkinds.h"
#include "project/katalog.h"
#include "project/projectfile.h"
#include "project/usedfiles.h"
#include "resources/fontcatalog.h"
#include "shell/folders.h"
#include "shell/messageboxes.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: make-dos-demo DATA_FOLDER PROJECT.qvx OUTPUT_FOLDER NAME\n\n"
                 "Reads PROJECT.qvx with the definitions and fonts of DATA_FOLDER and writes\n"
                 "OUTPUT_FOLDER/NAME.prj and the picture files 001nnnnn.BLD beside it. The\n"
                 "header's date is the project's \"changed\" date, so the files are the same\n"
                 "on every run.\n";
    return 2;
  }
  const tavo::Installation install{fs::path(argv[1])};
  tavo::t_katalog catalog;
  tavo::LoadFontList(install, catalog.fonts);
  catalog.LoadDefinitions(install);
  auto objects = tavo::MakeObjectFactory(&catalog);
  tavo::GermanTranslator german;
  tavo::ConsoleMessageBox box(german, std::cerr);
  tavo::ProjectReadContext context;
  context.catalog = &catalog;
  context.objects = objects.get();
  context.messages = &box;
  auto project = tavo::ReadProjectFile(argv[2], context).project;
  if (!project) {
    std::cerr << "make-dos-demo: cannot read " << argv[2] << "\n";
    return 1;
  }

  const fs::path output(argv[3]);
  const fs::path work = output / ".make-dos-demo";
  std::error_code ec;
  fs::remove_all(work, ec);
  fs::create_directories(work, ec);
  tavo::UsedFileTable used;
  std::string failed;
  const std::string date = project->head ? project->head->changed : std::string();
  if (!tavo::WriteLegacyProject(*project, work, date, used, failed)) {
    std::cerr << "make-dos-demo: cannot write " << failed << "\n";
    fs::remove_all(work, ec);
    return 1;
  }
  int files = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(work)) {
    const std::string name = entry.path().filename().string();
    const fs::path target =
        output / (name == tavo::kLegacyProjectFile ? std::string(argv[4]) + ".prj" : name);
    fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing, ec);
    if (ec) {
      std::cerr << "make-dos-demo: cannot write " << target.string() << ": " << ec.message()
                << "\n";
      fs::remove_all(work, ec);
      return 1;
    }
    std::cout << target.string() << "\n";
    ++files;
  }
  fs::remove_all(work, ec);
  return files > 0 ? 0 : 1;
}
