#include "document/pagecentring.h"

#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

namespace app {

void TPageCentring::Centre(QScrollArea& box, QWidget& sheet, QWidget& page, QWidget& shadow, const TRule& rule) {
  if (FCentring) {
    FCentreAgain = true;
    return;
  }
  FCentring = true;
  for (int pass = 0; pass < 3; ++pass) {
    FCentreAgain = false;
    box.horizontalScrollBar()->setValue(0);
    box.verticalScrollBar()->setValue(0);
    const QSize client = box.viewport()->size();
    const QSize size = page.size();
    const QPoint at = rule(client, size);
    page.move(at);
    shadow.setGeometry(at.x() + kPageShadowOffset, at.y() + kPageShadowOffset, size.width(), size.height());
    sheet.resize(std::max(client.width(), at.x() + size.width() + kPageShadowOffset),
                 std::max(client.height(), at.y() + size.height() + kPageShadowOffset));
    if (!FCentreAgain) break;
  }
  FCentring = false;
}

}  // namespace app
