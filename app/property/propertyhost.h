#pragma once
// What the property window asks of the windows around it. The main window gives the
// property window one host for the window's whole life; the host answers for the active
// document window, whichever that is at the moment of asking.

#include <QString>
#include <QStringList>
#include <functional>

namespace seal {
class TSeal;
}

namespace property {

class TPropertyHost {
 public:
  virtual ~TPropertyHost() = default;

  // The element the window shows and edits: the sole selected element of the active
  // document window; nullptr when no document window is active or its selection is not
  // exactly one element.
  virtual const seal::TSeal* CurrentSeal() const = 0;
  // A change of the current element from one of the window's controls: the active
  // document window applies it, places its grab handles around the element again and
  // counts itself modified, and the main window's file state shows fileState, the
  // window's own words for it.
  virtual void EditCurrentSeal(const std::function<void(seal::TSeal&)>& change, const QString& fileState) = 0;
  // The installed face names that the two font boxes list; the program's screen fonts
  // by default.
  virtual QStringList ScreenFontNames() const;
};

}  // namespace property
