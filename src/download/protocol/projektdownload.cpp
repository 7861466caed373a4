#include "download/protocol/projektdownload.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <system_error>

#include "download/comm.h"
#include "download/progress.h"
#include "download/protocol/eventclock.h"
#include "download/protocol/fileinfo.h"
#include "shell/folders.h"
#include "shell/language.h"
#include "shell/messagebox.h"
#include "shell/textcase.h"
#include "shell/texts.h"
#include "shell/textvalues.h"

namespace fs = std::filesystem;

namespace tavo {

namespace {

// Inside the kept folder: where the settings files arrive.
constexpr const char* kIncomingFolder = "incoming";

struct LocalEntry {
  std::string name;
  std::uintmax_t size = 0;
};

// Plain files of a folder, sorted by name; hidden files are not part of an
// image (the send commands skip them).
std::vector<LocalEntry> ListImageFiles(const fs::path& folder, std::error_code& ec) {
  std::vector<LocalEntry> entries;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code fileError;
    if (name.empty() || name[0] == '.' || !it->is_regular_file(fileError)) continue;
    entries.push_back({name, it->file_size(fileError)});
  }
  std::sort(entries.begin(), entries.end(),
            [](const LocalEntry& a, const LocalEntry& b) { return a.name < b.name; });
  return entries;
}

const LocalEntry* FindEntry(const std::vector<LocalEntry>& entries, std::string_view name) {
  for (const LocalEntry& e : entries)
    if (EqualsIgnoreCase(e.name, name)) return &e;
  return nullptr;
}

void AddName(std::vector<std::string>& names, const std::string& name) {
  for (const std::string& n : names)
    if (EqualsIgnoreCase(n, name)) return;
  names.push_back(name);
}

bool Contains(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& n) { return EqualsIgnoreCase(n, name); });
}

std::string Upper(std::string text) {
  for (char& ch : text)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return text;
}

// Removes every file of `folder` whose name is `name` in any case.
void RemoveAnyCase(const fs::path& folder, std::string_view name) {
  std::error_code ec;
  std::vector<fs::path> doomed;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (EqualsIgnoreCase(it->path().filename().string(), name)) doomed.push_back(it->path());
  for (const fs::path& p : doomed) fs::remove(p, ec);
}

// Fields of a "firstdir" reply text: attribute;time;size;name;
std::vector<std::string> SplitFields(const std::string& text) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ';') {
      fields.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  if (start < text.size()) fields.push_back(text.substr(start));
  return fields;
}

}  // namespace

DownloadImage ScanImageFolders(const fs::path& driveC, const fs::path& driveD) {
  DownloadImage image;
  image.status = ImageStatus::Built;
  image.driveC = driveC;
  image.driveD = driveD;
  auto fail = [&image](const std::string& text) {
    image.status = ImageStatus::Failed;
    if (image.error.empty()) image.error = text;
  };
  std::error_code ec;
  for (const LocalEntry& e : ListImageFiles(driveC, ec)) {
    image.totalC += e.size;
  }
  if (ec) fail(driveC.string() + ": " + ec.message());
  RemoveAnyCase(driveD, kChecksumListName);
  const std::vector<LocalEntry> files = ListImageFiles(driveD, ec);
  if (ec) fail(driveD.string() + ": " + ec.message());
  for (const LocalEntry& e : files) {
    image.totalD += e.size;
    ChecksumEntry entry;
    entry.name = e.name.substr(0, 12);
    // An unreadable file keeps what the read produced; it is then resent.
    FileChecksum(driveD / e.name, entry.checksum);
    image.checksums.push_back(std::move(entry));
  }
  if (image.checksums.size() > kMaxChecksumEntries)
    fail(driveD.string() + ": more than 1000 files");
  return image;
}

std::vector<ChecksumEntry> ReadChecksumListFile(const fs::path& file) {
  std::vector<ChecksumEntry> list;
  std::ifstream in(file, std::ios::binary);
  std::uint8_t record[kChecksumRecordSize];
  while (in.read(reinterpret_cast<char*>(record), sizeof record)) {
    ChecksumEntry entry;
    entry.name = GetCounted(record, 12);
    entry.checksum = static_cast<std::uint32_t>(record[13]) | record[14] << 8 | record[15] << 16 |
                     static_cast<std::uint32_t>(record[16]) << 24;
    list.push_back(std::move(entry));
  }
  return list;
}

bool WriteChecksumListFile(const fs::path& file, const std::vector<ChecksumEntry>& list) {
  const std::vector<std::uint8_t> bytes = EncodeChecksumList(list);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

ProjektDownload::ProjektDownload(TDownloadConnect& connect, TComm& comm, EventClock& clock,
                                 MessageBox& messages, Translator& translator)
    : connect_(connect), comm_(comm), clock_(clock), messages_(messages), translator_(translator) {}

void ProjektDownload::Caption(const std::string& text) {
  if (TransferDisplay* display = connect_.Display()) display->SetCommandLabel(text);
  clock_.ProcessEvents();
}

bool ProjektDownload::Cancelled() const {
  return connect_.CancelRequested();
}

DownloadOutcome ProjektDownload::StopOutcome(DownloadOutcome failure, bool changed) const {
  if (!Cancelled()) return failure;
  return changed ? DownloadOutcome::CancelledIncomplete : DownloadOutcome::Cancelled;
}

// Bytes that count as done without going over the line (a file the
// terminal has already): the overall figures stay consistent.
void ProjektDownload::CountAsSent(std::uintmax_t bytes) {
  connect_.SetTransferred(connect_.Transferred() + static_cast<std::int32_t>(bytes));
  clock_.ProcessEvents();
}

void ProjektDownload::SetTotal(std::int64_t total) {
  totalMaximum_ = total;
  if (TransferDisplay* display = connect_.Display()) display->SetTotalMaximum(total);
}

bool ProjektDownload::WakeTerminal() {
  Caption(translator_.Tr(txt::kSchrittTerminalSuchen));
  // Until the terminal answers there is nothing to lose by stopping: the
  // search ends as soon as the user asks.
  connect_.SetInterruptible(true);
  for (int attempt = 1; attempt <= 20 && !Cancelled(); ++attempt) {
    int ticks = 0;
    bool sendFlag = true;
    // Ten bytes 0xAA about 50 ms apart, then some 100 ms of silence.
    const EventClock::TimerId timer = clock_.StartTimer(50, [&] {
      if (!comm_.Active()) comm_.Open();
      if (sendFlag) comm_.WriteByte(0xAA);
      if (ticks < 200) ++ticks;
    });
    while (ticks < 12 && !Cancelled()) {
      clock_.ProcessEvents();
      if (ticks >= 10) sendFlag = false;
    }
    clock_.StopTimer(timer);
    if (Cancelled()) break;
    connect_.ClearReplyText();
    connect_.Version();
    if (!connect_.ReplyText().empty() || comm_.InCount() != 0) break;
  }
  connect_.SetInterruptible(false);
  // A terminal that answered was reached, cancel or not: it is told "quit".
  version_ = connect_.ReplyText();
  return !version_.empty();
}

DownloadOutcome ProjektDownload::Run(const DownloadImage& image, const DownloadOptions& options) {
  scope_ = options.scope;
  kept_ = options.settingsFolder;
  createdFolders_.clear();
  fetchedNow_.clear();
  deleted_.clear();
  sent_.clear();
  restored_.clear();
  version_.clear();
  if (!image.ok()) return DownloadOutcome::BadImage;
  // A terminal refuses names that are no 8.3 names; better to say so before
  // its drives are formatted than to fail halfway.
  std::string badNames;
  std::error_code ec;
  for (const fs::path& drive : {image.driveC, image.driveD})
    for (const LocalEntry& e : ListImageFiles(drive, ec))
      if (!FitsShortName(e.name)) badNames += "\n" + e.name;
  if (!badNames.empty()) {
    messages_.Show(MsgKind::Fehler, ButtonSet::Weiter,
                   translator_.Tr(txt::kDateinameNicht83) + badNames);
    return DownloadOutcome::BadImage;
  }
  Caption(translator_.Tr(txt::kOeffnenDerSchnittstelle));
  connect_.SetStation(static_cast<std::uint8_t>(options.station));
  connect_.SetBroadcastEnabled(true);
  comm_.SetBaud(14400);
  // A port that cannot be opened at all cannot reach a terminal; twenty
  // rounds of waking it would only make the user wait.
  const bool opened = comm_.Open();
  const std::string openError = opened ? std::string() : comm_.LastError();
  if (!opened || !WakeTerminal()) {
    comm_.Close();
    if (Cancelled()) {
      messages_.Show(MsgKind::Information, ButtonSet::Weiter,
                     translator_.Tr(txt::kDownloadAbgebrochen));
      return DownloadOutcome::Cancelled;
    }
    // What to look at: the line, the terminal, and the values the search
    // used.
    const std::string port = "COM" + std::to_string(comm_.Port()) + " (" + comm_.DeviceName() + ")";
    std::string text = translator_.Tr(txt::kKeinTerminalGefunden);
    if (!openError.empty()) text += "\n" + port + ": " + openError;
    text +=
        "\n\n" + WithValues(translator_.Tr(txt::kTerminalPruefen),
                            {port, std::to_string(options.station), std::to_string(comm_.Baud())});
    messages_.Show(MsgKind::Fehler, ButtonSet::Weiter, text);
    return DownloadOutcome::NoTerminal;
  }

  connect_.SetTransferred(0);
  SetTotal(static_cast<std::int64_t>(image.totalD));
  DownloadOutcome outcome = DownloadOutcome::Cancelled;
  if (Cancelled()) {
    EndTransfer();
  } else {
    if (connect_.Mode(options.rateIndex) == 0 && options.firstGeneration) scope_ = 0;
    outcome = scope_ == 0 ? FullDownload(image) : OptimisedDownload(image);
  }
  switch (outcome) {
    case DownloadOutcome::Success:
      messages_.Show(MsgKind::Information, ButtonSet::Weiter,
                     translator_.Tr(txt::kDownloadErfolgreich));
      break;
    case DownloadOutcome::Failed:
      messages_.Show(MsgKind::Fehler, ButtonSet::Weiter, translator_.Tr(txt::kDownloadFehlerhaft));
      break;
    case DownloadOutcome::SettingsNotSaved:
      messages_.Show(MsgKind::Fehler, ButtonSet::Weiter,
                     translator_.Tr(txt::kEinstellungenNichtGesichert));
      break;
    case DownloadOutcome::Cancelled:
      messages_.Show(MsgKind::Information, ButtonSet::Weiter,
                     translator_.Tr(txt::kDownloadAbgebrochen));
      break;
    case DownloadOutcome::CancelledIncomplete:
      messages_.Show(MsgKind::Warnung, ButtonSet::Weiter,
                     translator_.Tr(txt::kDownloadAbgebrochenTeil));
      break;
    case DownloadOutcome::NoTerminal:
    case DownloadOutcome::NotProTerminal:
    case DownloadOutcome::BadImage:
      break;  // said where it was found
  }
  comm_.Close();
  // Folders made for the settings and left empty go again, and so does an
  // empty kept folder: an installation gains nothing it does not need.
  createdFolders_.insert(createdFolders_.begin(), kept_);
  for (const fs::path& folder : createdFolders_) {
    std::error_code folderError;
    if (!folder.empty() && fs::is_directory(fs::symlink_status(folder, folderError)) &&
        fs::is_empty(folder, folderError) && !folderError)
      fs::remove(folder, folderError);
  }
  return outcome;
}

void ProjektDownload::EndTransfer() {
  // Back to 14400 bit/s; the terminal then runs what it holds. Never broken
  // off: a terminal left at another rate would not be found again.
  connect_.SetInterruptible(false);
  Caption(translator_.Tr(txt::kSchrittBeenden));
  connect_.Mode(6);
  connect_.Quit();
}

// The settings files arrive in a folder of their own inside the kept
// folder and join the kept ones only when every pattern has been fetched:
// a copy kept from an earlier download wins over the terminal's, which
// after that download's format can only be a partial restore. True when
// every match arrived or the terminal had none; anything else (a lost or
// damaged reply, a wrong block, an error status, a kept folder that cannot
// be written) must stop the download before a drive is formatted.
bool ProjektDownload::FetchSettings(std::initializer_list<const char*> patterns) {
  fetchedNow_.clear();
  if (kept_.empty()) return false;
  std::error_code ec;
  for (fs::path p = kept_; !p.empty() && !fs::exists(fs::symlink_status(p, ec));
       p = p.parent_path()) {
    createdFolders_.push_back(p);
    if (p == p.parent_path()) break;
  }
  // What an earlier fetch left there (it broke off) goes first.
  const fs::path incoming = kept_ / kIncomingFolder;
  auto clearIncoming = [&incoming] {
    std::error_code ignored;
    fs::remove_all(incoming, ignored);
  };
  clearIncoming();
  fs::create_directories(incoming, ec);
  if (!fs::is_directory(fs::symlink_status(kept_, ec)) ||
      !fs::is_directory(fs::symlink_status(incoming, ec)))
    return false;
  for (const char* pattern : patterns) {
    ReceiveReport report;
    const int result = connect_.Receive(incoming.string(), pattern, &report);
    if (result != 0 && !report.nothingFound) {
      clearIncoming();
      return false;
    }
  }
  const std::vector<LocalEntry> keptFiles = ListImageFiles(kept_, ec);
  for (const LocalEntry& file : ListImageFiles(incoming, ec)) {
    if (FindEntry(keptFiles, file.name)) continue;
    fs::rename(incoming / file.name, kept_ / file.name, ec);
    if (ec) {
      clearIncoming();
      DropFreshCopies();
      return false;
    }
    fetchedNow_.push_back(kept_ / file.name);
  }
  clearIncoming();
  return true;
}

// Copies fetched by this download of files still on the terminal (its drive
// D was not formatted) are not kept: the terminal's own files stay the ones
// that count.
void ProjektDownload::DropFreshCopies() {
  std::error_code ec;
  for (const fs::path& file : fetchedNow_) fs::remove(file, ec);
  fetchedNow_.clear();
}

// Sends every kept settings file back (those of this download and those an
// earlier one could not bring back). Only when all of them arrived are they
// dropped from the kept folder: the terminal has them again.
bool ProjektDownload::RestoreSettings() {
  restored_.clear();
  std::error_code ec;
  if (kept_.empty() || !fs::is_directory(kept_, ec)) return true;
  std::vector<LocalEntry> files = ListImageFiles(kept_, ec);
  if (ec) return false;
  // A file that is no 8.3 name (a receive broken off by a crash) was never
  // a terminal's file.
  std::erase_if(files, [](const LocalEntry& e) { return !FitsShortName(e.name); });
  if (files.empty()) return true;
  Caption(translator_.Tr(txt::kSchrittEinstellungenZurueck));
  // They travel on top of the image: the overall figures include them.
  std::int64_t bytes = 0;
  for (const LocalEntry& file : files) bytes += static_cast<std::int64_t>(file.size);
  SetTotal(totalMaximum_ + bytes);
  for (const LocalEntry& file : files) {
    if (connect_.Send(kept_.string(), file.name) != 0) return false;
    restored_.push_back(file.name);
  }
  for (const LocalEntry& file : files) fs::remove(kept_ / file.name, ec);
  return true;
}

// The files of an image drive one by one, leaving out the settings files
// just sent back: the terminal's own copy wins over one the image brings.
// A drive without files has nothing to send, which is no failure.
bool ProjektDownload::SendImageDrive(const fs::path& drive) {
  std::error_code ec;
  const std::vector<LocalEntry> files = ListImageFiles(drive, ec);
  if (ec) return false;
  for (const LocalEntry& file : files) {
    if (Contains(restored_, file.name)) {
      CountAsSent(file.size);
      continue;
    }
    if (Cancelled() || connect_.Send(drive.string(), file.name) != 0) return false;
  }
  return true;
}

// The outcome of a full download: "Download erfolgreich." only when both
// drives and the terminal's settings files are on the terminal. The download
// stops at the first failure, and each step that can lose something comes
// after the checks that guard it: the settings files are fetched (or found
// absent) before any drive is formatted, and a "unit.ini" that could not be
// looked for keeps drive C from being formatted. The final rate switch and
// "quit" do not count.
DownloadOutcome ProjektDownload::FullDownload(const DownloadImage& image) {
  // A stop ends the transfer properly; a cancel the user asked for is told
  // as such, with what the terminal holds now (`changed`).
  auto stop = [this](DownloadOutcome failure, bool changed) {
    const DownloadOutcome outcome = StopOutcome(failure, changed);
    EndTransfer();
    return outcome;
  };
  // Until drive D is formatted the terminal still has its settings.
  auto stopBeforeFormat = [this, &stop](bool changed) {
    DropFreshCopies();
    return stop(DownloadOutcome::Failed, changed);
  };
  // Up to the first format a cancel loses nothing; formats and the
  // settings' way back are never broken off.
  connect_.SetInterruptible(true);
  Caption(translator_.Tr(txt::kSchrittEinstellungenSichern));
  if (Cancelled() || connect_.SetDrive("d:\\") != 0 || !FetchSettings({"ip*.set", "s*.ini"}))
    return stop(DownloadOutcome::SettingsNotSaved, false);
  if (Cancelled()) return stopBeforeFormat(false);
  Caption(translator_.Tr(txt::kSchrittTerminalPruefen));
  if (connect_.SetDrive("c:\\") != 0) return stopBeforeFormat(false);
  connect_.ClearReplyText();
  const int unit = connect_.FirstDir("unit.ini");
  if (unit != 0 && !IsNotFoundStatus(unit)) return stopBeforeFormat(false);
  bool changed = false;
  if (unit == 0 && FoldCase(connect_.ReplyText()).find("unit") != std::string::npos) {
    SetTotal(static_cast<std::int64_t>(image.totalD));
  } else {
    SetTotal(static_cast<std::int64_t>(image.totalC + image.totalD));
    if (Cancelled()) return stopBeforeFormat(false);
    connect_.SetInterruptible(false);
    const bool formatted = connect_.Format("c:") == 0;
    changed = true;
    connect_.SetInterruptible(true);
    // A drive C that failed leaves drive D, and the settings on it, alone.
    if (!formatted || !SendImageDrive(image.driveC)) return stopBeforeFormat(true);
  }
  if (Cancelled()) return stopBeforeFormat(changed);
  connect_.SetInterruptible(false);
  if (connect_.SetDrive("d:\\") != 0) return stopBeforeFormat(changed);
  const bool formatted = connect_.Format("d:") == 0;
  // Even a format that reported failure may have emptied the drive: the
  // settings go back before anything else.
  const bool restored = RestoreSettings();
  connect_.SetInterruptible(true);
  if (!formatted || !restored || !SendImageDrive(image.driveD))
    return stop(DownloadOutcome::Failed, true);
  EndTransfer();
  return DownloadOutcome::Success;
}

DownloadOutcome ProjektDownload::OptimisedDownload(const DownloadImage& image) {
  const std::string driveD = image.driveD.string();
  // Up to the format or the deletions a cancel loses nothing.
  connect_.SetInterruptible(true);

  // 1. Only terminals with "unit.ini" on drive C take optimised downloads.
  Caption(translator_.Tr(txt::kSchrittTerminalPruefen));
  connect_.ClearReplyText();
  if (connect_.SetDrive("c:\\") == 0) connect_.FirstDir("unit.ini");
  // Up to the deletions nothing is lost by stopping: a failure there ends
  // the download with the terminal as it was (or, after the format, with its
  // settings back on it). Later failures are reported once the rest is done.
  auto stop = [this](DownloadOutcome failure, bool changed) {
    const DownloadOutcome outcome = StopOutcome(failure, changed);
    EndTransfer();
    return outcome;
  };
  if (Cancelled()) return stop(DownloadOutcome::Failed, false);
  if (FoldCase(connect_.ReplyText()).find("unit") == std::string::npos) {
    messages_.Show(MsgKind::Fehler, ButtonSet::Weiter, translator_.Tr(txt::kProTerminalErwartet));
    return DownloadOutcome::NotProTerminal;
  }

  bool failed = false;
  bool changed = false;
  // 2.
  SetTotal(static_cast<std::int64_t>(image.totalD));
  if (connect_.SetDrive("d:\\") != 0) return stop(DownloadOutcome::Failed, false);
  Caption(translator_.Tr(txt::kPruefenDerDateien));

  // 3. The checksum list the terminal kept from the last download. An empty
  // one describes nothing and counts as none.
  std::vector<std::string> changedFiles;
  ReceiveReport list;
  const int listResult = connect_.Receive(driveD, "files.lst", &list);
  if (Cancelled()) return stop(DownloadOutcome::Failed, false);
  if (listResult != 0 || list.received == 0) {
    // None there: fetch the settings files and start from an empty drive.
    Caption(translator_.Tr(txt::kSchrittEinstellungenSichern));
    if (!FetchSettings({"*.set", "*.ini"})) return stop(DownloadOutcome::SettingsNotSaved, false);
    if (Cancelled()) {
      DropFreshCopies();
      return stop(DownloadOutcome::Failed, false);
    }
    connect_.SetInterruptible(false);
    changed = true;
    const bool formatted = connect_.Format("d:") == 0;
    const bool restored = RestoreSettings();
    connect_.SetInterruptible(true);
    if (!restored || !formatted) return stop(DownloadOutcome::Failed, true);
  } else {
    if (connect_.DelFile("files.lst") != 0) return stop(DownloadOutcome::Failed, false);
    const fs::path kept = ResolveCaseInsensitive(image.driveD / kChecksumListName);
    for (const ChecksumEntry& record : ReadChecksumListFile(kept)) {
      for (const ChecksumEntry& local : image.checksums) {
        if (!EqualsIgnoreCase(local.name, record.name)) continue;
        if (local.checksum == record.checksum) break;
        AddName(changedFiles, local.name);
      }
    }
  }

  // 4. The new list travels with the image.
  RemoveAnyCase(image.driveD, kChecksumListName);
  if (!WriteChecksumListFile(image.driveD / kChecksumListName, image.checksums)) failed = true;

  // 5. Files the image does not have, or has with another size. A listing
  // broken off by the line would leave stale files counted as present.
  Caption(translator_.Tr(txt::kUeberfluessigeDateienLoeschen));
  std::error_code ec;
  std::vector<LocalEntry> local = ListImageFiles(image.driveD, ec);
  std::vector<std::string> doomed = changedFiles;
  connect_.ClearReplyText();
  int listed = connect_.FirstDir("*.*");
  // A terminal that never ends its listing must not hold the download.
  for (int entries = 0; listed == 0 && entries < 10000; ++entries) {
    const std::vector<std::string> fields = SplitFields(connect_.ReplyText());
    if (fields.size() < 4 || fields[3].empty()) break;
    const int attribute = std::atoi(fields[0].c_str());
    const std::string& name = fields[3];
    // The settings files just sent back are the terminal's own.
    if ((attribute & (kAttrDirectory | kAttrVolume)) == 0 && !Contains(restored_, name)) {
      const LocalEntry* mine = FindEntry(local, name);
      const std::string upper = Upper(name);
      if (!mine) {
        if (upper.find(".INI") == std::string::npos && upper.find(".SET") == std::string::npos)
          AddName(doomed, name);
      } else if (std::to_string(mine->size) != fields[2]) {
        AddName(doomed, name);
      }
    }
    connect_.ClearReplyText();
    listed = connect_.NextDir();
  }
  if (Cancelled() || (listed != 0 && !IsNotFoundStatus(listed)))
    return stop(DownloadOutcome::Failed, changed);

  // 6. Each deletion is done whole.
  connect_.SetInterruptible(false);
  for (const std::string& name : doomed) {
    connect_.DelFile(name);
    deleted_.push_back(name);
  }
  changed |= !doomed.empty();
  connect_.SetInterruptible(true);

  // 7. What the terminal lacks, or had in another version, is sent.
  Caption(translator_.Tr(txt::kNotwendigeDateienUebertragen));
  local = ListImageFiles(image.driveD, ec);
  bool sendFailed = false;
  for (const LocalEntry& file : local) {
    if (Contains(restored_, file.name)) {
      CountAsSent(file.size);
      continue;
    }
    if (Cancelled()) {
      sendFailed = true;
      break;
    }
    connect_.ClearReplyText();
    const int found = connect_.FirstDir(file.name);
    const std::vector<std::string> fields = SplitFields(connect_.ReplyText());
    const bool present = found == 0 && fields.size() >= 4 && Upper(fields[3]) == Upper(file.name);
    // A changed file whose deletion failed is still there under its name.
    if (!present || Contains(doomed, file.name)) {
      if (Cancelled()) {
        sendFailed = true;
        break;
      }
      sent_.push_back(file.name);
      changed = true;
      if (connect_.Send(driveD, file.name) != 0) {
        sendFailed = true;
        break;
      }
    } else {
      CountAsSent(file.size);
    }
  }
  failed |= sendFailed;

  // 8.
  if (sendFailed && Cancelled()) return stop(DownloadOutcome::Failed, changed);
  if (!sendFailed) EndTransfer();
  return failed ? DownloadOutcome::Failed : DownloadOutcome::Success;
}

std::filesystem::path KeptSettingsFolder(const Installation& install, int station) {
  char name[16];
  std::snprintf(name, sizeof name, "station_%03d", std::clamp(station, 0, 999));
  return install.Resolve(std::string("terminal_settings\\") + name);
}

}  // namespace tavo
