#include "controls/listwidth.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

void FitListToItems(QComboBox* box) {
  QAbstractItemView* list = box->view();
  const QFontMetrics metrics(list->font());
  int widest = 0;
  for (int i = 0; i < box->count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(box->itemText(i)));
  // An item's text keeps a focus margin and a pixel on either side; the list adds its frame
  // and, when long, a scroll bar.
  const int item = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
  const int frame = 2 * list->frameWidth();
  list->setMinimumWidth(widest + item + frame + list->verticalScrollBar()->sizeHint().width());
}
