#pragma once
// A page and its shadow laid out on the sheet of a scroll box, as the document window and
// the print window show their pages: scrolled back to the start, the page where the owner's
// rule puts it in the client area, the shadow 3 pixels right of and below it, and the sheet
// as large as the client area or as far as the shadow reaches.

#include <QPoint>
#include <QSize>
#include <functional>

class QScrollArea;
class QWidget;

namespace app {

inline constexpr int kPageShadowOffset = 3;

class TPageCentring {
 public:
  // Where the page's top-left corner goes for a client area and a page of these sizes.
  using TRule = std::function<QPoint(QSize client, QSize page)>;

  // Scroll bars that come or go as the sheet is sized change the client area, and with it
  // the place; the layout runs again until it holds, three passes at most. A call made
  // while one runs (the client area's resize) only asks for another pass.
  void Centre(QScrollArea& box, QWidget& sheet, QWidget& page, QWidget& shadow, const TRule& rule);

 private:
  bool FCentring = false;
  bool FCentreAgain = false;
};

}  // namespace app
