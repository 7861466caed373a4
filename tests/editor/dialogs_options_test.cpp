#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "app/workspace.h"
#include "editor/dialogs/optionsdialog.h"
#include "support/qtapplication.h"
#include "support/tempfolder.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

// A base folder of its own with a few language tables (code page 1252, CR LF).
class ProgramOptions : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::TestApplication(); }

  void SetUp() override {
    fs::create_directories(temp_ / "base/system");
    fs::create_directories(temp_ / "base/fonts");
    // The settings are the test's own, never the user's.
    setenv("XDG_CONFIG_HOME", (temp_ / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (temp_ / "data").c_str(), 1);
  }

  void Table(const std::string& fileName, const std::string& lines) {
    std::ofstream out(temp_ / "base/system" / fileName, std::ios::binary);
    out << lines;
  }

  std::unique_ptr<Workspace> Open() {
    auto workspace = std::make_unique<Workspace>(
        WorkspaceStart{{"--base", (temp_ / "base").string()}, temp_.path()});
    EXPECT_TRUE(workspace->ok()) << workspace->error;
    return workspace;
  }

  testing::TempFolder temp_;
};

QStringList Rows(const QListWidget* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
  return rows;
}

TEST_F(ProgramOptions, ListsTheTablesByTheirFirstLineAndSelectsTheCurrentLanguage) {
  Table("049.SPR", "Deutsch\r\n0400,0069=Fehler\r\n");
  Table("044.SPR", "English\r\n0430,0010=Program options\r\n");
  Table("033.spr",
        "Fran\xE7"
        "ais\r\n");  // any case, code page 1252
  Table("0441.SPR", "English (long code)\r\n");
  Table("050.txt", "not a table\r\n");
  fs::create_directories(temp_ / "base/system/051.SPR");  // a folder, not a table
  auto workspace = Open();

  TProgrammOptionen dialog(*workspace);
  EXPECT_EQ(dialog.windowTitle(), "Program options");
  EXPECT_EQ(Rows(dialog.Languages()),
            (QStringList{"Fran\u00e7ais", "English", "English (long code)", "Deutsch"}));
  EXPECT_EQ(dialog.Languages()->currentRow(), 1);  // "044", the default code
  // A code of more than three characters cannot be kept by the settings, so
  // it cannot be chosen either.
  EXPECT_FALSE(dialog.Languages()->item(2)->flags() & Qt::ItemIsSelectable);
}

TEST_F(ProgramOptions, ListsTheFirst101Tables) {
  for (int i = 0; i < 120; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "%03d.SPR", i);
    Table(name, "Sprache " + std::to_string(i) + "\r\n");
  }
  auto workspace = Open();
  TProgrammOptionen dialog(*workspace);
  ASSERT_EQ(dialog.Languages()->count(), 101);
  EXPECT_EQ(dialog.Languages()->item(100)->text(), "Sprache 100");
  EXPECT_EQ(dialog.Languages()->currentRow(), 44);
}

// Confirming (Enter or the confirm button) switches the language at once;
// cancelling (Escape or the cancel button) leaves code and texts alone.
TEST_F(ProgramOptions, ConfirmChangesTheLanguageCancelDoesNot) {
  struct Case {
    const char* name;
    bool confirm;
    bool byKey;
  };
  const Case cases[] = {{"enter", true, true},
                        {"ok button", true, false},
                        {"escape", false, true},
                        {"cancel button", false, false}};
  Table("044.SPR", "English\r\n0400,0069=Error\r\n");
  Table("049.SPR", "Deutsch\r\n0400,0069=Fehler\r\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto workspace = Open();
    ASSERT_EQ(workspace->settings().code, "044");
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
      auto* dialog = qobject_cast<TProgrammOptionen*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->Languages()->setCurrentRow(1);  // "Deutsch"
      if (c.byKey)
        QTest::keyClick(dialog->Languages(), c.confirm ? Qt::Key_Return : Qt::Key_Escape);
      else
        QTest::mouseClick(c.confirm ? static_cast<QWidget*>(dialog->OkButton())
                                    : static_cast<QWidget*>(dialog->CancelButton()),
                          Qt::LeftButton);
    });
    QTimer::singleShot(10000, &guard, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });

    EXPECT_EQ(RunProgramOptions(nullptr, *workspace), c.confirm);
    EXPECT_EQ(workspace->settings().code, c.confirm ? "049" : "044");
    EXPECT_EQ(workspace->translator().Tr(txt::kTitleFehler), c.confirm ? "Fehler" : "Error");
  }
}

}  // namespace
}  // namespace tavo
