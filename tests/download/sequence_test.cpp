#include "download/protocol/projektdownload.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "download/comm.h"
#include "download/progress.h"
#include "download/protocol/virtualterminal.h"
#include "shell/language.h"
#include "shell/messageboxes.h"
#include "tempfolder.h"
#include "virtualline.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using testing::Pattern;
using testing::ReadBytes;
using ::testing::UnorderedElementsAre;
using testing::WriteBytes;

struct RecordingDisplay : TransferDisplay {
  std::int64_t maximum = 0, total = 0;
  std::vector<std::string> steps;
  std::function<bool()> cancel;  // the user's "Abbruch"
  void SetTotalMaximum(std::int64_t m) override { maximum = m; }
  void SetTotalProgress(std::int64_t t) override { total = t; }
  void SetCommandLabel(const std::string& text) override {
    if (steps.empty() || steps.back() != text) steps.push_back(text);
  }
  bool CancelRequested() override { return cancel && cancel(); }
};

struct Sequence : ::testing::Test {
  testing::TempFolder tmp;
  testing::VirtualClock clock;
  VirtualTerminal terminal{{tmp.path() / "terminal", 1}};
  testing::TerminalEnd end{terminal};
  testing::ScriptedDevice* device = nullptr;
  std::unique_ptr<TComm> comm;
  ScriptedMessageBox box;
  GermanTranslator translator;
  RecordingDisplay display;
  std::unique_ptr<TDownloadConnect> connect;
  std::unique_ptr<ProjektDownload> download;
  fs::path driveC = tmp.path() / "temp.$$$" / "drive_c";
  fs::path driveD = tmp.path() / "temp.$$$" / "drive_d";
  fs::path kept = tmp.path() / "terminal_settings" / "station_001";
  DownloadOptions options;
  std::vector<std::string> sentOnLine;  // names of the blocks the terminal took

  void SetUp() override {
    ASSERT_TRUE(terminal.Prepare(nullptr));
    terminal.SetLog([this](const std::string& line) {
      if (line.rfind("send ", 0) == 0) {
        const std::string name = line.substr(5, line.find(' ', 5) - 5);
        if (sentOnLine.empty() || sentOnLine.back() != name) sentOnLine.push_back(name);
      }
    });
    auto d = std::make_unique<testing::ScriptedDevice>(clock, &end);
    device = d.get();
    comm = std::make_unique<TComm>(std::move(d));
    comm->SetDeviceName("/dev/vt");
    connect = std::make_unique<TDownloadConnect>(*comm, clock, box, translator, &display);
    download = std::make_unique<ProjektDownload>(*connect, *comm, clock, box, translator);
    options.rateIndex = 1;
    options.station = 1;
    options.settingsFolder = kept;
    WriteBytes(driveC / "AUTOEXEC.BAT", "echo start\r\n");
    WriteBytes(driveC / "049.set", Pattern(300, 9));
    WriteBytes(driveD / "Project.run", Pattern(2100, 1));
    WriteBytes(driveD / "5.pic", Pattern(900, 2));
    WriteBytes(driveD / "PIC1.HCD", Pattern(3000, 3));
  }

  DownloadOutcome Run(int scope) {
    options.scope = scope;
    sentOnLine.clear();
    return download->Run(ScanImageFolders(driveC, driveD), options);
  }
  fs::path OnTerminal(char drive, const std::string& name) const {
    return terminal.DriveFolder(drive) / name;
  }
  std::set<std::string> Names(char drive) const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(terminal.DriveFolder(drive)))
      names.insert(e.path().filename().string());
    return names;
  }
  // Drive D of the terminal holds the image, byte for byte.
  void ExpectImageOnTerminal() const {
    for (const auto& e : fs::directory_iterator(driveD)) {
      std::string upper = e.path().filename().string();
      for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
      EXPECT_EQ(ReadBytes(OnTerminal('D', upper)), ReadBytes(e.path())) << upper;
    }
  }
  std::string LastMessage() const { return box.Calls().empty() ? "" : box.Calls().back().text; }
};

TEST_F(Sequence, FullDownloadFormatsAndSendsBothDrives) {
  WriteBytes(OnTerminal('D', "OLD.PIC"), "old");
  WriteBytes(OnTerminal('D', "IP01.SET"), "terminal settings");
  EXPECT_EQ(Run(0), DownloadOutcome::Success);
  EXPECT_EQ(LastMessage(), "Download erfolgreich.");
  EXPECT_EQ(box.Calls().back().kind, MsgKind::Information);
  ExpectImageOnTerminal();
  // The terminal's settings file came back after the format; no list is left.
  EXPECT_THAT(Names('D'), UnorderedElementsAre("5.PIC", "IP01.SET", "PIC1.HCD", "PROJECT.RUN"));
  EXPECT_EQ(ReadBytes(OnTerminal('D', "IP01.SET")), "terminal settings");
  EXPECT_THAT(Names('C'), UnorderedElementsAre("049.SET", "AUTOEXEC.BAT"));
  EXPECT_EQ(download->TerminalVersion(), "5;0;8;");
  EXPECT_EQ(terminal.RateIndex(), 6);  // back to 14400 at the end
  EXPECT_EQ(terminal.QuitCount(), 1);
  EXPECT_EQ(terminal.WakeBytes(), 10);
  EXPECT_FALSE(comm->Active());
  // The settings file that went back counts in the total it is shown
  // against: the figures end at their maximum, not beyond.
  EXPECT_EQ(display.maximum, 12 + 300 + 2100 + 900 + 3000 + 17);
  EXPECT_EQ(display.total, display.maximum);
  // The steps are told in words, never as protocol text.
  EXPECT_THAT(display.steps,
              ::testing::IsSupersetOf({"Terminal wird gesucht ...",
                                       "Geschwindigkeit wird eingestellt: 115200 Bit/s",
                                       "Laufwerk D: wird formatiert",
                                       "Datei Project.run wird \xFC"
                                       "bertragen",
                                       "\xDC"
                                       "bertragung wird beendet"}));
  for (const std::string& step : display.steps)
    EXPECT_EQ(step.find('"'), std::string::npos) << step;
}

// The terminal's settings files are fetched into a folder of their own, go
// back first after the format, and win over a file of the same name in the
// image; once they are back, nothing of them is left in the base folder.
TEST_F(Sequence, TheTerminalsOwnSettingsGoBackFirstAndWin) {
  WriteBytes(driveD / "S1.INI", "the image's copy");
  for (const int scope : {0, 1}) {
    SCOPED_TRACE(scope);
    if (scope == 1) WriteBytes(OnTerminal('C', "UNIT.INI"), "[unit]");
    WriteBytes(OnTerminal('D', "S1.INI"), "the terminal's own");
    WriteBytes(OnTerminal('D', "IP01.SET"), "address");
    EXPECT_EQ(Run(scope), DownloadOutcome::Success) << LastMessage();
    EXPECT_EQ(ReadBytes(OnTerminal('D', "S1.INI")), "the terminal's own");
    EXPECT_EQ(ReadBytes(OnTerminal('D', "IP01.SET")), "address");
    EXPECT_THAT(download->Restored(), ElementsAre("IP01.SET", "S1.INI"));
    const auto first = std::find(sentOnLine.begin(), sentOnLine.end(), "IP01.SET");
    EXPECT_LT(first - sentOnLine.begin(),
              std::find(sentOnLine.begin(), sentOnLine.end(), "Project.run") - sentOnLine.begin());
    EXPECT_EQ(std::count(sentOnLine.begin(), sentOnLine.end(), "S1.INI"), 1);
    EXPECT_EQ(ReadBytes(driveD / "S1.INI"), "the image's copy");
    EXPECT_FALSE(fs::exists(tmp.path() / "terminal_settings"));
    // The next optimised download finds the list and fetches nothing.
    fs::remove(OnTerminal('D', "FILES.LST"));
  }
}

// Without a place to keep the settings, no drive is formatted.
TEST_F(Sequence, SettingsThatCannotBeKeptStopTheDownload) {
  WriteBytes(OnTerminal('D', "IP01.SET"), "address");
  WriteBytes(OnTerminal('D', "OLD.PIC"), "old");
  WriteBytes(tmp.path() / "blocked", "a file where the folder belongs");
  options.settingsFolder = tmp.path() / "blocked" / "station_001";
  EXPECT_EQ(Run(0), DownloadOutcome::SettingsNotSaved);
  EXPECT_EQ(LastMessage(),
            "Die Einstellungen des Terminals konnten nicht gesichert werden. Am Terminal wurde "
            "nichts ge\xE4ndert, bitte wiederholen.");
  EXPECT_THAT(Names('D'), UnorderedElementsAre("IP01.SET", "OLD.PIC"));
  EXPECT_EQ(terminal.RequestCount(kReqFormat), 0);
  // The terminal runs its old project again.
  EXPECT_EQ(terminal.QuitCount(), 1);
}

TEST_F(Sequence, FullDownloadLeavesDriveCWithUnitIniAlone) {
  WriteBytes(OnTerminal('C', "UNIT.INI"), "[unit]");
  EXPECT_EQ(Run(0), DownloadOutcome::Success);
  EXPECT_THAT(Names('C'), ElementsAre("UNIT.INI"));
  EXPECT_EQ(display.maximum, 2100 + 900 + 3000);
}

TEST_F(Sequence, OptimisedDownloadSendsOnlyWhatChanged) {
  WriteBytes(OnTerminal('C', "UNIT.INI"), "[unit]");
  WriteBytes(OnTerminal('D', "S1.INI"), "kept settings");
  // No Files.LST yet: settings fetched, drive D formatted, everything sent.
  EXPECT_EQ(Run(1), DownloadOutcome::Success) << LastMessage();
  EXPECT_THAT(sentOnLine,
              UnorderedElementsAre("5.pic", "Files.LST", "PIC1.HCD", "Project.run", "S1.INI"));
  ExpectImageOnTerminal();
  ASSERT_TRUE(fs::exists(OnTerminal('D', "FILES.LST")));

  // One file changes (same size), the terminal gained two files of its own.
  WriteBytes(driveD / "5.pic", Pattern(900, 7));
  fs::remove(driveD / "S1.INI");
  WriteBytes(OnTerminal('D', "EXTRA.PIC"), "stray");
  WriteBytes(OnTerminal('D', "KEEP.SET"), "settings");
  EXPECT_EQ(Run(1), DownloadOutcome::Success) << LastMessage();
  EXPECT_THAT(sentOnLine, ElementsAre("5.pic", "Files.LST"));
  // Settings files of the terminal stay even though the image lacks them.
  EXPECT_THAT(download->Deleted(), UnorderedElementsAre("5.pic", "EXTRA.PIC"));
  EXPECT_EQ(ReadBytes(OnTerminal('D', "5.PIC")), Pattern(900, 7));
  EXPECT_THAT(Names('D'), UnorderedElementsAre("5.PIC", "FILES.LST", "KEEP.SET", "PIC1.HCD",
                                               "PROJECT.RUN", "S1.INI"));
  // Unchanged files count in the overall bar all the same.
  EXPECT_EQ(display.total, 2100 + 900 + 3000 + 3 * 17);
  // The list on the terminal describes the image now on it.
  const std::vector<ChecksumEntry> kept = ReadChecksumListFile(OnTerminal('D', "FILES.LST"));
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[0].name, "5.pic");
}

TEST_F(Sequence, OptimisedDownloadNeedsUnitIniAndFirstGenerationGetsAFullOne) {
  EXPECT_EQ(Run(1), DownloadOutcome::NotProTerminal);
  EXPECT_EQ(LastMessage(), "VTA VGA PRO Terminal erwartet !!");
  EXPECT_FALSE(comm->Active());
  options.firstGeneration = true;
  EXPECT_EQ(Run(1), DownloadOutcome::Success);
  EXPECT_EQ(download->ScopeUsed(), 0);
  EXPECT_EQ(options.scope, 1);
  EXPECT_FALSE(fs::exists(OnTerminal('D', "FILES.LST")));
}

TEST_F(Sequence, NoTerminalAfterTwentyTries) {
  end.silent = true;
  int wakeBytes = 0;
  end.onWrite = [&](std::span<const std::uint8_t> bytes) {
    wakeBytes += bytes.size() == 1 && bytes[0] == 0xAA;
  };
  EXPECT_EQ(Run(0), DownloadOutcome::NoTerminal);
  // Said with what to check, and the values the search used.
  EXPECT_EQ(LastMessage(),
            "kein Terminal gefunden !\n\nBitte pr\xFC"
            "fen: Kabel an COM1 (/dev/vt), Terminal eingeschaltet und zum Download bereit, "
            "Stationsnummer 1, Geschwindigkeit 14400 Bit/s.");
  EXPECT_EQ(box.Calls().back().kind, MsgKind::Fehler);
  EXPECT_EQ(wakeBytes, 200);
  EXPECT_FALSE(comm->Active());
  // 20 x (12 ticks of waking, 3 x 14 ticks of asking) on the protocol's
  // 50 ms timer, and the wake-up timer's own 12 ticks per try.
  EXPECT_EQ(clock.Ticks(), 20 * (12 + 3 * 14) + 20 * 12);

  comm->SetDeviceName("/dev/missing");
  const std::int64_t before = clock.NowMs();
  EXPECT_EQ(Run(0), DownloadOutcome::NoTerminal);
  EXPECT_LT(clock.NowMs() - before, 100);
  // A port that cannot be opened says why.
  EXPECT_NE(LastMessage().find("COM1 (/dev/missing): "), std::string::npos) << LastMessage();
}

// The search for a terminal that is not there ends as soon as the user
// cancels, not after twenty tries: the port is free again and nothing was
// sent but the wake-up.
TEST_F(Sequence, CancelEndsTheSearchForAMissingTerminalAtOnce) {
  end.silent = true;
  bool quitSent = false;
  end.onWrite = [&](std::span<const std::uint8_t> bytes) {
    quitSent |= bytes.size() == 6 && bytes[3] == kReqQuit;
  };
  display.cancel = [this] { return clock.NowMs() > 1500; };
  EXPECT_EQ(Run(0), DownloadOutcome::Cancelled);
  EXPECT_LT(clock.NowMs(), 1500 + 200);
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_EQ(box.Calls()[0].kind, MsgKind::Information);
  EXPECT_EQ(LastMessage(),
            "Download abgebrochen. Das Projekt auf dem Terminal ist unver\xE4ndert.");
  EXPECT_FALSE(comm->Active());
  EXPECT_FALSE(quitSent);
  EXPECT_EQ(clock.RunningTimers(), 2);  // the protocol's own two, no wake-up timer left
}

TEST_F(Sequence, TerminalAnsweringInTheThirdTry) {
  int versions = 0;
  end.silent = true;
  end.onWrite = [&](std::span<const std::uint8_t> bytes) {
    if (versions == 6) end.silent = false;
    if (bytes.size() == 6 && bytes[3] == kReqVersion) ++versions;
  };
  EXPECT_EQ(Run(0), DownloadOutcome::Success);
  EXPECT_EQ(versions, 7);
  EXPECT_EQ(terminal.WakeBytes(), 10);
}

TEST_F(Sequence, LineLostMidFileEndsAsFailedInBoundedTime) {
  int sends = 0;
  end.onWrite = [&](std::span<const std::uint8_t> bytes) {
    if (bytes.size() > 4 && bytes[3] == kReqSend && ++sends == 3) end.silent = true;
  };
  EXPECT_EQ(Run(0), DownloadOutcome::Failed);
  EXPECT_EQ(LastMessage(), "Download fehlerhaft, Bitte wiederholen.");
  // The question after the failed file was answered "Nein".
  EXPECT_GE(box.Calls().size(), 2u);
  EXPECT_FALSE(comm->Active());
  EXPECT_LT(clock.NowMs(), 5 * 60 * 1000);
}

TEST_F(Sequence, FailedFormatIsNoSuccess) {
  // A terminal that refuses to format drive D (its status 5) must not end
  // with "Download erfolgreich.".
  WriteBytes(OnTerminal('C', "UNIT.INI"), "[unit]");
  end.onWrite = [&](std::span<const std::uint8_t> bytes) {
    if (bytes.size() == 6 && bytes[3] == kReqFormat)
      end.silent = true;
    else if (bytes.size() > 4 && bytes[3] != kReqFormat)
      end.silent = false;
  };
  EXPECT_EQ(Run(0), DownloadOutcome::Failed);
  EXPECT_EQ(LastMessage(), "Download fehlerhaft, Bitte wiederholen.");
}

TEST_F(Sequence, AnEmptyDriveCImageIsNoFailure) {
  fs::remove_all(driveC);
  fs::create_directories(driveC);
  EXPECT_EQ(Run(0), DownloadOutcome::Success) << LastMessage();
  ExpectImageOnTerminal();
}

TEST_F(Sequence, NamesBeyondEightDotThreeAreReportedBeforeAnythingIsSent) {
  WriteBytes(driveD / "LongPictureName.pic", "x");
  EXPECT_EQ(Run(0), DownloadOutcome::BadImage);
  EXPECT_NE(LastMessage().find("LongPictureName.pic"), std::string::npos);
  EXPECT_TRUE(device->written.empty());
}

TEST_F(Sequence, StaleChecksumListInTheImageIsNotSent) {
  WriteBytes(driveD / "FILES.LST", "stale");
  const DownloadImage image = ScanImageFolders(driveC, driveD);
  EXPECT_EQ(image.checksums.size(), 3u);
  EXPECT_FALSE(fs::exists(driveD / "FILES.LST"));
  EXPECT_EQ(image.totalD, 2100u + 900 + 3000);
  EXPECT_EQ(image.totalC, 12u + 300);
}

// --- faults at every command ------------------------------------------------------------

using Fault = testing::FaultyLine::Fault;
using Files = std::map<std::string, std::string>;

// Every file below `root`, by its path relative to it.
Files Snapshot(const fs::path& root) {
  Files files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file())
      files[fs::relative(it->path(), root).string()] = ReadBytes(it->path());
  return files;
}

// One download over a fresh line, with a fault at one command (or none).
struct FaultRun {
  DownloadOutcome outcome;
  std::string message;
  int steps;
  std::uint8_t faultedCode;
  bool reached = false;  // the terminal answered the search
  int quits = 0;
  int rateIndex = 0;   // the terminal's rate at the end
  bool asked = false;  // a question was put to the user
  bool portOpen = false;
};

struct DownloadUnderFaults : ::testing::Test {
  testing::TempFolder tmp;
  fs::path root = tmp.path() / "terminal";
  fs::path driveC = tmp.path() / "image" / "drive_c";
  fs::path driveD = tmp.path() / "image" / "drive_d";
  fs::path kept = tmp.path() / "terminal_settings" / "station_001";
  const Files settings{{"IP01.SET", Pattern(1500, 4)}, {"S1.INI", "[station]\r\nid=1\r\n"}};

  void SetUp() override {
    WriteBytes(driveC / "AUTOEXEC.BAT", "echo start\r\n");
    WriteBytes(driveD / "Project.run", Pattern(1500, 1));
    WriteBytes(driveD / "5.pic", Pattern(300, 2));
    WriteBytes(driveD / "PIC1.HCD", Pattern(1100, 3));
  }

  // `cancelAt`: the user cancels once that many commands have gone out.
  FaultRun Run(int scope, Fault fault = Fault::None, int target = -1, int cancelAt = -1) {
    testing::VirtualClock clock;
    VirtualTerminal terminal{{root, 1}};
    testing::FaultyLine line(terminal, fault, target);
    auto device = std::make_unique<testing::ScriptedDevice>(clock, &line);
    TComm comm(std::move(device));
    comm.SetDeviceName("/dev/vt");
    ScriptedMessageBox box;
    GermanTranslator translator;
    RecordingDisplay display;
    display.cancel = [&line, cancelAt] { return cancelAt >= 0 && line.Steps() > cancelAt; };
    TDownloadConnect connect(comm, clock, box, translator, &display);
    ProjektDownload download(connect, comm, clock, box, translator);
    DownloadOptions options;
    options.rateIndex = 1;
    options.scope = scope;
    options.settingsFolder = kept;
    const DownloadOutcome outcome = download.Run(ScanImageFolders(driveC, driveD), options);
    FaultRun run{outcome, box.Calls().empty() ? "" : box.Calls().back().text, line.Steps(),
                 line.CodeOf(target)};
    run.reached = !download.TerminalVersion().empty();
    run.quits = terminal.QuitCount();
    run.rateIndex = terminal.RateIndex();
    for (const ScriptedMessageBox::Call& call : box.Calls())
      run.asked |= call.kind == MsgKind::Abfrage;
    run.portOpen = comm.Active();
    return run;
  }

  // The terminal of each scenario before the download: drive D with an old
  // picture and its settings; for the optimised download "unit.ini" on C,
  // and in the last scenario the list an earlier download left (made once,
  // then laid out again from its files).
  void PrepareTerminal(int scenario) {
    fs::remove_all(root);
    fs::remove_all(kept);
    WriteBytes(driveD / "5.pic", Pattern(300, 2));
    Files& ready = prepared[scenario];
    if (ready.empty()) {
      WriteBytes(root / "C" / "OLD.BAT", "old");
      WriteBytes(root / "D" / "OLD.PIC", "old picture");
      for (const auto& [name, content] : settings) WriteBytes(root / "D" / name, content);
      if (scenario > 0) WriteBytes(root / "C" / "UNIT.INI", "[unit]");
      if (scenario == 2) {
        ASSERT_EQ(Run(1).outcome, DownloadOutcome::Success);
      }
      ready = Snapshot(root);
    } else {
      for (const auto& [path, content] : ready) WriteBytes(root / path, content);
    }
    // One picture changed, size kept: only the checksums tell.
    if (scenario == 2) WriteBytes(driveD / "5.pic", Pattern(300, 8));
  }
  Files prepared[3];

  // A download reported as successful left the image and the settings.
  void ExpectComplete(int scenario) {
    const Files d = Snapshot(root / "D");
    for (const auto& e : fs::directory_iterator(driveD)) {
      std::string upper = e.path().filename().string();
      for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
      EXPECT_EQ(d.count(upper) ? d.at(upper) : "<missing>", ReadBytes(e.path())) << upper;
    }
    for (const auto& [name, content] : settings)
      EXPECT_EQ(d.count(name) ? d.at(name) : "<missing>", content) << name;
    EXPECT_EQ(d.count("OLD.PIC"), 0u);
    if (scenario == 0) {
      EXPECT_EQ(Snapshot(root / "C"), (Files{{"AUTOEXEC.BAT", "echo start\r\n"}}));
    } else {
      EXPECT_EQ(Snapshot(root / "C").count("UNIT.INI"), 1u);
    }
  }
};

// A fault at any command, of any kind, never costs the terminal its
// settings: they are on the terminal, or kept for the next download, which
// brings them back. "Download erfolgreich." comes only with everything in
// place, and a download stopped because the settings could not be fetched
// changed nothing on the terminal.
TEST_F(DownloadUnderFaults, SettingsSurviveAFaultAtEveryCommand) {
  const struct {
    const char* name;
    int scope;
  } scenarios[] = {{"full", 0}, {"optimised without list", 1}, {"optimised with list", 1}};
  const struct {
    Fault fault;
    const char* name;
  } kinds[] = {{Fault::NoReply, "no reply"},
               {Fault::BadCrc, "bad CRC"},
               {Fault::WrongBlock, "wrong block"},
               {Fault::ErrorStatus, "error status"}};
  for (int scenario = 0; scenario < 3; ++scenario) {
    const int scope = scenarios[scenario].scope;
    PrepareTerminal(scenario);
    const int steps = Run(scope).steps;
    ASSERT_GT(steps, 20) << scenarios[scenario].name;
    for (int step = 0; step < steps; ++step) {
      for (const auto& kind : kinds) {
        PrepareTerminal(scenario);
        const Files before = Snapshot(root), beforeD = Snapshot(root / "D");
        const FaultRun run = Run(scope, kind.fault, step);
        SCOPED_TRACE(std::string(scenarios[scenario].name) + ", " + kind.name + " at command " +
                     std::to_string(step) + " (request " + std::to_string(run.faultedCode) +
                     "): " + run.message);
        const Files d = Snapshot(root / "D");
        for (const auto& [name, content] : settings) {
          const bool onTerminal = d.count(name) && d.at(name) == content;
          const bool keptCopy = ReadBytes(kept / name) == content;
          EXPECT_TRUE(onTerminal || (run.outcome != DownloadOutcome::Success && keptCopy)) << name;
        }
        // No copies are kept of files on a drive the download did not touch.
        if (d == beforeD) {
          EXPECT_TRUE(Snapshot(kept).empty());
        }
        EXPECT_EQ(run.outcome == DownloadOutcome::Success, run.message == "Download erfolgreich.");
        if (run.outcome == DownloadOutcome::Success) ExpectComplete(scenario);
        if (run.outcome == DownloadOutcome::SettingsNotSaved) {
          EXPECT_EQ(Snapshot(root), before);
          EXPECT_EQ(run.message,
                    "Die Einstellungen des Terminals konnten nicht gesichert werden. Am Terminal "
                    "wurde nichts ge\xE4ndert, bitte wiederholen.");
        }
        // The next download on a sound line puts everything right.
        EXPECT_EQ(Run(scope).outcome, DownloadOutcome::Success);
        ExpectComplete(scenario);
        EXPECT_TRUE(Snapshot(kept).empty());
        if (HasFailure()) return;
      }
    }
  }
}

// The user's cancel, whichever command is under way: the download stops at
// the next step where stopping is safe and says what the terminal holds
// now; a terminal that was reached is told "quit" at its normal rate; the
// settings are on it or kept; no question is asked; and the next download
// puts everything right.
TEST_F(DownloadUnderFaults, ACancelAtEveryCommandStopsSafelyAndSaysWhatTheTerminalHolds) {
  const char* const names[] = {"full", "optimised without list", "optimised with list"};
  const std::string unchanged =
      "Download abgebrochen. Das Projekt auf dem Terminal ist unver\xE4ndert.";
  const std::string partial =
      "Download abgebrochen. Das Terminal hat jetzt nur einen Teil des Projekts: bitte den "
      "Download wiederholen.";
  // The project on the terminal, without the checksum list (which only
  // tells the next optimised download what is there).
  auto project = [](Files files) {
    files.erase("D/FILES.LST");
    return files;
  };
  for (int scenario = 0; scenario < 3; ++scenario) {
    const int scope = scenario == 0 ? 0 : 1;
    PrepareTerminal(scenario);
    const int steps = Run(scope).steps;
    for (int step = 0; step < steps; ++step) {
      PrepareTerminal(scenario);
      const Files before = Snapshot(root);
      const FaultRun run = Run(scope, Fault::None, -1, step);
      SCOPED_TRACE(std::string(names[scenario]) + ", cancelled at command " + std::to_string(step) +
                   ": " + run.message);
      EXPECT_FALSE(run.asked);
      EXPECT_FALSE(run.portOpen);
      EXPECT_EQ(run.quits, run.reached ? 1 : 0);
      if (run.reached) {
        EXPECT_EQ(run.rateIndex, 6);
      }
      const Files d = Snapshot(root / "D");
      for (const auto& [name, content] : settings) {
        const bool onTerminal = d.count(name) && d.at(name) == content;
        EXPECT_TRUE(onTerminal || ReadBytes(kept / name) == content) << name;
      }
      switch (run.outcome) {
        case DownloadOutcome::Cancelled:
          EXPECT_EQ(run.message, unchanged);
          EXPECT_EQ(project(Snapshot(root)), project(before));
          EXPECT_TRUE(Snapshot(kept).empty());
          break;
        case DownloadOutcome::CancelledIncomplete:
          EXPECT_EQ(run.message, partial);
          break;
        case DownloadOutcome::Success:
          // Cancelled while the transfer was ending: everything is there.
          EXPECT_GE(step, steps - 3);
          ExpectComplete(scenario);
          break;
        default:
          ADD_FAILURE() << "outcome " << static_cast<int>(run.outcome);
      }
      EXPECT_EQ(Run(scope).outcome, DownloadOutcome::Success);
      ExpectComplete(scenario);
      EXPECT_TRUE(Snapshot(kept).empty());
      if (HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace tavo
