#include "download/protocol/virtualterminal.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "download/protocol/frame.h"
#include "shell/textcase.h"

namespace fs = std::filesystem;

namespace tavo {
namespace {

constexpr std::size_t kMaxData = 2148;
constexpr int kBlockSize = 1024;

std::string Upper(std::string text) {
  for (char& ch : text)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return text;
}

const char* CodeName(std::uint8_t code) {
  static const char* const kNames[] = {
      "version", "getlw", "setlw",   "getdir", "setdir", "makedir", "deldir", "firstdir", "nextdir",
      "delfile", "send",  "receive", "speed",  "quit",   "mode",    "format", "disksize"};
  return code < 17 ? kNames[code] : "unknown";
}

}  // namespace

VirtualTerminal::VirtualTerminal(VirtualTerminalOptions options) : options_(std::move(options)) {}

fs::path VirtualTerminal::DriveFolder(char letter) const {
  return options_.root / std::string(1, letter);
}

bool VirtualTerminal::Prepare(std::string* error) {
  for (char letter : {'C', 'D'}) {
    std::error_code ec;
    fs::create_directories(DriveFolder(letter), ec);
    if (ec || !fs::is_directory(DriveFolder(letter))) {
      if (error)
        *error = DriveFolder(letter).string() + ": " + (ec ? ec.message() : "not a folder");
      return false;
    }
  }
  return true;
}

void VirtualTerminal::Log(const std::string& line) {
  if (log_) log_(line);
}

void VirtualTerminal::Receive(std::span<const std::uint8_t> bytes, std::int64_t nowMs) {
  if (bytes.empty()) return;
  // A frame broken off by silence is dropped, so the next one starts clean.
  if (!buffer_.empty() && nowMs - lastByteMs_ > options_.frameGapMs) buffer_.clear();
  lastByteMs_ = nowMs;
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
  Scan(nowMs);
}

void VirtualTerminal::Scan(std::int64_t nowMs) {
  std::size_t start = 0;
  while (start < buffer_.size()) {
    const std::uint8_t station = buffer_[start];
    if (station != options_.station && station != 0) {
      if (station == 0xAA) ++wakeBytes_;
      ++start;
      continue;
    }
    if (buffer_.size() - start < 3) break;
    const std::size_t length =
        static_cast<std::size_t>(buffer_[start + 1] << 8 | buffer_[start + 2]);
    if (length == 0 || length > kMaxData) {
      ++start;
      continue;
    }
    if (buffer_.size() - start < length + kFrameOverhead) break;
    const std::span<const std::uint8_t> frame(buffer_.data() + start, length + kFrameOverhead);
    if (FrameCrc(frame) != 0) {
      ++start;
      continue;
    }
    const std::vector<std::uint8_t> data(frame.begin() + 3,
                                         frame.begin() + 3 + static_cast<std::ptrdiff_t>(length));
    start += length + kFrameOverhead;
    Handle(station, data, nowMs);
  }
  buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start));
}

void VirtualTerminal::Reply(std::vector<std::uint8_t> data, std::int64_t due) {
  out_.push_back({due, BuildFrame(options_.station, data)});
}

std::vector<std::uint8_t> VirtualTerminal::TakeDue(std::int64_t nowMs) {
  std::vector<std::uint8_t> bytes;
  while (!out_.empty() && out_.front().due <= nowMs) {
    bytes.insert(bytes.end(), out_.front().bytes.begin(), out_.front().bytes.end());
    out_.pop_front();
  }
  return bytes;
}

std::int64_t VirtualTerminal::NextDue() const {
  return out_.empty() ? -1 : out_.front().due;
}

fs::path VirtualTerminal::CurrentFolder() const {
  fs::path folder = DriveFolder(drive_);
  for (const std::string& part : dirs_[drive_ == 'C' ? 0 : 1]) folder /= part;
  return folder;
}

fs::path VirtualTerminal::Find(const std::string& name) const {
  std::error_code ec;
  for (fs::directory_iterator it(CurrentFolder(), ec), end; !ec && it != end; it.increment(ec))
    if (EqualsIgnoreCase(it->path().filename().string(), name)) return it->path();
  return {};
}

FileInfoRecord VirtualTerminal::Describe(const fs::path& entry) const {
  std::error_code ec;
  FileInfoRecord record = DescribeLocalFile(entry, ec);
  record.name = Upper(entry.filename().string()).substr(0, 12);
  return record;
}

std::uint8_t VirtualTerminal::ChangeDir(const std::string& pathIn) {
  std::string path = pathIn;
  if (path.size() >= 2 && path[1] == ':') {
    const char letter = Upper(path.substr(0, 1))[0];
    if (letter != 'C' && letter != 'D') return kInvalidDrive;
    drive_ = letter;
    path.erase(0, 2);
  }
  std::vector<std::string> parts;
  if (path.empty() || (path[0] != '\\' && path[0] != '/')) parts = dirs_[drive_ == 'C' ? 0 : 1];
  std::string part;
  auto take = [&]() -> bool {
    if (part.empty() || part == ".") {
    } else if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else {
      if (!FitsShortName(part)) return false;
      parts.push_back(Upper(part));
    }
    part.clear();
    return true;
  };
  for (char ch : path) {
    if (ch == '\\' || ch == '/') {
      if (!take()) return kPathNotFound;
    } else {
      part += ch;
    }
  }
  if (!take()) return kPathNotFound;
  fs::path folder = DriveFolder(drive_);
  for (const std::string& p : parts) folder /= p;
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return kPathNotFound;
  dirs_[drive_ == 'C' ? 0 : 1] = parts;
  return kOk;
}

std::uint8_t VirtualTerminal::MakeOrDeleteDir(const std::string& name, bool make) {
  // One level below the current folder: names only, no paths.
  if (!FitsShortName(name)) return make ? kInvalidName : kPathNotFound;
  std::error_code ec;
  const fs::path existing = Find(name);
  if (make) {
    if (!existing.empty()) return kAccessDenied;
    fs::create_directory(CurrentFolder() / Upper(name), ec);
    return ec ? kAccessDenied : kOk;
  }
  if (existing.empty() || !fs::is_directory(existing, ec)) return kPathNotFound;
  if (!fs::is_empty(existing, ec)) return kAccessDenied;
  fs::remove(existing, ec);
  return ec ? kAccessDenied : kOk;
}

std::uint8_t VirtualTerminal::List(const std::string& pattern) {
  listing_.clear();
  listingNext_ = 0;
  std::error_code ec;
  for (fs::directory_iterator it(CurrentFolder(), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!name.empty() && name[0] != '.' && MatchesDosPattern(name, pattern))
      listing_.push_back(it->path());
  }
  std::sort(listing_.begin(), listing_.end());
  return listing_.empty() ? kNoMoreFiles : kOk;
}

void VirtualTerminal::Handle(std::uint8_t station, std::span<const std::uint8_t> data,
                             std::int64_t nowMs) {
  const std::uint8_t code = data[0];
  if (code < counts_.size()) ++counts_[code];
  const bool broadcast = station == 0;
  // Of the broadcasts only the rate switch and the end of the transfer mean
  // anything to a terminal; a broadcast is never answered except by "mode".
  if (broadcast && code != kReqMode && code != kReqQuit) return;
  std::vector<std::uint8_t> reply{code, kOk};
  auto status = [&reply](std::uint8_t s) { reply[1] = s; };
  auto need = [&](std::size_t n) {
    if (data.size() >= n) return true;
    status(kInvalid);
    return false;
  };
  std::string note;
  switch (code) {
    case kReqVersion:
      reply.insert(reply.end(), options_.version.begin(), options_.version.end());
      break;
    case kReqGetDrive:
      reply.push_back(static_cast<std::uint8_t>(drive_));
      break;
    case kReqSetDrive:
      if (need(2)) {
        const char letter = Upper(std::string(1, static_cast<char>(data[1])))[0];
        if (letter == 'C' || letter == 'D')
          drive_ = letter;
        else
          status(kInvalidDrive);
        note = std::string(1, letter);
      }
      break;
    case kReqGetDir: {
      std::string dir = "\\";
      for (const std::string& part : dirs_[drive_ == 'C' ? 0 : 1]) dir += part + "\\";
      if (dir.size() > 1) dir.pop_back();
      std::uint8_t counted[129];
      PutCounted(counted, 128, dir);
      reply.insert(reply.end(), counted, counted + 129);
      break;
    }
    case kReqSetDir:
    case kReqMakeDir:
    case kReqDelDir:
      if (need(130)) {
        note = GetCounted(data.data() + 1, 128);
        status(code == kReqSetDir ? ChangeDir(note) : MakeOrDeleteDir(note, code == kReqMakeDir));
      }
      break;
    case kReqFirstDir:
    case kReqNextDir: {
      std::uint8_t s = kOk;
      if (code == kReqFirstDir) {
        if (!need(14)) break;
        note = GetCounted(data.data() + 1, 12);
        s = List(note);
      } else if (listingNext_ >= listing_.size()) {
        s = kNoMoreFiles;
      }
      if (s == kOk) {
        const FileInfoRecord record = Describe(listing_[listingNext_++]);
        std::uint8_t encoded[kFileInfoSize];
        EncodeFileInfo(record, encoded);
        reply.insert(reply.end(), encoded, encoded + kFileInfoSize);
        note += (note.empty() ? "" : " ") + record.name;
      }
      status(s);
      break;
    }
    case kReqDelFile: {
      if (!need(23)) break;
      const FileInfoRecord record = DecodeFileInfo(data.data() + 1);
      note = record.name;
      const fs::path file = Find(record.name);
      std::error_code ec;
      if (file.empty())
        status(kFileNotFound);
      else if (fs::is_directory(file, ec))
        status(kAccessDenied);
      else if (!fs::remove(file, ec) || ec)
        status(kAccessDenied);
      break;
    }
    case kReqSend: {
      if (!need(31)) break;
      const FileInfoRecord record = DecodeFileInfo(data.data() + 1);
      const std::uint16_t block = GetU16(data.data() + 23);
      const std::uint32_t offset = GetU32(data.data() + 25);
      const std::uint16_t count = GetU16(data.data() + 29);
      note = record.name + " #" + std::to_string(block);
      reply.push_back(data[23]);
      reply.push_back(data[24]);
      if (!FitsShortName(record.name)) {
        status(kInvalidName);
        break;
      }
      if (count > kBlockSize || data.size() != 31u + count || record.size < 0 ||
          static_cast<std::int64_t>(offset) + count > record.size) {
        status(kInvalid);
        break;
      }
      fs::path file = Find(record.name);
      std::error_code ec;
      if (!file.empty() && fs::is_directory(file, ec)) {
        status(kAccessDenied);
        break;
      }
      if (file.empty()) file = CurrentFolder() / Upper(record.name);
      // The first block starts the file afresh; a block sent again after a
      // lost reply lands where it did before.
      std::fstream out;
      if (offset == 0) {
        out.open(file, std::ios::binary | std::ios::out | std::ios::trunc);
      } else {
        out.open(file, std::ios::binary | std::ios::in | std::ios::out);
      }
      if (out) {
        out.seekp(offset);
        out.write(reinterpret_cast<const char*>(data.data() + 31), count);
        out.close();
      }
      if (!out) status(kWriteFault);
      break;
    }
    case kReqReceive: {
      if (!need(29)) break;
      const FileInfoRecord asked = DecodeFileInfo(data.data() + 1);
      const std::uint32_t offset = GetU32(data.data() + 25);
      note = asked.name + " #" + std::to_string(GetU16(data.data() + 23));
      const fs::path file = Find(asked.name);
      std::error_code ec;
      if (file.empty() || fs::is_directory(file, ec)) {
        status(kFileNotFound);
        break;
      }
      const FileInfoRecord record = Describe(file);
      std::uint8_t encoded[kFileInfoSize];
      EncodeFileInfo(record, encoded);
      std::vector<std::uint8_t> block(kBlockSize);
      std::ifstream in(file, std::ios::binary);
      in.seekg(offset);
      in.read(reinterpret_cast<char*>(block.data()), kBlockSize);
      const std::uint16_t count =
          static_cast<std::uint16_t>(std::max<std::streamsize>(in.gcount(), 0));
      reply.insert(reply.end(), encoded, encoded + kFileInfoSize);
      reply.insert(reply.end(), data.begin() + 23, data.begin() + 29);  // block, offset
      reply.push_back(static_cast<std::uint8_t>(count));
      reply.push_back(static_cast<std::uint8_t>(count >> 8));
      reply.insert(reply.end(), block.begin(), block.begin() + count);
      break;
    }
    case kReqSpeed: {
      // The line's rate in hundreds of bits per second.
      const int rate = RateOfIndex(rateIndex_ != 0 ? rateIndex_ : 6);
      reply.push_back(static_cast<std::uint8_t>(rate / 100));
      reply.push_back(static_cast<std::uint8_t>((rate / 100) >> 8));
      break;
    }
    case kReqQuit:
      // The terminal starts its project: the transfer state is gone.
      ++quits_;
      drive_ = 'C';
      dirs_ = {};
      listing_.clear();
      listingNext_ = 0;
      Log(std::string("quit") + (broadcast ? " (broadcast)" : ""));
      return;
    case kReqMode:
      if (need(2)) {
        note = std::to_string(data[1]);
        if (RateOfIndex(data[1]) == 0) {
          status(kInvalid);
        } else {
          rateIndex_ = data[1];
        }
      }
      break;
    case kReqFormat: {
      std::error_code ec;
      std::vector<fs::path> entries;
      for (fs::directory_iterator it(DriveFolder(drive_), ec), end; !ec && it != end;
           it.increment(ec))
        entries.push_back(it->path());
      for (const fs::path& entry : entries) fs::remove_all(entry, ec);
      dirs_[drive_ == 'C' ? 0 : 1].clear();
      listing_.clear();
      note = std::string(1, drive_);
      Reply(reply, nowMs);
      // The second reply tells that the drive is ready again.
      Reply(reply, nowMs + options_.formatMs);
      Log(std::string("format ") + note);
      return;
    }
    case kReqDiskSize: {
      std::int64_t used = 0;
      std::error_code ec;
      for (fs::recursive_directory_iterator it(DriveFolder(drive_), ec), end; !ec && it != end;
           it.increment(ec))
        if (it->is_regular_file(ec)) used += static_cast<std::int64_t>(it->file_size(ec));
      const std::int64_t free = std::max<std::int64_t>(0, options_.capacity - used);
      std::uint8_t sizes[8];
      PutU32(sizes,
             static_cast<std::uint32_t>(std::min<std::int64_t>(options_.capacity, 0x7FFFFFFF)));
      PutU32(sizes + 4, static_cast<std::uint32_t>(std::min<std::int64_t>(free, 0x7FFFFFFF)));
      reply.insert(reply.end(), sizes, sizes + 8);
      break;
    }
    default:
      status(kInvalid);
      break;
  }
  Log(std::string(CodeName(code)) + (note.empty() ? "" : " " + note) +
      (reply[1] != kOk ? " -> " + std::to_string(reply[1]) : ""));
  Reply(std::move(reply), nowMs);
}

}  // namespace tavo
