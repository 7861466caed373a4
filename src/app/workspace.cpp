#include "app/workspace.h"

#include <cstdlib>

#include "objects/bitmap/tqvxbitmap.h"
#include "objects/fields/fields.h"
#include "objects/objectkinds.h"
#include "resources/fontcatalog.h"
#include "shell/basefolder.h"
#include "shell/languagetable.h"
#include "shell/settings.h"

namespace tavo {

std::filesystem::path InstalledDataFolder() {
  if (const char* env = std::getenv("TAVODEX_DATA"); env && *env) return env;
  return TAVO_INSTALLED_DATA;
}

Workspace::Workspace(const WorkspaceStart& start) : objects_(MakeObjectFactory(&catalog_)) {
  ParsedArguments parsed = ParseBaseFolderArguments(start.arguments);
  remaining = parsed.remaining;
  if (!parsed.error.empty()) {
    error = parsed.error;
    return;
  }
  const EnvLookup env = SystemEnvironment();
  BaseFolderChoice choice = SelectBaseFolder(
      parsed.options, {start.currentFolder, UserDataHome(env), InstalledDataFolder()});
  warnings = choice.warnings;
  if (!choice.ok()) {
    error = choice.error;
    return;
  }
  install_ = std::make_unique<Installation>(choice.folder);
  for (const std::string& skipped : RenameLegacyFontFiles(*install_).skipped)
    warnings.push_back(skipped);

  // A first argument "start" resets language, port, folders and the last
  // opened project to their defaults.
  const bool reset = IsResetArgument(remaining);
  if (reset) remaining.erase(remaining.begin());
  const std::filesystem::path config = UserConfigHome(env);
  if (!config.empty()) {
    store_ = std::make_unique<SettingsStore>(config / "QVXTavoDex.ini");
    settings_ = store_->Read(*install_, reset);
  }
  translator_ = std::make_unique<LanguageTable>(*install_, settings_.code);

  // Fonts first: the definitions may name them.
  LoadFontList(*install_, catalog_.fonts);
  catalog_.LoadDefinitions(*install_);
}

Workspace::~Workspace() = default;

ProjectReadContext Workspace::ReadContext(MessageBox* messages) {
  ProjectReadContext context;
  context.catalog = &catalog_;
  context.objects = objects_.get();
  context.messages = messages;
  context.translator = translator_.get();
  return context;
}

ProjectRead Workspace::OpenProject(const std::string& path, ProjectReadContext& context) {
  ProjectRead read = ReadProjectFile(path, context);
  if (!read.project) return read;
  t_projekt& project = *read.project;
  LocateBitmapFiles(project, {install_->Resolve("Lib\\Graphics")});
  // A text list output field is as wide as the longest text of its list,
  // which its line does not say; until it knows, the sheet cannot hit it.
  for (t_liste* p = project.pictures.get(); p; p = p->next())
    for (t_liste* o = static_cast<t_bild*>(p)->objects.get(); o; o = o->next())
      UpdateTextListExtents(static_cast<t_objekt&>(*o), project.textLists.get());
  return read;
}

bool Workspace::SaveSettings(std::string* error) {
  return store_ && store_->Write(settings_, *install_, error);
}

void Workspace::SetLanguage(const std::string& code) {
  if (auto* table = dynamic_cast<LanguageTable*>(translator_.get())) table->SetLanguage(code);
}

}  // namespace tavo
