// How long the program takes from its entry routine to a shown main window: the splash
// window, the main window built while the splash announces each step, the drawing-tools
// palette, and the first show, which lays out the bars and shows the palette. The six
// start-up pauses are switched off; they add 6 × 150 ms = 0.9 s to the figure on a real
// start. Message boxes answer at once, links are not opened and the settings go to a file
// of their own, so nothing waits for a person. The printer list, the fonts and the pictures
// are the machine's own. A bare QMainWindow shown the same way is the floor.
//
// Runs on the display in DISPLAY, else offscreen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QWindow>
#include <memory>

#include "mainwindow/mainform.h"
#include "platform/registry.h"
#include "ratio_report.h"
#include "services/services.h"
#include "startup/startup.h"

namespace {

// What a person would be asked during start-up is answered at once.
void UnattendedDesktop() {
  static QTemporaryDir settings;
  static bool done = false;
  if (done) return;
  done = true;
  platform::SetRegistryFile(settings.filePath(QStringLiteral("registry.ini")));
  app::TServices& s = app::Services();
  s.Pause = [](int) {};
  s.MessageBox = [](QWidget*, app::TMsgKind, const QString&, app::TMsgButtons) { return app::mbNo; };
  s.OpenUrl = [](const QString&) {};
  s.Arguments = [] { return QStringList(); };
  LoadQtTranslations(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void ShowAndWait(QWidget& window) {
  window.show();
  while (!window.windowHandle() || !window.windowHandle()->isExposed())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  QCoreApplication::processEvents();
}

void Discard(std::unique_ptr<QWidget> window) {
  window.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

void BM_StartUpToShownMainWindow(benchmark::State& state) {
  UnattendedDesktop();
  for (auto _ : state) {
    std::unique_ptr<TfrmMain> main = StartProgram();
    ShowAndWait(*main);
    state.PauseTiming();
    Discard(std::move(main));
    state.ResumeTiming();
  }
}

void BM_BareMainWindowShown(benchmark::State& state) {
  UnattendedDesktop();
  for (auto _ : state) {
    auto main = std::make_unique<QMainWindow>();
    main->resize(1024, 768);
    ShowAndWait(*main);
    state.PauseTiming();
    Discard(std::move(main));
    state.ResumeTiming();
  }
}

BENCHMARK(BM_StartUpToShownMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_BareMainWindowShown)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  return bench::RunWithRatios(argc, argv,
                              {{"start-up without pauses / bare main window shown (processor time)",
                                "BM_StartUpToShownMainWindow/iterations:20/real_time",
                                "BM_BareMainWindowShown/iterations:20/real_time"}});
}
