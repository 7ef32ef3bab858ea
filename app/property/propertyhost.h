#pragma once
// What the property window asks of the windows around it. The main window gives the
// property window one host for the window's whole life; the host answers for the active
// document window, whichever that is at the moment of asking.

#include <QString>
#include <QStringList>

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
  virtual seal::TSeal* CurrentSeal() const = 0;
  // The window has just changed the current element: the active document window places
  // its grab handles around it again and counts itself modified. The status text is the
  // window's own (ShowFileState).
  virtual void SealChanged() = 0;
  // Panel 2, the file state, of the main window's status bar.
  virtual void ShowFileState(const QString& text) = 0;
  // The installed face names that the two font boxes list; the program's screen fonts
  // by default.
  virtual QStringList ScreenFontNames() const;
};

}  // namespace property
