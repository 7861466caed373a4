// The virtual terminal: answers the transfer protocol on a pseudo-terminal,
// and with --show runs the downloaded project in the simulator window.

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/terminal/ptyterminal.h"
#include "app/terminal/shownterminal.h"

namespace {

std::atomic<bool> g_stop{false};

void OnSignal(int) {
  g_stop = true;
}

int Usage(std::ostream& out, int code) {
  out << "usage: tavodex-terminal --device-link PATH --root DIR [--station N] [--line-rate BITS]\n"
         "                        [--quiet] [--show [--base DIR]]\n"
         "       tavodex-terminal --root DIR --show [--base DIR] [--snapshot FILE.png]\n\n"
         "Creates a pseudo-terminal, links its device to PATH and answers the transfer\n"
         "protocol there like a terminal whose drives C and D are the folders DIR/C and\n"
         "DIR/D. --line-rate delivers bytes no faster than a line at BITS bit/s would.\n"
         "Runs until interrupted.\n\n"
         "--show opens the simulator window on what DIR/D holds and reads it again\n"
         "after every download; the program then ends when the window is closed.\n"
         "Without --device-link it only shows DIR/D. --base names the base folder for\n"
         "the language and the terminal definitions. --snapshot writes the window's\n"
         "picture to FILE.png once it is shown, and ends.\n";
  return code;
}

bool ParseInt(const std::string& text, int low, int high, int& value) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < low || v > high) return false;
  value = static_cast<int>(v);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  tavo::PtyTerminalOptions options;
  tavo::ShownTerminalOptions shown;
  bool show = false;
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--help" || a == "-h") return Usage(std::cout, 0);
    if (a == "--quiet") {
      options.verbose = false;
    } else if (a == "--show") {
      show = true;
    } else if (a == "--base" && hasValue) {
      shown.workspaceArguments = {"--base", args[++i]};
    } else if (a == "--snapshot" && hasValue) {
      shown.snapshot = args[++i];
    } else if (a == "--device-link" && hasValue) {
      options.deviceLink = args[++i];
    } else if (a == "--root" && hasValue) {
      options.root = args[++i];
    } else if (a == "--station" && hasValue) {
      if (!ParseInt(args[++i], 1, 255, options.station)) {
        std::cerr << "tavodex-terminal: --station takes 1 .. 255\n";
        return 2;
      }
    } else if (a == "--line-rate" && hasValue) {
      if (!ParseInt(args[++i], 1, 10'000'000, options.lineRate)) {
        std::cerr << "tavodex-terminal: --line-rate takes bits per second\n";
        return 2;
      }
    } else {
      std::cerr << "tavodex-terminal: unexpected argument '" << a << "'\n";
      return Usage(std::cerr, 2);
    }
  }
  if (options.root.empty() || (options.deviceLink.empty() && !show)) return Usage(std::cerr, 2);
  if (!show && (!shown.snapshot.empty() || !shown.workspaceArguments.empty())) {
    std::cerr << "tavodex-terminal: --base and --snapshot go with --show\n";
    return 2;
  }
  if (show) return tavo::RunShownTerminal(argc, argv, options, shown, std::cout);

  tavo::PtyTerminal terminal(options, std::cout);
  std::string error;
  if (!terminal.Start(&error)) {
    std::cerr << "tavodex-terminal: " << error << "\n";
    return 1;
  }
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  std::cout << "tavodex-terminal: " << options.deviceLink.string() << " -> " << terminal.SlaveName()
            << ", station " << options.station << std::endl;
  return terminal.Run(g_stop);
}
