// The program's binding of the dialogs library, against three libraries: none at the
// path, one without the exports, and the real one, which must come and go with each call.

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <dlfcn.h>
#include <functional>
#include <sys/stat.h>

#include "services/commandguard.h"
#include "services/dialogs_binding.h"
#include "modal_driver.h"
#include "platform/library.h"
#include "services/services.h"

namespace {

const char* const kRealLibrary = MERULIN_LIBRARY;
const char* const kLibraryWithoutExports = MERULIN_WITHOUT_EXPORTS;

struct TFeature {
  const char* name;
  std::function<void(QWidget* owner)> open;
  const char* missingLibraryMessage;
};

const TFeature kFeatures[] = {
    {"about", [](QWidget* w) { app::ShowAboutBox(w); }, "该资源已缺失！"},
    {"help", [](QWidget* w) { app::ShowHelpViewer(w); }, "帮助资源缺失！"},
    {"print", [](QWidget* w) { app::AskPrintSettings(w, {true, false, false, 1}); }, "DLL文件错误！"},
    {"export", [](QWidget* w) { app::AskExportSettings(w); }, "文件缺失！"},
};

void UseLibrary(const char* path) {
  app::Services().DialogsLibraryPath = [path] { return QString::fromUtf8(path); };
}

// Whether the library is mapped into the process now.
bool IsLoaded(const char* path) {
  void* handle = dlopen(path, RTLD_LAZY | RTLD_NOLOAD);
  if (handle) dlclose(handle);
  return handle != nullptr;
}

// The message of the DLLLoadError that f raises, empty when it raises none.
QString LoadError(const std::function<void()>& f) {
  try {
    f();
  } catch (const app::DLLLoadError& e) {
    return QString::fromUtf8(e.what());
  }
  return {};
}

}  // namespace

class BindingTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    owner_ = std::make_unique<QWidget>();
    owner_->show();
  }
  void cleanup() {
    owner_.reset();
    app::ResetServices();
  }

  void MissingLibraryRaisesTheFeaturesMessage_data() { FeatureRows(); }
  void MissingLibraryRaisesTheFeaturesMessage() {
    QFETCH(int, feature);
    UseLibrary("/nonexistent/libmerulin.so");
    QString message;
    const TModalRun run = WhileModal([&] { message = LoadError([&] { kFeatures[feature].open(owner_.get()); }); });
    QCOMPARE(message, QString::fromUtf8(kFeatures[feature].missingLibraryMessage));
    QVERIFY(!run.Seen);
  }

  // Whatever lies at the library's path instead of it, the features give their message: a
  // file cut off anywhere (which the loader would map past its end and die on), an empty or
  // a foreign file, a folder, a FIFO.
  void DamagedLibraryRaisesTheFeaturesMessage_data() {
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"cut at 4 KB", "cut at 64 KB", "cut at 256 KB", "cut at 800 KB", "empty", "junk",
                             "folder", "fifo"})
      QTest::newRow(kind) << QString::fromUtf8(kind);
  }
  void DamagedLibraryRaisesTheFeaturesMessage() {
    QFETCH(QString, kind);
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("libmerulin.so"));
    QFile real(QString::fromUtf8(kRealLibrary));
    QVERIFY(real.open(QIODevice::ReadOnly));
    const QByteArray whole = real.readAll();
    const auto write = [&](const QByteArray& bytes) {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(bytes);
    };
    if (kind.startsWith(QStringLiteral("cut at")))
      write(whole.left(kind.section(QLatin1Char(' '), 2, 2).toInt() * 1024));
    else if (kind == QStringLiteral("empty"))
      write(QByteArray());
    else if (kind == QStringLiteral("junk"))
      write(QByteArray("\x7f" "ELF this is no library", 24));
    else if (kind == QStringLiteral("folder"))
      QVERIFY(QDir().mkpath(path));
    else
      QCOMPARE(::mkfifo(path.toUtf8().constData(), 0600), 0);
    const QByteArray stored = path.toUtf8();
    UseLibrary(stored.constData());
    for (const TFeature& feature : kFeatures) {
      QString message;
      const TModalRun run = WhileModal([&] { message = LoadError([&] { feature.open(owner_.get()); }); });
      QCOMPARE(message, QString::fromUtf8(feature.missingLibraryMessage));
      QVERIFY(!run.Seen);
    }
  }

  void LibraryWithoutTheExports_data() { FeatureRows(); }
  void LibraryWithoutTheExports() {
    QFETCH(int, feature);
    UseLibrary(kLibraryWithoutExports);
    QString message;
    const TModalRun run = WhileModal([&] { message = LoadError([&] { kFeatures[feature].open(owner_.get()); }); });
    QVERIFY(!run.Seen);
    // Only the print command treats the missing export as a damaged installation.
    QCOMPARE(message, QString::fromUtf8(feature == 2 ? "文件损坏，请重新安装该程序！" : ""));
    QVERIFY(!IsLoaded(kLibraryWithoutExports));
  }

  void ExportOptionsWithoutTheExportAreNotAccepted() {
    UseLibrary(kLibraryWithoutExports);
    const merulin::TExportSettings s = app::AskExportSettings(owner_.get());
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&s), sizeof s), QByteArray(14, '\0'));
  }

  // The dialog is a modal child of the caller's window, and the library is there exactly
  // while the call runs.
  void RealLibraryShowsTheDialog_data() { FeatureRows(); }
  void RealLibraryShowsTheDialog() {
    QFETCH(int, feature);
    UseLibrary(kRealLibrary);
    QWidget* parent = nullptr;
    bool modal = false, loadedDuringCall = false;
    const TModalRun run = WhileModal([&] { kFeatures[feature].open(owner_.get()); },
                                     [&](QDialog* d) {
                                       parent = d->parentWidget();
                                       modal = d->isModal();
                                       loadedDuringCall = IsLoaded(kRealLibrary);
                                       d->reject();
                                     });
    QVERIFY(run.Seen);
    QVERIFY(!run.LeftOpen);
    QCOMPARE(parent, owner_.get());
    QVERIFY(modal);
    QVERIFY(loadedDuringCall);
    QVERIFY(!IsLoaded(kRealLibrary));
  }

  // Twenty calls of each export, each loading and unloading the library: every call shows
  // its dialog afresh, and afterwards nothing of the library is left in the process: no
  // window, no resource, and nothing that runs later (the sanitizer build reports leaks
  // and any use of the unloaded code).
  void TwentyCyclesOfEachExportLeaveNothingBehind_data() { FeatureRows(); }
  void TwentyCyclesOfEachExportLeaveNothingBehind() {
    QFETCH(int, feature);
    UseLibrary(kRealLibrary);
    const int windowsBefore = int(QApplication::topLevelWidgets().size());
    for (int cycle = 0; cycle < 20; ++cycle) {
      const TModalRun run = WhileModal([&] { kFeatures[feature].open(owner_.get()); });
      QVERIFY(run.Seen);
      QVERIFY(!IsLoaded(kRealLibrary));
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QCoreApplication::processEvents();
    }
    QCOMPARE(int(QApplication::topLevelWidgets().size()), windowsBefore);
    QVERIFY(!QFile::exists(QStringLiteral(":/merulin/H003")));
    QVERIFY(!QFile::exists(QStringLiteral(":/merulin/Logo")));
    // Widgets made and freed after the library has gone still work.
    QWidget later;
    later.show();
    QCoreApplication::processEvents();
  }

  // Texts read from a dialog while it is up are still readable once the library is gone:
  // none of them points into the library's memory.
  void TextsOutliveTheLibrary_data() { FeatureRows(); }
  void TextsOutliveTheLibrary() {
    QFETCH(int, feature);
    UseLibrary(kRealLibrary);
    QStringList texts;
    const TModalRun run = WhileModal([&] { kFeatures[feature].open(owner_.get()); },
                                     [&](QDialog* d) {
                                       texts << d->windowTitle() << d->objectName();
                                       for (QObject* o : d->findChildren<QObject*>()) {
                                         texts << o->objectName();
                                         if (auto* l = qobject_cast<QLabel*>(o)) texts << l->text();
                                         if (auto* b = qobject_cast<QAbstractButton*>(o)) texts << b->text();
                                         if (auto* e = qobject_cast<QLineEdit*>(o)) texts << e->text();
                                         if (auto* list = qobject_cast<QListWidget*>(o))
                                           for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
                                       }
                                       d->reject();
                                     });
    QVERIFY(run.Seen);
    QVERIFY(!IsLoaded(kRealLibrary));
    qsizetype bytes = 0;
    for (const QString& t : texts) bytes += t.toUtf8().size();
    QVERIFY(bytes > 0);
  }

  // The command runner's error box is where a missing library is reported.
  void GuardedCommandShowsTheMessage() {
    UseLibrary("/nonexistent/libmerulin.so");
    QStringList shown;
    app::Services().MessageBox = [&](QWidget*, app::TMsgKind kind, const QString& text, app::TMsgButtons buttons) {
      if (kind == app::TMsgKind::Error && buttons == app::mbOK) shown.append(text);
      return app::mbOK;
    };
    app::RunGuarded(owner_.get(), [&] { app::ShowHelpViewer(owner_.get()); });
    QCOMPARE(shown, QStringList{QStringLiteral("帮助资源缺失！")});
  }

  // Given no record to fill, the options exports show nothing and write nowhere.
  void ExportsRefuseANullRecord() {
    UseLibrary(kRealLibrary);
    platform::TLibrary library(kRealLibrary);
    QVERIFY(library.Loaded());
    const TModalRun run = WhileModal([&] {
      library.Function<merulin::TShowPrintSetupBox>(merulin::kShowPrintSetupBox)(nullptr, owner_.get(), true, true, 1);
      library.Function<merulin::TShowExportToImage>(merulin::kShowExportToImage)(nullptr, owner_.get());
    });
    QVERIFY(!run.Seen);
  }

 private:
  static void FeatureRows() {
    QTest::addColumn<int>("feature");
    for (int i = 0; i < int(std::size(kFeatures)); ++i) QTest::newRow(kFeatures[i].name) << i;
  }

  std::unique_ptr<QWidget> owner_;
};

QTEST_MAIN(BindingTest)
#include "binding_test.moc"
