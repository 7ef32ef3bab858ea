#pragma once
// Choosing a picture file for an element: the open dialog in the user's emblem folder with
// the kinds a seal can hold.

#include <QString>

#include "platform/picture.h"
#include "services/datafolders.h"

class QWidget;

namespace app {

inline constexpr const char* kPictureFilter = "图象文件 (*.bmp *.jpg *.jpeg *.gif *.ico *.emf *.wmf);;所有文件 (*)";

// Asks for a file below appPath's emblem folder and loads it into picture. Returns the path,
// empty when the dialog was cancelled; throws the loader's error when the file cannot be read,
// leaving picture as it was.
QString PickPictureFile(QWidget* parent, const QString& appPath, platform::TPicture& picture);

}  // namespace app
