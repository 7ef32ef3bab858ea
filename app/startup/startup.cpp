#include "startup/startup.h"

#include <QApplication>
#include <QScreen>

#include "mainwindow/mainform.h"
#include "mainwindow/splash.h"

std::unique_ptr<TfrmMain> StartProgram() {
  auto splash = std::make_unique<TSplashForm>();
  SplashForm = splash.get();
  splash->show();
  splash->repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

  QCoreApplication::setApplicationName(QStringLiteral("Brelvonix"));
  auto main = std::make_unique<TfrmMain>();
  frmMain = main.get();
  // The main window owns the palette and frees it first when it goes.
  main->CreateDrawTools();

  splash->hide();
  SplashForm = nullptr;
  return main;
}

int RunProgram(QApplication& application) {
  std::unique_ptr<TfrmMain> main = StartProgram();
  if (main->TerminateRequested()) return 0;
  // Without a window manager the maximised state is not applied: the size makes it so.
  if (const QScreen* screen = main->screen()) main->setGeometry(screen->availableGeometry());
  main->showMaximized();
  return application.exec();
}
