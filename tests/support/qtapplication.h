#pragma once
// One application object for all Qt tests of a process: made on first use
// and kept until the process ends, so no suite ever makes a second one or
// pulls it away from widgets another suite still holds.

#include <QApplication>

namespace tavo::testing {

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "tavo_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);  // lives for the process
  return *app;
}

}  // namespace tavo::testing
