#pragma once
// A shown main window on a fake desktop whose message boxes answer from a script and record
// which window asked, whose file dialogs answer from a script and record what they were
// offered, and with helpers that put seals on a document's page.

#include <QFile>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QtTest>
#include <deque>
#include <memory>

#include "../app/fakedesktop.h"
#include "childform.h"
#include "kivdrawpanel.h"
#include "mainform.h"
#include "seal/seal.h"
#include "services.h"

struct TAsked {
  app::TMsgKind kind;
  QString text;
  app::TMsgButtons buttons;
  QString asker;        // the caption of the document window that asked, else empty
  int windowsOpen = 0;  // document windows open while the box showed
};

struct DocFixture {
  FakeDesktop desk;
  std::unique_ptr<TfrmMain> main;
  std::vector<TAsked> asked;
  std::deque<app::TMsgButton> answers;  // empty: mbNo
  std::deque<QString> chosen;           // what the file dialogs answer; empty: cancelled
  QStringList offered;                  // the initial names the save dialog was given
  int openDialogs = 0;

  DocFixture() {
    app::TServices& s = app::Services();
    s.DefaultPrinterCaps = [] { return app::TPrinterCaps{254, 254, 2100, 2970, 200, 287}; };
    s.MessageBox = [this](QWidget* parent, app::TMsgKind kind, const QString& text, app::TMsgButtons buttons) {
      const auto* window = qobject_cast<const TfrmChild*>(parent);
      asked.push_back({kind, text, buttons, window ? window->windowTitle() : QString(), WindowCount()});
      if (answers.empty()) return app::mbNo;
      const app::TMsgButton a = answers.front();
      answers.pop_front();
      return a;
    };
    s.OpenFileName = [this](QWidget*, const QString&, const QString&) {
      ++openDialogs;
      return Next();
    };
    s.SaveFileName = [this](QWidget*, const QString&, const QString&, const QString& name) {
      offered.append(name);
      return Next();
    };
    main = std::make_unique<TfrmMain>();
    main->resize(1024, 768);
    main->show();
    if (!QTest::qWaitForWindowExposed(main.get())) qWarning("main window not exposed");
    asked.clear();
  }
  ~DocFixture() { main.reset(); }

  QString Next() {
    if (chosen.empty()) return QString();
    QString c = chosen.front();
    chosen.pop_front();
    return c;
  }
  QString Path(const char* name) const { return desk.dir.filePath(QString::fromUtf8(name)); }
  int WindowCount() const { return int(main->DocumentWindows().size()); }
  TfrmChild* NewDocument() {
    main->actFileNewExecute();
    return main->ActiveChild();
  }
  QStringList Captions() const {
    QStringList c;
    for (TfrmChild* w : main->DocumentWindows()) c.append(w->windowTitle());
    return c;
  }
  // Frees the windows that closed, and reports whether anything of a document is left.
  int LeftOverWindows() const {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return int(main->findChildren<TfrmChild*>().size());
  }
  QString Panel(int i) const { return main->KivStatusBar1->PanelText(i); }
};

// A round seal of 42 mm on the window's page, centred on (x, y) millimetres.
inline seal::TSeal* AddSeal(TfrmChild* w, float x, float y) {
  auto* s = new seal::TSeal(w->KivDrawPanel1);
  s->SetPixelsPerMm(w->FPixelsPerMm);
  s->SetZoom(w->KivDrawPanel1->Zoom());
  s->SetSealType(seal::stEllipse);
  s->SetRealWidth(42);
  s->SetRealHeight(42);
  s->SetRealCenterX(x);
  s->SetRealCenterY(y);
  w->HookSealEvents(s);
  w->FSeals.push_back(s);
  s->show();
  return s;
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

inline QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
