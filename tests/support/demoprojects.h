#pragma once
// The shipped installation data (fonts, terminal and coupling definitions)
// and the demo projects read as the editor reads them, and the bytes of the
// project file a project would be saved as. Needs TAVO_DATA_DIR.

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

#include "objects/objectkinds.h"
#include "project/katalog.h"
#include "project/projectfile.h"
#include "resources/fontcatalog.h"
#include "shell/folders.h"

namespace tavo::testing {

struct Installed {
  Installation install{TAVO_DATA_DIR};
  t_katalog catalog;
  std::unique_ptr<ObjectFactory> objects;
  Installed() {
    LoadFontList(install, catalog.fonts);
    catalog.LoadDefinitions(install);
    objects = MakeObjectFactory(&catalog);
  }
  // `relative` below the data folder, written as the settings write it.
  std::unique_ptr<t_projekt> Read(const std::string& relative) {
    ProjectReadContext context = Context();
    return ReadProjectFile(install.Resolve(relative).string(), context).project;
  }
  // A project file's bytes, read once so that many projects can be made
  // from them without touching the disk again.
  std::string Bytes(const std::string& relative) const {
    std::ifstream in(install.Resolve(relative), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::unique_ptr<t_projekt> ReadText(std::string_view content) {
    ProjectReadContext context = Context();
    return ReadProjectText(content, context).project;
  }

 private:
  ProjectReadContext Context() {
    ProjectReadContext context;
    context.catalog = &catalog;
    context.objects = objects.get();
    return context;
  }
};

inline std::string FileBytes(const t_projekt& project) {
  std::string text;
  WriteProjectLines(project, [&](const std::string& line) { text += line + "\r\n"; });
  return text;
}

}  // namespace tavo::testing
