#pragma once
// The shipped demo projects, read as the editor reads them, and the bytes of
// the project file a project would be saved as.

#include <memory>
#include <string>

#include "document/document.h"
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
  std::unique_ptr<t_projekt> Read(const std::string& relative) {
    ProjectReadContext context;
    context.catalog = &catalog;
    context.objects = objects.get();
    return ReadProjectFile(install.Resolve(relative).string(), context).project;
  }
  // A project from the text of a project file.
  std::unique_ptr<t_projekt> ReadText(const std::string& text) {
    ProjectReadContext context;
    context.catalog = &catalog;
    context.objects = objects.get();
    return ReadProjectText(text, context).project;
  }
};

inline std::string FileBytes(const t_projekt& project) {
  std::string text;
  WriteProjectLines(project, [&](const std::string& line) { text += line + "\r\n"; });
  return text;
}

inline t_bild& PictureAt(t_projekt& project, int position) {
  t_liste* p = project.pictures.get();
  for (int i = 1; i < position && p; ++i) p = p->next();
  return static_cast<t_bild&>(*p);
}

inline t_objekt* ObjectAt(t_bild& picture, int position) {
  t_liste* o = picture.objects.get();
  for (int i = 1; i < position && o; ++i) o = o->next();
  return static_cast<t_objekt*>(o);
}

}  // namespace tavo::testing
