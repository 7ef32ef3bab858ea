#pragma once
// The zoom view (TfrmZoomView): the selected elements of a page drawn once onto a bitmap at
// the largest whole percentage that lets the whole selection fill the screen, shown in a
// borderless white window as large as the screen. A click anywhere closes it; it reacts to
// no key.

#include <QDialog>
#include <QLabel>
#include <optional>
#include <span>

#include "platform/bitmap.h"
#include "seal/bounds_mm.h"

namespace zoomview {

// How a selection fits the free space of the view.
struct TZoomFit {
  int Fit = 0;                 // the magnification, in whole percent, at least 1
  long double PixelsPerMm = 0;  // the view's pixels per millimetre: Fit × k / 100
  QSize Bitmap;                // the scaled selection with 2 pixels on every side
};

// The fit of a selection of bounds on a page of k pixels per millimetre at 100 %, in the
// free space given. The narrower direction decides; a selection without width (a vertical
// line) or without height (a horizontal one) fits by the other direction alone, and one
// without either does not fit at all.
std::optional<TZoomFit> FitSelection(const seal::TBoundsMm& bounds, QSize freeSpace, long double k);

// The view's caption for a magnification.
QString FitCaption(int fit);

}  // namespace zoomview

class TfrmZoomView : public QDialog {
  Q_OBJECT

 public:
  // As large as the screen: screen is the client size to take; empty takes the size of
  // the screen the owner is on.
  explicit TfrmZoomView(QWidget* owner, QSize screen = QSize());

  // What the view shows: empty until ShowSelection draws into it.
  const platform::TBitmap& ViewBitmap() const { return FViewBitmap; }

  // The room the selection may take: the client area less 12 pixels across and less the
  // strip and 12 pixels down.
  QSize FreeSpace() const;
  // Sizes the bitmap to the selection's fit, captions the strip and draws the elements in
  // colour, each through a scratch element at the view's resolution; false, with nothing
  // drawn, when the selection has no extent. pixelsPerMm is the page's at 100 %.
  bool ShowSelection(std::span<const seal::TSeal* const> selection, float pixelsPerMm);
  const std::optional<zoomview::TZoomFit>& Fit() const { return FFit; }
  // Where the bitmap lies on the view: centred below the strip.
  QPoint BitmapPos() const;

  void FormClick();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The strip along the top that shows the magnification.
  QLabel* Panel1;
  platform::TBitmap FViewBitmap;
  std::optional<zoomview::TZoomFit> FFit;
};
