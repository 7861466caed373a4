// The editor's side of the transfer protocol fed arbitrary replies: every
// text command, and whole downloads, against a terminal whose answers come
// from the input. Each command must end with a result code (never a bad
// read, a hang or a file outside the folders it was given), and a download
// must end with one of its outcomes.
//
// Input: one byte choosing the run (the commands, a full or an optimised
// download), then the replies, each a flag byte, a 16-bit length (high byte
// first) and that many payload bytes:
//   bit 0  the payload goes on the line as it is (any bytes, any frame);
//          otherwise it is framed with a valid check value
//   bit 1  framed from station 0 instead of 1
//   bit 2  the data begins with the request's code and status 0
//   bit 3  ... followed by the request's own data (its record, block and
//          offset), as a block reply repeats them
//   bits 4-5  delay: none, 5 ms, 60 ms, 700 ms
//   bit 6  the next reply answers the same request too (the second reply
//          of "format")
// After the input's replies (at most kMaxReplies) every request is answered
// "file not found", so that every command comes to its end quickly.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../download/virtualline.h"
#include "download/comm.h"
#include "download/progress.h"
#include "download/protocol/frame.h"
#include "download/protocol/projektdownload.h"
#include "shell/language.h"
#include "shell/messageboxes.h"

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using tavo::testing::ScriptedTerminal;

namespace {

constexpr int kMaxReplies = 48;
constexpr std::size_t kMaxPayload = 1100;

struct Reader {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at = 0;
  bool Has(std::size_t n) const { return size - at >= n; }
  std::uint8_t Byte() { return data[at++]; }
};

ScriptedTerminal::Script ReplyScript(std::shared_ptr<Reader> input) {
  auto replies = std::make_shared<int>(0);
  return [input, replies](std::uint8_t, const Bytes& request) {
    std::vector<ScriptedTerminal::Answer> answers;
    const std::uint8_t code = request.empty() ? 0 : request[0];
    int delay = 0;
    for (bool more = true; more;) {
      if (*replies >= kMaxReplies || !input->Has(3)) {
        if (answers.empty()) answers.push_back({tavo::BuildFrame(1, Bytes{code, 2}), 0});
        break;
      }
      ++*replies;
      const std::uint8_t flags = input->Byte();
      std::size_t length = static_cast<std::size_t>(input->Byte()) << 8;
      length |= input->Byte();
      length = std::min({length, kMaxPayload, input->size - input->at});
      Bytes data;
      if (flags & 0x04) {
        data = {code, 0};
        if (flags & 0x08) {
          const std::size_t own = std::min<std::size_t>(request.size(), 29);
          if (own > 1) data.insert(data.end(), request.begin() + 1, request.begin() + own);
        }
      }
      data.insert(data.end(), input->data + input->at, input->data + input->at + length);
      input->at += length;
      static constexpr int kDelays[] = {0, 5, 60, 700};
      delay += kDelays[(flags >> 4) & 3];
      if (flags & 0x01)
        answers.push_back({std::move(data), delay});
      else
        answers.push_back({tavo::BuildFrame((flags & 0x02) ? 0 : 1, data), delay});
      more = (flags & 0x40) != 0;
    }
    return answers;
  };
}

void Write(const fs::path& file, std::size_t size, int seed) {
  std::ofstream out(file, std::ios::binary);
  for (std::size_t i = 0; i < size; ++i) out.put(static_cast<char>((i * 7 + seed) & 0xFF));
}

// Only the folders a run was given may hold files afterwards.
void CheckNothingOutside(const fs::path& scratch) {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(scratch, ec)) {
    const std::string name = entry.path().filename().string();
    if (name != "send" && name != "recv" && name != "image" && name != "kept") std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const fs::path scratch =
      fs::temp_directory_path() / ("tavo_fuzz_transfer_" + std::to_string(::getpid()));
  std::error_code ec;
  fs::remove_all(scratch, ec);
  fs::create_directories(scratch / "send");
  fs::create_directories(scratch / "recv");
  fs::create_directories(scratch / "image" / "drive_c");
  fs::create_directories(scratch / "image" / "drive_d");
  Write(scratch / "send" / "A.PIC", 1500, 1);
  Write(scratch / "image" / "drive_c" / "AUTO.BAT", 20, 2);
  Write(scratch / "image" / "drive_d" / "PROJECT.RUN", 1100, 3);
  Write(scratch / "image" / "drive_d" / "1.PIC", 40, 4);

  auto input = std::make_shared<Reader>(Reader{data, size, 1});
  const int run = data[0] % 3;
  {
    // A day of virtual time: far beyond what the capped replies can cost.
    tavo::testing::VirtualClock clock(24LL * 60 * 60 * 1000);
    ScriptedTerminal terminal(ReplyScript(input));
    tavo::TComm comm(std::make_unique<tavo::testing::ScriptedDevice>(clock, &terminal));
    comm.SetDeviceName("/dev/fuzz");
    comm.SetBaud(115200);
    tavo::ScriptedMessageBox box;
    tavo::GermanTranslator translator;
    tavo::TDownloadConnect connect(comm, clock, box, translator);
    connect.SetStation(1);
    connect.SetBroadcastEnabled(true);
    if (run == 0) {
      const std::string send = (scratch / "send").string();
      const std::string recv = (scratch / "recv").string();
      for (const std::string& line :
           {std::string("version"), std::string("getlw"), std::string("setlw(d:\\)"),
            std::string("getdir"), std::string("setdir(\\sub)"), std::string("makedir(new)"),
            std::string("deldir(new)"), std::string("firstdir(*.*)"), std::string("nextdir"),
            std::string("delfile(x.pic)"), std::string("speed"), std::string("disksize"),
            std::string("mode(1)"), std::string("format(d:)"), "send(" + send + ",*.*)",
            "receive(" + recv + ",*.*)", std::string("quit")}) {
        connect.Execute(line);
        if (connect.ReplyText().size() > 4096) std::abort();
      }
    } else {
      tavo::ProjektDownload download(connect, comm, clock, box, translator);
      tavo::DownloadOptions options;
      options.rateIndex = 1;
      options.scope = run - 1;
      options.settingsFolder = scratch / "kept";
      download.Run(
          tavo::ScanImageFolders(scratch / "image" / "drive_c", scratch / "image" / "drive_d"),
          options);
      if (comm.Active()) std::abort();
    }
  }
  CheckNothingOutside(scratch);
  fs::remove_all(scratch, ec);
  return 0;
}
