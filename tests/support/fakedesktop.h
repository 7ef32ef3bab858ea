#pragma once
// A desktop for the windows under test: message boxes answered from a script and recorded
// with the document window that asked, file dialogs answered from a script and recorded
// (the save-picture dialog with its folder and filter), links recorded instead of opened,
// a chosen printer list (with no printer to print on until a test offers one, and a set-up
// dialog that the test scripts), fonts and lock keys, no pauses, and a settings file of its
// own.

#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <functional>

#include "document/childform.h"
#include "platform/registry.h"
#include "services/services.h"

struct FakeDesktop {
  struct Message {
    app::TMsgKind kind;
    QString text;
    app::TMsgButtons buttons;
    QString asker;        // the caption of the document window that asked, else empty
    int windowsOpen = 0;  // document windows open while the box showed, when counted
    QString caption;      // a plain box's own caption
  };
  QTemporaryDir dir;
  std::vector<Message> messages;
  std::deque<app::TMsgButton> answers;  // answered first; when empty, answer
  app::TMsgButton answer = app::mbNo;
  std::deque<QString> chosen;  // what the file dialogs answer; empty: cancelled
  QStringList offered;         // the initial names the save dialog was given
  struct PictureDialog {
    QString folder, filter, name;
  };
  std::vector<PictureDialog> pictureDialogs;  // what the save-picture dialog was given
  std::vector<PictureDialog> pictureOpens;    // what the open-picture dialog was given (no name)
  int openDialogs = 0;
  std::function<int()> countWindows;  // the document windows open, for the messages
  QStringList urls;
  QStringList printers{QStringLiteral("Laser")};
  QStringList arguments;
  app::TLockKeys keys;
  std::function<void(int)> pause = [](int) {};
  // The printer set-up dialog: what it does to the printer, and its answer.
  std::function<bool(QPrinter&)> setupPrinter = [](QPrinter&) { return false; };
  int printerSetups = 0;

  FakeDesktop() {
    platform::SetRegistryFile(dir.filePath(QStringLiteral("registry.ini")));
    app::TServices& s = app::Services();
    s.MessageBox = [this](QWidget* parent, app::TMsgKind kind, const QString& text, app::TMsgButtons buttons) {
      const auto* window = qobject_cast<const TfrmChild*>(parent);
      messages.push_back(
          {kind, text, buttons, window ? window->windowTitle() : QString(), countWindows ? countWindows() : 0, {}});
      return Answer();
    };
    s.PlainMessageBox = [this](QWidget*, const QString& caption, const QString& text, app::TMsgButtons buttons) {
      messages.push_back({app::TMsgKind::Plain, text, buttons, QString(), countWindows ? countWindows() : 0, caption});
      return Answer();
    };
    s.OpenFileName = [this](QWidget*, const QString&, const QString&) {
      ++openDialogs;
      return Next();
    };
    s.OpenPictureFileName = [this](QWidget*, const QString& folder, const QString& filter) {
      ++openDialogs;
      pictureOpens.push_back({folder, filter, QString()});
      return Next();
    };
    s.SaveFileName = [this](QWidget*, const QString&, const QString&, const QString& name) {
      offered.append(name);
      return Next();
    };
    s.SavePictureFileName = [this](QWidget*, const QString& folder, const QString& filter, const QString& name) {
      pictureDialogs.push_back({folder, filter, name});
      return Next();
    };
    s.OpenUrl = [this](const QString& url) { urls.append(url); };
    s.PrinterNames = [this] { return printers; };
    s.CurrentPrinter = [] { return nullptr; };
    s.SetupPrinter = [this](QWidget*, QPrinter& printer) {
      ++printerSetups;
      return setupPrinter(printer);
    };
    s.LockKeys = [this] { return keys; };
    s.ScreenFontNames = [] {
      return QStringList{QStringLiteral("宋体"), QStringLiteral("DejaVu Sans"), QStringLiteral("黑体"),
                         QStringLiteral("AR PL UMing CN"), QStringLiteral("楷体"), QStringLiteral("SimSun")};
    };
    s.Pause = [this](int ms) { pause(ms); };
    s.Arguments = [this] { return arguments; };
    s.ProgramFolder = [this] { return dir.path(); };
  }
  ~FakeDesktop() {
    app::ResetServices();
    platform::SetRegistryFile(QString());
  }
  FakeDesktop(const FakeDesktop&) = delete;
  FakeDesktop& operator=(const FakeDesktop&) = delete;

  app::TMsgButton Answer() {
    if (answers.empty()) return answer;
    const app::TMsgButton a = answers.front();
    answers.pop_front();
    return a;
  }
  QString Next() {
    if (chosen.empty()) return QString();
    QString c = chosen.front();
    chosen.pop_front();
    return c;
  }
  QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
  QString Registry(const char* key, const char* name) const {
    return platform::ReadRegString(platform::TRegRoot::LocalMachine, QString::fromUtf8(key), QString::fromUtf8(name));
  }
  void SetRegistry(const char* key, const char* name, const char* value) {
    platform::WriteRegString(platform::TRegRoot::LocalMachine, QString::fromUtf8(key), QString::fromUtf8(name),
                             QString::fromUtf8(value));
  }
};

inline constexpr const char* kHomePageKey = "SOFTWARE\\Taverlin\\Brelvonix\\BrelvonixHomePage";
inline constexpr const char* kConfigKey = "SOFTWARE\\Taverlin\\Brelvonix\\系统配置";

inline const QString kNarrowScreenQuestion =
    QStringLiteral("    您的系统显示分辨率低于\n800 x 600,本软件可能运行不\n正常！是否退出？");
inline const QString kNoPrinterAdvice =
    QStringLiteral("    您的系统没有安装\n任何打印设备，建议用\n户安装分辨率在600dpi\n及以上的激光打印机。");
