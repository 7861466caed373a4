#include "download/progress.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "shell/language.h"
#include "shell/messageboxes.h"
#include "tempfolder.h"
#include "virtualline.h"

namespace tavo {
namespace {

using testing::ReadBytes;
using testing::ScriptedDevice;
using testing::ScriptedTerminal;
using testing::TempFolder;
using testing::VirtualClock;
using testing::WriteBytes;
using Answers = std::vector<ScriptedTerminal::Answer>;
using Data = std::vector<std::uint8_t>;

Answers Reply(std::uint8_t station, Data data, int delayMs = 2) {
  return {{BuildFrame(station, data), delayMs}};
}

struct Engine : ::testing::Test {
  VirtualClock clock;
  std::unique_ptr<ScriptedTerminal> terminal;
  ScriptedDevice* device = nullptr;
  std::unique_ptr<TComm> comm;
  ScriptedMessageBox box;
  GermanTranslator translator;
  std::unique_ptr<TDownloadConnect> connect;

  void Start(ScriptedTerminal::Script script) {
    terminal = std::make_unique<ScriptedTerminal>(std::move(script));
    auto d = std::make_unique<ScriptedDevice>(clock, terminal.get());
    device = d.get();
    comm = std::make_unique<TComm>(std::move(d));
    comm->SetDeviceName("/dev/vt");
    comm->SetBaud(115200);
    connect = std::make_unique<TDownloadConnect>(*comm, clock, box, translator);
    connect->SetStation(1);
  }
  int Count(std::uint8_t code) const {
    int n = 0;
    for (const Data& r : terminal->requests) n += !r.empty() && r[0] == code;
    return n;
  }
};

// Every way an exchange can end, through one command.
TEST_F(Engine, ResultCodesOfAnExchange) {
  struct Case {
    const char* what;
    std::function<Answers(const Data&)> answer;
    int expected;
  } cases[] = {
      {"success",
       [](const Data& d) {
         return Reply(1, {d[0], 0});
       },
       0},
      {"status passed through",
       [](const Data& d) {
         return Reply(1, {d[0], 15});
       },
       15},
      {"another request's reply",
       [](const Data&) {
         return Reply(1, {kReqGetDir, 0});
       },
       kResultWrongReply},
      {"broadcast station in the reply",
       [](const Data& d) {
         return Reply(0, {d[0], 0});
       },
       0},
      {"another station",
       [](const Data& d) {
         return Reply(2, {d[0], 0});
       },
       kResultNoReply},
      {"silence", [](const Data&) { return Answers{}; }, kResultNoReply},
      {"damaged check value",
       [](const Data& d) {
         Answers a = Reply(1, {d[0], 0});
         a[0].bytes.back() ^= 0xFF;
         return a;
       },
       kResultNoReply},
      {"cut short",
       [](const Data& d) {
         Answers a = Reply(1, {d[0], 0});
         a[0].bytes.pop_back();
         return a;
       },
       kResultNoReply},
  };
  for (const Case& c : cases) {
    Start([&](std::uint8_t, const Data& d) { return c.answer(d); });
    EXPECT_EQ(connect->Execute("setlw(D:\\)"), c.expected) << c.what;
    ASSERT_FALSE(terminal->requests.empty());
    EXPECT_EQ(terminal->requests[0], (Data{kReqSetDrive, 'D'})) << c.what;
  }
}

TEST_F(Engine, ThreeAttemptsWithoutReplyTakeFourteenTicksEach) {
  Start([](std::uint8_t, const Data&) { return Answers{}; });
  const std::int64_t start = clock.NowMs();
  const std::int64_t ticks = clock.Ticks();
  EXPECT_EQ(connect->Execute("version"), kResultNoReply);
  // T + 100 = 600 ms arms (600 div 50) + 1 = 13 counts; the 14th tick notices.
  EXPECT_EQ(clock.Ticks() - ticks, 3 * 14);
  EXPECT_GE(clock.NowMs() - start, 3 * 600);
  EXPECT_EQ(terminal->requests.size(), 3u);
  // Each attempt reopens the port.
  EXPECT_EQ(device->opens, 3);
}

TEST_F(Engine, LineTimeOfTheFramesIsAddedToTheWait) {
  // At 1200 bit/s a receive reply of 1061 bytes needs almost 9 s on the
  // line, far beyond T + 100 = 2100 ms.
  Start([](std::uint8_t, const Data&) { return Answers{}; });
  comm->SetBaud(1200);
  connect->RequestData()[0] = kReqReceive;
  const std::int64_t start = clock.NowMs();
  EXPECT_EQ(connect->Exchange(29, 2000), kResultNoReply);
  const int perAttempt = 2000 + 100 + LineTimeMs(34, 1200) + LineTimeMs(1061, 1200);
  EXPECT_GE(clock.NowMs() - start, 3 * perAttempt);
  EXPECT_LT(clock.NowMs() - start, 3 * (perAttempt + 100));
}

TEST_F(Engine, SoftwareTimers) {
  Start([](std::uint8_t, const Data&) { return Answers{}; });
  const int t = connect->TakeTimer();
  ASSERT_EQ(t, 1);
  connect->ArmTimer(t, 500);
  int ticks = 0;
  while (!connect->TimerExpired(t)) {
    connect->Tick();
    ++ticks;
  }
  EXPECT_EQ(ticks, 12);  // 11 counted down, one to notice
  std::vector<int> taken{t};
  for (int i = 2; i <= 25; ++i) taken.push_back(connect->TakeTimer());
  EXPECT_EQ(taken.back(), 25);
  EXPECT_EQ(connect->TakeTimer(), 0);
  EXPECT_TRUE(connect->PollTimer(0));  // no timer reads as expired
  connect->ReleaseTimer(7);
  EXPECT_EQ(connect->TakeTimer(), 7);
}

TEST_F(Engine, BroadcastsNeedToBeEnabledAndGetNoReply) {
  Start([](std::uint8_t, const Data& d) { return Reply(1, {d[0], 0}); });
  connect->SetStation(0);
  EXPECT_EQ(connect->Execute("setlw(c:)"), kResultNoReply);
  EXPECT_TRUE(device->written.empty());
  connect->SetBroadcastEnabled(true);
  const std::int64_t start = clock.NowMs();
  EXPECT_EQ(connect->Execute("setlw(c:)"), 0);
  EXPECT_LT(clock.NowMs() - start, 10);
  ASSERT_EQ(device->writes.size(), 1u);
  EXPECT_EQ(device->writes[0][0], 0);
  // "quit" is always a broadcast, and always 0.
  connect->SetStation(1);
  EXPECT_EQ(connect->Execute("QUIT"), 0);
  EXPECT_EQ(device->writes.back(), BuildFrame(0, Data{kReqQuit}));
}

TEST_F(Engine, ModeSwitchesTheRateOnlyOnAnIntactReply) {
  bool damage = true;
  Start([&](std::uint8_t station, const Data& d) {
    EXPECT_EQ(station, 0);
    Answers a = Reply(1, {d[0], 0}, 20);
    if (damage) a[0].bytes[3] ^= 0x40;
    return a;
  });
  connect->SetBroadcastEnabled(true);
  comm->SetBaud(14400);
  EXPECT_EQ(connect->Execute("mode(4)"), kResultNoReply);
  EXPECT_EQ(comm->Baud(), 14400);
  damage = false;
  EXPECT_EQ(connect->Execute("mode(4)"), 0);
  EXPECT_EQ(comm->Baud(), 28800);
  EXPECT_EQ(terminal->requests.back(), (Data{kReqMode, 4}));
  EXPECT_EQ(connect->Station(), 1);
  // An index outside the table leaves the rate alone.
  EXPECT_EQ(connect->Execute("mode(13)"), 0);
  EXPECT_EQ(comm->Baud(), 28800);
}

TEST_F(Engine, FormatWaitsForTheWholeSecondReply) {
  struct Case {
    const char* what;
    std::uint8_t status;
    std::vector<int> secondParts;  // delay of each part of the second reply; empty: none
    int expected;
  } cases[] = {
      {"0 then ready", 0, {300}, 0},
      {"18 counts as accepted", 18, {300}, 0},
      {"second reply in two pieces", 0, {300, 340}, 0},
      {"second reply close behind the first", 0, {2}, 0},
      {"no second reply", 0, {}, kResultNoReply},
      {"refused", 5, {300}, kResultNoReply},
  };
  for (const Case& c : cases) {
    Start([&](std::uint8_t, const Data& d) {
      if (d[0] != kReqFormat) return Reply(1, {d[0], 0});
      Answers a = Reply(1, {d[0], c.status});
      const Data second = BuildFrame(1, Data{kReqFormat, 0});
      if (c.secondParts.size() == 1) a.push_back({second, c.secondParts[0]});
      if (c.secondParts.size() == 2) {
        a.push_back({Data(second.begin(), second.begin() + 3), c.secondParts[0]});
        a.push_back({Data(second.begin() + 3, second.end()), c.secondParts[1]});
      }
      return a;
    });
    EXPECT_EQ(connect->Execute("Format(D:)"), c.expected) << c.what;
    EXPECT_EQ(terminal->requests[0], (Data{kReqSetDrive, 'D'})) << c.what;
  }
}

TEST_F(Engine, SendsBlocksAndCountsTheTotal) {
  TempFolder folder;
  WriteBytes(folder.path() / "Pics" / "P1.PIC", testing::Pattern(2500, 1));
  std::string received(2500, '\0');
  Start([&](std::uint8_t, const Data& d) {
    if (d[0] != kReqSend) return Answers{};
    const std::uint32_t offset = GetU32(&d[25]);
    const std::uint16_t count = GetU16(&d[29]);
    std::copy(d.begin() + 31, d.begin() + 31 + count, received.begin() + offset);
    // 0x67 is an acceptance too.
    return Reply(
        1, {kReqSend, static_cast<std::uint8_t>(GetU16(&d[23]) == 2 ? 0x67 : 0), d[23], d[24]});
  });
  // The parser lower-cases the path; the mixed-case folder is still found.
  EXPECT_EQ(connect->Execute("send(" + (folder.path() / "Pics").string() + ",*.*)"), 0);
  EXPECT_EQ(received, testing::Pattern(2500, 1));
  EXPECT_EQ(Count(kReqSend), 3);
  EXPECT_EQ(connect->Transferred(), 2500);
  EXPECT_EQ(connect->ReplyText(), "3;");
  const FileInfoRecord first = DecodeFileInfo(&terminal->requests[0][1]);
  EXPECT_EQ(first.name, "P1.PIC");
  EXPECT_EQ(first.size, 2500);
  EXPECT_EQ(GetU16(&terminal->requests[2][29]), 2500 - 2048);
}

TEST_F(Engine, SendFailuresEndWithTheirCode) {
  TempFolder folder;
  WriteBytes(folder.path() / "A.PIC", "abc");
  WriteBytes(folder.path() / "EMPTY.PIC", "");
  std::uint8_t status = 5;
  bool wrongBlock = false;
  Start([&](std::uint8_t, const Data& d) {
    return Reply(1, {d[0], status, static_cast<std::uint8_t>(d[23] + (wrongBlock ? 1 : 0)), d[24]});
  });
  const std::string dir = folder.path().string();
  // Six failed attempts of a block, then the question; "Nein" ends it.
  EXPECT_EQ(connect->Send(dir, "a.pic"), 5);
  EXPECT_EQ(Count(kReqSend), 6);
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_EQ(box.Calls()[0].text, "Fehler bei Download ! Wiederholen ?");
  // "Ja" sends the whole file again.
  box.QueueAnswer(kAnswerJa);
  int sends = 0;
  Start([&](std::uint8_t, const Data& d) {
    return Reply(1, {d[0], static_cast<std::uint8_t>(++sends <= 6 ? 5 : 0), d[23], d[24]});
  });
  EXPECT_EQ(connect->Send(dir, "A.PIC"), 0);
  EXPECT_EQ(sends, 7);
  status = 0;
  wrongBlock = true;
  Start([&](std::uint8_t, const Data& d) {
    return Reply(1, {d[0], 0, static_cast<std::uint8_t>(d[23] + 1), d[24]});
  });
  EXPECT_EQ(connect->Send(dir, "a.pic"), kResultBlockMismatch);
  // An empty file is not sent at all; nothing that matches is the lookup's error.
  Start([&](std::uint8_t, const Data& d) { return Reply(1, {d[0], 0, d[23], d[24]}); });
  EXPECT_EQ(connect->Send(dir, "empty.pic"), 0);
  EXPECT_EQ(connect->Send(dir, "*.none"), ENOENT);
  EXPECT_EQ(connect->Send((folder.path() / "missing").string(), "*.*"), ENOENT);
  EXPECT_TRUE(terminal->requests.empty());
}

// A terminal with one listing and its files' bytes.
ScriptedTerminal::Script FilesTerminal(std::vector<FileInfoRecord> entries, std::string content,
                                       std::function<void(Data&)> spoil = nullptr) {
  auto next = std::make_shared<std::size_t>(0);
  return [=](std::uint8_t, const Data& d) {
    Data reply{d[0], 0};
    auto append = [&](const FileInfoRecord& r) {
      std::uint8_t bytes[kFileInfoSize];
      EncodeFileInfo(r, bytes);
      reply.insert(reply.end(), bytes, bytes + kFileInfoSize);
    };
    if (d[0] == kReqFirstDir || d[0] == kReqNextDir) {
      if (d[0] == kReqFirstDir) *next = 0;
      if (*next >= entries.size()) return Reply(1, {d[0], 18});
      append(entries[(*next)++]);
    } else if (d[0] == kReqReceive) {
      const std::uint32_t offset = GetU32(&d[25]);
      const std::size_t count = std::min<std::size_t>(1024, content.size() - offset);
      append(DecodeFileInfo(&d[1]));
      reply.insert(reply.end(), d.begin() + 23, d.begin() + 29);
      reply.push_back(static_cast<std::uint8_t>(count));
      reply.push_back(static_cast<std::uint8_t>(count >> 8));
      reply.insert(reply.end(), content.begin() + offset,
                   content.begin() + static_cast<std::ptrdiff_t>(offset + count));
      if (spoil) spoil(reply);
    }
    return Reply(1, reply);
  };
}

TEST_F(Engine, ReceiveReplacesALocalFileOfTheSameNameInAnyCase) {
  TempFolder folder;
  WriteBytes(folder.path() / "Image" / "ip01.set", "old");
  const std::string content = testing::Pattern(1500, 3);
  Start(FilesTerminal({{kAttrArchive, 0, 1500, "IP01.SET"}}, content));
  ReceiveReport report;
  EXPECT_EQ(connect->Receive((folder.path() / "image").string() + "/", "IP*.SET", &report), 0);
  EXPECT_EQ(report.received, 1);
  EXPECT_FALSE(report.nothingFound);
  EXPECT_EQ(ReadBytes(folder.path() / "Image" / "IP01.SET"), content);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "Image" / "ip01.set"));
  EXPECT_EQ(Count(kReqReceive), 2);
}

TEST_F(Engine, ReceiveRefusesWhatCannotBeTakenSafely) {
  TempFolder folder;
  const std::filesystem::path dir = folder.path() / "d";
  std::filesystem::create_directories(dir);
  struct Case {
    const char* what;
    FileInfoRecord entry;
    std::function<void(Data&)> spoil;
  } cases[] = {
      {"a name that leaves the folder", {kAttrArchive, 0, 10, "../evil.txt"}, nullptr},
      {"a folder", {kAttrDirectory, 0, 10, "SUB"}, nullptr},
      // Blocks without data would never reach the end.
      {"blocks without data",
       {kAttrArchive, 0, 10, "Z.TXT"},
       [](Data& r) {
         r[30] = r[31] = 0;
         r.resize(32);
       }},
      // More data than the reply carries.
      {"count beyond the reply", {kAttrArchive, 0, 10, "C.TXT"}, [](Data& r) { r[30] = 200; }},
  };
  for (const Case& c : cases) {
    Start(FilesTerminal({c.entry}, std::string(10, 'x'), c.spoil));
    EXPECT_EQ(connect->Receive(dir.string(), "*.*"), kResultNoReply) << c.what;
    EXPECT_TRUE(std::filesystem::is_empty(dir)) << c.what;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "evil.txt"));
  // A local folder that is not there is reported before anything is asked.
  Start(FilesTerminal({}, ""));
  EXPECT_EQ(connect->Receive((folder.path() / "nope").string(), "*.*"), ENOENT);
  EXPECT_TRUE(terminal->requests.empty());
  // Nothing to fetch: the status of the failed lookup.
  ReceiveReport report;
  EXPECT_EQ(connect->Receive(dir.string(), "*.set", &report), 18);
  EXPECT_TRUE(report.nothingFound);
}

// A receive is complete only when the terminal said its listing had ended:
// what a lost or damaged reply leaves unfetched must not look like success.
TEST_F(Engine, ReceiveTellsNothingFoundFromAFailedListing) {
  TempFolder folder;
  const std::filesystem::path dir = folder.path() / "d";
  std::filesystem::create_directories(dir);
  const FileInfoRecord ip1{kAttrArchive, 0, 10, "IP1.SET"}, ip2{kAttrArchive, 0, 10, "IP2.SET"};
  struct Case {
    const char* what;
    std::function<Answers(const Data&)> nextDir;  // the answer to the first "nextdir"
    std::uint8_t firstDirStatus;
    int expected;
    bool nothingFound;
    int received;
  } cases[] = {
      {"the listing ends",
       [](const Data& d) {
         return Reply(1, {d[0], 18});
       },
       0, 0, false, 1},
      {"no reply to nextdir", [](const Data&) { return Answers{}; }, 0, kResultNoReply, false, 1},
      {"nextdir damaged",
       [](const Data& d) {
         Answers a = Reply(1, {d[0], 18});
         a[0].bytes.back() ^= 1;
         return a;
       },
       0, kResultNoReply, false, 1},
      {"nextdir error status",
       [](const Data& d) {
         return Reply(1, {d[0], 29});
       },
       0, 29, false, 1},
      {"file not found", nullptr, 2, 2, true, 0},
      {"an error status is no absence", nullptr, 5, 5, false, 0},
  };
  for (const Case& c : cases) {
    const ScriptedTerminal::Script files = FilesTerminal({ip1, ip2}, std::string(10, 'x'));
    Start([&](std::uint8_t station, const Data& d) {
      if (d[0] == kReqFirstDir && c.firstDirStatus != 0) return Reply(1, {d[0], c.firstDirStatus});
      if (d[0] == kReqNextDir) return c.nextDir(d);
      return files(station, d);
    });
    ReceiveReport report;
    EXPECT_EQ(connect->Receive(dir.string(), "ip*.set", &report), c.expected) << c.what;
    EXPECT_EQ(report.nothingFound, c.nothingFound) << c.what;
    EXPECT_EQ(report.received, c.received) << c.what;
  }
}

// An empty file has nothing to fetch; it does not stop the files after it.
TEST_F(Engine, ReceiveSkipsEmptyFiles) {
  TempFolder folder;
  const std::filesystem::path dir = folder.path() / "d";
  std::filesystem::create_directories(dir);
  Start(FilesTerminal({{kAttrArchive, 0, 0, "S0.INI"}, {kAttrArchive, 0, 10, "S1.INI"}},
                      std::string(10, 'x')));
  ReceiveReport report;
  EXPECT_EQ(connect->Receive(dir.string(), "s*.ini", &report), 0);
  EXPECT_EQ(report.received, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "S0.INI"));
  EXPECT_EQ(ReadBytes(dir / "S1.INI"), std::string(10, 'x'));
  EXPECT_EQ(Count(kReqReceive), 1);
}

TEST_F(Engine, DelFileOfAMissingFileSendsNoDeletion) {
  Start([](std::uint8_t, const Data& d) { return Reply(1, {d[0], 2}); });
  EXPECT_EQ(connect->Execute("delfile(Files.LST)"), 2);
  EXPECT_EQ(Count(kReqDelFile), 0);
  ASSERT_EQ(terminal->requests.size(), 1u);
  // The pattern went out lower-cased, as the parser makes every line.
  EXPECT_EQ(GetCounted(&terminal->requests[0][1], 12), "files.lst");
  Start(FilesTerminal({{kAttrArchive, 7, 3, "FILES.LST"}}, "abc"));
  EXPECT_EQ(connect->Execute("delfile(files.lst)"), 0);
  ASSERT_EQ(Count(kReqDelFile), 1);
  EXPECT_EQ(DecodeFileInfo(&terminal->requests.back()[1]).name, "FILES.LST");
}

TEST_F(Engine, ReplyTextsOfTheQueries) {
  Start([](std::uint8_t, const Data& d) {
    switch (d[0]) {
      case kReqVersion:
        return Reply(1, {d[0], 0, 5, 0, 8});
      case kReqGetDrive:
        return Reply(1, {d[0], 0, 'D'});
      case kReqSpeed:
        return Reply(1, {d[0], 0, 0x80, 0x04});
      case kReqDiskSize:
        return Reply(1, {d[0], 0, 0, 0, 1, 0, 0xFF, 0xFF, 0xFF, 0xFF});
      default:
        break;
    }
    return Reply(1, {d[0], 0});
  });
  EXPECT_EQ(connect->Execute("VERSION"), 0);
  EXPECT_EQ(connect->ReplyText(), "5;0;8;");
  EXPECT_EQ(connect->Execute("getlw"), 0);
  EXPECT_EQ(connect->ReplyText(), "D;");
  EXPECT_EQ(connect->Execute("speed"), 0);
  EXPECT_EQ(connect->ReplyText(), "1152;");
  EXPECT_EQ(connect->Execute("disksize"), 0);
  EXPECT_EQ(connect->ReplyText(), "65536;-1;");
  EXPECT_EQ(connect->Execute("makedir(d_terminal)"), 0);
  EXPECT_EQ(connect->Execute("whatever(1)"), 0);
  EXPECT_EQ(terminal->requests.size(), 4u);
  EXPECT_EQ(connect->Execute("setdir(C:)"), 0);
  EXPECT_EQ(GetCounted(&terminal->requests.back()[1], 128), "c:\\");
}

TEST_F(Engine, LocalFolderCommands) {
  TempFolder folder;
  Start([](std::uint8_t, const Data&) { return Answers{}; });
  EXPECT_EQ(connect->Execute("md(" + (folder.path() / "New").string() + ")"), 0);
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "new"));
  EXPECT_EQ(connect->Execute("cd(" + folder.path().string() + "/NEW/)"), 0);
  EXPECT_EQ(connect->LocalDirectory(), folder.path() / "new");
  EXPECT_EQ(connect->Execute("cd(" + (folder.path() / "none").string() + ")"), ENOENT);
  EXPECT_TRUE(device->written.empty());
}

}  // namespace
}  // namespace tavo
