#pragma once
// Which folder the program works in. Every installation path is relative to
// the base folder, and the language tables there are written to, so the base
// folder must be writable. It is chosen explicitly ("--base DIR"), or it is
// the current folder when that holds an installation, or else a per-user copy
// of the installed data below the user's data folder.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tavo {

class Installation;

// Looks up an environment variable; injectable so tests never see the real
// home folder.
using EnvLookup = std::function<std::optional<std::string>(const std::string& name)>;
EnvLookup SystemEnvironment();

// $XDG_DATA_HOME, or $HOME/.local/share; empty when neither is usable.
std::filesystem::path UserDataHome(const EnvLookup& env);
// $XDG_CONFIG_HOME, or $HOME/.config; empty when neither is usable.
std::filesystem::path UserConfigHome(const EnvLookup& env);

// Name of the per-user base folder below UserDataHome().
inline constexpr const char* kUserBaseFolderName = "TavoDex";

// A folder holds an installation when it has "system" and "fonts" folders
// (in any case).
bool IsInstallation(const std::filesystem::path& folder);

struct BaseFolderOptions {
  std::optional<std::filesystem::path> explicitBase;  // "--base DIR"
  // "--populate": copy the installed files that the base folder lacks.
  bool populate = false;
};

struct ParsedArguments {
  BaseFolderOptions options;
  std::vector<std::string> remaining;  // the other arguments, in order
  std::string error;                   // non-empty: the arguments are unusable
};
// Takes "--base DIR", "--base=DIR" and "--populate" out of the program's
// arguments (without the program name).
ParsedArguments ParseBaseFolderArguments(const std::vector<std::string>& args);

struct BaseFolderPlaces {
  std::filesystem::path currentFolder;
  std::filesystem::path userDataHome;   // see UserDataHome(); may be empty
  std::filesystem::path installedData;  // the data folder shipped with the program
};

struct BaseFolderChoice {
  enum class Source { Explicit, CurrentFolder, UserFolder };
  std::filesystem::path folder;  // ends with a separator
  Source source = Source::Explicit;
  int filesCopied = 0;
  std::vector<std::string> warnings;  // files that could not be copied
  std::string error;                  // non-empty: no usable base folder
  bool ok() const { return error.empty(); }
};

BaseFolderChoice SelectBaseFolder(const BaseFolderOptions& options, const BaseFolderPlaces& places);

struct PopulateResult {
  int filesCopied = 0;
  std::vector<std::string> errors;
};
// Copies every file of `source` (recursively) that `target` does not have
// yet; files already there, changed by the user or not, are left alone.
// Creates `target` when it is missing.
PopulateResult PopulateBaseFolder(const std::filesystem::path& target,
                                  const std::filesystem::path& source);

struct FontRenameResult {
  std::vector<std::filesystem::path> renamed;  // the new names
  std::vector<std::string> skipped;            // why a file kept its name
};
// Old installations shipped terminal fonts as "*.BON"; they are renamed to
// "*.FON" at every start. A file whose ".FON" name is taken already (in any
// case) keeps its name instead of replacing the other file.
FontRenameResult RenameLegacyFontFiles(const Installation& installation);

}  // namespace tavo
