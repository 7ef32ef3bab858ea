#include "document/dragoverlay.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>

namespace {

// The pixels a rectangle covers as the window system takes it, right and bottom exclusive,
// in whichever direction it was dragged.
QRect Covered(const QRect& given) {
  const int l = std::min(given.left(), given.left() + given.width());
  const int r = std::max(given.left(), given.left() + given.width()) - 1;
  const int t = std::min(given.top(), given.top() + given.height());
  const int b = std::max(given.top(), given.top() + given.height()) - 1;
  return QRect(QPoint(l, t), QPoint(r, b));
}

}  // namespace

TDragOverlay::TDragOverlay(QWidget* page) : QWidget(page) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(page->rect());
  page->installEventFilter(this);
  show();
}

void TDragOverlay::Toggle(const QRect& r) {
  const auto it = std::find(FShown.begin(), FShown.end(), r);
  if (it == FShown.end())
    FShown.push_back(r);
  else
    FShown.erase(it);
  update(Covered(r));
}

bool TDragOverlay::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
  return false;
}

void TDragOverlay::paintEvent(QPaintEvent*) {
  if (FShown.empty()) return;
  QPainter painter(this);
  // Inverting what the page and its elements have painted below: every second pixel of
  // the outline, as the dotted pen and the focus rectangle of the desktop do.
  painter.setCompositionMode(QPainter::RasterOp_NotDestination);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  const auto dot = [&](int x, int y) {
    if (((x + y) & 1) == 0) painter.fillRect(x, y, 1, 1, Qt::white);
  };
  for (const QRect& given : FShown) {
    const QRect c = Covered(given);
    if (c.isEmpty()) continue;
    const int l = c.left(), r = c.right(), t = c.top(), b = c.bottom();
    for (int x = l; x <= r; ++x) {
      dot(x, t);
      if (b != t) dot(x, b);
    }
    for (int y = t + 1; y < b; ++y) {
      dot(l, y);
      if (r != l) dot(r, y);
    }
  }
}
