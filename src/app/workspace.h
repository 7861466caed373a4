#pragma once
// What every program of the suite sets up before it works on a project: the
// base folder, the settings, the language table, the catalogue of
// definitions and fonts, and the object family.

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "project/katalog.h"
#include "project/objectfactory.h"
#include "project/projectfile.h"
#include "shell/folders.h"
#include "shell/language.h"
#include "shell/settings.h"

namespace tavo {

class LanguageTable;

struct WorkspaceStart {
  std::vector<std::string> arguments;  // without the program name
  std::filesystem::path currentFolder;
};

class Workspace {
 public:
  // Takes the base folder options out of `start.arguments` (leaving the rest
  // in `remaining`). On failure `error` says why and nothing else is usable.
  explicit Workspace(const WorkspaceStart& start);
  ~Workspace();

  bool ok() const { return error.empty(); }
  std::string error;
  std::vector<std::string> warnings;
  std::vector<std::string> remaining;

  const Installation& install() const { return *install_; }
  Translator& translator() { return *translator_; }
  t_katalog& catalog() { return catalog_; }
  ObjectFactory& objects() { return *objects_; }
  // The user's settings, read once at start; the editor writes them back
  // when it closes (SaveSettings). Null when no configuration folder exists.
  Settings& settings() { return settings_; }
  bool SaveSettings(std::string* error = nullptr);
  // What the project reader needs: catalogue, object family, translator,
  // and the given message box.
  ProjectReadContext ReadContext(MessageBox* messages);
  // Opens a project file the way every program does: reads it (the reader
  // reports damaged lines through the context's message box) and points
  // bitmap fields named without a folder at their files. A file that cannot
  // be read or is no project file comes back without a project; saying so
  // is the caller's.
  ProjectRead OpenProject(const std::string& path, ProjectReadContext& context);
  // Sets the language table by its three-digit code.
  void SetLanguage(const std::string& code);

 private:
  std::unique_ptr<Installation> install_;
  std::unique_ptr<Translator> translator_;
  std::unique_ptr<SettingsStore> store_;
  Settings settings_;
  t_katalog catalog_;
  std::unique_ptr<ObjectFactory> objects_;
};

// The data folder shipped with the program (the installation copied into a
// user's base folder on first start): $TAVODEX_DATA when set, else the
// installed share/tavodex beside the program's own bin/ folder, else the
// data/ folder of the sources the program was built from.
std::filesystem::path InstalledDataFolder();

}  // namespace tavo
