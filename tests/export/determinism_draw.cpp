// Exports a round seal with a serial code as a BMP file the way the export command draws it
// and prints it into a PDF file the way printing does, twice in one process; each time, the
// MD5 of the BMP file and of the PDF file (its creation time aside) go on a line. With the
// argument "other", a seal of other texts and digits in the same faces and sizes is exported
// first, so that whatever the faces keep from one drawing to the next is already filled.
// With "text", a label whose text has a Latin letter before a Chinese one is drawn between
// the two exports, as a file dialog's filter or a menu would be; with "dialog", the export's
// own save dialog for a JPEG file is opened and cancelled between them.

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <memory>

#include "export/exportformats.h"
#include "export/pictureexport.h"
#include "platform/gbk.h"
#include "print/printing.h"
#include "seal/bounds_mm.h"
#include "seal/seal.h"
#include "services/picturedialog.h"

namespace {

std::unique_ptr<seal::TSeal> RoundSeal(QWidget* page, const char* text, const char* code) {
  auto s = std::make_unique<seal::TSeal>(page);
  s->SetPixelsPerMm(page->logicalDpiX() / 25.4f);
  s->SetZoom(100);
  s->SetSealType(seal::stEllipse);
  s->SetRealWidth(42);
  s->SetRealHeight(42);
  s->SetIsEllipse(true);
  s->SetText(platform::Gbk(text));
  s->SetTextAngle(2200);
  s->SetTextsWidth(33);
  s->SetTextsHeight(33);
  s->SetCode(platform::Gbk(code));
  s->SetRealCenterX(40);
  s->SetRealCenterY(40);
  return s;
}

QByteArray ExportedBmp(const seal::TSeal* s, QWidget* page) {
  const seal::TSeal* const selection[] = {s};
  const seal::TBoundsMm bounds = seal::GetSelectionBoundsMm(selection);
  const long double pixelsPerMm = 600 / 25.4L;
  const app::TExportFormat& bmp = app::ExportFormatOf(0);
  const platform::TBitmap bitmap = app::DrawExportBitmap(
      selection, bounds, pixelsPerMm, app::ExportBitmapSize(bounds, pixelsPerMm), false, page);
  const std::vector<uint8_t> bytes = bmp.Encode(bitmap, pixelsPerMm);
  return QCryptographicHash::hash(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())),
                                  QCryptographicHash::Md5)
      .toHex();
}

// The MD5 of the PDF file the seal prints into at 600 dpi, with the time the file was made,
// the one thing of it that changes from print to print, left out.
QByteArray PrintedPdf(const seal::TSeal* s) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("seal.pdf"));
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(600);
    printer.setOutputFileName(file);
    const seal::TSeal* const seals[] = {s};
    app::PrintSeals(printer, seals, {.TrueColor = true, .Mirror = false, .Copies = 1}, {});
  }
  QFile pdf(file);
  if (!pdf.open(QIODevice::ReadOnly)) return "unreadable";
  QString bytes = QString::fromLatin1(pdf.readAll());
  bytes.replace(QRegularExpression(QStringLiteral("/CreationDate \\(D:[0-9Z+'-]*\\)")), QString());
  return QCryptographicHash::hash(bytes.toLatin1(), QCryptographicHash::Md5).toHex();
}

void PrintDigests(const seal::TSeal* s, QWidget* page) {
  std::printf("%s %s\n", ExportedBmp(s, page).constData(), PrintedPdf(s).constData());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget page;
  if (argc > 1 && std::strcmp(argv[1], "other") == 0)
    ExportedBmp(RoundSeal(&page, "上海某某贸易有限公司", "3101150098765").get(), &page);
  const auto s = RoundSeal(&page, "北京市某某科技发展有限公司", "1101080012345");
  const char* between = argc > 1 ? argv[1] : "";
  PrintDigests(s.get(), &page);
  if (std::strcmp(between, "text") == 0) {
    QLabel label(QString::fromUtf8("JPG 图象 J压缩影像 Bmp  Windows位图"));
    label.adjustSize();
    label.grab();
  } else if (std::strcmp(between, "dialog") == 0) {
    // Cancelled once it has drawn itself, as a user would.
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [] {
      if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    cancel.start(300);
    app::SavePictureDialog(&page, QDir::tempPath(), QString::fromUtf8("JPEG压缩影像(*.jpg)"));
  }
  PrintDigests(s.get(), &page);
  return 0;
}
