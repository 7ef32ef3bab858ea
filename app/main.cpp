#include <QApplication>

#include "startup/startup.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  return RunProgram(application);
}
