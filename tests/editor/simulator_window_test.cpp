// The simulator window on a built image: it shows what the simulator draws,
// the variable table and the input fields change values (and refuse what
// the variable or field cannot take), the key buttons switch pictures, and
// the editor's "Simulieren" opens it on a demo project.

#include <sys/wait.h>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <cstdlib>

#include "editor/simulator/simulatecommand.h"
#include "editor/simulator/simulatorface.h"
#include "editor/simulator/simulatorwindow.h"
#include "mainwindow_fixture.h"
#include "shell/codepage.h"
#include "shell/language.h"
#include "simulator/simfixture.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

// Terminal pixels of the fixture's pictures (see SimProject).
const QPoint kSwitchedRect(220, 30);  // shown while variable 2 is 1
const QPoint kBarStart(30, 20);       // filled while variable 1 > 20 % of 100

class SimulatorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    SimProject fixture(installed_.catalog);
    ImageBuildOptions options;
    options.install = &installed_.install;
    options.workFolder = folder_.path();
    const DownloadImage image = BuildDownloadImage(fixture.project, options);
    ASSERT_TRUE(image.ok()) << image.error;
    driveD_ = image.driveD;
    window_ = std::make_unique<SimulatorWindow>(translator_, box_, &installed_.catalog);
    ASSERT_TRUE(window_->Open(driveD_));
    window_->SetVariableNames(fixture.project.variables.get());
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }

  Simulator& Sim() { return *window_->CurrentSimulator(); }
  QRgb Shown(const QPoint& p) { return window_->DisplayImage().pixel(p); }
  QTableWidgetItem* ValueCell(int variable) {
    auto* table = window_->findChild<QTableWidget*>("VariableTable");
    for (int row = 0; row < table->rowCount(); ++row)
      if (table->item(row, 0)->text() == QString::number(variable)) return table->item(row, 4);
    ADD_FAILURE() << "no row for variable " << variable;
    return nullptr;
  }
  void Click(const char* button) {
    auto* b = window_->findChild<QToolButton*>(button);
    ASSERT_NE(b, nullptr) << button;
    b->click();
  }

  Installed installed_;
  TempFolder folder_;
  fs::path driveD_;
  GermanTranslator translator_;
  ScriptedMessageBox box_;
  std::unique_ptr<SimulatorWindow> window_;
};

TEST_F(SimulatorWindowTest, ShowsThePictureTheSimulatorDrawsEnlargedWithCrispPixels) {
  const QImage drawn = DrawSimulator(Sim()).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(window_->DisplayImage().convertToFormat(QImage::Format_RGB32), drawn);
  EXPECT_TRUE(box_.Calls().empty());

  // 320 x 240 fits twice into the window's display room; each terminal
  // pixel becomes a square of whole window pixels, never a blend.
  SimulatorFace* face = window_->Face();
  ASSERT_EQ(face->Scale(), 2);
  const QImage shown = face->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QPoint origin = face->DisplayRect().topLeft();
  const int s = face->Scale();
  for (const QPoint& p :
       {QPoint(0, 0), kSwitchedRect, kBarStart, QPoint(109, 29), QPoint(110, 29), QPoint(319, 239)})
    for (const QPoint& corner : {QPoint(0, 0), QPoint(s - 1, s - 1)})
      EXPECT_EQ(shown.pixel(origin + p * s + corner), drawn.pixel(p))
          << p.x() << "," << p.y() << " corner " << corner.x();
}

TEST_F(SimulatorWindowTest, AValueTypedIntoTheTableChangesTheFieldsBoundToIt) {
  const QRgb hidden = Shown(kSwitchedRect);
  const QRgb emptyBar = Shown(kBarStart);
  ValueCell(2)->setText("1");
  EXPECT_EQ(Sim().FindVariable("2")->value, 1);
  EXPECT_NE(Shown(kSwitchedRect), hidden);
  EXPECT_EQ(Shown(kBarStart), emptyBar);
  ValueCell(1)->setText("50");
  EXPECT_NE(Shown(kBarStart), emptyBar);
  // What the window shows is what the simulator draws with these values.
  EXPECT_EQ(window_->DisplayImage().convertToFormat(QImage::Format_RGB32),
            DrawSimulator(Sim()).convertToFormat(QImage::Format_RGB32));
  EXPECT_TRUE(box_.Calls().empty());
  // A value set elsewhere (by the simulator's own operations) shows in the table.
  ASSERT_TRUE(Sim().SetValue(3, -7));
  EXPECT_EQ(ValueCell(3)->text(), "-7");
}

TEST_F(SimulatorWindowTest, AValueTheVariableCannotTakeIsRefusedAndTheCellKeepsTheOldValue) {
  ValueCell(1)->setText("12");
  // Variable 1 is a Word, variable 3 an Integer.
  const struct {
    int variable;
    const char* typed;
  } cases[] = {{1, "abc"}, {1, "70000"}, {1, "-1"}, {3, "40000"}, {3, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    const std::int64_t before = Sim().FindVariable(std::to_string(c.variable))->value;
    const QImage shown = window_->DisplayImage();
    const std::size_t calls = box_.Calls().size();
    ValueCell(c.variable)->setText(c.typed);
    EXPECT_EQ(Sim().FindVariable(std::to_string(c.variable))->value, before);
    EXPECT_EQ(ValueCell(c.variable)->text(), QString::number(before));
    EXPECT_EQ(window_->DisplayImage(), shown);
    ASSERT_EQ(box_.Calls().size(), calls + 1);
    EXPECT_EQ(box_.Calls().back().kind, MsgKind::Fehler);
    EXPECT_EQ(box_.Calls().back().text.rfind(translator_.Tr(txt::kSimWertAbgelehnt), 0), 0u);
  }
}

TEST_F(SimulatorWindowTest, FunctionAndSoftKeysSwitchPicturesAsTheKeysAreAssigned) {
  // The fixture's terminal offers F1 .. F12 and soft keys S1 .. S10.
  EXPECT_TRUE(window_->findChild<QToolButton*>("FunctionKey12")->isVisibleTo(window_.get()));
  EXPECT_FALSE(window_->findChild<QToolButton*>("FunctionKey13")->isVisibleTo(window_.get()));
  EXPECT_NE(window_->findChild<QToolButton*>("SoftKey10"), nullptr);
  EXPECT_EQ(window_->findChild<QToolButton*>("SoftKey11"), nullptr);

  ASSERT_EQ(Sim().CurrentPicture(), 1);
  const QImage first = window_->DisplayImage();
  // Shift-F1 has no function here: nothing changes, the status says so,
  // and the level falls back to Normal.
  Click("KeyLevel1");
  EXPECT_EQ(window_->KeyLevel(), 1);
  Click("FunctionKey1");
  EXPECT_EQ(Sim().CurrentPicture(), 1);
  EXPECT_EQ(window_->KeyLevel(), 0);
  EXPECT_FALSE(window_->findChild<QLabel*>("StatusText")->text().isEmpty());

  Click("FunctionKey1");
  EXPECT_EQ(Sim().CurrentPicture(), 2);
  EXPECT_NE(window_->DisplayImage(), first);
  EXPECT_EQ(window_->findChild<QComboBox*>("PictureSelect")->currentIndex(), 1);
  Click("SoftKey1");
  EXPECT_EQ(Sim().CurrentPicture(), 1);
  EXPECT_EQ(window_->DisplayImage(), first);

  // The computer's F1 is the terminal's.
  QTest::keyClick(window_.get(), Qt::Key_F1);
  EXPECT_EQ(Sim().CurrentPicture(), 2);
  // A click into the soft key's area on the display presses it too.
  const TermRect area{0, 216, 31, 239};
  EXPECT_TRUE(window_->ClickDisplay(QPoint(int(area.left) + 5, int(area.top) + 5)));
  EXPECT_EQ(Sim().CurrentPicture(), 1);
}

TEST_F(SimulatorWindowTest, AnInputFieldTakesATypedValueWithinItsLimitsOnly) {
  const std::vector<SimInputField> fields = Sim().InputFields();
  ASSERT_GE(fields.size(), 2u);
  const SimInputField threeDigits = fields[0];
  ASSERT_EQ(threeDigits.variable, 3);
  const QPoint inside(int(threeDigits.area.left) + 1, int(threeDigits.area.top) + 1);
  std::vector<QString> answers = {"42", "5000"};
  window_->SetInputPrompt([&](const SimInputField& field, const QString& label) {
    EXPECT_EQ(field.index, threeDigits.index);
    EXPECT_TRUE(label.contains(QString::fromStdString(field.limits))) << label.toStdString();
    const QString answer = answers.front();
    answers.erase(answers.begin());
    return std::optional<QString>(answer);
  });
  EXPECT_TRUE(window_->ClickDisplay(inside));
  EXPECT_EQ(Sim().FindVariable("3")->value, 42);
  EXPECT_EQ(ValueCell(3)->text(), "42");
  EXPECT_TRUE(box_.Calls().empty());
  // Four digits do not fit a field of three.
  EXPECT_FALSE(window_->ClickDisplay(inside));
  EXPECT_EQ(Sim().FindVariable("3")->value, 42);
  ASSERT_EQ(box_.Calls().size(), 1u);
  EXPECT_EQ(box_.Calls()[0].kind, MsgKind::Fehler);
  // Cancelled: nothing happens.
  window_->SetInputPrompt([](const SimInputField&, const QString&) { return std::nullopt; });
  EXPECT_FALSE(window_->ClickDisplay(inside));
  EXPECT_EQ(box_.Calls().size(), 1u);
}

TEST_F(SimulatorWindowTest, AlarmBitsRaiseAlarmsAndTheClockIsTheSimulators) {
  auto* bits = window_->findChild<QListWidget*>("AlarmBits");
  auto* active = window_->findChild<QListWidget*>("ActiveAlarms");
  ASSERT_EQ(bits->count(), 2);
  EXPECT_EQ(active->count(), 0);
  for (int i = 0; i < bits->count(); ++i)
    if (bits->item(i)->data(Qt::UserRole).toInt() == 17) bits->item(i)->setCheckState(Qt::Checked);
  EXPECT_EQ(Sim().AlarmWord(1), 1 << 1);
  ASSERT_EQ(active->count(), 1);
  EXPECT_TRUE(active->item(0)->text().contains("Druck zu hoch"));
  // Raised by the simulator: the bit's box follows.
  Sim().SetAlarm(3, true);
  EXPECT_EQ(active->count(), 2);

  auto* clock = window_->findChild<QDateTimeEdit*>("ClockEdit");
  clock->setDateTime(QDateTime(QDate(2024, 2, 29), QTime(23, 59, 30)));
  EXPECT_EQ(Sim().Clock().year, 2024);
  EXPECT_EQ(Sim().Clock().minute, 59);
  Sim().Advance(40);
  EXPECT_EQ(clock->dateTime(), QDateTime(QDate(2024, 3, 1), QTime(0, 0, 10)));
}

TEST_F(SimulatorWindowTest, AFolderWithoutAnImageIsRefusedAndTheWindowKeepsItsPicture) {
  TempFolder empty;
  const QImage shown = window_->DisplayImage();
  EXPECT_FALSE(window_->Open(empty.path()));
  ASSERT_EQ(box_.Calls().size(), 1u);
  EXPECT_EQ(box_.Calls()[0].text.rfind(translator_.Tr(txt::kSimNichtGelesen), 0), 0u);
  EXPECT_EQ(window_->Folder(), driveD_);
  EXPECT_EQ(window_->DisplayImage(), shown);
  // Reading again starts afresh; the names stay.
  ValueCell(1)->setText("50");
  ASSERT_TRUE(window_->Reload());
  EXPECT_EQ(Sim().FindVariable("1")->value, 0);
  EXPECT_EQ(Sim().FindVariable("1")->name, std::string());
}

// --- the editor's command ------------------------------------------------------

class SimulateCommandTest : public MainWindowTest {};

TEST_F(SimulateCommandTest, SimulateOpensTheWindowOnTheDemoProjectsImage) {
  TempFolder work;
  EditorHooks hooks = Hooks();
  hooks.simulate = [&](QWidget* parent, Workspace& ws, t_projekt& project, MessageBox& box) {
    SimulateCommandOptions options;
    options.workFolder = work.path();
    RunSimulateCommand(parent, ws, project, box, options);
  };
  TmainForm& w = MakeWindow(std::move(hooks));
  EXPECT_FALSE(Action("ToolButSimulieren")->isEnabled());
  ASSERT_TRUE(w.OpenProjectFile(QString::fromStdString(ProjectCopy("Demo.qvx").string())));
  ASSERT_TRUE(Action("ToolButSimulieren")->isEnabled());
  ASSERT_TRUE(Action("Simulieren1")->isEnabled());

  Action("ToolButSimulieren")->trigger();
  auto* sim = window_->findChild<SimulatorWindow*>();
  ASSERT_NE(sim, nullptr);
  EXPECT_TRUE(box_.Calls().empty()) << box_.Calls()[0].text;
  EXPECT_TRUE(sim->isVisible());
  EXPECT_EQ(sim->Folder(), work.path() / "drive_d");
  ASSERT_NE(sim->CurrentSimulator(), nullptr);
  EXPECT_EQ(sim->CurrentSimulator()->PictureCount(), CountNodes(w.Project()->pictures.get()));
  // The variable table names the project's variables.
  const t_liste* first = w.Project()->variables.get();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(sim->CurrentSimulator()->FindVariable(std::to_string(first->number))->name,
            first->name);
  // The picture selector names the project's pictures.
  auto* selector = sim->findChild<QComboBox*>("PictureSelect");
  ASSERT_EQ(selector->count(), CountNodes(w.Project()->pictures.get()));
  EXPECT_EQ(selector->itemText(0).toStdString(),
            std::to_string(static_cast<const t_bild&>(*w.Project()->pictures).pictureNumber) +
                "  " + Cp1252ToUtf8(w.Project()->pictures->name));
  // The display is no empty screen.
  const QImage display = sim->DisplayImage();
  EXPECT_EQ(display.size(), QSize(w.Project()->terminal->width, w.Project()->terminal->height));
  bool varied = false;
  for (int y = 0; y < display.height() && !varied; y += 4)
    for (int x = 0; x < display.width() && !varied; x += 4)
      varied = display.pixel(x, y) != display.pixel(0, 0);
  EXPECT_TRUE(varied);

  // A second Simulate shows the new image in the same window.
  Action("Simulieren1")->trigger();
  EXPECT_EQ(window_->findChildren<SimulatorWindow*>().size(), 1);
  // It goes with the main window.
  QPointer<SimulatorWindow> guard(sim);
  w.hide();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(guard.isNull());
}

// --- tavodex-terminal --show -----------------------------------------------------

// The programs are built beside the tests: build/<dir>/src/app/.
fs::path Program(const char* name) {
  return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "src" / "app" / name;
}

TEST_F(SimulatorWindowTest, TheTerminalProgramShowsAFolderAndWritesItsSnapshot) {
  const fs::path program = Program("tavodex-terminal");
  if (!fs::exists(program)) GTEST_SKIP() << "tavodex-terminal is not built";
  TempFolder run;
  fs::create_directories(run.File("root"));
  fs::copy(driveD_, run.File("root/D"), fs::copy_options::recursive);
  fs::create_directories(run.File("empty/D"));
  auto show = [&](const std::string& root, const fs::path& snapshot) {
    const std::string command =
        "env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=" + run.File("config") +
        " XDG_DATA_HOME=" + run.File("data") + " " + program.string() + " --base " + TAVO_DATA_DIR +
        " --root " + run.File(root) + " --show --snapshot " + snapshot.string() + " > " +
        run.File("log") + " 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  std::string log;
  auto readLog = [&] {
    std::ifstream in(run.File("log"));
    log.assign(std::istreambuf_iterator<char>(in), {});
    return log;
  };

  ASSERT_EQ(show("root", run.File("shot.png")), 0) << readLog();
  const QImage shot(QString::fromStdString(run.File("shot.png")));
  ASSERT_FALSE(shot.isNull());
  // The window holds the display at twice the terminal's 320 x 240.
  EXPECT_GT(shot.width(), 640);
  EXPECT_GT(shot.height(), 480);

  // Nothing to show: the reader's message on the log, exit code 1.
  EXPECT_EQ(show("empty", run.File("none.png")), 1);
  EXPECT_NE(readLog().find("Project.run"), std::string::npos) << log;
}

}  // namespace
}  // namespace tavo::testing
