#pragma once
// A rectangle of page pixels by its four edges, right and bottom exclusive, as the window
// system keeps them; it may be reversed (right left of left) while a band is dragged.

#include <QRect>
#include <ostream>

namespace app {

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  QRect ToQRect() const { return QRect(QPoint(Left, Top), QSize(Right - Left, Bottom - Top)); }
  friend bool operator==(const TRect&, const TRect&) = default;
  friend std::ostream& operator<<(std::ostream& os, const TRect& r) {
    return os << '(' << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ')';
  }
};

}  // namespace app
