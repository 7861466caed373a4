#include <ostream>

#include "app/cli/commands.h"

namespace tavo::cli {

int CmdDownload(const Args&, CliIo& io) {
  io.err << "tavodex-cli download: not available yet\n";
  return 2;
}

}  // namespace tavo::cli
