#pragma once
// Virtual time and a scripted serial line for the transfer tests: every
// ProcessEvents() is one millisecond, timers fire on exact multiples of
// their interval, and whatever the editor writes reaches a terminal (a
// script or the virtual terminal) at once.

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "download/comm.h"
#include "download/protocol/eventclock.h"
#include "download/protocol/frame.h"
#include "download/protocol/virtualterminal.h"

namespace tavo::testing {

class VirtualClock : public EventClock {
 public:
  // A run longer than this is a hang: the test fails instead of spinning.
  explicit VirtualClock(std::int64_t limitMs = 30LL * 60 * 1000) : limitMs_(limitMs) {}

  TimerId StartTimer(int intervalMs, std::function<void()> onTimeout) override {
    timers_.push_back({++lastId_, intervalMs, now_ + intervalMs, std::move(onTimeout), true});
    return lastId_;
  }
  void StopTimer(TimerId id) override {
    for (Timer& t : timers_)
      if (t.id == id) t.running = false;
  }
  void ProcessEvents() override {
    ++now_;
    if (now_ > limitMs_) throw std::runtime_error("virtual time limit reached");
    for (std::size_t i = 0; i < timers_.size(); ++i) {
      if (!timers_[i].running || timers_[i].next > now_) continue;
      timers_[i].next += timers_[i].interval;
      std::function<void()> callback = timers_[i].callback;
      callback();
      if (timers_[i].interval == 50) ++ticks_;
    }
    std::erase_if(timers_, [](const Timer& t) { return !t.running; });
  }
  std::int64_t NowMs() const override { return now_; }
  // 50 ms timer callbacks so far (engine ticks and wake-up ticks alike).
  std::int64_t Ticks() const { return ticks_; }
  int RunningTimers() const {
    return static_cast<int>(
        std::count_if(timers_.begin(), timers_.end(), [](const Timer& t) { return t.running; }));
  }

 private:
  struct Timer {
    TimerId id;
    int interval;
    std::int64_t next;
    std::function<void()> callback;
    bool running;
  };
  std::vector<Timer> timers_;
  TimerId lastId_ = 0;
  std::int64_t now_ = 0;
  std::int64_t ticks_ = 0;
  std::int64_t limitMs_;
};

// The far end of the line: gets every write, may answer.
class LineEnd {
 public:
  virtual ~LineEnd() = default;
  virtual void OnWrite(std::span<const std::uint8_t> bytes, std::int64_t nowMs) = 0;
  // Bytes that have reached the editor by `nowMs`.
  virtual std::vector<std::uint8_t> Deliver(std::int64_t nowMs) = 0;
};

class ScriptedDevice : public SerialDevice {
 public:
  ScriptedDevice(VirtualClock& clock, LineEnd* end) : clock_(clock), end_(end) {}

  bool Open(const std::string& deviceName) override {
    lastDevice = deviceName;
    ++opens;
    if (deviceName == missingDevice) return false;
    open_ = true;
    Pull();
    inbound_.clear();  // what waited in the driver is gone
    return true;
  }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  bool Configure(int baud) override {
    configuredBaud = baud;
    return std::find(refusedRates.begin(), refusedRates.end(), baud) == refusedRates.end();
  }
  void SetRts(bool on) override { rtsLevels.push_back(on); }
  void SetDtr(bool on) override { dtrLevels.push_back(on); }
  SerialStatus ClearErrors() override {
    Pull();
    return {static_cast<int>(inbound_.size()), 0};
  }
  int Read(std::uint8_t* buffer, int count) override {
    Pull();
    const int n = std::min<int>(count, static_cast<int>(inbound_.size()));
    std::copy(inbound_.begin(), inbound_.begin() + n, buffer);
    inbound_.erase(inbound_.begin(), inbound_.begin() + n);
    return n;
  }
  int Write(const std::uint8_t* data, int count) override {
    written.insert(written.end(), data, data + count);
    writes.emplace_back(data, data + count);
    if (end_)
      end_->OnWrite(std::span<const std::uint8_t>(data, static_cast<std::size_t>(count)),
                    clock_.NowMs());
    return count;
  }
  std::string ErrorText() const override { return "scripted failure"; }

  // Bytes the editor finds waiting without any request.
  void Inject(const std::vector<std::uint8_t>& bytes) {
    inbound_.insert(inbound_.end(), bytes.begin(), bytes.end());
  }

  std::string missingDevice = "/dev/missing";
  std::vector<int> refusedRates;
  std::string lastDevice;
  int opens = 0;
  int configuredBaud = 0;
  std::vector<bool> rtsLevels, dtrLevels;
  std::vector<std::uint8_t> written;
  std::vector<std::vector<std::uint8_t>> writes;

 private:
  void Pull() {
    if (!end_) return;
    const std::vector<std::uint8_t> bytes = end_->Deliver(clock_.NowMs());
    if (open_) inbound_.insert(inbound_.end(), bytes.begin(), bytes.end());
  }

  VirtualClock& clock_;
  LineEnd* end_;
  bool open_ = false;
  std::deque<std::uint8_t> inbound_;
};

// A terminal written as a function of each request frame: it returns the
// reply bytes (empty: silence) and when they arrive.
class ScriptedTerminal : public LineEnd {
 public:
  struct Answer {
    std::vector<std::uint8_t> bytes;
    int delayMs = 0;
  };
  using Script = std::function<std::vector<Answer>(std::uint8_t station,
                                                   const std::vector<std::uint8_t>& data)>;

  explicit ScriptedTerminal(Script script) : script_(std::move(script)) {}

  void OnWrite(std::span<const std::uint8_t> bytes, std::int64_t nowMs) override {
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    // Frames come whole from the editor; single wake-up bytes are skipped.
    while (pending_.size() >= 3) {
      const std::size_t length = static_cast<std::size_t>(pending_[1] << 8 | pending_[2]);
      if (pending_[0] == 0xAA || length == 0 || length > 2148) {
        pending_.erase(pending_.begin());
        continue;
      }
      if (pending_.size() < length + kFrameOverhead) break;
      std::vector<std::uint8_t> data(pending_.begin() + 3,
                                     pending_.begin() + 3 + static_cast<std::ptrdiff_t>(length));
      const std::uint8_t station = pending_[0];
      pending_.erase(pending_.begin(),
                     pending_.begin() + static_cast<std::ptrdiff_t>(length + kFrameOverhead));
      requests.push_back(data);
      for (Answer& a : script_(station, data))
        queue_.push_back({nowMs + a.delayMs, std::move(a.bytes)});
    }
    if (pending_.size() == 1 && pending_[0] == 0xAA) pending_.clear();
  }
  std::vector<std::uint8_t> Deliver(std::int64_t nowMs) override {
    std::vector<std::uint8_t> out;
    while (!queue_.empty() && queue_.front().due <= nowMs) {
      out.insert(out.end(), queue_.front().bytes.begin(), queue_.front().bytes.end());
      queue_.pop_front();
    }
    return out;
  }

  std::vector<std::vector<std::uint8_t>> requests;  // data of every request frame

 private:
  struct Due {
    std::int64_t due;
    std::vector<std::uint8_t> bytes;
  };
  Script script_;
  std::vector<std::uint8_t> pending_;
  std::deque<Due> queue_;
};

// The virtual terminal on the far end; `silent` cuts the line.
class TerminalEnd : public LineEnd {
 public:
  explicit TerminalEnd(VirtualTerminal& terminal) : terminal_(terminal) {}
  void OnWrite(std::span<const std::uint8_t> bytes, std::int64_t nowMs) override {
    if (onWrite) onWrite(bytes);
    if (silent) return;
    terminal_.Receive(bytes, nowMs);
  }
  std::vector<std::uint8_t> Deliver(std::int64_t nowMs) override {
    std::vector<std::uint8_t> out = terminal_.TakeDue(nowMs);
    if (silent) out.clear();
    return out;
  }
  bool silent = false;
  std::function<void(std::span<const std::uint8_t>)> onWrite;

 private:
  VirtualTerminal& terminal_;
};

// The virtual terminal behind a line that spoils the answers to one
// command: every attempt of the `target`-th request (counted from 0 over
// the distinct requests in a row, so an unchanged retry is the same
// command; the wake-up bytes do not count). The terminal still carries the
// request out; only what comes back is lost or spoiled.
class FaultyLine : public LineEnd {
 public:
  enum class Fault { None, NoReply, BadCrc, WrongBlock, ErrorStatus };

  FaultyLine(VirtualTerminal& terminal, Fault fault = Fault::None, int target = -1)
      : terminal_(terminal), fault_(fault), target_(target) {}

  void OnWrite(std::span<const std::uint8_t> bytes, std::int64_t nowMs) override {
    if (!(bytes.size() == 1 && bytes[0] == 0xAA)) {
      std::vector<std::uint8_t> frame(bytes.begin(), bytes.end());
      if (frame != last_) {
        last_ = std::move(frame);
        codes_.push_back(last_.size() > 3 ? last_[3] : 0xFF);
      }
      spoiling_ = fault_ != Fault::None && Steps() - 1 == target_;
    }
    terminal_.Receive(bytes, nowMs);
  }
  std::vector<std::uint8_t> Deliver(std::int64_t nowMs) override {
    std::vector<std::uint8_t> bytes = terminal_.TakeDue(nowMs);
    return spoiling_ ? Spoil(bytes) : bytes;
  }
  // Distinct requests so far, and the request code of each.
  int Steps() const { return static_cast<int>(codes_.size()); }
  std::uint8_t CodeOf(int step) const {
    return step >= 0 && step < Steps() ? codes_[static_cast<std::size_t>(step)] : 0xFF;
  }

 private:
  std::vector<std::uint8_t> Spoil(const std::vector<std::uint8_t>& bytes) const {
    std::vector<std::uint8_t> out;
    std::size_t at = 0;
    while (at + 3 <= bytes.size()) {
      const std::size_t length = static_cast<std::size_t>(bytes[at + 1] << 8 | bytes[at + 2]);
      if (at + length + kFrameOverhead > bytes.size() || length < 2) break;
      std::vector<std::uint8_t> data(bytes.begin() + static_cast<std::ptrdiff_t>(at + 3),
                                     bytes.begin() + static_cast<std::ptrdiff_t>(at + 3 + length));
      std::vector<std::uint8_t> frame;
      switch (fault_) {
        case Fault::NoReply:
          break;
        case Fault::BadCrc:
          frame.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                       bytes.begin() + static_cast<std::ptrdiff_t>(at + length + kFrameOverhead));
          frame.back() ^= 0x01;
          break;
        case Fault::WrongBlock:
          // A block reply with another block number; any other reply
          // answers another request.
          if (data[0] == kReqSend && data.size() >= 4)
            ++data[2];
          else if (data[0] == kReqReceive && data.size() >= 26)
            ++data[24];
          else
            data[0] = data[0] == kReqGetDir ? kReqGetDrive : kReqGetDir;
          frame = BuildFrame(bytes[at], data);
          break;
        case Fault::ErrorStatus:
          data[1] = 29;  // write fault
          frame = BuildFrame(bytes[at], data);
          break;
        case Fault::None:
          break;
      }
      out.insert(out.end(), frame.begin(), frame.end());
      at += length + kFrameOverhead;
    }
    out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end());
    return out;
  }

  VirtualTerminal& terminal_;
  Fault fault_;
  int target_;
  std::vector<std::uint8_t> last_;
  std::vector<std::uint8_t> codes_;
  bool spoiling_ = false;
};

inline std::vector<std::uint8_t> ReplyFrame(std::uint8_t station, std::vector<std::uint8_t> data) {
  return BuildFrame(station, data);
}

}  // namespace tavo::testing
