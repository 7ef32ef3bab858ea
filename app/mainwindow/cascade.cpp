#include "mainwindow/cascade.h"

#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <algorithm>

namespace app {

QPoint CascadePlace(const QSize& area, const QSize& window, int step, int index) {
  const int room = std::min(area.width() - window.width(), area.height() - window.height());
  const int places = step > 0 ? std::max(0, room) / step + 1 : 1;
  const int k = std::max(0, index) % places;
  return {k * step, k * step};
}

QSize CascadeSize(const QSize& area, int step, int count) {
  const int deepest = step > 0 ? std::min(area.width(), area.height()) / 2 / step + 1 : 1;
  const int depth = std::clamp(count, 1, deepest) - 1;
  return {area.width() - depth * step, area.height() - depth * step};
}

int CascadeStep(const QMdiSubWindow& window) {
  QStyleOptionTitleBar caption;
  caption.initFrom(&window);
  return window.style()->pixelMetric(QStyle::PM_TitleBarHeight, &caption, &window) +
         window.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
}

}  // namespace app
