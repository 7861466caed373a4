#include <ostream>

#include "app/cli/commands.h"

namespace tavo::cli {

int CmdRender(const Args&, CliIo& io) {
  io.err << "tavodex-cli render: not available yet\n";
  return 2;
}

}  // namespace tavo::cli
