#include "app/terminal/ptyterminal.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <ostream>
#include <system_error>
#include <vector>

#include "download/protocol/virtualterminal.h"

namespace fs = std::filesystem;

namespace tavo {
namespace {

std::int64_t MicrosNow() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

PtyTerminal::PtyTerminal(PtyTerminalOptions options, std::ostream& log)
    : options_(std::move(options)), log_(log) {}

PtyTerminal::~PtyTerminal() {
  if (linked_) {
    std::error_code ec;
    // Only our own link goes: never a file that took its place.
    if (fs::is_symlink(fs::symlink_status(options_.deviceLink, ec)) &&
        fs::read_symlink(options_.deviceLink, ec) == fs::path(slaveName_))
      fs::remove(options_.deviceLink, ec);
  }
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
}

bool PtyTerminal::Start(std::string* error) {
  auto fail = [&](const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
    return false;
  };
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) return fail("posix_openpt");
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return fail("grantpt/unlockpt");
  const char* name = ::ptsname(master_);
  if (!name) return fail("ptsname");
  slaveName_ = name;
  // Holding the slave open keeps the master readable while the editor has
  // the port closed between two attempts, and lets us make the line raw: a
  // fresh pseudo-terminal echoes and edits lines.
  slave_ = ::open(slaveName_.c_str(), O_RDWR | O_NOCTTY);
  if (slave_ < 0) return fail(slaveName_);
  termios tio{};
  if (::tcgetattr(slave_, &tio) == 0) {
    ::cfmakeraw(&tio);
    ::tcsetattr(slave_, TCSANOW, &tio);
  }
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);

  std::error_code ec;
  const fs::file_status linkStatus = fs::symlink_status(options_.deviceLink, ec);
  if (fs::exists(linkStatus)) {
    if (!fs::is_symlink(linkStatus)) {
      errno = EEXIST;
      return fail(options_.deviceLink.string() + " exists and is no link");
    }
    fs::remove(options_.deviceLink, ec);
  }
  if (::symlink(slaveName_.c_str(), options_.deviceLink.c_str()) != 0)
    return fail("symlink " + options_.deviceLink.string());
  linked_ = true;
  return true;
}

int PtyTerminal::Run(const std::atomic<bool>& stop) {
  VirtualTerminalOptions vt;
  vt.root = options_.root;
  vt.station = static_cast<std::uint8_t>(options_.station);
  VirtualTerminal terminal(vt);
  std::string error;
  if (!terminal.Prepare(&error)) {
    log_ << "tavodex-terminal: " << error << "\n";
    return 1;
  }
  if (options_.verbose)
    terminal.SetLog([this](const std::string& line) { log_ << line << std::endl; });

  const std::int64_t start = MicrosNow();
  auto nowMs = [&] { return (MicrosNow() - start) / 1000; };
  // Microseconds one byte occupies the line; 0 without pacing.
  const std::int64_t byteMicros = options_.lineRate > 0 ? 10'000'000LL / options_.lineRate : 0;
  struct Timed {
    std::int64_t at;  // microseconds since start
    std::uint8_t byte;
  };
  std::deque<Timed> incoming;   // read from the master, not yet "arrived"
  std::int64_t inLineFree = 0;  // when the incoming line is free again
  std::vector<std::uint8_t> outgoing;
  std::size_t outSent = 0;
  std::int64_t outLineFree = 0;

  std::uint8_t buffer[4096];
  while (!stop.load()) {
    const std::int64_t now = MicrosNow() - start;
    // Deliver what has arrived on the (paced) line.
    std::vector<std::uint8_t> arrived;
    while (!incoming.empty() && incoming.front().at <= now) {
      arrived.push_back(incoming.front().byte);
      incoming.pop_front();
    }
    if (!arrived.empty()) {
      const int quits = terminal.QuitCount();
      terminal.Receive(arrived, nowMs());
      if (terminal.QuitCount() != quits && options_.onQuit) options_.onQuit();
    }
    // Replies that are due join the outgoing line; on an idle line the
    // first of their bytes starts now.
    std::vector<std::uint8_t> due = terminal.TakeDue(nowMs());
    if (!due.empty()) {
      if (outSent == outgoing.size()) outLineFree = std::max(outLineFree, now);
      outgoing.insert(outgoing.end(), due.begin(), due.end());
    }
    // Send the bytes the line has carried completely by now.
    if (outSent < outgoing.size()) {
      std::size_t allowed = outgoing.size() - outSent;
      if (byteMicros > 0) {
        const std::int64_t carried = now > outLineFree ? (now - outLineFree) / byteMicros : 0;
        allowed = std::min<std::size_t>(allowed, static_cast<std::size_t>(carried));
      }
      if (allowed > 0) {
        const ssize_t n = ::write(master_, outgoing.data() + outSent, allowed);
        if (n > 0) {
          outSent += static_cast<std::size_t>(n);
          outLineFree += static_cast<std::int64_t>(n) * byteMicros;
        }
      }
      if (outSent == outgoing.size()) {
        outgoing.clear();
        outSent = 0;
      }
    }

    int timeoutMs = 50;
    if (!incoming.empty() || !outgoing.empty()) timeoutMs = 1;
    if (const std::int64_t next = terminal.NextDue(); next >= 0)
      timeoutMs = static_cast<int>(std::clamp<std::int64_t>(next - nowMs(), 0, timeoutMs));
    pollfd fd{master_, POLLIN, 0};
    const int ready = ::poll(&fd, 1, timeoutMs);
    if (ready < 0 && errno != EINTR) {
      log_ << "tavodex-terminal: poll: " << std::strerror(errno) << "\n";
      return 1;
    }
    if (ready > 0 && (fd.revents & POLLIN)) {
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      const std::int64_t at = MicrosNow() - start;
      for (ssize_t i = 0; i < n; ++i) {
        if (byteMicros > 0) {
          inLineFree = std::max(inLineFree, at) + byteMicros;
          incoming.push_back({inLineFree, buffer[i]});
        } else {
          incoming.push_back({at, buffer[i]});
        }
      }
    }
  }
  return 0;
}

}  // namespace tavo
