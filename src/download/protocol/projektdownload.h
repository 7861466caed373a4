#pragma once
// The download sequence: opens the line, wakes the terminal, agrees on the
// bit rate and brings an image of drives C and D onto the terminal, either
// completely ("Alles") or only what changed since the last download
// ("Optimal", through the checksum list "Files.LST" the terminal keeps).

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "download/image/imagebuilder.h"

namespace tavo {

class EventClock;
class Installation;
class MessageBox;
class TComm;
class TDownloadConnect;
class TransferDisplay;
class Translator;

inline constexpr const char* kChecksumListName = "Files.LST";

// Reads image folders that are already built: the totals and the checksum
// list of drive D, as the builder would have handed them over. A
// "Files.LST" in drive D is left over from an earlier optimised download
// and is removed first: it describes another image, and a full download
// must not carry it to the terminal. A folder that cannot be read, or a
// drive D of more than 1000 files, sets the status to Failed with `error`.
DownloadImage ScanImageFolders(const std::filesystem::path& driveC,
                               const std::filesystem::path& driveD);

// The 17-byte records of a checksum list file; a damaged tail is ignored.
std::vector<ChecksumEntry> ReadChecksumListFile(const std::filesystem::path& file);
bool WriteChecksumListFile(const std::filesystem::path& file,
                           const std::vector<ChecksumEntry>& list);

// Where the settings files fetched from the terminal at `station` are kept
// until they are back on it: "terminal_settings\station_NNN" below the base
// folder, outside the image's work folders, which every build empties. A
// download that fails after formatting drive D leaves them there, and the
// next download to that station sends them back.
std::filesystem::path KeptSettingsFolder(const Installation& install, int station);

struct DownloadOptions {
  int rateIndex = 5;  // 1 = 115200 ... 12 = 300
  int station = 1;
  int scope = 0;  // 0 "Alles", 1 "Optimal"
  // First-generation terminals take full downloads only.
  bool firstGeneration = false;
  // Required: the folder that keeps the terminal's settings files
  // (KeptSettingsFolder); created when needed. Without it a download ends
  // as SettingsNotSaved before anything on the terminal changes.
  std::filesystem::path settingsFolder;
};

enum class DownloadOutcome {
  Success,         // "Download erfolgreich."
  Failed,          // "Download fehlerhaft, Bitte wiederholen."
  NoTerminal,      // "kein Terminal gefunden !"
  NotProTerminal,  // "VTA VGA PRO Terminal erwartet !!"
  BadImage,        // an image that failed to build, or names the terminal
                   // cannot take; nothing was sent
  // "Die Einstellungen des Terminals konnten nicht gesichert werden. ...":
  // the terminal's settings files could not be fetched (for another reason
  // than that it has none); nothing on the terminal was changed.
  SettingsNotSaved,
  // The user stopped the download (TransferDisplay::CancelRequested) before
  // anything of the project on the terminal was changed.
  Cancelled,
  // The user stopped it after the terminal's drives began to change: it
  // holds part of the project (its settings files are back on it, or kept
  // for the next download).
  CancelledIncomplete,
};

class ProjektDownload {
 public:
  // `comm` must have its port or device set; the sequence sets the rate.
  ProjektDownload(TDownloadConnect& connect, TComm& comm, EventClock& clock, MessageBox& messages,
                  Translator& translator);

  DownloadOutcome Run(const DownloadImage& image, const DownloadOptions& options);

  // The scope the last run used (a first-generation terminal forces "Alles").
  int ScopeUsed() const { return scope_; }
  // Version text of the terminal found ("1;2;3;").
  const std::string& TerminalVersion() const { return version_; }
  // Names the optimised download deleted, and the files it sent.
  const std::vector<std::string>& Deleted() const { return deleted_; }
  const std::vector<std::string>& Sent() const { return sent_; }
  // The kept settings files the last run sent back after formatting drive D.
  const std::vector<std::string>& Restored() const { return restored_; }

 private:
  bool WakeTerminal();
  bool Cancelled() const;
  // What a stop after a failed step means: the user's cancel when there was
  // one (`changed`: the terminal's drives began to change), else `failure`.
  DownloadOutcome StopOutcome(DownloadOutcome failure, bool changed) const;
  void CountAsSent(std::uintmax_t bytes);
  void SetTotal(std::int64_t total);
  DownloadOutcome FullDownload(const DownloadImage& image);
  DownloadOutcome OptimisedDownload(const DownloadImage& image);
  bool FetchSettings(std::initializer_list<const char*> patterns);
  void DropFreshCopies();
  bool RestoreSettings();
  bool SendImageDrive(const std::filesystem::path& drive);
  void EndTransfer();
  void Caption(const std::string& text);

  TDownloadConnect& connect_;
  TComm& comm_;
  EventClock& clock_;
  MessageBox& messages_;
  Translator& translator_;
  int scope_ = 0;
  std::filesystem::path kept_;
  std::vector<std::filesystem::path> createdFolders_;  // deepest first
  std::vector<std::filesystem::path> fetchedNow_;      // kept by this run's fetch
  std::string version_;
  std::int64_t totalMaximum_ = 0;
  std::vector<std::string> deleted_;
  std::vector<std::string> sent_;
  std::vector<std::string> restored_;
};

}  // namespace tavo
