#include "print/printing.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "platform/canvas.h"
#include "platform/numeric.h"
#include "seal/bounds_mm.h"
#include "seal/seal.h"

namespace app {

namespace {

// The seal at its mirrored place, reflected left to right: the painter maps the seal's own
// pixel x to the canvas pixel left + width - 1 - x of that place, as a flipped bitmap of the
// seal would lie, and keeps the drawing within the seal's bounds, as such a bitmap would.
// Each primitive is drawn once, so the sheet gets the seal's own outlines and pictures; its
// white parts paint white over what lies below, and what it leaves untouched stays as it
// was.
void DrawMirrored(seal::TSeal& s, platform::TPainterCanvas& canvas, const TPrintJobGeometry& job, bool trueColor) {
  if (s.Width() <= 0 || s.Height() <= 0) return;
  QPainter& painter = canvas.Painter();
  painter.save();
  painter.translate(MirroredLeft(job, s.Left(), s.Width()) + s.Width(), s.Top() - job.TopOffset);
  painter.scale(-1, 1);
  painter.setClipRect(QRect(0, 0, s.Width(), s.Height()), Qt::IntersectClip);
  // The painter's own state comes back however the drawing ends.
  try {
    s.DrawTo(0, 0, &canvas, trueColor);
  } catch (...) {
    painter.restore();
    throw;
  }
  painter.restore();
}

// Ends the job on every path; the end that is looked at is the one the caller makes.
class TJob {
 public:
  explicit TJob(QPrinter& printer) {
    if (!FPainter.begin(&printer)) throw EPrintError("打印机无法开始打印！");
  }
  ~TJob() {
    if (FPainter.isActive()) FPainter.end();
  }
  TJob(const TJob&) = delete;
  TJob& operator=(const TJob&) = delete;

  QPainter& Painter() { return FPainter; }
  void End() {
    if (!FPainter.end()) throw EPrintError("打印机无法完成打印！");
  }

 private:
  QPainter FPainter;
};

}  // namespace

TPrintJobGeometry PrintJobGeometry(const QPrinter& printer) {
  const QRectF sheet = printer.paperRect(QPrinter::DevicePixel);
  const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
  return {printer.logicalDpiX() / 25.4L, platform::Round(static_cast<long double>(printable.left() - sheet.left())),
          platform::Round(static_cast<long double>(printable.top() - sheet.top())),
          platform::Round(static_cast<long double>(printable.width()))};
}

int MirroredLeft(const TPrintJobGeometry& job, int left, int width) {
  return platform::SaturateToInt(static_cast<long long>(job.PrintableWidth) + job.LeftOffset - left - width);
}

bool DriverMakesCopies(const QPrinter& printer) {
  return printer.outputFormat() == QPrinter::NativeFormat && printer.supportsMultipleCopies();
}

int SheetsToPrint(const QPrinter& printer, int copies) { return DriverMakesCopies(printer) ? 1 : std::max(1, copies); }

void PrintSeals(QPrinter& printer, std::span<const seal::TSeal* const> seals, const TPrintOptions& options,
                const std::function<void()>& step) {
  const TPrintJobGeometry job = PrintJobGeometry(printer);
  const int sheets = SheetsToPrint(printer, options.Copies);
  printer.setCopyCount(DriverMakesCopies(printer) ? std::max(1, options.Copies) : 1);
  seal::TSealAtScale atPrinterScale(job.PixelsPerMm);
  TJob printing(printer);
  {
    platform::TPainterCanvas canvas(printing.Painter());
    for (int sheet = 0; sheet < sheets; ++sheet) {
      if (sheet > 0 && !printer.newPage()) throw EPrintError("打印机无法打印下一页！");
      for (const seal::TSeal* element : seals) {
        try {
          seal::TSeal& s = atPrinterScale.Take(*element);
          if (options.Mirror)
            DrawMirrored(s, canvas, job, options.TrueColor);
          else
            s.DrawTo(s.Left() - job.LeftOffset, s.Top() - job.TopOffset, &canvas, options.TrueColor);
        } catch (...) {
          if (step) step();
          throw;
        }
        if (step) step();
      }
    }
  }
  printing.End();
}

}  // namespace app
