#pragma once
// The main window as the program starts it (a workspace on an installation
// copied from data/, German language table), with its file dialogs and
// message box scripted by the test.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTreeWidget>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/workspace.h"
#include "editor/mainwindow.h"
#include "project/projekt.h"
#include "shell/messageboxes.h"
#include "support/qtapplication.h"
#include "support/tempfolder.h"

namespace tavo::testing {

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    TestApplication();
    home_ = new TempFolder;
    setenv("XDG_DATA_HOME", home_->File("data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", home_->File("config").c_str(), 1);
    Workspace populate({{"--base", Base().string(), "--populate"}, home_->path()});
    ASSERT_TRUE(populate.ok()) << populate.error;
  }
  static void TearDownTestSuite() {
    delete home_;
    home_ = nullptr;
  }
  static std::filesystem::path Base() { return home_->path() / "base"; }

  void SetUp() override {
    // Every test starts with the settings' defaults.
    std::filesystem::remove_all(home_->path() / "config");
    workspace_ =
        std::make_unique<Workspace>(WorkspaceStart{{"--base", Base().string()}, home_->path()});
    ASSERT_TRUE(workspace_->ok()) << workspace_->error;
    workspace_->settings().code = "049";
    workspace_->SetLanguage("049");
  }
  void TearDown() override {
    window_.reset();
    workspace_.reset();
  }

  EditorHooks Hooks() {
    EditorHooks hooks;
    hooks.openFile = [this](QWidget*, const FileDialogRequest& request) {
      openRequests_.push_back(request);
      return Next(openAnswers_);
    };
    hooks.saveFile = [this](QWidget*, const FileDialogRequest& request) {
      saveRequests_.push_back(request);
      return Next(saveAnswers_);
    };
    return hooks;
  }

  TmainForm& MakeWindow(EditorHooks hooks) {
    window_ = std::make_unique<TmainForm>(*workspace_, std::move(hooks));
    window_->SetMessageBox(&box_);
    window_->show();
    return *window_;
  }
  TmainForm& MakeWindow() { return MakeWindow(Hooks()); }

  // A copy of a file of the installation's "Projects" folder, or a project
  // written from `text`, in a folder of the test's own.
  std::filesystem::path ProjectCopy(const std::string& name) {
    const std::filesystem::path target = files_.path() / name;
    std::filesystem::copy_file(workspace_->install().Resolve("Projects\\" + name), target,
                               std::filesystem::copy_options::overwrite_existing);
    return target;
  }
  std::filesystem::path ProjectFile(const std::string& name, const std::string& text) {
    const std::filesystem::path target = files_.path() / name;
    std::ofstream(target, std::ios::binary) << text;
    return target;
  }
  TmainForm& WindowWith(const std::filesystem::path& project) {
    TmainForm& w = MakeWindow();
    EXPECT_TRUE(w.OpenProjectFile(QString::fromStdString(project.string())));
    return w;
  }

  QAction* Action(const char* name) { return window_->findChild<QAction*>(name); }
  template <class T>
  T* Find(const char* name) {
    T* found = window_->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  std::string Tr(const TextId& id) { return workspace_->translator().Tr(id); }

  static QString Next(std::deque<QString>& answers) {
    if (answers.empty()) return {};
    QString answer = answers.front();
    answers.pop_front();
    return answer;
  }

  inline static TempFolder* home_ = nullptr;
  TempFolder files_;
  std::unique_ptr<Workspace> workspace_;
  std::unique_ptr<TmainForm> window_;
  ScriptedMessageBox box_;
  std::deque<QString> openAnswers_, saveAnswers_;
  std::vector<FileDialogRequest> openRequests_, saveRequests_;
};

}  // namespace tavo::testing
