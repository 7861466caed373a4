#include "download/protocol/projektdownload.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "download/comm.h"
#include "download/progress.h"
#include "download/protocol/eventclock.h"
#include "download/protocol/fileinfo.h"
#include "shell/language.h"
#include "shell/messagebox.h"
#include "shell/textcase.h"
#include "shell/texts.h"

namespace fs = std::filesystem;

namespace tavo {

namespace {

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

bool IsTerminalStatus(int result) {
  return result != kResultWrongReply && result != kResultBlockMismatch && result != kResultNoReply;
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

bool ProjektDownload::WakeTerminal() {
  for (int attempt = 1; attempt <= 20; ++attempt) {
    int ticks = 0;
    bool sendFlag = true;
    // Ten bytes 0xAA about 50 ms apart, then some 100 ms of silence.
    const EventClock::TimerId timer = clock_.StartTimer(50, [&] {
      if (!comm_.Active()) comm_.Open();
      if (sendFlag) comm_.WriteByte(0xAA);
      if (ticks < 200) ++ticks;
    });
    while (ticks < 12) {
      clock_.ProcessEvents();
      if (ticks >= 10) sendFlag = false;
    }
    clock_.StopTimer(timer);
    connect_.ClearReplyText();
    connect_.Version();
    if (!connect_.ReplyText().empty() || comm_.InCount() != 0) break;
  }
  version_ = connect_.ReplyText();
  return !version_.empty();
}

DownloadOutcome ProjektDownload::Run(const DownloadImage& image, const DownloadOptions& options) {
  scope_ = options.scope;
  deleted_.clear();
  sent_.clear();
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
  if (!comm_.Open() || !WakeTerminal()) {
    comm_.Close();
    messages_.Show(MsgKind::Fehler, ButtonSet::Weiter, translator_.Tr(txt::kKeinTerminalGefunden));
    return DownloadOutcome::NoTerminal;
  }

  connect_.SetTransferred(0);
  if (TransferDisplay* display = connect_.Display())
    display->SetTotalMaximum(static_cast<std::int64_t>(image.totalD));
  if (connect_.Mode(options.rateIndex) == 0 && options.firstGeneration) scope_ = 0;

  DownloadOutcome outcome;
  if (scope_ == 0) {
    outcome = FullDownload(image) ? DownloadOutcome::Success : DownloadOutcome::Failed;
  } else {
    outcome = OptimisedDownload(image);
  }
  if (outcome == DownloadOutcome::Success)
    messages_.Show(MsgKind::Information, ButtonSet::Weiter,
                   translator_.Tr(txt::kDownloadErfolgreich));
  else if (outcome == DownloadOutcome::Failed)
    messages_.Show(MsgKind::Fehler, ButtonSet::Weiter, translator_.Tr(txt::kDownloadFehlerhaft));
  comm_.Close();
  return outcome;
}

// The steps whose failure leaves the terminal without the image count:
// selecting drive D, formatting and sending. The settings files the
// terminal may not have, the look for "unit.ini", the final rate switch and
// "quit" do not.
bool ProjektDownload::FullDownload(const DownloadImage& image) {
  TransferDisplay* display = connect_.Display();
  const std::string driveD = image.driveD.string();
  bool ok = true;
  auto count = [&ok](int result) {
    if (result != 0) ok = false;
  };
  // An image drive without files has nothing to send, which is no failure.
  auto SendDrive = [&](const fs::path& drive, const auto& counter) {
    std::error_code ec;
    const bool empty = ListImageFiles(drive, ec).empty() && !ec;
    const int result = connect_.Send(drive.string(), "*.*");
    if (!empty) counter(result);
  };
  count(connect_.SetDrive("d:\\"));
  connect_.Receive(driveD, "ip*.set");
  connect_.Receive(driveD, "s*.ini");
  connect_.SetDrive("c:\\");
  connect_.ClearReplyText();
  connect_.FirstDir("unit.ini");
  if (FoldCase(connect_.ReplyText()).find("unit") != std::string::npos) {
    if (display) display->SetTotalMaximum(static_cast<std::int64_t>(image.totalD));
  } else {
    if (display) display->SetTotalMaximum(static_cast<std::int64_t>(image.totalC + image.totalD));
    count(connect_.Format("c:"));
    SendDrive(image.driveC, count);
  }
  count(connect_.SetDrive("d:\\"));
  count(connect_.Format("d:"));
  SendDrive(image.driveD, count);
  connect_.Mode(6);
  connect_.Quit();
  return ok;
}

DownloadOutcome ProjektDownload::OptimisedDownload(const DownloadImage& image) {
  TransferDisplay* display = connect_.Display();
  const std::string driveD = image.driveD.string();

  // 1. Only terminals with "unit.ini" on drive C take optimised downloads.
  connect_.ClearReplyText();
  if (connect_.SetDrive("c:\\") == 0) connect_.FirstDir("unit.ini");
  if (FoldCase(connect_.ReplyText()).find("unit") == std::string::npos) {
    messages_.Show(MsgKind::Fehler, ButtonSet::Weiter, translator_.Tr(txt::kProTerminalErwartet));
    return DownloadOutcome::NotProTerminal;
  }

  // Once a step has failed the download is reported as failed, even when
  // later sends succeed: the terminal may hold stale files.
  bool failed = false;
  // 2.
  if (display) display->SetTotalMaximum(static_cast<std::int64_t>(image.totalD));
  int flag = connect_.SetDrive("d:\\");
  failed |= flag != 0;
  Caption(translator_.Tr(txt::kPruefenDerDateien));

  // 3. The checksum list the terminal kept from the last download.
  std::vector<std::string> changed;
  if (flag == 0) {
    if (connect_.Receive(driveD, "files.lst") != 0) {
      // None there: fetch the settings files and start from an empty drive.
      // A terminal without settings files is no failure.
      auto fetch = [&](const char* pattern) {
        int received = 0;
        const int r = connect_.Receive(driveD, pattern, &received);
        return r != 0 && received == 0 && IsTerminalStatus(r) ? 0 : r;
      };
      flag = fetch("*.set");
      if (flag == 0) flag = fetch("*.ini");
      if (flag == 0) flag = connect_.Format("d:");
    } else {
      flag = connect_.DelFile("files.lst");
      if (flag == 0) {
        const fs::path kept = ResolveCaseInsensitive(image.driveD / kChecksumListName);
        for (const ChecksumEntry& record : ReadChecksumListFile(kept)) {
          for (const ChecksumEntry& local : image.checksums) {
            if (!EqualsIgnoreCase(local.name, record.name)) continue;
            if (local.checksum == record.checksum) break;
            AddName(changed, local.name);
          }
        }
      }
    }
    failed |= flag != 0;
  }

  // 4. The new list travels with the image.
  if (flag == 0) {
    RemoveAnyCase(image.driveD, kChecksumListName);
    if (!WriteChecksumListFile(image.driveD / kChecksumListName, image.checksums)) failed = true;
  }

  // 5. Files the image does not have, or has with another size.
  Caption(translator_.Tr(txt::kUeberfluessigeDateienLoeschen));
  std::error_code ec;
  std::vector<LocalEntry> local = ListImageFiles(image.driveD, ec);
  std::vector<std::string> doomed = changed;
  connect_.ClearReplyText();
  connect_.FirstDir("*.*");
  // A terminal that never ends its listing must not hold the download.
  for (int entries = 0; !connect_.ReplyText().empty() && entries < 10000; ++entries) {
    const std::vector<std::string> fields = SplitFields(connect_.ReplyText());
    if (fields.size() < 4 || fields[3].empty()) break;
    const int attribute = std::atoi(fields[0].c_str());
    const std::string& name = fields[3];
    if ((attribute & (kAttrDirectory | kAttrVolume)) == 0) {
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
    connect_.NextDir();
  }

  // 6.
  for (const std::string& name : doomed) {
    connect_.DelFile(name);
    deleted_.push_back(name);
  }

  // 7. What the terminal lacks, or had in another version, is sent.
  Caption(translator_.Tr(txt::kNotwendigeDateienUebertragen));
  local = ListImageFiles(image.driveD, ec);
  bool sendFailed = false;
  for (const LocalEntry& file : local) {
    connect_.ClearReplyText();
    const int found = connect_.FirstDir(file.name);
    const std::vector<std::string> fields = SplitFields(connect_.ReplyText());
    const bool present = found == 0 && fields.size() >= 4 && Upper(fields[3]) == Upper(file.name);
    // A changed file whose deletion failed is still there under its name.
    if (!present || Contains(doomed, file.name)) {
      sent_.push_back(file.name);
      if (connect_.Send(driveD, file.name) != 0) {
        sendFailed = true;
        break;
      }
    } else {
      connect_.SetTransferred(connect_.Transferred() + static_cast<std::int32_t>(file.size));
      clock_.ProcessEvents();
    }
  }
  failed |= sendFailed;

  // 8.
  if (!sendFailed) {
    connect_.Mode(6);
    connect_.Quit();
  }
  return failed ? DownloadOutcome::Failed : DownloadOutcome::Success;
}

}  // namespace tavo
