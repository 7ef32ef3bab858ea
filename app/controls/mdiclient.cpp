#include "controls/mdiclient.h"

#include <QPainter>

TMdiClient::TMdiClient(QWidget* parent) : QMdiArea(parent) {}

void TMdiClient::SetWallpaper(const platform::TBitmap* wallpaper) {
  FWallpaper = wallpaper;
  viewport()->update();
}

void TMdiClient::paintEvent(QPaintEvent* event) {
  QMdiArea::paintEvent(event);
  PaintWallpaper();
}

void TMdiClient::PaintWallpaper() {
  if (!FWallpaper || FWallpaper->Empty()) return;
  const QRect r = viewport()->rect();
  QPainter p(viewport());
  p.drawImage(QPoint((r.width() - FWallpaper->Width()) / 2, (r.height() - FWallpaper->Height()) / 2),
              FWallpaper->Image());
}

void TMdiClient::scrollContentsBy(int dx, int dy) {
  QMdiArea::scrollContentsBy(dx, dy);
  viewport()->update();
}
