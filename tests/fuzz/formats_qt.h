#pragma once
// Seals are widgets: the format fuzzers read them inside one offscreen application.
#include <QApplication>
#include <cstdlib>

inline void StartFormatsApplication() {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "formats_fuzzer";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}
