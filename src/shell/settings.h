#pragma once
// The user's settings, kept in "QVXTavoDex.ini" in the user's configuration
// folder: read once at start, written back completely at exit.
//
// Folder values: the installation names its folders with a trailing "\";
// here they are native paths ending with the platform separator
// ("/home/anna/.local/share/TavoDex/Projects/"), so that a file name can be
// appended as it stands. Values that came from elsewhere are used as stored.

#include <filesystem>
#include <string>
#include <vector>

#include "shell/inifile.h"

namespace tavo {

class Installation;

inline constexpr const char* kSettingsFileName = "QVXTavoDex.ini";

enum class FolderKey { Project, Import, Variablen, Alarme, Symbol, Texte, Bilder, Bitmaps };

struct PortSettings {
  int comport = 1;   // 1..9
  int baudrate = 5;  // index 1..12 of the download dialog
  int station = 1;   // 1..255
  int umfang = 0;    // 0 "Alles", 1 "Optimal"
};

struct FolderSettings {
  std::string project, import, variablen, alarme, symbol, texte, bilder, bitmaps;
};

struct PictureSettings {
  int style = 0;  // 1: outlines only
  int softkeyrect = 1;
  int softkeytext = 1;
  int softkeytextcolor = 1;  // 1: white names, otherwise black
  int gridSize = 10;
  int gridStyle = 1;
  int fangSize = 10;
  int fangStyle = 1;
  int copyMoveX = 10;
  int copyMoveY = 10;
  bool mirrorX = true;  // top and bottom change places
  bool mirrorY = false;
  bool mirrorCopy = false;
  int angle = 45;
  bool rotateCopy = false;
  bool grayscale = false;
  bool scala = false;
  bool panel = true;  // true: the side panel with the object tree is hidden
  bool projectpanel = true;
};

struct PrintSettings {
  int printPrjInfo = 0;  // 0 printed, 1 not
  int printImages = 2;   // 2 all, 3 selection, 4 none
  int printAlarms = 0;
  int printVars = 0;
  int printTextList = 0;
  // The sheet the pages are laid out on ("A4", "A3", "Letter", "Legal") and
  // the room kept free at its left, top and bottom edge, in millimetres.
  std::string paper = "A4";
  int marginLeft = 20;
  int marginTop = 0;
  int marginBottom = 0;
};

// How many project files the File menu offers to open again.
inline constexpr std::size_t kRecentProjectCount = 8;

struct Settings {
  std::string code = "044";  // language code, three characters
  PortSettings port;
  FolderSettings folders;
  std::string lastOpen;
  // Project files opened or saved last, the latest first (section
  // "RecentProjects", keys "File1" ...).
  std::vector<std::string> recentProjects;
  PictureSettings picture;
  PrintSettings print;

  std::string& Folder(FolderKey key);
  const std::string& Folder(FolderKey key) const;
};

// `folder` as a native text ending with the platform separator.
std::string FolderText(const std::filesystem::path& folder);

// The installation folder a folder setting defaults to ("Projects\").
const char* DefaultFolderName(FolderKey key);
// The base folder followed by the default folder, as found on disk.
std::string DefaultFolder(const Installation& installation, FolderKey key);
// Every key at its default.
Settings DefaultSettings(const Installation& installation);

std::filesystem::path SettingsFilePath(const std::filesystem::path& configFolder);

// The first argument "start" (any case) asks for the reset of the language,
// port, folder and last-project settings.
bool IsResetArgument(const std::vector<std::string>& args);
// Erases "Country", "Port", "Folders", "Project" and "RecentProjects".
void ResetSettingsSections(IniFile& ini);

// Missing or unreadable keys take their defaults; "Code" is cut to three
// characters.
Settings ReadSettings(const IniFile& ini, const Installation& installation);
// Writes every key, and "Folders"/"Program" with the base folder.
void WriteSettings(IniFile& ini, const Settings& settings, const Installation& installation);

// Puts `file` first in the list of recent projects (once, compared as the
// file system does), keeping at most kRecentProjectCount.
void RememberRecentProject(Settings& settings, const std::string& file);

// A folder setting about to serve as a dialog's initial folder: when it
// names no existing folder, it is replaced by its default first.
const std::string& UseFolderSetting(Settings& settings, FolderKey key,
                                    const Installation& installation);

// The settings file of one user. Keys this program does not know are kept
// when the file is written back.
class SettingsStore {
 public:
  explicit SettingsStore(std::filesystem::path file);
  const std::filesystem::path& File() const { return file_; }

  // `reset`: see IsResetArgument(). A file that cannot be read yields the
  // defaults and LoadError() says why.
  Settings Read(const Installation& installation, bool reset);
  const std::string& LoadError() const { return loadError_; }

  bool Write(const Settings& settings, const Installation& installation,
             std::string* error = nullptr);

 private:
  std::filesystem::path file_;
  IniFile ini_;
  std::string loadError_;
};

}  // namespace tavo
