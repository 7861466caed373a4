#pragma once
// TDownloadConnect: the editor's side of the transfer protocol. It frames
// requests to the terminal's station, waits for the reply with software
// timers counted in 50 ms ticks, polls the line every millisecond, and
// offers the text commands ("setlw(D:\)", "send(dir,*.*)" ...) that the
// download sequence is written in. Every command returns a result code
// (0 success) and leaves its textual result in ReplyText().
//
// The window that shows the progress is not part of it: it reports through
// TransferDisplay, asks through MessageBox, and waits through EventClock.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "download/protocol/eventclock.h"
#include "download/protocol/fileinfo.h"

namespace tavo {

class MessageBox;
class TComm;
class Translator;

// Result codes besides 0 and the terminal's status bytes.
inline constexpr int kResultWrongReply = 154;
inline constexpr int kResultBlockMismatch = 200;
inline constexpr int kResultNoReply = 255;
// The user asked to stop and the wait or the file transfer was broken off
// (only while the connection is interruptible).
inline constexpr int kResultCancelled = 201;

// The terminal's status bytes are DOS error numbers. These say that there
// was nothing to find ("file not found", "path not found", "no more
// files"); every other non-zero result is a failure of the terminal or of
// the line.
bool IsNotFoundStatus(int result);

// What a "receive" found and fetched.
struct ReceiveReport {
  // Files that arrived completely.
  int received = 0;
  // The terminal's lookup found no match (a not-found status).
  bool nothingFound = false;
};

// The progress window's labels and gauges.
class TransferDisplay {
 public:
  virtual ~TransferDisplay() = default;
  // "befehllabel": the step, command or file being worked on (code page 1252).
  virtual void SetCommandLabel(const std::string& /*text*/) {}
  // "GesammtLabel".
  virtual void SetTotalLabel(const std::string& /*text*/) {}
  // "statusbar": position within the current file.
  virtual void SetFileProgress(std::int64_t /*position*/, std::int64_t /*size*/) {}
  // "bearbeitet": bytes transferred against the download's total.
  virtual void SetTotalMaximum(std::int64_t /*maximum*/) {}
  virtual void SetTotalProgress(std::int64_t /*position*/) {}
  // The user asked to stop the transfer (the window's "Abbruch"). Asked
  // between steps; the sequence stops at the next point where stopping
  // leaves the terminal in a state it can tell.
  virtual bool CancelRequested() { return false; }
};

class TDownloadConnect {
 public:
  static constexpr int kDataBufferSize = 2148;
  static constexpr int kReceiveBufferSize = 1501;
  static constexpr int kSoftTimers = 25;
  static constexpr std::uint16_t kUnknownLength = 20000;
  static constexpr int kTickMs = 50;
  static constexpr int kBlockSize = 1024;

  // Starts the 50 ms and the 1 ms timer on `clock`; they stop when the
  // object goes. The local working directory starts as the process's.
  TDownloadConnect(TComm& comm, EventClock& clock, MessageBox& messages, Translator& translator,
                   TransferDisplay* display = nullptr);
  ~TDownloadConnect();
  TDownloadConnect(const TDownloadConnect&) = delete;
  TDownloadConnect& operator=(const TDownloadConnect&) = delete;

  std::uint8_t Station() const { return station_; }
  void SetStation(std::uint8_t station) { station_ = station; }
  bool BroadcastEnabled() const { return broadcast_; }
  void SetBroadcastEnabled(bool on) { broadcast_ = on; }
  std::int32_t Transferred() const { return transferred_; }
  void SetTransferred(std::int32_t total);
  TransferDisplay* Display() const { return display_; }
  // The display's cancel request.
  bool CancelRequested() const { return display_ && display_->CancelRequested(); }
  // While set, a cancel request ends a wait for a reply, and a file
  // transfer between two blocks, with kResultCancelled. The sequence sets
  // it only where a broken-off command loses nothing the next download
  // cannot put right (never around a format or the settings' way back).
  void SetInterruptible(bool on) { interruptible_ = on; }
  bool Interruptible() const { return interruptible_; }

  // One command line, any case; unknown words do nothing and yield 0.
  int Execute(std::string_view line);
  const std::string& ReplyText() const { return replyText_; }
  void ClearReplyText() { replyText_.clear(); }
  // The entry found by the last "firstdir" or "nextdir".
  const FileInfoRecord& CurrentEntry() const { return current_; }

  // The commands, with their arguments as the command line would pass them
  // (the parser lower-cases them first; these take them as they are).
  int Version();
  int GetDrive();
  int SetDrive(std::string_view drive);
  int GetDir();
  int SetDir(std::string_view path);
  int MakeDir(std::string_view name);
  int DelDir(std::string_view name);
  int FirstDir(std::string_view pattern);
  int NextDir();
  int DelFile(std::string_view name);
  int Send(std::string_view localDir, std::string_view pattern);
  // Matching empty files are skipped: there is nothing to fetch. The result
  // is 0 when every match arrived (or none was there: see `report`).
  int Receive(std::string_view localDir, std::string_view pattern, ReceiveReport* report = nullptr);
  int Speed();
  int Quit();
  int Mode(int rateIndex);
  int Format(std::string_view drive);
  int DiskSize();
  int Cd(std::string_view path);
  int Md(std::string_view path);

  const std::filesystem::path& LocalDirectory() const { return localDir_; }

  // Software timers 1 .. 25; 0 when all are taken (reads as expired).
  int TakeTimer();
  void ArmTimer(int number, int milliseconds);
  // Lets the user interface run first.
  bool PollTimer(int number);
  bool TimerExpired(int number) const {
    return number < 1 || number > kSoftTimers || timers_[number].expired;
  }
  void ReleaseTimer(int number);
  // The 50 ms tick and the 1 ms poll of the line (called by the clock).
  void Tick();
  void PollLine();

  // One request of `length` data bytes from the request buffer, up to three
  // attempts. Returns the terminal's status or a result code.
  int Exchange(int length, int timeoutMs);
  std::uint8_t* RequestData() { return request_.data(); }
  // The data of the last reply taken in and its length.
  const std::uint8_t* ReplyData() const { return reply_.data(); }
  int ReplyLength() const { return replyLength_; }

 private:
  struct SoftTimer {
    bool inUse = false;
    std::uint16_t counter = 0;
    std::uint16_t reload = 0;
    bool expired = false;
  };

  void SendRequest(int length);
  bool CheckReply();
  void WaitTimer(int number);
  int SimpleRequest(std::uint8_t code, int timeoutMs);
  int SetDriveRequest(std::string_view drive);
  int PathRequest(std::uint8_t code, std::string_view path);
  int ChangeLocalDir(std::string_view path);
  int SendFile(const FileInfoRecord& record, const std::filesystem::path& file);
  int ReceiveFile(const FileInfoRecord& entry);
  void ShowCommand(const std::string& text);
  bool Interrupted() const { return interruptible_ && CancelRequested(); }

  TComm& comm_;
  EventClock& clock_;
  MessageBox& messages_;
  Translator& translator_;
  TransferDisplay* display_;
  EventClock::TimerId tickTimer_ = 0;
  EventClock::TimerId pollTimer_ = 0;

  std::array<std::uint8_t, kDataBufferSize> request_{};
  std::array<std::uint8_t, kDataBufferSize> reply_{};
  int replyLength_ = 0;
  std::array<std::uint8_t, kReceiveBufferSize> receive_{};
  std::uint16_t received_ = 0;
  std::uint16_t expected_ = kUnknownLength;
  std::int32_t lastChunk_ = 0;

  std::uint8_t station_ = 1;
  bool broadcast_ = false;
  bool interruptible_ = false;
  std::int32_t transferred_ = 0;
  std::array<SoftTimer, kSoftTimers + 1> timers_{};  // [0] unused

  FileInfoRecord current_;
  std::string replyText_;
  std::uint16_t lastAckBlock_ = 0;
  std::filesystem::path localDir_;
};

// "setdir" and "cd": a bare drive ("c:") gets its root separator, any other
// path loses a trailing separator.
std::string NormalisePath(std::string_view path);

}  // namespace tavo
