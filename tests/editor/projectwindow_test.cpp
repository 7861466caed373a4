#include <gtest/gtest.h>

#include <QApplication>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>

#include "app/workspace.h"
#include "editor/projectwindow.h"
#include "project/projekt.h"
#include "shell/messageboxes.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

// The window is started the way the program starts it: a workspace on a
// base folder populated from the installation, then the project.
TEST(ProjectWindow, OpensTheDemoProjectAndListsItsContents) {
  const fs::path home = fs::temp_directory_path() / "tavo_editor_test";
  fs::remove_all(home);
  fs::create_directories(home);
  setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  int argc = 1;
  char name[] = "tavodex";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);

  Workspace workspace({{"--base", (home / "base").string(), "--populate"}, home});
  ASSERT_TRUE(workspace.ok()) << workspace.error;
  ProjectWindow window(workspace);
  ScriptedMessageBox box;
  window.SetMessageBox(&box);
  ASSERT_TRUE(window.OpenProject(
      QString::fromStdString(workspace.install().Resolve("Projects\\Demo.qvx").string())));
  ASSERT_NE(window.Project(), nullptr);
  EXPECT_EQ(window.Project()->terminal->dosVersion, "VTA_640C.TRM");

  QTreeWidget* tree = window.Tree();
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  QTreeWidgetItem* root = tree->topLevelItem(0);
  QStringList sections;
  for (int i = 0; i < root->childCount(); ++i) sections << root->child(i)->text(0);
  EXPECT_EQ(sections,
            (QStringList{"Terminal", "Steuerung", "Variablen", "Alarme", "Texte", "Bilder"}));
  EXPECT_EQ(root->child(2)->childCount(), 6);
  EXPECT_EQ(root->child(5)->child(0)->text(1), QString::fromUtf8("Übersicht"));

  // A name without ".qvx" is refused before anything is read.
  EXPECT_FALSE(window.OpenProject("/tmp/project.txt"));
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_EQ(box.Calls()[0].text, "Cannot open: not a QVX project file!");  // English by default
  EXPECT_EQ(window.Project()->terminal->dosVersion, "VTA_640C.TRM");  // still open
  fs::remove_all(home);
}

}  // namespace
}  // namespace tavo
