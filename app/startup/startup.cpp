#include "startup/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

#include "mainwindow/mainform.h"
#include "mainwindow/splash.h"
#include "platform/metafileworker.h"

bool LoadQtTranslations(const QString& folder) {
  auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
  if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder)) return false;
  return QCoreApplication::installTranslator(translator.release());
}

std::unique_ptr<TfrmMain> StartProgram() {
  // The metafile worker sets up its fonts while the program sets up its windows.
  platform::TMetafileWorker::Instance().StartAhead();
  auto splash = std::make_unique<TSplashForm>();
  SplashForm = splash.get();
  splash->show();
  splash->repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

  QCoreApplication::setApplicationName(QStringLiteral("Brelvonix"));
  auto main = std::make_unique<TfrmMain>();
  // The main window owns the palette and frees it first when it goes.
  main->CreateDrawTools();

  splash->hide();
  SplashForm = nullptr;
  return main;
}

int RunProgram(QApplication& application) {
  LoadQtTranslations(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  std::unique_ptr<TfrmMain> main = StartProgram();
  if (main->TerminateRequested()) return 0;
  // Without a window manager the maximised state is not applied: the size makes it so.
  if (const QScreen* screen = main->screen()) main->setGeometry(screen->availableGeometry());
  main->showMaximized();
  return application.exec();
}
