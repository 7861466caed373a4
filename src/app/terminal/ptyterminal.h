#pragma once
// The virtual terminal on a pseudo-terminal: the editor opens the slave
// device (through a symbolic link at a path of the user's choice) as if it
// were a serial port, and the terminal's side of the protocol answers on
// the master. With a line rate, bytes travel no faster than a real line at
// that rate would carry them, in both directions.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>

namespace tavo {

struct PtyTerminalOptions {
  std::filesystem::path deviceLink;
  std::filesystem::path root;
  int station = 1;
  int lineRate = 0;  // bit/s; 0: as fast as the pseudo-terminal goes
  bool verbose = true;
  // Called on the thread that runs Run() after each "quit", the editor's
  // last request of a download (also of one that was cancelled).
  std::function<void()> onQuit;
};

class PtyTerminal {
 public:
  PtyTerminal(PtyTerminalOptions options, std::ostream& log);
  ~PtyTerminal();
  PtyTerminal(const PtyTerminal&) = delete;
  PtyTerminal& operator=(const PtyTerminal&) = delete;

  // Creates the pseudo-terminal and the link. False with `error` set when
  // that fails.
  bool Start(std::string* error);
  // Answers until `stop` becomes true. Returns the exit code.
  int Run(const std::atomic<bool>& stop);

  const std::string& SlaveName() const { return slaveName_; }

 private:
  PtyTerminalOptions options_;
  std::ostream& log_;
  int master_ = -1;
  int slave_ = -1;
  std::string slaveName_;
  bool linked_ = false;
};

}  // namespace tavo
