#include "download/image/imagebuilder.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "download/image/legacyimage.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/compile/picturecompiler.h"
#include "resources/fonts.h"
#include "shell/folders.h"
#include "shell/language.h"
#include "shell/progress.h"
#include "shell/texts.h"

namespace fs = std::filesystem;

namespace tavo {
namespace {

constexpr const char* kWorkFolder = "temp.$$$";
constexpr const char* kRunFile = "Project.run";
constexpr const char* kSystemFont = "3_______.fon";
constexpr const char* kSecondGenerationFolder = "RESOURCE\\IP_V5\\";
constexpr const char* kListFile = "files.inf";
constexpr std::size_t kTerminalNameLength = 12;

// Start-up and language set files of drive C, copied when present.
constexpr const char* kDriveCFiles[] = {"autoexec.bat", "auto.bat", "setup.exe", "031.set",
                                        "033.set",      "034.set",  "039.set",   "044.set",
                                        "046.set",      "049.set"};

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool IsDirectory(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool IsFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

class Builder {
 public:
  Builder(const t_projekt& project, const ImageBuildOptions& options)
      : project_(project), options_(options), install_(*options.install) {
    usedFiles_ = options.usedFiles ? options.usedFiles : &ownTable_;
  }

  DownloadImage Run() {
    // Step 2 to 4: fresh work folders, an empty table of needed files.
    const fs::path work =
        options_.workFolder.empty() ? install_.Resolve(kWorkFolder) : options_.workFolder;
    result_.driveC = options_.workFolder.empty()
                         ? install_.Resolve(std::string(kWorkFolder) + "\\drive_c")
                         : work / "drive_c";
    result_.driveD = options_.workFolder.empty()
                         ? install_.Resolve(std::string(kWorkFolder) + "\\drive_d")
                         : work / "drive_d";
    result_.generation =
        project_.terminal && IsFirstGeneration(project_.terminal->typeNumber) ? 1 : 2;
    EmptyFolder(result_.driveC);
    EmptyFolder(result_.driveD);
    usedFiles_->Clear();
    for (const fs::path& folder : {work, result_.driveC, result_.driveD}) {
      std::error_code ec;
      fs::create_directories(folder, ec);
      if (!IsDirectory(folder)) return Fail(folder.string());
    }
    // A link that could not be removed is refused rather than written through.
    for (const fs::path& folder : {result_.driveC, result_.driveD})
      if (!IsOwnFolder(folder)) return Fail(folder.string());
    // Step 5: an installation without resource folder cannot serve a terminal.
    if (!IsDirectory(install_.Resolve("resource"))) {
      result_.status = ImageStatus::NoResourceFolder;
      return result_;
    }
    // Step 6: the download dialog.
    if (options_.confirm && !options_.confirm()) {
      result_.status = ImageStatus::Cancelled;
      return result_;
    }
    // Step 7: the captions (the folders were emptied above).
    if (options_.progress) {
      options_.progress->SetPercent(0);
      options_.progress->SetCaption(Tr(txt::kDownloadVorbereiten));
    }
    Caption(txt::kTempLoeschen);

    // Step 9: drive C.
    for (const char* name : kDriveCFiles)
      if (!CopyOptional(std::string("resource\\") + name, result_.driveC / name)) return result_;

    // Step 10 and 11: the project files.
    if (result_.generation == 1) {
      Caption(txt::kNeueDateienKlassik);
      std::string failed;
      const std::string today = options_.today.empty() ? TodayText() : options_.today;
      if (!WriteLegacyProject(project_, result_.driveD, today, *usedFiles_, failed))
        return Fail(failed);
    } else {
      Caption(txt::kNeueDateien);
      if (!WriteRunFile()) return result_;
      usedFiles_->Enter(kSystemFont);
    }

    // Step 12: fonts and graphics the project needs.
    if (!CopyNeededFiles()) return result_;

    // Step 13: the files named by the list of the terminal or coupling.
    Caption(txt::kDateienKopieren);
    if (!CopyListedFiles()) return result_;

    // Step 14 and 15: totals and checksums.
    Caption(txt::kMengeBerechnen);
    result_.totalC = 0;
    for (const DriveEntry& e : ListDrive(result_.driveC)) result_.totalC += e.size;
    Caption(txt::kPruefsummen);
    if (!ComputeChecksums()) return result_;
    result_.status = ImageStatus::Built;
    return result_;
  }

 private:
  std::string Tr(const TextId& id) {
    return options_.translator ? options_.translator->Tr(id) : german_.Tr(id);
  }

  void Caption(const TextId& id) {
    if (options_.progress) options_.progress->SetLabel(Tr(id));
  }

  DownloadImage& Fail(const std::string& file) {
    result_.status = ImageStatus::Failed;
    result_.error = Tr(txt::kFehlerBeiDateizugriff) + ": " + file;
    return result_;
  }

  // Emptying a work folder never follows a link: a link where the folder
  // belongs is removed as a link, and so is a link inside it; what they
  // point to stays as it was. Files that cannot be deleted stay; real
  // sub-folders are left alone.
  static void EmptyFolder(const fs::path& folder) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(folder, ec);
    if (fs::is_symlink(status)) {
      fs::remove(folder, ec);
      return;
    }
    if (!fs::is_directory(status)) return;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      std::error_code ignored;
      if (!fs::is_directory(it->symlink_status(ignored))) fs::remove(it->path(), ignored);
    }
  }

  // A drive folder the build writes into: a real folder, not a link.
  static bool IsOwnFolder(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(fs::symlink_status(folder, ec));
  }

  // Copies an installation file when it exists; a missing one is noted.
  // False (failed) only when an existing file cannot be copied.
  bool CopyOptional(const std::string& relative, const fs::path& target) {
    const fs::path source = install_.Resolve(relative);
    if (!IsFile(source)) {
      result_.warnings.push_back("missing " + relative);
      return true;
    }
    return Copy(source, target);
  }

  bool Copy(const fs::path& source, const fs::path& target) {
    std::error_code ec;
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
    if (ec) {
      Fail(target.string());
      return false;
    }
    return true;
  }

  bool WriteRunFile() {
    const fs::path path = result_.driveD / kRunFile;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    CompileContext ctx;
    ctx.targetFolder = result_.driveD;
    ctx.projectFolder = ProjectBitmapFolder(project_);
    if (!project_.path.empty()) ctx.bitmapFolders.push_back(fs::path(project_.path).parent_path());
    ctx.bitmapFolders.push_back(install_.Resolve("Lib\\Graphics"));
    ctx.progress = options_.progress;
    CompilingRunWriter writer(
        [&](const std::string& line) {
          out.write(line.data(), static_cast<std::streamsize>(line.size()));
          out.write("\r\n", 2);
        },
        *usedFiles_, ctx);
    project_.WriteRunFile(writer);
    out.close();
    for (const std::string& file : ctx.missingBitmaps)
      result_.warnings.push_back("bitmap file not found, converted as a black image: " + file);
    for (const std::string& d : ctx.damagedBitmaps)
      result_.warnings.push_back("damaged bitmap " + d);
    if (!out) {
      Fail(path.string());
      return false;
    }
    if (!ctx.failedFiles.empty()) {
      Fail((result_.driveD / ctx.failedFiles.front()).string());
      return false;
    }
    return true;
  }

  bool CopyNeededFiles() {
    for (int i = 0; i < UsedFileTable::kEntries; ++i) {
      const std::string& name = usedFiles_->At(i);
      if (name.empty()) break;
      const std::string upper = Upper(name);
      if (upper.find(".FON") != std::string::npos &&
          !CopyOptional("fonts\\" + name, result_.driveD / name))
        return false;
      if (upper.find(".FON") != std::string::npos)
        if (std::string d = FontFileDamage(install_.Resolve("fonts\\" + name).string()); !d.empty())
          result_.warnings.push_back("damaged font " + name + ": " + d);
      if (upper.find(".BMP") != std::string::npos &&
          !CopyOptional("lib\\graphics\\" + name, result_.driveD / name))
        return false;
    }
    usedFiles_->Clear();
    return true;
  }

  bool CopyListedFiles() {
    ListedFiles listed = FindListedFiles(project_, result_.generation, install_);
    if (listed.listName.empty()) {
      result_.warnings.push_back("the coupling names no folder of installation files");
      return true;
    }
    if (!listed.listRead) {
      Fail(listed.listName);
      return false;
    }
    result_.warnings.insert(result_.warnings.end(), listed.warnings.begin(), listed.warnings.end());
    for (const fs::path& match : listed.files)
      if (!Copy(match, result_.driveD / match.filename())) return false;
    return true;
  }

  bool ComputeChecksums() {
    result_.totalD = 0;
    result_.checksums.clear();
    for (const DriveEntry& e : ListDrive(result_.driveD)) {
      result_.totalD += e.size;
      if (e.directory) continue;
      if (result_.checksums.size() >= kMaxChecksumEntries) {
        Fail(result_.driveD.string() + " (more than " + std::to_string(kMaxChecksumEntries) +
             " files)");
        return false;
      }
      if (e.name.size() > kTerminalNameLength)
        result_.warnings.push_back("file name longer than 12 characters: " + e.name);
      std::uint32_t crc = 0;
      if (!FileChecksum(result_.driveD / e.name, crc)) {
        Fail((result_.driveD / e.name).string());
        return false;
      }
      result_.checksums.push_back({e.name.substr(0, kTerminalNameLength), crc});
    }
    return true;
  }

  const t_projekt& project_;
  const ImageBuildOptions& options_;
  const Installation& install_;
  UsedFileTable ownTable_;
  UsedFileTable* usedFiles_ = nullptr;
  GermanTranslator german_;
  DownloadImage result_;
};

}  // namespace

bool IsFirstGeneration(const std::string& typeNumber) {
  return typeNumber == "VT-0A01-xxxx" || typeNumber == "VT-0A02-xxxx" ||
         typeNumber == "VT-0A03-xxxx";
}

ListedFiles FindListedFiles(const t_projekt& project, int generation, const Installation& install) {
  ListedFiles listed;
  std::string folder;
  if (generation == 2)
    folder = kSecondGenerationFolder;
  else if (project.coupling && !project.coupling->path.empty())
    folder = project.coupling->path;
  else
    return listed;
  listed.listName = folder + kListFile;
  std::ifstream list(install.Resolve(listed.listName), std::ios::binary);
  if (!list) return listed;
  std::string line;
  while (std::getline(list, line)) {
    const std::string pattern = Trim(line);
    if (pattern.empty()) continue;
    // A list names files of its own folder; anything reaching elsewhere
    // (a path, "..") is not copied.
    if (pattern.find_first_of("\\/:") != std::string::npos || pattern == "." || pattern == "..") {
      listed.warnings.push_back(listed.listName + ": ignored pattern " + pattern);
      continue;
    }
    const auto matches = install.ListFiles(folder, pattern);
    if (matches.empty())
      listed.warnings.push_back(listed.listName + ": nothing matches " + pattern);
    listed.files.insert(listed.files.end(), matches.begin(), matches.end());
  }
  listed.listRead = !list.bad();
  return listed;
}

std::vector<DriveEntry> ListDrive(const fs::path& folder) {
  std::vector<DriveEntry> entries;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code e;
    DriveEntry entry;
    entry.name = it->path().filename().string();
    entry.directory = it->is_directory(e);
    entry.size = entry.directory ? 0 : it->file_size(e);
    if (e) entry.size = 0;
    entries.push_back(std::move(entry));
  }
  std::sort(entries.begin(), entries.end(),
            [](const DriveEntry& a, const DriveEntry& b) { return a.name < b.name; });
  return entries;
}

DownloadImage BuildDownloadImage(const t_projekt& project, const ImageBuildOptions& options) {
  if (!options.install) {
    DownloadImage result;
    result.error = "no installation";
    return result;
  }
  return Builder(project, options).Run();
}

}  // namespace tavo
