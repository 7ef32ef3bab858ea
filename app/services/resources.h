#pragma once
// The program's own pictures: the cursors it registers in the screen's cursor table and the
// images of its tool-bar buttons, drawn here rather than loaded.

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace app {

// The cursor resources by their names: "Hand", "Zoom", "ZoomIn", "ZoomOut", "DrawCharSet".
// An unknown name gives the default arrow.
QCursor ProgramCursor(const QString& name);

// Puts the five cursors into screen cursor slots 2 to 6.
void RegisterProgramCursors();

// The 24 x 24 tool-bar image of an action, by the action's name; a null icon when the
// action has none.
QIcon ToolImage(const QString& actionName);

// The drawing-tools palette's 24-bit bitmaps: "T1" (the logo under the mouse), "T2" (the
// logo otherwise), both 60 x 23, and "C1" (the picture before the colour swatch), 6 x 32.
// An unknown name gives a null pixmap.
QPixmap PaletteBitmap(const QString& name);

// The hot image of a palette button's action, shown while the mouse is over the button; a
// null icon for an action that has no palette image.
QIcon HotToolImage(const QString& actionName);

// The image of the palette's button that switches between tools and templates, 48 x 20, and
// its hot image.
QIcon PaletteSwitchImage(bool hot = false);

// The main window's icon: a red round seal.
QIcon ProgramIcon();

}  // namespace app
