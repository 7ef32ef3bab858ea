#include "print/printing.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "formats/bitmap_filters.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/numeric.h"
#include "seal/seal.h"

namespace app {

namespace {

// The seal's pixel bounds and cut lines derived for the scale, also when its zoom is
// already that zoom: the setters see nothing to change then.
void ScaleSeal(seal::TSeal& s, float pixelsPerMm, int zoom) {
  s.SetPixelsPerMm(pixelsPerMm);
  if (s.Zoom() == zoom)
    s.RecomputeBounds();
  else
    s.SetZoom(zoom);
}

// A seal at the printer's scale for as long as this lives.
class TAtPrinterScale {
 public:
  TAtPrinterScale(seal::TSeal& s, long double pixelsPerMm, const TSealScale& back) : FSeal(s), FBack(back) {
    ScaleSeal(FSeal, static_cast<float>(pixelsPerMm), 100);
  }
  ~TAtPrinterScale() { ScaleSeal(FSeal, FBack.PixelsPerMm, FBack.Zoom); }
  TAtPrinterScale(const TAtPrinterScale&) = delete;
  TAtPrinterScale& operator=(const TAtPrinterScale&) = delete;

 private:
  seal::TSeal& FSeal;
  TSealScale FBack;
};

// The seal drawn into a bitmap of its own size, flipped and placed at its mirrored place.
// White is left out only where the seal drew nothing: the seal is drawn over white and over
// black, and a pixel that comes out the same both times is its own, its white knock-outs
// included, so that a white element over another one stays white as it does unmirrored.
void DrawMirrored(seal::TSeal& s, platform::TPainterCanvas& printer, const TPrintJobGeometry& job, bool trueColor) {
  if (s.Width() <= 0 || s.Height() <= 0) return;
  platform::TBitmap onWhite(s.Width(), s.Height());
  platform::TBitmap onBlack(s.Width(), s.Height());
  if (onWhite.Empty() || onBlack.Empty()) throw EPrintError("印章太大，无法镜像打印！");
  onBlack.Fill(platform::clBlack);
  for (platform::TBitmap* bitmap : {&onWhite, &onBlack}) {
    {
      platform::TPainterCanvas canvas(&bitmap->Image());
      s.DrawTo(0, 0, &canvas, trueColor);
    }
    formats::MirrorBitmap(*bitmap);
  }
  QImage own(onWhite.Width(), onWhite.Height(), QImage::Format_ARGB32);
  for (int y = 0; y < own.height(); ++y) {
    const auto* white = reinterpret_cast<const QRgb*>(onWhite.Image().constScanLine(y));
    const auto* black = reinterpret_cast<const QRgb*>(onBlack.Image().constScanLine(y));
    auto* out = reinterpret_cast<QRgb*>(own.scanLine(y));
    for (int x = 0; x < own.width(); ++x) out[x] = white[x] == black[x] ? white[x] : 0u;
  }
  printer.Painter().drawImage(QPoint(MirroredLeft(job, s.Left(), s.Width()), s.Top() - job.TopOffset), own);
}

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

void PrintSeals(QPrinter& printer, std::span<seal::TSeal* const> seals, const TPrintOptions& options,
                const TSealScale& back, const std::function<void()>& step) {
  const TPrintJobGeometry job = PrintJobGeometry(printer);
  printer.setCopyCount(std::max(1, options.Copies));
  QPainter painter;
  if (!painter.begin(&printer)) throw EPrintError("打印机无法开始打印！");
  // The job is one sheet, ended on every path.
  class TJobEnd {
   public:
    explicit TJobEnd(QPainter& p) : FPainter(p) {}
    ~TJobEnd() { FPainter.end(); }
    TJobEnd(const TJobEnd&) = delete;
    TJobEnd& operator=(const TJobEnd&) = delete;

   private:
    QPainter& FPainter;
  } end(painter);
  platform::TPainterCanvas canvas(painter);
  for (seal::TSeal* s : seals) {
    try {
      const TAtPrinterScale scale(*s, job.PixelsPerMm, back);
      if (options.Mirror)
        DrawMirrored(*s, canvas, job, options.TrueColor);
      else
        s->DrawTo(s->Left() - job.LeftOffset, s->Top() - job.TopOffset, &canvas, options.TrueColor);
    } catch (...) {
      if (step) step();
      throw;
    }
    if (step) step();
  }
}

}  // namespace app
