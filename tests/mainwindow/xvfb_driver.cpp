// The program's main window on a real display, driven from standard input so that a person
// or a script can arm tools that have no menu while the mouse does the rest:
//   new            a new document window, maximised
//   arm <action>   runs that tool action
//   quit
// Settings go to a file of their own; message boxes are answered No.

#include <QApplication>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <iostream>
#include <stdexcept>

#include "command_input.h"
#include "document/childform.h"
#include "mainwindow/mainform.h"
#include "platform/registry.h"
#include "services/services.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QTemporaryDir dir;
  platform::SetRegistryFile(dir.filePath(QStringLiteral("registry.ini")));
  platform::WriteRegString(platform::TRegRoot::LocalMachine, QStringLiteral("SOFTWARE\\Taverlin\\Brelvonix\\BrelvonixHomePage"),
                           QStringLiteral("HomePage"), QStringLiteral("true"));
  app::Services().Pause = [](int) {};
  app::Services().MessageBox = [](QWidget*, app::TMsgKind, const QString& text, app::TMsgButtons) {
    std::cout << "message: " << text.toStdString() << std::endl;
    return app::mbNo;
  };
  TfrmMain main;
  main.setGeometry(0, 0, 1000, 740);
  main.show();
  QSocketNotifier input(0, QSocketNotifier::Read);
  testsupport::RunCommandInput(application, input, [&](const std::string& line) {
    if (line == "new") {
      main.Action("actFileNew")->trigger();
      main.ActiveChild()->showMaximized();
    } else if (line.rfind("arm ", 0) == 0) {
      try {
        main.Action(QString::fromStdString(line.substr(4)))->trigger();
      } catch (const std::out_of_range& e) {
        std::cout << e.what() << std::endl;
      }
    }
  });
  return application.exec();
}
