#include "shell/settings.h"

#include <system_error>

#include "shell/folders.h"
#include "shell/textcase.h"

namespace fs = std::filesystem;

namespace tavo {
namespace {

constexpr const char* kLastOpenDefault = "Projects\\new_project.qvx";
constexpr const char* kRecentSection = "RecentProjects";

std::string RecentKey(std::size_t index) {
  return "File" + std::to_string(index + 1);
}

struct FolderEntry {
  FolderKey key;
  const char* name;  // key in section "Folders"
  const char* defaultFolder;
};

constexpr FolderEntry kFolders[] = {
    {FolderKey::Project, "Project", "Projects\\"},
    {FolderKey::Import, "Import", "Projects\\demos\\"},
    {FolderKey::Variablen, "Variablen", "Lib\\Variables\\"},
    {FolderKey::Alarme, "Alarme", "Lib\\Alarms\\"},
    {FolderKey::Symbol, "Symbol", "Lib\\Symbols\\"},
    {FolderKey::Texte, "Texte", "Lib\\Textlists\\"},
    {FolderKey::Bilder, "Bilder", "Lib\\Pictures\\"},
    {FolderKey::Bitmaps, "Bitmaps", "Lib\\Graphics\\"},
};

const FolderEntry& EntryOf(FolderKey key) {
  for (const FolderEntry& entry : kFolders)
    if (entry.key == key) return entry;
  return kFolders[0];
}

// Every key but "Program", in the order they are written. The same list
// serves reading and writing, so neither can forget a key.
template <class S, class Visitor>
void ForEachKey(S& s, Visitor&& v) {
  v("Country", "Code", s.code);
  v("Port", "Comport", s.port.comport);
  v("Port", "Baudrate", s.port.baudrate);
  v("Port", "Station", s.port.station);
  v("Port", "Umfang", s.port.umfang);
  for (const FolderEntry& entry : kFolders) v("Folders", entry.name, s.Folder(entry.key));
  v("Project", "LastOpen", s.lastOpen);
  v("Picture", "Style", s.picture.style);
  v("Picture", "Softkeyrect", s.picture.softkeyrect);
  v("Picture", "Softkeytext", s.picture.softkeytext);
  v("Picture", "Softkeytextcolor", s.picture.softkeytextcolor);
  v("Picture", "GridSize", s.picture.gridSize);
  v("Picture", "GridStyle", s.picture.gridStyle);
  v("Picture", "FangSize", s.picture.fangSize);
  v("Picture", "FangStyle", s.picture.fangStyle);
  v("Picture", "CopyMoveX", s.picture.copyMoveX);
  v("Picture", "CopyMoveY", s.picture.copyMoveY);
  v("Picture", "MirrorX", s.picture.mirrorX);
  v("Picture", "MirrorY", s.picture.mirrorY);
  v("Picture", "MirrorCopy", s.picture.mirrorCopy);
  v("Picture", "Angle", s.picture.angle);
  v("Picture", "RotateCopy", s.picture.rotateCopy);
  v("Picture", "Grayscale", s.picture.grayscale);
  v("Picture", "Scala", s.picture.scala);
  v("Picture", "Panel", s.picture.panel);
  v("Picture", "Projectpanel", s.picture.projectpanel);
  v("Print", "PrintPrjInfo", s.print.printPrjInfo);
  v("Print", "PrintImages", s.print.printImages);
  v("Print", "PrintAlarms", s.print.printAlarms);
  v("Print", "PrintVars", s.print.printVars);
  v("Print", "PrintTextList", s.print.printTextList);
  v("Print", "Paper", s.print.paper);
  v("Print", "MarginLeft", s.print.marginLeft);
  v("Print", "MarginTop", s.print.marginTop);
  v("Print", "MarginBottom", s.print.marginBottom);
}

struct KeyReader {
  const IniFile& ini;
  void operator()(const char* section, const char* key, std::string& value) const {
    value = ini.ReadString(section, key, value);
  }
  void operator()(const char* section, const char* key, int& value) const {
    value = ini.ReadInt(section, key, value);
  }
  void operator()(const char* section, const char* key, bool& value) const {
    value = ini.ReadBool(section, key, value);
  }
};

struct KeyWriter {
  IniFile& ini;
  void operator()(const char* section, const char* key, const std::string& value) const {
    ini.WriteString(section, key, value);
  }
  void operator()(const char* section, const char* key, int value) const {
    ini.WriteInt(section, key, value);
  }
  void operator()(const char* section, const char* key, bool value) const {
    ini.WriteBool(section, key, value);
  }
};

}  // namespace

std::string& Settings::Folder(FolderKey key) {
  switch (key) {
    case FolderKey::Project:
      return folders.project;
    case FolderKey::Import:
      return folders.import;
    case FolderKey::Variablen:
      return folders.variablen;
    case FolderKey::Alarme:
      return folders.alarme;
    case FolderKey::Symbol:
      return folders.symbol;
    case FolderKey::Texte:
      return folders.texte;
    case FolderKey::Bilder:
      return folders.bilder;
    case FolderKey::Bitmaps:
      return folders.bitmaps;
  }
  return folders.project;
}

const std::string& Settings::Folder(FolderKey key) const {
  return const_cast<Settings*>(this)->Folder(key);
}

std::string FolderText(const fs::path& folder) {
  std::string text = folder.string();
  if (text.empty() || text.back() != fs::path::preferred_separator)
    text += static_cast<char>(fs::path::preferred_separator);
  return text;
}

const char* DefaultFolderName(FolderKey key) {
  return EntryOf(key).defaultFolder;
}

std::string DefaultFolder(const Installation& installation, FolderKey key) {
  return FolderText(installation.Resolve(DefaultFolderName(key)));
}

Settings DefaultSettings(const Installation& installation) {
  Settings settings;
  for (const FolderEntry& entry : kFolders)
    settings.Folder(entry.key) = DefaultFolder(installation, entry.key);
  settings.lastOpen = installation.Resolve(kLastOpenDefault).string();
  return settings;
}

fs::path SettingsFilePath(const fs::path& configFolder) {
  return configFolder / kSettingsFileName;
}

bool IsResetArgument(const std::vector<std::string>& args) {
  return !args.empty() && EqualsIgnoreCase(args.front(), "start");
}

void ResetSettingsSections(IniFile& ini) {
  for (const char* section : {"Country", "Port", "Folders", "Project", kRecentSection})
    ini.EraseSection(section);
}

Settings ReadSettings(const IniFile& ini, const Installation& installation) {
  Settings settings = DefaultSettings(installation);
  ForEachKey(settings, KeyReader{ini});
  if (settings.code.size() > 3) settings.code.resize(3);
  // Read backwards, so that each one read goes first and a name listed twice
  // keeps its earliest place.
  for (std::size_t i = kRecentProjectCount; i-- > 0;) {
    const std::string file = ini.ReadString(kRecentSection, RecentKey(i), "");
    if (!file.empty()) RememberRecentProject(settings, file);
  }
  return settings;
}

void RememberRecentProject(Settings& settings, const std::string& file) {
  std::vector<std::string>& recent = settings.recentProjects;
  std::erase_if(recent, [&file](const std::string& known) {
    std::error_code ec;
    return known == file || fs::equivalent(fs::path(known), fs::path(file), ec);
  });
  recent.insert(recent.begin(), file);
  if (recent.size() > kRecentProjectCount) recent.resize(kRecentProjectCount);
}

void WriteSettings(IniFile& ini, const Settings& settings, const Installation& installation) {
  ForEachKey(settings, KeyWriter{ini});
  ini.WriteString("Folders", "Program", FolderText(installation.BaseFolder()));
  // The whole list is written anew: entries that dropped off go.
  ini.EraseSection(kRecentSection);
  for (std::size_t i = 0; i < settings.recentProjects.size() && i < kRecentProjectCount; ++i)
    ini.WriteString(kRecentSection, RecentKey(i), settings.recentProjects[i]);
}

const std::string& UseFolderSetting(Settings& settings, FolderKey key,
                                    const Installation& installation) {
  std::string& folder = settings.Folder(key);
  std::error_code ec;
  if (folder.empty() || !fs::is_directory(fs::path(folder), ec))
    folder = DefaultFolder(installation, key);
  return folder;
}

SettingsStore::SettingsStore(fs::path file) : file_(std::move(file)) {}

Settings SettingsStore::Read(const Installation& installation, bool reset) {
  loadError_.clear();
  ini_.Load(file_, &loadError_);
  if (reset) ResetSettingsSections(ini_);
  return ReadSettings(ini_, installation);
}

bool SettingsStore::Write(const Settings& settings, const Installation& installation,
                          std::string* error) {
  WriteSettings(ini_, settings, installation);
  return ini_.Save(file_, error);
}

}  // namespace tavo
