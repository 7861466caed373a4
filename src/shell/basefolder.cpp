#include "shell/basefolder.h"

#include <cstdlib>
#include <system_error>

#include "shell/folders.h"
#include "shell/textcase.h"

namespace fs = std::filesystem;

namespace tavo {
namespace {

fs::path FromEnvironment(const EnvLookup& env, const char* xdgName, const char* homeSuffix) {
  if (auto value = env(xdgName); value && !value->empty()) {
    fs::path path(*value);
    // Relative values are invalid for these variables and are ignored.
    if (path.is_absolute()) return path;
  }
  if (auto home = env("HOME"); home && !home->empty()) return fs::path(*home) / homeSuffix;
  return {};
}

bool HasFolder(const fs::path& folder, std::string_view name) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    std::error_code typeError;
    if (EqualsIgnoreCase(it->path().filename().string(), name) && it->is_directory(typeError))
      return true;
  }
  return false;
}

fs::path WithTrailingSeparator(fs::path folder) {
  if (!folder.empty() && !folder.has_filename()) return folder;
  return folder / "";
}

fs::path Absolute(const fs::path& folder) {
  std::error_code ec;
  fs::path result = fs::absolute(folder, ec);
  return ec ? folder : result.lexically_normal();
}

// True when `inner` is `outer` or lies below it.
bool IsWithin(const fs::path& inner, const fs::path& outer) {
  std::error_code ec;
  const fs::path a = fs::weakly_canonical(inner, ec);
  if (ec) return false;
  const fs::path b = fs::weakly_canonical(outer, ec);
  if (ec) return false;
  auto ai = a.begin();
  for (auto bi = b.begin(); bi != b.end(); ++bi, ++ai) {
    if (bi->empty()) continue;  // trailing separator
    if (ai == a.end() || *ai != *bi) return false;
  }
  return true;
}

std::string Quoted(const fs::path& path) {
  std::string quoted = "\"";
  quoted += path.string();
  quoted += '"';
  return quoted;
}

// Copies through a temporary name so that an interrupted copy never leaves
// a truncated file that later runs would take for the user's own.
bool CopyOneFile(const fs::path& from, const fs::path& to, std::string& error) {
  fs::path temporary = to;
  temporary += ".tavo-copy";
  std::error_code ec;
  fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, ec);
  // The copy is the user's to change (language tables are written to), also
  // when the installation's files are read only.
  if (!ec) fs::permissions(temporary, fs::perms::owner_write, fs::perm_options::add, ec);
  if (!ec) fs::rename(temporary, to, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    error = "Datei " + Quoted(from) + " nicht kopiert: " + ec.message();
    return false;
  }
  return true;
}

}  // namespace

EnvLookup SystemEnvironment() {
  return [](const std::string& name) -> std::optional<std::string> {
    if (const char* value = std::getenv(name.c_str())) return std::string(value);
    return std::nullopt;
  };
}

fs::path UserDataHome(const EnvLookup& env) {
  return FromEnvironment(env, "XDG_DATA_HOME", ".local/share");
}

fs::path UserConfigHome(const EnvLookup& env) {
  return FromEnvironment(env, "XDG_CONFIG_HOME", ".config");
}

bool IsInstallation(const fs::path& folder) {
  return HasFolder(folder, "system") && HasFolder(folder, "fonts");
}

ParsedArguments ParseBaseFolderArguments(const std::vector<std::string>& args) {
  ParsedArguments parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--populate") {
      parsed.options.populate = true;
    } else if (arg == "--base") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        parsed.error = "Nach --base fehlt der Basisordner.";
        return parsed;
      }
      parsed.options.explicitBase = fs::path(args[++i]);
    } else if (arg.rfind("--base=", 0) == 0) {
      if (arg.size() == 7) {
        parsed.error = "Nach --base= fehlt der Basisordner.";
        return parsed;
      }
      parsed.options.explicitBase = fs::path(arg.substr(7));
    } else {
      parsed.remaining.push_back(arg);
    }
  }
  return parsed;
}

PopulateResult PopulateBaseFolder(const fs::path& target, const fs::path& source) {
  PopulateResult result;
  std::error_code ec;
  if (!fs::is_directory(source, ec)) {
    result.errors.push_back("Der Installationsordner " + Quoted(source) + " existiert nicht.");
    return result;
  }
  // Copying a folder into itself would feed the walk with its own copies.
  if (IsWithin(target, source)) {
    result.errors.push_back("Der Basisordner " + Quoted(target) + " liegt im Installationsordner " +
                            Quoted(source) + ".");
    return result;
  }
  fs::create_directories(target, ec);
  if (ec) {
    result.errors.push_back("Der Basisordner " + Quoted(target) +
                            " kann nicht angelegt werden: " + ec.message());
    return result;
  }
  fs::recursive_directory_iterator it(source, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    const fs::path relative = it->path().lexically_relative(source);
    const fs::path destination = target / relative;
    std::error_code entryError;
    if (it->is_directory(entryError)) {
      fs::create_directories(destination, entryError);
      if (entryError)
        result.errors.push_back("Ordner " + Quoted(destination) +
                                " nicht angelegt: " + entryError.message());
      continue;
    }
    if (!it->is_regular_file(entryError)) continue;
    // A dangling link counts as present: it is the user's, not ours.
    if (fs::exists(fs::symlink_status(destination, entryError))) continue;
    std::string error;
    if (CopyOneFile(it->path(), destination, error))
      ++result.filesCopied;
    else
      result.errors.push_back(error);
  }
  if (ec)
    result.errors.push_back("Der Installationsordner " + Quoted(source) +
                            " kann nicht gelesen werden: " + ec.message());
  return result;
}

BaseFolderChoice SelectBaseFolder(const BaseFolderOptions& options,
                                  const BaseFolderPlaces& places) {
  BaseFolderChoice choice;
  auto populate = [&](const fs::path& folder) {
    PopulateResult copied = PopulateBaseFolder(folder, places.installedData);
    choice.filesCopied = copied.filesCopied;
    choice.warnings = std::move(copied.errors);
  };
  auto accept = [&](const fs::path& folder, BaseFolderChoice::Source source) {
    choice.folder = WithTrailingSeparator(Absolute(folder));
    choice.source = source;
  };

  if (options.explicitBase) {
    const fs::path folder = Absolute(*options.explicitBase);
    if (options.populate) populate(folder);
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
      choice.error = "Der Basisordner " + Quoted(folder) + " existiert nicht.";
    } else if (!IsInstallation(folder)) {
      choice.error = "Der Basisordner " + Quoted(folder) +
                     " enthaelt keine Installation (Ordner \"system\" und \"fonts\" fehlen).";
    } else {
      accept(folder, BaseFolderChoice::Source::Explicit);
    }
    return choice;
  }

  if (!places.currentFolder.empty() && IsInstallation(places.currentFolder)) {
    if (options.populate) populate(places.currentFolder);
    accept(places.currentFolder, BaseFolderChoice::Source::CurrentFolder);
    return choice;
  }

  if (places.userDataHome.empty()) {
    choice.error =
        "Kein Basisordner: der aktuelle Ordner enthaelt keine Installation, und ohne HOME gibt "
        "es keinen Benutzerordner. Mit --base ORDNER einen Basisordner angeben.";
    return choice;
  }
  const fs::path folder = places.userDataHome / kUserBaseFolderName;
  if (options.populate || !IsInstallation(folder)) {
    if (!IsInstallation(places.installedData)) {
      choice.error = "Kein Basisordner: " + Quoted(folder) +
                     " enthaelt keine Installation, und die installierten Daten " +
                     Quoted(places.installedData) +
                     " fehlen. Mit --base ORDNER einen Basisordner angeben.";
      return choice;
    }
    populate(folder);
  }
  if (!IsInstallation(folder)) {
    choice.error = "Der Basisordner " + Quoted(folder) + " konnte nicht angelegt werden";
    if (!choice.warnings.empty()) choice.error += ": " + choice.warnings.front();
    return choice;
  }
  accept(folder, BaseFolderChoice::Source::UserFolder);
  return choice;
}

FontRenameResult RenameLegacyFontFiles(const Installation& installation) {
  FontRenameResult result;
  auto fonts = installation.ListFiles("fonts\\", "*.fon");
  for (const fs::path& old : installation.ListFiles("fonts\\", "*.bon")) {
    const std::string name = old.filename().string();
    const std::string newName = name.substr(0, name.size() - 4) + ".FON";
    bool taken = false;
    for (const fs::path& font : fonts)
      taken = taken || EqualsIgnoreCase(font.filename().string(), newName);
    if (taken) {
      result.skipped.push_back("Schrift " + Quoted(old) + " nicht umbenannt: " + newName +
                               " existiert bereits.");
      continue;
    }
    std::error_code ec;
    const fs::path target = old.parent_path() / newName;
    fs::rename(old, target, ec);
    if (ec)
      result.skipped.push_back("Schrift " + Quoted(old) + " nicht umbenannt: " + ec.message());
    else
      result.renamed.push_back(target);
    // "A.BON" and "a.bon" must not both become fonts.
    if (!ec) fonts.push_back(target);
  }
  return result;
}

}  // namespace tavo
