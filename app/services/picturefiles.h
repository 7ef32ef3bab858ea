#pragma once
// Choosing a picture file for an element: the open dialog in the user's emblem folder with
// the kinds a seal can hold.

#include <QString>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "services/datafolders.h"

class QWidget;

namespace app {

inline constexpr const char* kPictureFilter = "图象文件 (*.bmp *.jpg *.jpeg *.gif *.ico *.emf *.wmf);;所有文件 (*)";

// Asks for a file below appPath's emblem folder: its path, empty when the dialog was
// cancelled.
QString AskPictureFile(QWidget* parent, const QString& appPath);
// Asks as AskPictureFile and loads the file into picture. Returns the path,
// empty when the dialog was cancelled; throws the loader's error when the file cannot be read,
// leaving picture as it was.
QString PickPictureFile(QWidget* parent, const QString& appPath, platform::TPicture& picture);

// Tells the user once that pictures of a file just read (or pasted: no file name) are kept
// without being drawn: the file's name, how many and why (the reasons, each once); nothing
// when there are none.
// The message comes once the events waiting now are done, so that the window of what was
// read is on the screen behind it, also when it was read as the program started.
void ShowUndrawnPictures(QWidget* parent, const QString& fileName, const std::vector<std::string>& reasons);

}  // namespace app
