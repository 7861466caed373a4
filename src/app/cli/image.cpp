#include <ostream>

#include "app/cli/commands.h"

namespace tavo::cli {

int CmdImage(const Args&, CliIo& io) {
  io.err << "tavodex-cli image: not available yet\n";
  return 2;
}

}  // namespace tavo::cli
