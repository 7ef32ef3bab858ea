#pragma once
// The program's own pictures: the cursors it registers in the screen's cursor table and the
// images of its tool-bar buttons, drawn here rather than loaded.

#include <QCursor>
#include <QIcon>
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

// The main window's icon: a red round seal.
QIcon ProgramIcon();

}  // namespace app
