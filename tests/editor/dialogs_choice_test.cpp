#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>

#include "app/workspace.h"
#include "editor/dialogs/couplingdialog.h"
#include "editor/dialogs/terminaldialog.h"
#include "project/projekt.h"
#include "shell/messageboxes.h"
#include "support/qtapplication.h"
#include "support/tempfolder.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

// Two terminals and three couplings (plain and data block addresses, one
// whose picture is missing); pictures named in another case than on disk.
// No language table: the texts are the German defaults.
class ChoiceDialogs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::TestApplication(); }

  void SetUp() override {
    const fs::path base = temp_ / "base";
    fs::create_directories(base / "fonts");
    fs::create_directories(base / "system/Terminals");
    fs::create_directories(base / "system/kopplungen");
    setenv("XDG_CONFIG_HOME", (temp_ / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (temp_ / "data").c_str(), 1);

    Write("system/Terminals/01_small.def",
          "[Kopf]\r\nTerminalname=Small 240\r\nBitmap=SMALL.BMP\r\nDOSVersion=SMALL.TRM\r\n"
          "Info1=Kleines Terminal\r\n[Display]\r\nAufl\xF6sungX=240\r\nAufl\xF6sungY=128\r\n"
          "[SoftKeyAreas]\r\nCount=3\r\nF01=0,112,39,127\r\nF02=40,112,79,127\r\n"
          "F03=80,112,119,127\r\n[SpecialKeyAreas]\r\nCount=1\r\nS01=200,0,239,15\r\n");
    Write("system/Terminals/02_big.def",
          "[Kopf]\r\nTerminalname=Big 800\r\nBitmap=big.bmp\r\nDOSVersion=BIG.TRM\r\n"
          "Info1=Gro\xDF"
          "es Terminal\r\nInfo2=800 x 600\r\n[Display]\r\nAufl\xF6sungX=800\r\n"
          "Aufl\xF6sungY=600\r\n[SoftKeyAreas]\r\nCount=1\r\nF01=760,0,799,39\r\n");
    Write("system/kopplungen/01_plain.def",
          "NAME = \"Plain serial\"\r\nINFO1 = \"Adressen als Zahl\"\r\nBITMAP = \"PLAIN.bmp\"\r\n"
          "DOSVERSION = \"PLAIN.KOP\"\r\nFORMAT = INTEL\r\nKENNUNG= PLN\r\n");
    Write("system/kopplungen/02_db.def",
          "NAME = \"Data blocks\"\r\nINFO1 = \"Adressen als DB und DW\"\r\nBITMAP = \"db.bmp\"\r\n"
          "DOSVERSION = \"DB.KOP\"\r\nFORMAT = SIEMENS\r\nKENNUNG= DBW\r\n");
    Write("system/kopplungen/03_nopicture.def",
          "NAME = \"No picture\"\r\nBITMAP = \"missing.bmp\"\r\nDOSVERSION = \"NOPIC.KOP\"\r\n");
    Picture("system/Terminals/small.bmp", 40, 20);
    Picture("system/Terminals/BIG.BMP", 80, 60);
    Picture("system/kopplungen/plain.bmp", 30, 30);
    Picture("system/kopplungen/DB.BMP", 31, 31);
    Picture("system/kopplungen/none.bmp", 17, 13);

    workspace_ =
        std::make_unique<Workspace>(WorkspaceStart{{"--base", base.string()}, temp_.path()});
    ASSERT_TRUE(workspace_->ok()) << workspace_->error;
    ASSERT_EQ(CountNodes(workspace_->catalog().terminals.get()), 2);
    ASSERT_EQ(CountNodes(workspace_->catalog().couplings.get()), 3);
  }

  void Write(const std::string& relative, const std::string& content) {
    std::ofstream(temp_ / ("base/" + relative), std::ios::binary) << content;
  }
  void Picture(const std::string& relative, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(QString::fromStdString((temp_ / ("base/" + relative)).string()), "BMP"));
  }

  const t_terminal& CatalogTerminal(std::size_t index) {
    const t_liste* node = workspace_->catalog().terminals.get();
    for (std::size_t i = 0; i < index; ++i) node = node->next();
    return static_cast<const t_terminal&>(*node);
  }
  const t_steuerung& CatalogCoupling(std::size_t index) {
    const t_liste* node = workspace_->catalog().couplings.get();
    for (std::size_t i = 0; i < index; ++i) node = node->next();
    return static_cast<const t_steuerung&>(*node);
  }

  // A project on the first terminal and the plain coupling, with transfer
  // blocks at 2565 and 300 and alarm sorting "Neu".
  std::unique_ptr<t_projekt> Project() {
    auto project = std::make_unique<t_projekt>();
    project->terminal = std::make_unique<t_terminal>();
    project->terminal->CopyFrom(CatalogTerminal(0));
    project->coupling = std::make_unique<t_steuerung>();
    project->coupling->CopyFrom(CatalogCoupling(0));
    project->coupling->readBlockAddress = 2565;
    project->coupling->writeBlockAddress = 300;
    project->coupling->alarmSort = 1;
    return project;
  }

  // Runs `action` on the modal dialog once it is shown; a watchdog closes
  // whatever is still open so that a test fails instead of hanging.
  template <typename Dialog>
  void WhenShown(std::function<void(Dialog&)> action) {
    QTimer::singleShot(0, &guard_, [action] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      action(*dialog);
    });
    QTimer::singleShot(10000, &guard_, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
  }

  testing::TempFolder temp_;
  std::unique_ptr<Workspace> workspace_;
  QObject guard_;
};

struct Area {
  std::string name;
  int left, top, right, bottom;
  bool operator==(const Area&) const = default;
};
std::vector<Area> Areas(const t_terminal& terminal) {
  std::vector<Area> areas;
  ForEach<t_tastenfeld>(terminal.keyAreas, [&](const t_tastenfeld& a) {
    areas.push_back({a.name, a.left, a.top, a.right, a.bottom});
  });
  return areas;
}

QStringList Rows(const QListWidget* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
  return rows;
}

bool ShowsPicture(const QLabel* label, QSize size) {
  return label->pixmap().size() == size;
}

// --- terminal ----------------------------------------------------------------

TEST_F(ChoiceDialogs, TerminalDialogStartsAtTheProjectsTerminalAndShowsTheClickedOne) {
  auto project = Project();
  TTerminalDialog dialog(*workspace_, project->terminal.get());
  EXPECT_EQ(dialog.windowTitle(), "Terminal-Dialog");
  EXPECT_EQ(Rows(dialog.List()), (QStringList{"Small 240", "Big 800"}));
  EXPECT_EQ(dialog.List()->currentRow(), 0);
  EXPECT_TRUE(ShowsPicture(dialog.Picture(), QSize(40, 20)));  // SMALL.BMP is small.bmp

  dialog.List()->setCurrentRow(1);
  EXPECT_TRUE(ShowsPicture(dialog.Picture(), QSize(80, 60)));
  EXPECT_EQ(dialog.InfoMemo()->toPlainText(), "Gro\u00dfes Terminal\n800 x 600\n\n\n");
  EXPECT_EQ(dialog.WorkingCopy().name, "Big 800");
}

TEST_F(ChoiceDialogs, ChoosingATerminalCopiesItWithItsKeyAreas) {
  auto project = Project();
  WhenShown<TTerminalDialog>([](TTerminalDialog& d) {
    d.List()->setCurrentRow(1);
    QTest::keyClick(d.List(), Qt::Key_Return);
  });
  const std::unique_ptr<t_terminal> copy = ChooseTerminal(nullptr, *workspace_, *project);
  ASSERT_TRUE(copy);

  // The choice is a copy for the window to put in place; the project is as it was.
  const t_terminal& chosen = *copy;
  EXPECT_FALSE(project->modified);
  EXPECT_EQ(project->terminal->dosVersion, "SMALL.TRM");
  EXPECT_EQ(chosen.name, "Big 800");
  EXPECT_EQ(chosen.dosVersion, "BIG.TRM");
  EXPECT_EQ(chosen.width, 800);
  EXPECT_EQ(chosen.height, 600);
  // The three soft and one special key area of the old terminal are gone.
  EXPECT_EQ(Areas(chosen), (std::vector<Area>{{"F01", 760, 0, 799, 39}}));
  // The project owns its own areas, not the catalogue's.
  EXPECT_NE(chosen.keyAreas.get(), CatalogTerminal(1).keyAreas.get());
}

TEST_F(ChoiceDialogs, CancellingTheTerminalDialogChangesNothing) {
  auto project = Project();
  const std::vector<Area> before = Areas(*project->terminal);
  WhenShown<TTerminalDialog>([](TTerminalDialog& d) {
    d.List()->setCurrentRow(1);
    QTest::keyClick(d.List(), Qt::Key_Escape);
  });
  EXPECT_FALSE(ChooseTerminal(nullptr, *workspace_, *project));
  EXPECT_FALSE(project->modified);
  EXPECT_EQ(project->terminal->dosVersion, "SMALL.TRM");
  EXPECT_EQ(Areas(*project->terminal), before);
}

// --- coupling ----------------------------------------------------------------

TEST_F(ChoiceDialogs, AddressFieldsFollowTheAddressFormatAndKeepTheAddresses) {
  auto project = Project();
  ScriptedMessageBox messages;
  TKopplungDialog dialog(*workspace_, project->coupling.get(), &messages);
  dialog.show();
  using B = TKopplungDialog;
  EXPECT_EQ(Rows(dialog.List()), (QStringList{"Plain serial", "Data blocks", "No picture"}));
  EXPECT_EQ(dialog.List()->currentRow(), 0);
  EXPECT_TRUE(ShowsPicture(dialog.Preview(), QSize(30, 30)));
  EXPECT_TRUE(dialog.SortButton(1)->isChecked());
  // Plain addresses: one "Adresse" field per block.
  EXPECT_TRUE(dialog.AddressField(B::kLesen)->isVisible());
  EXPECT_FALSE(dialog.DataBlockField(B::kLesen)->isVisible());
  EXPECT_EQ(dialog.AddressField(B::kLesen)->text(), "2565");
  EXPECT_EQ(dialog.AddressField(B::kSchreiben)->text(), "300");

  // Data block addresses: 2565 is DB 10, DW 5; 300 is DB 1, DW 44.
  dialog.List()->setCurrentRow(1);
  EXPECT_FALSE(dialog.AddressField(B::kLesen)->isVisible());
  EXPECT_TRUE(dialog.DataBlockField(B::kLesen)->isVisible());
  EXPECT_TRUE(dialog.DataWordField(B::kSchreiben)->isVisible());
  EXPECT_EQ(dialog.DataBlockField(B::kLesen)->text(), "10");
  EXPECT_EQ(dialog.DataWordField(B::kLesen)->text(), "5");
  EXPECT_EQ(dialog.DataBlockField(B::kSchreiben)->text(), "1");
  EXPECT_EQ(dialog.DataWordField(B::kSchreiben)->text(), "44");
  EXPECT_EQ(dialog.InfoMemo()->toPlainText().section('\n', 0, 0), "Adressen als DB und DW");
  EXPECT_TRUE(ShowsPicture(dialog.Preview(), QSize(31, 31)));

  // What is typed goes along to the next entry, shown in its form.
  dialog.DataWordField(B::kLesen)->setText("7");
  dialog.DataBlockField(B::kSchreiben)->setText("020");
  dialog.List()->setCurrentRow(2);
  EXPECT_EQ(dialog.AddressField(B::kLesen)->text(), "2567");
  EXPECT_EQ(dialog.AddressField(B::kSchreiben)->text(), "5164");
  EXPECT_TRUE(ShowsPicture(dialog.Preview(), QSize(17, 13)));  // none.bmp stands in

  dialog.List()->setCurrentRow(1);
  dialog.SortButton(2)->click();
  dialog.Confirm();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const t_steuerung& working = dialog.WorkingCopy();
  EXPECT_EQ(working.name, "Data blocks");
  EXPECT_EQ(working.addressFormat, 1);
  EXPECT_EQ(working.readBlockAddress, 2567);
  EXPECT_EQ(working.writeBlockAddress, 5164);
  EXPECT_EQ(working.alarmSort, 2);
  EXPECT_TRUE(messages.Calls().empty());
}

// A field that holds no address is refused with a message naming the text;
// the dialog stays open at the entry it was, and nothing is taken over.
TEST_F(ChoiceDialogs, AnAddressThatIsNoNumberKeepsTheDialogOpen) {
  struct Case {
    int entry;  // 0 plain, 1 data block
    int field;  // 0 address or data block, 1 data word
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {0, 0, "abc", "'abc' ist kein g\xFCltiger Integerwert"},
      {0, 0, "", "'' ist kein g\xFCltiger Integerwert"},
      {0, 0, "12x", "'12x' ist kein g\xFCltiger Integerwert"},
      {0, 0, "99999999999", "'99999999999' ist kein g\xFCltiger Integerwert"},
      {1, 0, "1.5", "'1.5' ist kein g\xFCltiger Integerwert"},
      {1, 0, "256", "'256' liegt nicht im Bereich 0..255"},
      {1, 1, "-1", "'-1' liegt nicht im Bereich 0..255"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    auto project = Project();
    ScriptedMessageBox messages;
    TKopplungDialog dialog(*workspace_, project->coupling.get(), &messages);
    dialog.show();
    dialog.List()->setCurrentRow(c.entry);
    using B = TKopplungDialog;
    QLineEdit* field = c.entry == 0   ? dialog.AddressField(B::kLesen)
                       : c.field == 0 ? dialog.DataBlockField(B::kLesen)
                                      : dialog.DataWordField(B::kLesen);
    field->setText(QString::fromLatin1(c.text));

    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0].kind, MsgKind::Fehler);
    EXPECT_EQ(messages.Calls()[0].buttons, ButtonSet::Weiter);
    EXPECT_EQ(messages.Calls()[0].text, c.message);

    // Another entry cannot be chosen either while the field is wrong.
    dialog.List()->setCurrentRow(2);
    EXPECT_EQ(dialog.List()->currentRow(), c.entry);
    EXPECT_EQ(messages.Calls().size(), 2u);
    EXPECT_EQ(dialog.WorkingCopy().readBlockAddress, 2565);
  }
}

TEST_F(ChoiceDialogs, ChoosingACouplingKeepsTheProjectsBlocksCancelKeepsEverything) {
  for (const bool confirm : {true, false}) {
    SCOPED_TRACE(confirm);
    auto project = Project();
    ScriptedMessageBox messages;
    WhenShown<TKopplungDialog>([confirm](TKopplungDialog& d) {
      d.List()->setCurrentRow(1);
      d.SortButton(0)->click();
      QTest::keyClick(d.List(), confirm ? Qt::Key_Return : Qt::Key_Escape);
    });
    const std::unique_ptr<t_steuerung> copy =
        ChooseCoupling(nullptr, *workspace_, *project, &messages);
    EXPECT_EQ(copy != nullptr, confirm);
    EXPECT_FALSE(project->modified);
    EXPECT_EQ(project->coupling->dosVersion, "PLAIN.KOP");
    const t_steuerung& coupling = copy ? *copy : *project->coupling;
    EXPECT_EQ(coupling.dosVersion, confirm ? "DB.KOP" : "PLAIN.KOP");
    EXPECT_EQ(coupling.addressFormat, confirm ? 1 : 0);
    EXPECT_EQ(coupling.identifier, confirm ? " DBW" : " PLN");
    EXPECT_EQ(coupling.readBlockAddress, 2565);
    EXPECT_EQ(coupling.writeBlockAddress, 300);
    EXPECT_EQ(coupling.alarmSort, confirm ? 0 : 1);
    EXPECT_TRUE(messages.Calls().empty());
  }
}

}  // namespace
}  // namespace tavo
