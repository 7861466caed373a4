#pragma once
// The terminal's side of the transfer protocol, on folders instead of
// drives: drive C is <root>/C, drive D is <root>/D. It takes bytes as they
// come off the line, finds the frames addressed to its station (or to all),
// carries out each request and queues the reply frames. The program
// tavodex-terminal puts it on a pseudo-terminal; tests and the benchmark
// wire it to the editor's side directly.
//
// Status bytes it answers with (DOS error numbers): 1 invalid request or
// argument, 2 file not found, 3 path not found, 5 access denied (a folder
// where a file is expected, a folder not empty), 15 invalid drive, 18 no
// more files (a listing without a further match), 29 write fault,
// 123 a name that is no 8.3 name.

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "download/protocol/fileinfo.h"

namespace tavo {

struct VirtualTerminalOptions {
  std::filesystem::path root;
  std::uint8_t station = 1;
  std::array<std::uint8_t, 3> version{5, 0, 8};
  // Time "format" takes before its second reply.
  int formatMs = 200;
  // A frame that has not been completed after this silence is dropped.
  int frameGapMs = 500;
  // Bytes of the capacity "disksize" reports per drive.
  std::int64_t capacity = 16 * 1024 * 1024;
};

class VirtualTerminal {
 public:
  enum Status : std::uint8_t {
    kOk = 0,
    kInvalid = 1,
    kFileNotFound = 2,
    kPathNotFound = 3,
    kAccessDenied = 5,
    kInvalidDrive = 15,
    kNoMoreFiles = 18,
    kWriteFault = 29,
    kInvalidName = 123,
  };

  explicit VirtualTerminal(VirtualTerminalOptions options);

  // Creates the drive folders. False (with `error`) when they cannot be made.
  bool Prepare(std::string* error);

  // Bytes off the line at `nowMs`.
  void Receive(std::span<const std::uint8_t> bytes, std::int64_t nowMs);
  // Reply bytes due by `nowMs`, in order.
  std::vector<std::uint8_t> TakeDue(std::int64_t nowMs);
  // When the next queued reply is due; -1 when none is queued.
  std::int64_t NextDue() const;

  // Rate index the last "mode" switched to (0: none yet).
  int RateIndex() const { return rateIndex_; }
  int WakeBytes() const { return wakeBytes_; }
  int QuitCount() const { return quits_; }
  int RequestCount(std::uint8_t code) const { return code < counts_.size() ? counts_[code] : 0; }
  // One line per request handled (for the program's log).
  void SetLog(std::function<void(const std::string&)> log) { log_ = std::move(log); }

  std::filesystem::path DriveFolder(char letter) const;

 private:
  struct Pending {
    std::int64_t due;
    std::vector<std::uint8_t> bytes;
  };

  void Scan(std::int64_t nowMs);
  void Handle(std::uint8_t station, std::span<const std::uint8_t> data, std::int64_t nowMs);
  void Reply(std::vector<std::uint8_t> data, std::int64_t due);
  void Log(const std::string& line);
  std::filesystem::path CurrentFolder() const;
  // The entry of the current folder named `name` in any case; empty when
  // there is none.
  std::filesystem::path Find(const std::string& name) const;
  std::uint8_t ChangeDir(const std::string& path);
  std::uint8_t MakeOrDeleteDir(const std::string& path, bool make);
  std::uint8_t List(const std::string& pattern);
  FileInfoRecord Describe(const std::filesystem::path& entry) const;

  VirtualTerminalOptions options_;
  std::vector<std::uint8_t> buffer_;
  std::int64_t lastByteMs_ = 0;
  std::deque<Pending> out_;
  char drive_ = 'C';
  std::array<std::vector<std::string>, 2> dirs_;  // C and D: folders below the root
  std::vector<std::filesystem::path> listing_;
  std::size_t listingNext_ = 0;
  int rateIndex_ = 0;
  int wakeBytes_ = 0;
  int quits_ = 0;
  std::array<int, 17> counts_{};
  std::function<void(const std::string&)> log_;
};

}  // namespace tavo
