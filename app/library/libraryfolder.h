#pragma once
// The seal library's folder: the designs it holds, the names they are saved under and how
// they go. Names are compared ignoring the case of the ASCII letters only, since the
// library's own names are upper-cased in those letters and every other character, Chinese
// ones included, is kept as typed; paths keep the letter case they really have.

#include <QString>
#include <QStringList>

namespace app {

inline constexpr const char* kLibraryExtension = ".YZL";

// The library folder below the program's folder, with a trailing separator. The program
// never creates it.
QString LibraryFolder(const QString& appPath);

// The library files of a folder (with its trailing separator): every file whose extension
// is ".YZL" in any letter case, as services/folderfiles.h lists them. Each as the bare file
// name when namesOnly, else as the folder and the file name.
QStringList ListLibraryFiles(const QString& folder, bool namesOnly);

// Sorted as the library editor and the name check list them: ignoring ASCII case.
void SortLibraryNames(QStringList& names);

// What is wrong with a name typed for a design, as the message that says so; empty for a
// name that can be saved. A name must not be empty, and may hold no path separator and no
// NUL and be neither "." nor "..", so that nothing is written outside the folder.
QString LibraryNameFault(const QString& name);

// The path a new design of that name is saved under: the folder, the name upper-cased,
// ".YZL".
QString NewLibraryPath(const QString& folder, const QString& name);

// The file's name without folder and extension.
QString LibraryDesignName(const QString& path);

// Deletes the file of a design. One that is already gone is no error; one that stays
// throws formats::EFileError whose message names the file and the reason, in Chinese.
void DeleteLibraryFile(const QString& path);

}  // namespace app
