#pragma once
// The preview page's zoom, apart from any window: the zoom at which the whole sheet fits the
// view, the two zoom modes and what a press on the page does in each, the hand cursor of a
// page larger than its view, and the texts the print window's status bar shows.

#include <QSize>
#include <QString>

namespace app {

// A zoom-out press stops above the lowest zoom, a zoom-in press below the highest; each
// press steps by kPreviewZoomStep.
inline constexpr int kLowestPreviewZoom = 25;
inline constexpr int kHighestPreviewZoom = 600;
inline constexpr int kPreviewZoomStep = 10;

// The preview page's screen cursor slots.
inline constexpr int kDefaultCursorSlot = 0;
inline constexpr int kHandCursorSlot = 2;
inline constexpr int kZoomInCursorSlot = 4;
inline constexpr int kZoomOutCursorSlot = 5;

// The percentage at which a sheet of pageWidth x pageHeight millimetres, with 3 mm to spare
// each way, fits a client area without scroll bars on a screen of that many pixels per
// millimetre: truncated, the smaller of the two directions. Never below 1, so that a tiny
// view still shows a page, and never above the highest zoom, which a sheet of no size would
// otherwise pass without bound.
int CalcFitZoom(QSize client, long double pageWidth, long double pageHeight, long double screenPixelsPerMm);

enum class TZoomMode { None, ZoomIn, ZoomOut };

struct TZoomClick {
  int Zoom;
  TZoomMode Mode;
  bool operator==(const TZoomClick&) const = default;
};
// What a press on the page does at a zoom in a mode. A left press zooms out by a step above
// the lowest zoom, or turns zoom-out into zoom-in at or below it; it zooms in by a step below
// the highest zoom, or turns zoom-in into zoom-out at or above it. Any other button leaves
// the mode. Outside the modes nothing changes.
TZoomClick ZoomClick(TZoomMode mode, int zoom, bool leftButton);

// The cursor outside the zoom modes: the hand when the page is more than 4 pixels wider or
// taller than its view, so that there is something to drag; else the default one.
int PanCursorSlot(QSize client, QSize page);

// The status bar: the printable area of the preview page to a tenth of a millimetre in its
// shortest decimal form, the printer's own printable area in whole millimetres, the zoom.
QString PrintableAreaText(long double width, long double height);
QString PrinterAreaText(int horzSize, int vertSize);
QString ZoomText(int zoom);

}  // namespace app
