#pragma once
// The download image: the terminal's drive C (start-up and language set
// files) and drive D (project files, fonts, graphics, coupling files) built
// in two work folders, with the transfer totals and drive D's checksum list.
// Both terminal generations are served; the first receives the binary
// project image, the second the run file and compiled pictures.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "download/image/checksum.h"
#include "project/projekt.h"
#include "project/usedfiles.h"

namespace tavo {

class Installation;
class ProgressDisplay;
class Translator;

// The type numbers of first-generation terminals, compared character for
// character.
bool IsFirstGeneration(const std::string& typeNumber);

struct ImageBuildOptions {
  const Installation* install = nullptr;  // required: resource\, fonts\, lib\graphics\ ...
  // Holds drive_c and drive_d; empty: "temp.$$$" below the base folder.
  std::filesystem::path workFolder;
  Translator* translator = nullptr;     // null: German texts
  ProgressDisplay* progress = nullptr;  // step captions and the pixel file gauge
  // Asked after the work folders are ready (the download dialog); false
  // cancels the build. Null: go ahead.
  std::function<bool()> confirm;
  // The download date written into the first-generation header; empty: today.
  std::string today;
  // Receives the needed file names; null: the builder uses its own table.
  UsedFileTable* usedFiles = nullptr;
};

enum class ImageStatus {
  Built,
  NoResourceFolder,  // the installation has no resource\ folder: nothing to do
  Cancelled,
  Failed,  // a file could not be written: the image must not be sent
};

struct DownloadImage {
  ImageStatus status = ImageStatus::Failed;
  int generation = 2;
  std::filesystem::path driveC;
  std::filesystem::path driveD;
  std::uint64_t totalC = 0;
  std::uint64_t totalD = 0;
  std::vector<ChecksumEntry> checksums;  // drive D, files only
  // Set when the build failed: "Fehler bei Dateizugriff" (translated, code
  // page 1252) and the failing file.
  std::string error;
  // Optional sources that were missing and left out of the image (the
  // terminal will lack them) and other notes; plain text.
  std::vector<std::string> warnings;

  bool ok() const { return status == ImageStatus::Built; }
};

DownloadImage BuildDownloadImage(const t_projekt& project, const ImageBuildOptions& options);

// The installation files the terminal needs beside the project: each
// pattern of the list file "files.inf" of the second generation's resource
// folder, or of the coupling's folder for the first generation, matched in
// that folder.
struct ListedFiles {
  std::string listName;   // the list file as the installation names it; empty: none
  bool listRead = false;  // false: the list file could not be read
  std::vector<std::filesystem::path> files;
  std::vector<std::string> warnings;  // ignored patterns, patterns without a match
};
ListedFiles FindListedFiles(const t_projekt& project, int generation, const Installation& install);

// One entry of a drive folder as the terminal will receive it.
struct DriveEntry {
  std::string name;
  std::uint64_t size = 0;
  bool directory = false;
};
// The entries of a folder sorted by name (the order in which they are
// counted, checksummed and sent).
std::vector<DriveEntry> ListDrive(const std::filesystem::path& folder);

}  // namespace tavo
