#include "download/progress.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <vector>

#include "download/comm.h"
#include "download/protocol/frame.h"
#include "shell/language.h"
#include "shell/messagebox.h"
#include "shell/textcase.h"
#include "shell/texts.h"
#include "shell/textvalues.h"

namespace fs = std::filesystem;

namespace tavo {
namespace {

// The largest reply frame a request can bring, for the line time of the wait.
std::size_t MaxReplyFrame(std::uint8_t code) {
  std::size_t data = 2;
  switch (code) {
    case kReqVersion:
      data += 3;
      break;
    case kReqGetDrive:
      data += 1;
      break;
    case kReqGetDir:
      data += 129;
      break;
    case kReqFirstDir:
    case kReqNextDir:
      data += kFileInfoSize;
      break;
    case kReqSend:
    case kReqSpeed:
      data += 2;
      break;
    case kReqReceive:
      data += 30 + TDownloadConnect::kBlockSize;
      break;
    case kReqDiskSize:
      data += 8;
      break;
    default:
      break;
  }
  return data + kFrameOverhead;
}

bool IsSeparator(char ch) {
  return ch == '\\' || ch == '/';
}

// "d:" as the user knows it: "D:".
std::string UpperDrive(std::string_view drive) {
  std::string shown(drive.substr(0, 2));
  for (char& ch : shown)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return shown;
}

// A name from the terminal becomes a local file name: nothing that could
// leave the working directory.
bool IsSafeLocalName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  return std::none_of(name.begin(), name.end(), [](char ch) {
    return IsSeparator(ch) || ch == ':' || static_cast<unsigned char>(ch) < 0x20;
  });
}

int ErrnoOr(int fallback) {
  return errno != 0 ? errno : fallback;
}

}  // namespace

bool IsNotFoundStatus(int result) {
  return result == 2 || result == 3 || result == 18;
}

std::string NormalisePath(std::string_view path) {
  std::string result(path);
  if (result.size() >= 2 && result[1] == ':' && result.size() <= 3) {
    if (!IsSeparator(result.back())) result += '\\';
  } else if (!result.empty() && IsSeparator(result.back())) {
    result.pop_back();
  }
  return result;
}

TDownloadConnect::TDownloadConnect(TComm& comm, EventClock& clock, MessageBox& messages,
                                   Translator& translator, TransferDisplay* display)
    : comm_(comm), clock_(clock), messages_(messages), translator_(translator), display_(display) {
  std::error_code ec;
  localDir_ = fs::current_path(ec);
  if (display_) display_->SetFileProgress(0, 0);
  tickTimer_ = clock_.StartTimer(kTickMs, [this] { Tick(); });
  pollTimer_ = clock_.StartTimer(1, [this] { PollLine(); });
}

TDownloadConnect::~TDownloadConnect() {
  clock_.StopTimer(pollTimer_);
  clock_.StopTimer(tickTimer_);
}

void TDownloadConnect::SetTransferred(std::int32_t total) {
  transferred_ = total;
  if (display_) display_->SetTotalProgress(transferred_);
}

// The label says in words what the terminal is doing; commands that only
// ask something leave the step the sequence shows, and let the window
// repaint.
void TDownloadConnect::ShowCommand(const std::string& text) {
  if (display_ && !text.empty()) display_->SetCommandLabel(text);
  clock_.ProcessEvents();
}

// --- software timers -------------------------------------------------------

int TDownloadConnect::TakeTimer() {
  for (int n = 1; n <= kSoftTimers; ++n) {
    if (!timers_[n].inUse) {
      timers_[n] = SoftTimer{true, 0, 0, false};
      return n;
    }
  }
  return 0;
}

void TDownloadConnect::ArmTimer(int number, int milliseconds) {
  if (number < 1 || number > kSoftTimers) return;
  const int ticks = std::clamp(milliseconds / kTickMs + 1, 1, 0xFFFF);
  timers_[number].counter = static_cast<std::uint16_t>(ticks);
  timers_[number].reload = static_cast<std::uint16_t>(ticks);
  timers_[number].expired = false;
}

bool TDownloadConnect::PollTimer(int number) {
  clock_.ProcessEvents();
  // The wait for a reply ends as soon as its bytes are there, not at the
  // next 1 ms poll: the events just handled may have been their arrival.
  PollLine();
  if (number < 1 || number > kSoftTimers) return true;
  return timers_[number].expired;
}

void TDownloadConnect::ReleaseTimer(int number) {
  if (number >= 1 && number <= kSoftTimers) timers_[number].inUse = false;
}

void TDownloadConnect::WaitTimer(int number) {
  while (!PollTimer(number)) {
  }
}

void TDownloadConnect::Tick() {
  for (int n = 1; n <= kSoftTimers; ++n) {
    SoftTimer& t = timers_[n];
    if (!t.inUse) continue;
    if (t.counter == 0) t.expired = true;
    if (t.counter != 0)
      --t.counter;
    else
      t.counter = t.reload;
  }
}

// --- line ------------------------------------------------------------------

void TDownloadConnect::PollLine() {
  if (!comm_.Active()) return;
  int waiting = comm_.InCount();
  if (waiting <= 0) return;
  std::uint8_t chunk[1024];
  int taken = 0;
  while (waiting > 0) {
    const int n = comm_.Read(chunk, std::min<int>(waiting, sizeof chunk));
    if (n <= 0) break;
    // A full buffer drops what comes on; such a reply cannot check anyway.
    const int room = kReceiveBufferSize - received_;
    const int keep = std::min(n, room);
    std::copy(chunk, chunk + keep, receive_.begin() + received_);
    received_ = static_cast<std::uint16_t>(received_ + keep);
    taken += n;
    waiting -= n;
  }
  lastChunk_ = taken;
  if (received_ >= 3)
    expected_ = static_cast<std::uint16_t>(kFrameOverhead + (receive_[1] << 8 | receive_[2]));
}

void TDownloadConnect::SendRequest(int length) {
  received_ = 0;
  if (station_ == 0 && !broadcast_) return;
  const std::vector<std::uint8_t> frame = BuildFrame(
      station_, std::span<const std::uint8_t>(request_.data(), static_cast<std::size_t>(length)));
  if (!comm_.Active()) comm_.Open();
  lastChunk_ = 0;
  comm_.Write(frame.data(), static_cast<int>(frame.size()));
}

bool TDownloadConnect::CheckReply() {
  const std::array<std::uint8_t, kReceiveBufferSize> frame = receive_;
  const int count = received_;
  received_ = 0;
  if (count < 3) return false;
  if (frame[0] != station_ && frame[0] != 0 && station_ != 0) return false;
  const int length = frame[1] << 8 | frame[2];
  // At most 1400 bytes of data and check value are taken in. A reply needs
  // its code and status, and all of its bytes.
  if (length + 2 > 1400 || length < 2 || count < length + static_cast<int>(kFrameOverhead))
    return false;
  std::copy(frame.begin() + 3, frame.begin() + 3 + length + 2, reply_.begin());
  replyLength_ = length;
  const int frameLength = length + static_cast<int>(kFrameOverhead);
  if (FrameCrc(
          std::span<const std::uint8_t>(frame.data(), static_cast<std::size_t>(frameLength))) != 0)
    return false;
  // Bytes behind the frame belong to the next one (the second reply of
  // "format" may follow the first closely); they stay for it.
  if (count > frameLength) {
    std::copy(frame.begin() + frameLength, frame.begin() + count, receive_.begin());
    received_ = static_cast<std::uint16_t>(count - frameLength);
  }
  return true;
}

int TDownloadConnect::Exchange(int length, int timeoutMs) {
  const std::uint8_t code = request_[0];
  // The time-out starts when the frame goes to the driver; at low rates the
  // frames themselves take longer than that on the line.
  const int lineMs = LineTimeMs(static_cast<std::size_t>(length) + kFrameOverhead, comm_.Baud()) +
                     LineTimeMs(MaxReplyFrame(code), comm_.Baud());
  for (int attempt = 0; attempt < 3; ++attempt) {
    // Each attempt starts on a fresh line: what is left of an earlier reply
    // is dropped and the port settings are applied again.
    comm_.Restart();
    received_ = 0;
    expected_ = kUnknownLength;
    SendRequest(length);
    if (station_ == 0 && broadcast_) return 0;
    const int timer = TakeTimer();
    ArmTimer(timer, timeoutMs + 100 + lineMs);
    while (received_ < expected_ && !PollTimer(timer)) {
      if (Interrupted()) {
        ReleaseTimer(timer);
        return kResultCancelled;
      }
    }
    ReleaseTimer(timer);
    if (CheckReply()) {
      expected_ =
          received_ >= 3
              ? static_cast<std::uint16_t>(kFrameOverhead + (receive_[1] << 8 | receive_[2]))
              : kUnknownLength;
      return reply_[0] == code ? reply_[1] : kResultWrongReply;
    }
  }
  return kResultNoReply;
}

int TDownloadConnect::SimpleRequest(std::uint8_t code, int timeoutMs) {
  request_[0] = code;
  return Exchange(1, timeoutMs);
}

int TDownloadConnect::PathRequest(std::uint8_t code, std::string_view path) {
  request_[0] = code;
  PutCounted(request_.data() + 1, 128, path);
  return Exchange(130, 500);
}

// --- text commands ---------------------------------------------------------

int TDownloadConnect::Execute(std::string_view line) {
  const std::string lower = FoldCase(line);
  std::size_t pos = 0;
  auto next = [&]() {
    const std::size_t end = lower.find_first_of("(,);", pos);
    std::string token = lower.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    pos = end == std::string::npos ? lower.size() : end + 1;
    return token;
  };
  const std::string word = next();
  replyText_.clear();
  if (word == "version") return Version();
  if (word == "getlw") return GetDrive();
  if (word == "getdir") return GetDir();
  if (word == "speed") return Speed();
  if (word == "nextdir") return NextDir();
  if (word == "quit") return Quit();
  if (word == "disksize") return DiskSize();
  if (word == "send" || word == "receive") {
    const std::string dir = next();
    const std::string pattern = next();
    return word == "send" ? Send(dir, pattern) : Receive(dir, pattern);
  }
  const std::string argument = next();
  if (word == "setlw") return SetDrive(argument);
  if (word == "setdir") return SetDir(argument);
  if (word == "makedir") return MakeDir(argument);
  if (word == "deldir") return DelDir(argument);
  if (word == "delfile") return DelFile(argument);
  if (word == "firstdir") return FirstDir(argument);
  if (word == "cd") return Cd(argument);
  if (word == "md") return Md(argument);
  if (word == "mode") {
    // A number that does not parse selects no rate: the terminal is told 0.
    int index = 0;
    for (char ch : argument) {
      if (ch < '0' || ch > '9') break;
      index = std::min(index * 10 + (ch - '0'), 255);
    }
    return Mode(index);
  }
  if (word == "format") return Format(argument);
  return 0;
}

int TDownloadConnect::Version() {
  replyText_.clear();
  const int r = SimpleRequest(kReqVersion, 500);
  if (r != 0) return r;
  if (replyLength_ < 5) return kResultNoReply;
  for (int i = 2; i < 5; ++i) replyText_ += std::to_string(reply_[i]) + ";";
  return 0;
}

int TDownloadConnect::GetDrive() {
  replyText_.clear();
  ShowCommand("");
  const int r = SimpleRequest(kReqGetDrive, 500);
  if (r != 0) return r;
  if (replyLength_ < 3) return kResultNoReply;
  replyText_ = std::string(1, static_cast<char>(reply_[2])) + ";";
  return 0;
}

int TDownloadConnect::SetDrive(std::string_view drive) {
  replyText_.clear();
  ShowCommand("");
  return SetDriveRequest(drive);
}

int TDownloadConnect::SetDriveRequest(std::string_view drive) {
  if (drive.empty()) return kResultNoReply;
  char letter = drive[0];
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  request_[0] = kReqSetDrive;
  request_[1] = static_cast<std::uint8_t>(letter);
  return Exchange(2, 500);
}

int TDownloadConnect::GetDir() {
  replyText_.clear();
  const int r = SimpleRequest(kReqGetDir, 500);
  if (r != 0) return r;
  if (replyLength_ < 3) return kResultNoReply;
  replyText_ = GetCounted(reply_.data() + 2, std::min(128, replyLength_ - 3)) + ";";
  return 0;
}

int TDownloadConnect::SetDir(std::string_view path) {
  replyText_.clear();
  ShowCommand("");
  return PathRequest(kReqSetDir, NormalisePath(path));
}

int TDownloadConnect::MakeDir(std::string_view name) {
  replyText_.clear();
  ShowCommand("");
  // The drive folders of the terminal exist already.
  for (std::string_view fixed : {"c_terminal", "d_terminal", "e_terminal", "f_terminal"})
    if (name == fixed) return 0;
  return PathRequest(kReqMakeDir, name);
}

int TDownloadConnect::DelDir(std::string_view name) {
  replyText_.clear();
  ShowCommand("");
  return PathRequest(kReqDelDir, name);
}

namespace {
std::string EntryText(const FileInfoRecord& e) {
  return std::to_string(e.attribute) + ";" + std::to_string(e.time) + ";" + std::to_string(e.size) +
         ";" + e.name + ";";
}
}  // namespace

int TDownloadConnect::FirstDir(std::string_view pattern) {
  replyText_.clear();
  ShowCommand("");
  request_[0] = kReqFirstDir;
  PutCounted(request_.data() + 1, 12, pattern);
  const int r = Exchange(14, 500);
  if (r != 0) return r;
  if (replyLength_ < 2 + static_cast<int>(kFileInfoSize)) return kResultNoReply;
  current_ = DecodeFileInfo(reply_.data() + 2);
  replyText_ = EntryText(current_);
  return 0;
}

int TDownloadConnect::NextDir() {
  replyText_.clear();
  ShowCommand("");
  const int r = SimpleRequest(kReqNextDir, 500);
  if (r != 0) return r;
  if (replyLength_ < 2 + static_cast<int>(kFileInfoSize)) return kResultNoReply;
  current_ = DecodeFileInfo(reply_.data() + 2);
  replyText_ = EntryText(current_);
  return 0;
}

int TDownloadConnect::DelFile(std::string_view name) {
  int r = FirstDir(name);
  replyText_.clear();
  if (r != 0) return r;
  request_[0] = kReqDelFile;
  EncodeFileInfo(current_, request_.data() + 1);
  return Exchange(23, 500);
}

int TDownloadConnect::Speed() {
  replyText_.clear();
  ShowCommand("");
  const int r = SimpleRequest(kReqSpeed, 5000);
  if (r != 0) return r;
  if (replyLength_ < 4) return kResultNoReply;
  replyText_ = std::to_string(GetU16(reply_.data() + 2)) + ";";
  return 0;
}

int TDownloadConnect::DiskSize() {
  replyText_.clear();
  const int r = SimpleRequest(kReqDiskSize, 100);
  if (r != 0) return r;
  if (replyLength_ < 10) return kResultNoReply;
  replyText_ = std::to_string(static_cast<std::int32_t>(GetU32(reply_.data() + 2))) + ";" +
               std::to_string(static_cast<std::int32_t>(GetU32(reply_.data() + 6))) + ";";
  return 0;
}

int TDownloadConnect::Quit() {
  replyText_.clear();
  const std::uint8_t saved = station_;
  station_ = 0;
  request_[0] = kReqQuit;
  SendRequest(1);
  station_ = saved;
  return 0;
}

int TDownloadConnect::Mode(int rateIndex) {
  replyText_.clear();
  const int shownRate = RateOfIndex(rateIndex);
  ShowCommand(WithValues(translator_.Tr(txt::kSchrittGeschwindigkeit),
                         {shownRate != 0 ? std::to_string(shownRate) : std::to_string(rateIndex)}));
  const std::uint8_t saved = station_;
  station_ = 0;
  request_[0] = kReqMode;
  request_[1] = static_cast<std::uint8_t>(rateIndex);
  SendRequest(2);
  const int timer = TakeTimer();
  // The answer needs its line time on top, at 300 bit/s nearly half a second.
  ArmTimer(timer, 500 + LineTimeMs(2 * (kFrameOverhead + 2), comm_.Baud()));
  WaitTimer(timer);
  ArmTimer(timer, 2);
  WaitTimer(timer);
  ReleaseTimer(timer);
  const bool valid = CheckReply();
  station_ = saved;
  if (!valid) return kResultNoReply;
  // A terminal that declines the rate stays where it is; so does the editor.
  if (reply_[0] != kReqMode) return kResultWrongReply;
  if (reply_[1] != 0) return reply_[1];
  const int rate = RateOfIndex(rateIndex);
  if (rate != 0) {
    comm_.SetBaud(rate);
    if (!comm_.Active() && !comm_.LastError().empty()) return kResultNoReply;
  }
  return 0;
}

int TDownloadConnect::Format(std::string_view drive) {
  replyText_.clear();
  ShowCommand(WithValues(translator_.Tr(txt::kSchrittFormatieren), {UpperDrive(drive)}));
  if (SetDriveRequest(drive) != 0) return kResultNoReply;
  const int timer = TakeTimer();
  ArmTimer(timer, 18000);
  request_[0] = kReqFormat;
  const int status = Exchange(1, 18000);
  int result = kResultNoReply;
  if (status == 0 || status == 18) {
    lastChunk_ = 0;
    while (received_ == 0 && lastChunk_ == 0 && comm_.InCount() == 0 && !PollTimer(timer)) {
    }
    // The second reply is tested once it is complete, not at its first byte.
    while (received_ < expected_ && !PollTimer(timer)) {
    }
    result = CheckReply() ? 0 : kResultNoReply;
  }
  ReleaseTimer(timer);
  return result;
}

// --- local side ------------------------------------------------------------

int TDownloadConnect::ChangeLocalDir(std::string_view path) {
  const std::string normalised = NormalisePath(path);
  if (normalised.empty()) return ENOENT;
  fs::path target(normalised);
  if (target.is_relative()) target = localDir_ / target;
  target = ResolveCaseInsensitive(target);
  std::error_code ec;
  if (!fs::is_directory(target, ec)) return ec ? ec.value() : ENOENT;
  localDir_ = target;
  return 0;
}

int TDownloadConnect::Cd(std::string_view path) {
  replyText_.clear();
  ShowCommand("");
  return ChangeLocalDir(path);
}

int TDownloadConnect::Md(std::string_view path) {
  replyText_.clear();
  ShowCommand("");
  fs::path target(NormalisePath(path));
  if (target.empty()) return ENOENT;
  if (target.is_relative()) target = localDir_ / target;
  target = ResolveCaseInsensitive(target);
  std::error_code ec;
  if (fs::create_directory(target, ec)) return 0;
  if (!ec) return EEXIST;
  return ec.value();
}

// --- files -----------------------------------------------------------------

int TDownloadConnect::SendFile(const FileInfoRecord& record, const fs::path& file) {
  if (record.IsDirectoryOrVolume()) return 0;
  errno = 0;
  std::FILE* in = std::fopen(file.c_str(), "rb");
  if (!in) return ErrnoOr(ENOENT);
  const std::int32_t size = record.size;
  std::int32_t offset = 0;
  std::uint16_t block = 1;
  int attempts = 0;
  int status = 0;
  std::uint8_t data[kBlockSize];
  while (offset < size) {
    if (Interrupted()) {
      status = kResultCancelled;
      break;
    }
    const int want = static_cast<int>(std::min<std::int32_t>(kBlockSize, size - offset));
    int count = 0;
    if (std::fseek(in, offset, SEEK_SET) == 0)
      count = static_cast<int>(std::fread(data, 1, static_cast<std::size_t>(want), in));
    // A file that shrank under us would never finish.
    if (count <= 0) {
      status = ErrnoOr(EIO);
      break;
    }
    request_[0] = kReqSend;
    EncodeFileInfo(record, request_.data() + 1);
    PutU16(request_.data() + 23, block);
    PutU32(request_.data() + 25, static_cast<std::uint32_t>(offset));
    PutU16(request_.data() + 29, static_cast<std::uint16_t>(count));
    std::copy(data, data + count, request_.begin() + 31);
    status = Exchange(31 + count, 1000);
    if (status == 0 || status == 0x67) {
      if (replyLength_ < 4 || GetU16(reply_.data() + 2) != block) {
        status = kResultBlockMismatch;
        break;
      }
      status = 0;
      lastAckBlock_ = block;
      ++block;
      offset += count;
      transferred_ += count;
      attempts = 0;
    } else if (++attempts >= 6) {
      break;
    }
    if (display_) {
      display_->SetCommandLabel(WithValues(translator_.Tr(txt::kSchrittDatei), {record.name}));
      display_->SetFileProgress(offset, size);
      display_->SetTotalProgress(transferred_);
    }
  }
  std::fclose(in);
  return status;
}

int TDownloadConnect::Send(std::string_view localDir, std::string_view pattern) {
  replyText_.clear();
  int r = ChangeLocalDir(localDir);
  if (r != 0) return r;
  std::error_code ec;
  const std::vector<fs::path> files = ListMatchingFiles(localDir_, pattern, ec);
  if (ec) return ec.value();
  if (files.empty()) return ENOENT;
  bool first = true;
  for (const fs::path& file : files) {
    if (!first) {
      r = ChangeLocalDir(localDir);
      if (r != 0) break;
    }
    first = false;
    const FileInfoRecord record = DescribeLocalFile(file, ec);
    if (ec) {
      r = ec.value();
      break;
    }
    for (;;) {
      r = SendFile(record, file);
      // Broken off by the user: there is nothing to ask.
      if (r == 0 || record.size == 0 || r == kResultCancelled) break;
      const int answer = messages_.Show(MsgKind::Abfrage, ButtonSet::JaNein,
                                        translator_.Tr(txt::kFehlerBeiDownloadWiederholen));
      if (answer != kAnswerJa) break;
    }
    if (r != 0) break;
  }
  replyText_ = std::to_string(lastAckBlock_) + ";";
  return r;
}

int TDownloadConnect::ReceiveFile(const FileInfoRecord& entry) {
  if (entry.IsDirectoryOrVolume() || entry.size <= 0 || !IsSafeLocalName(entry.name))
    return kResultNoReply;
  // The file arrives beside its final name, so that a failed receive leaves
  // an existing local file as it was.
  const fs::path target = localDir_ / entry.name;
  const fs::path partial = localDir_ / (entry.name + ".part~");
  // Whatever sits there (a leftover, a link) is replaced, never written through.
  std::error_code staleError;
  fs::remove(partial, staleError);
  std::FILE* out = std::fopen(partial.c_str(), "wb");
  if (!out) return ErrnoOr(EACCES);
  FileInfoRecord currentRecord = entry;
  std::int64_t offset = 0;
  std::uint16_t block = 1;
  int attempts = 0;
  int result = 0;
  for (;;) {
    if (Interrupted()) {
      result = kResultCancelled;
      break;
    }
    if (display_) display_->SetFileProgress(offset, currentRecord.size);
    request_[0] = kReqReceive;
    EncodeFileInfo(currentRecord, request_.data() + 1);
    PutU16(request_.data() + 23, block);
    PutU32(request_.data() + 25, static_cast<std::uint32_t>(offset));
    int r = Exchange(29, 2000);
    bool taken = false;
    if (r == 0 && replyLength_ >= 32 && GetU16(reply_.data() + 24) == block) {
      const FileInfoRecord replyRecord = DecodeFileInfo(reply_.data() + 2);
      const std::uint32_t at = GetU32(reply_.data() + 26);
      const int count = GetU16(reply_.data() + 30);
      // A block without data, or with data the reply does not hold, would
      // let the transfer run forever or read past the reply.
      if (count > 0 && 32 + count <= replyLength_ && replyRecord.size > 0 &&
          static_cast<std::int64_t>(at) + count <= replyRecord.size) {
        if (std::fseek(out, static_cast<long>(at), SEEK_SET) != 0 ||
            std::fwrite(reply_.data() + 32, 1, static_cast<std::size_t>(count), out) !=
                static_cast<std::size_t>(count)) {
          result = ErrnoOr(EIO);
          break;
        }
        currentRecord = replyRecord;
        ++block;
        offset += count;
        attempts = 0;
        taken = true;
        if (offset >= currentRecord.size) break;
      } else {
        r = kResultNoReply;
      }
    } else if (r == 0) {
      r = kResultBlockMismatch;
    }
    if (!taken && ++attempts >= 10) {
      result = r;
      break;
    }
  }
  if (std::fclose(out) != 0 && result == 0) result = ErrnoOr(EIO);
  std::error_code ec;
  if (result != 0) {
    fs::remove(partial, ec);
    return result;
  }
  // The received file replaces a local one of the same name in any case.
  for (fs::directory_iterator it(localDir_, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name != entry.name && EqualsIgnoreCase(name, entry.name) && it->is_regular_file()) {
      std::error_code removeError;
      fs::remove(it->path(), removeError);
    }
  }
  fs::rename(partial, target, ec);
  if (ec) {
    fs::remove(partial, ec);
    return ec.value() != 0 ? ec.value() : EIO;
  }
  return 0;
}

int TDownloadConnect::Receive(std::string_view localDir, std::string_view pattern,
                              ReceiveReport* report) {
  replyText_.clear();
  ReceiveReport local;
  ReceiveReport& found = report ? *report : local;
  found = ReceiveReport{};
  // Unlike "cd", a folder that is not there is reported before anything is
  // asked of the terminal.
  std::string dir(localDir);
  if (!dir.empty() && IsSeparator(dir.back())) dir.pop_back();
  int r = ChangeLocalDir(dir);
  if (r != 0) return r;
  r = FirstDir(pattern);
  if (r != 0) {
    found.nothingFound = IsNotFoundStatus(r);
    replyText_.clear();
    return r;
  }
  // A terminal whose listing never ends must not hold the editor: no FAT
  // folder holds more entries than this.
  constexpr int kMaxMatches = 65536;
  for (int matches = 1;; ++matches) {
    if (matches > kMaxMatches) {
      r = kResultNoReply;
      break;
    }
    // An empty file has no block to fetch ("send" could not bring it back
    // either); skipping it lets the files behind it still arrive.
    const bool empty = current_.size == 0 && !current_.IsDirectoryOrVolume();
    if (!empty) {
      r = ReceiveFile(current_);
      if (r != 0) break;
      ++found.received;
    }
    // The listing ends with a not-found status; anything else (a lost or
    // damaged reply) means matches may be left behind.
    const int next = NextDir();
    if (next != 0) {
      if (!IsNotFoundStatus(next)) r = next;
      break;
    }
  }
  replyText_.clear();
  return r;
}

}  // namespace tavo
