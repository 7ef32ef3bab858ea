#pragma once
// The printer the print tests offer the program: Qt's PDF output at a chosen resolution on
// an A4 sheet with chosen margins, installed through the services as the one printer there
// is; and what it wrote, rendered by pdftoppm at 254 dots per inch (10 pixels per
// millimetre, measured from the sheet's edge) without antialiasing.

#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>

#include "peer_tools.h"
#include "services/services.h"

// A printer at its high resolution that counts the jobs begun on it: each job asks it for
// its paint engine once.
class TCountingPrinter : public QPrinter {
 public:
  TCountingPrinter() : QPrinter(QPrinter::HighResolution) {}
  int Jobs() const { return jobs_; }
  QPaintEngine* paintEngine() const override {
    ++jobs_;
    return QPrinter::paintEngine();
  }

 private:
  mutable int jobs_ = 0;
};

struct TestPrinter {
  QTemporaryDir dir;
  TCountingPrinter printer;

  // Margins in millimetres: left, top, right, bottom.
  explicit TestPrinter(int dpi = 600, QMarginsF margins = {5, 5, 5, 5}) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(dpi);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(margins, QPageLayout::Millimeter);
    printer.setOutputFileName(File());
  }
  // The current printer from now on, and the only one listed.
  void Install() {
    app::TServices& s = app::Services();
    s.PrinterNames = [] { return QStringList{QString::fromUtf8(app::kPdfPrinterName)}; };
    s.CurrentPrinter = [this] { return &printer; };
    s.DefaultPrinterCaps = [this] { return app::PrinterCapsOf(printer); };
  }
  QString File() const { return dir.filePath(QStringLiteral("sheet.pdf")); }
};

// The sheet of that page, from 1, at 10 px/mm; a null image when pdftoppm is missing or
// fails. The picture is written beside the PDF file.
inline QImage RenderSheet(const QString& pdf, int page = 1) {
  const QString tool = peer_tools::Find("pdftoppm");
  if (tool.isEmpty()) return {};
  const QString prefix = pdf + QStringLiteral(".render");
  const QString number = QString::number(page);
  const peer_tools::TRun run = peer_tools::Run(tool, {"-r", "254", "-aa", "no", "-aaVector", "no", "-png", "-f", number,
                                                      "-l", number, "-singlefile", pdf, prefix});
  if (!run.finished || run.exitCode != 0) return {};
  return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// The number of pages pdfinfo finds; -1 when it cannot read the file.
inline int PdfPages(const QString& pdf) {
  const QString tool = peer_tools::Find("pdfinfo");
  if (tool.isEmpty()) return -1;
  const peer_tools::TRun run = peer_tools::Run(tool, {pdf});
  if (!run.finished || run.exitCode != 0) return -1;
  for (const QByteArray& line : run.out.split('\n'))
    if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
  return -1;
}

// The smallest rectangle holding every pixel that is ink; empty when none is.
inline QRect InkBounds(const QImage& sheet, const std::function<bool(QRgb)>& isInk) {
  int left = sheet.width(), top = sheet.height(), right = -1, bottom = -1;
  for (int y = 0; y < sheet.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(sheet.constScanLine(y));
    for (int x = 0; x < sheet.width(); ++x) {
      if (!isInk(row[x])) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

inline bool IsNotWhite(QRgb c) { return qRed(c) < 200 || qGreen(c) < 200 || qBlue(c) < 200; }
inline bool IsRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; }
inline bool IsBlack(QRgb c) { return qRed(c) < 60 && qGreen(c) < 60 && qBlue(c) < 60; }
