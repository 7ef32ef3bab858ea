#pragma once
// The one offscreen application that a fuzzer's inputs need all along: widgets for the
// seals of the format fuzzers, fonts for the texts of pictures.
#include <cstdlib>

template <class TApplication>
void StartApplication() {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "fuzzer";
  static char* argv[] = {name, nullptr};
  static TApplication* app = new TApplication(argc, argv);
  (void)app;
}
