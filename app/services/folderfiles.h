#pragma once
// The files of the program's data folders as the side panels list them: by extension,
// compared ignoring the case of the ASCII letters only (every other character, Chinese ones
// included, counts as it is), hidden files included and folders never, in the order the file
// system gives them. Paths keep the letter case they really have.

#include <QString>
#include <QStringList>
#include <initializer_list>

namespace app {

// The text with the letters a to z upper-cased and nothing else changed.
QString UpperAscii(const QString& text);
bool SameIgnoringAsciiCase(const QString& a, const QString& b);

// The files of folder (with its trailing separator) whose extension (from the last dot,
// the dot included) is one of extensions; each as the bare file name when namesOnly, else
// as folder + file name.
QStringList ListFolderFiles(const QString& folder, std::initializer_list<const char*> extensions, bool namesOnly);

// A data folder below the program's folder, with a trailing separator.
QString DataFolder(const QString& appPath, const char* name);

}  // namespace app
