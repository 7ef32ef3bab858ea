#pragma once
// What a document window asks of the window it lives in: the armed drawing tool, the
// colour, face and emblem that new elements take, the program's folder, the pop-up menus
// of the elements and of the page, the pointer's place on the page, the display of long
// file operations and the save command. What the window tells (its file state, zoom, selection and current
// element) it announces as signals instead. The main window is one such host; the tests
// have a small one of their own.

#include <QPoint>
#include <QString>

#include "platform/color.h"

class TfrmChild;

namespace platform {
class TPicture;
}

namespace seal {
class TSeal;
}

namespace app {

class TActivityDisplay;

// The panels of the main window's status bar, left to right.
enum class TStatusPanel { PointerX, PointerY, FileState, ElementCount, HomePage, CapsLock, NumLock, ScrollLock };
inline constexpr int kStatusPanelCount = 8;

enum class TFileState { Modified, Unmodified, Saved, NoFile };

// What the status bar shows for a file state and for the number of elements on the page.
QString FileStateText(TFileState state);
QString ElementCountText(int count);

class TDocumentHost {
 public:
  virtual ~TDocumentHost() = default;

  // The tag of the armed drawing tool, 0 when none is armed; disarming it.
  virtual int ArmedTool() const = 0;
  virtual void ReleaseTool() = 0;

  // The colour new elements take and an element the user selects gives back.
  virtual platform::TColor CurrentColor() const = 0;
  virtual void SetCurrentColor(platform::TColor colour) = 0;
  // The font box's text: the face of new elements.
  virtual QString FontBoxText() const = 0;
  // Loads the emblem the user selected, which the emblem tool places, into picture; false
  // when none is selected. Throws platform::EPictureError when its picture cannot be read;
  // picture is then unchanged.
  virtual bool LoadSelectedEmblem(platform::TPicture& picture) const = 0;
  // The program's folder with a trailing separator.
  virtual QString ProgramFolder() const = 0;

  // The element, locked or not, was pressed with the right button: its pop-up menu is
  // about to show for it.
  virtual void PrepareSealPopupMenu(const seal::TSeal& element, bool locked) = 0;
  // The pop-up menu of the elements (also of a selection of several) and that of the empty
  // page, shown at a point of the screen.
  virtual void ShowSealPopupMenu(QPoint globalPos) = 0;
  virtual void ShowPagePopupMenu(QPoint globalPos) = 0;

  // The pointer's place on the page, across and down, as the document words it.
  virtual void ShowPointerPosition(const QString& horizontal, const QString& vertical) = 0;
  // What shows a long file operation with its progress.
  virtual TActivityDisplay& FileActivity() = 0;

  // Saves the document as the save command does; a save that is cancelled or fails leaves
  // it modified.
  virtual void SaveDocument(TfrmChild& document) = 0;
};

}  // namespace app
