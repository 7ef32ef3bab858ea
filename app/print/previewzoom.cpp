#include "print/previewzoom.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace app {

namespace {

// Percent of the client length that a page length with 3 mm to spare takes, truncated;
// the highest zoom for a length that takes no room.
long double FitIn(int client, long double pageLength, long double pixelsPerMm) {
  const long double needed = (pageLength + 3.0L) * pixelsPerMm;
  if (!(needed > 0)) return kHighestPreviewZoom;
  return std::trunc(client * 100.0L / needed);
}

// Tenths as the shortest decimal: "199.6", "200", "-0.5".
QString Tenths(long double value) {
  const long double r = std::nearbyintl(value * 10);
  if (!std::isfinite(r)) return QStringLiteral("0");
  const long long tenths = static_cast<long long>(std::clamp(r, -1e15L, 1e15L));
  const long long whole = std::llabs(tenths) / 10, tenth = std::llabs(tenths) % 10;
  QString text = tenths < 0 ? QStringLiteral("-") : QString();
  text += QString::number(whole);
  if (tenth != 0) text += QLatin1Char('.') + QString::number(tenth);
  return text;
}

}  // namespace

int CalcFitZoom(QSize client, long double pageWidth, long double pageHeight, long double screenPixelsPerMm) {
  const long double zoom = std::min(FitIn(client.width(), pageWidth, screenPixelsPerMm),
                                    FitIn(client.height(), pageHeight, screenPixelsPerMm));
  if (std::isnan(zoom)) return 1;
  return static_cast<int>(std::clamp(zoom, 1.0L, static_cast<long double>(kHighestPreviewZoom)));
}

TZoomClick ZoomClick(TZoomMode mode, int zoom, bool leftButton) {
  if (mode == TZoomMode::None) return {zoom, mode};
  if (!leftButton) return {zoom, TZoomMode::None};
  if (mode == TZoomMode::ZoomOut)
    return zoom > kLowestPreviewZoom ? TZoomClick{zoom - kPreviewZoomStep, mode} : TZoomClick{zoom, TZoomMode::ZoomIn};
  return zoom < kHighestPreviewZoom ? TZoomClick{zoom + kPreviewZoomStep, mode} : TZoomClick{zoom, TZoomMode::ZoomOut};
}

int PanCursorSlot(QSize client, QSize page) {
  const bool larger = client.width() + 4 < page.width() || client.height() + 4 < page.height();
  return larger ? kHandCursorSlot : kDefaultCursorSlot;
}

QString PrintableAreaText(long double width, long double height) {
  return QStringLiteral(" 当前纸张可打印区域[宽x高]：") + Tenths(width) + QStringLiteral("mm x ") + Tenths(height) +
         QStringLiteral("mm ");
}

QString PrinterAreaText(int horzSize, int vertSize) {
  return QStringLiteral("当前纸张打印区域大小[宽x高]：") + QString::number(horzSize) + QStringLiteral("mm x ") +
         QString::number(vertSize) + QStringLiteral(" mm");
}

QString ZoomText(int zoom) { return QStringLiteral("当前缩放比例：") + QString::number(zoom) + QStringLiteral("% "); }

}  // namespace app
