#pragma once
// Pens and rectangles as the custom controls' pixel rules state them:
// one-pixel cosmetic lines without antialiasing, a dotted pen of three pixels on and three
// off, and rectangles whose right and bottom edges lie just inside the given corner.

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QPointF>

#include "platform/event_point.h"

namespace app {

inline QPen GdiPen(const QColor& color, Qt::PenStyle style, int width = 1) {
  QPen pen(color);
  pen.setWidth(width);
  pen.setCosmetic(width <= 1);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  if (style == Qt::DotLine) {
    pen.setStyle(Qt::CustomDashLine);
    pen.setDashPattern({3, 3});
  } else {
    pen.setStyle(style);
  }
  return pen;
}

// Outline (and fill, with the painter's brush) of the rectangle from (l, t) to (r, b), the
// right column and bottom row excluded.
inline void GdiRectangle(QPainter& p, int l, int t, int r, int b) {
  if (r <= l || b <= t) return;
  p.drawRect(l, t, r - l - 1, b - t - 1);
}

using platform::EventPoint;

}  // namespace app
