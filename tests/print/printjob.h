#pragma once
// A print window over a document on a printer the test offers (Qt's PDF output at 600 dots
// per inch on an A4 sheet), printed through its print command with the print options of the
// real dialogs library answered and the file dialog answered from a script.

#include <QBuffer>
#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <optional>

#include "docfixture.h"
#include "modal_driver.h"
#include "platform/picture.h"
#include "print/print.h"
#include "printers.h"

// What the print options dialog is answered with.
struct TAnswer {
  bool accept = true;
  bool trueColor = true;
  bool mirror = false;
  int copies = 1;
  // What the file dialog answers, one name each time it comes up: by default the printer's
  // own file; an empty name cancels it.
  std::optional<QStringList> files = std::nullopt;
};

// What the dialog showed when it opened.
struct TPresets {
  bool trueColor = false;
  bool mirror = false;
  QString copies;
};

// A BMP picture of w x h pixels, black in its top-left quadrant and white elsewhere.
inline void LoadCornerPicture(platform::TPicture& picture, int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int y = 0; y < h / 2; ++y)
    for (int x = 0; x < w / 2; ++x) image.setPixel(x, y, qRgb(0, 0, 0));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  picture.LoadFromBytes(platform::TGraphicKind::Bitmap, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

struct PrintJobFixture {
  DocFixture doc;
  std::unique_ptr<TestPrinter> printer;
  TfrmChild* w = nullptr;
  std::unique_ptr<TfrmPrint> form;

  // margins: left, top, right, bottom in millimetres on an A4 sheet at 600 dots per inch.
  explicit PrintJobFixture(QMarginsF margins = {5, 5, 5, 5}) : printer(std::make_unique<TestPrinter>(600, margins)) {
    printer->Install();
    app::Services().DialogsLibraryPath = [] { return QStringLiteral(MERULIN_LIBRARY); };
    // A file that is there is replaced.
    doc.desk.answer = app::mbYes;
    w = doc.NewDocument();
  }
  template <class Seal = seal::TSeal>
  Seal* Add(seal::TSealType type, float x, float y, float width, float height) {
    return AddSealOf<Seal>(w, type, x, y, width, height);
  }
  seal::TSeal* Round42(float x, float y) { return AddSeal(w, x, y); }
  TfrmPrint* Open() {
    form = std::make_unique<TfrmPrint>(nullptr, *w, false);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) qWarning("print window not exposed");
    return form.get();
  }
  // The print command with the options dialog answered, and the file dialog answered as
  // the answer says; what the options showed on opening.
  TPresets Print(const TAnswer& answer) {
    for (const QString& file : answer.files.value_or(QStringList{printer->File()})) doc.desk.chosen.push_back(file);
    TPresets shown;
    const TModalRun run = WhileModal([&] { Part<QAction>(form.get(), "FPrintAct")->trigger(); },
                                     [&](QDialog* d) {
                                       auto* colour = Part<QCheckBox>(d, "CheckBox1");
                                       auto* mirror = Part<QCheckBox>(d, "CheckBox2");
                                       auto* copies = Part<QLineEdit>(d, "Edit1");
                                       shown = {colour->isChecked(), mirror->isChecked(), copies->text()};
                                       colour->setChecked(answer.trueColor);
                                       mirror->setChecked(answer.mirror);
                                       copies->selectAll();
                                       QTest::keyClicks(copies, QString::number(answer.copies));
                                       QTest::mouseClick(Part(d, answer.accept ? "Button1" : "Button2"), Qt::LeftButton);
                                     });
    if (!run.Seen || run.LeftOpen) qWarning("the print options did not come up or stayed open");
    doc.desk.chosen.clear();
    return shown;
  }
  QImage Sheet() const { return RenderSheet(printer->File()); }
  bool Printed() const { return QFileInfo::exists(printer->File()); }
  std::vector<FakeDesktop::Message>& Messages() { return doc.desk.messages; }
};

