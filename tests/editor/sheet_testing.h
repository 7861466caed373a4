#pragma once
// What the sheet's tests share: one application and one workspace (on a
// base folder populated from the installation) per test suite, the display
// settings at their defaults before each test, and a small project.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <memory>

#include "app/workspace.h"
#include "objects/shapes/shapes.h"
#include "project/projekt.h"
#include "project/records.h"
#include "support/qtapplication.h"
#include "support/tempfolder.h"

namespace tavo::testing {

class SheetTesting : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    home_ = std::make_unique<TempFolder>();
    setenv("XDG_DATA_HOME", (home_->path() / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home_->path() / "config").c_str(), 1);
    TestApplication();
    workspace_ = std::make_unique<Workspace>(
        WorkspaceStart{{"--base", (home_->path() / "base").string(), "--populate"}, home_->path()});
  }
  static void TearDownTestSuite() {
    workspace_.reset();
    home_.reset();
  }
  void SetUp() override {
    ASSERT_TRUE(workspace_->ok()) << workspace_->error;
    workspace_->settings().picture = PictureSettings{};
  }

  Workspace& workspace() { return *workspace_; }
  PictureSettings& settings() { return workspace_->settings().picture; }

  // A 64 x 48 terminal with one soft key area "F01" (8, 38)-(47, 47), and
  // one picture in colour 1 holding a rectangle (20, 20)-(40, 44) filled
  // in colour 2 without a pen.
  static std::unique_ptr<t_projekt> SmallProject() {
    auto project = std::make_unique<t_projekt>();
    project->terminal = std::make_unique<t_terminal>();
    project->terminal->width = 64;
    project->terminal->height = 48;
    auto area = std::make_unique<t_tastenfeld>();
    area->name = "F01";
    area->left = 8;
    area->top = 38;
    area->right = 47;
    area->bottom = 47;
    AppendNode(project->terminal->keyAreas, std::move(area));
    auto picture = std::make_unique<t_bild>();
    picture->name = "Test";
    picture->backgroundColour = 1;
    auto rectangle = std::make_unique<t_rechteck>();
    rectangle->SetCorners(20, 20, 40, 44);
    rectangle->SetPenColour(255);
    rectangle->SetFillColour(2);
    rectangle->SetFillPattern(1);
    rectangle->UpdateExtent();
    AppendNode(picture->objects, std::move(rectangle));
    AppendNode(project->pictures, std::move(picture));
    return project;
  }
  static t_bild& FirstPicture(t_projekt& project) {
    return static_cast<t_bild&>(*project.pictures);
  }
  static t_objekt& FirstObject(t_bild& picture) { return static_cast<t_objekt&>(*picture.objects); }

 private:
  static inline std::unique_ptr<TempFolder> home_;
  static inline std::unique_ptr<Workspace> workspace_;
};

}  // namespace tavo::testing
