#pragma once
// Printing into a PDF file, as Qt's PDF output does for a print shop: the file is asked for
// at every print, starting at the last name chosen, and an existing one is replaced only
// after a Yes. The print goes into a new file beside the chosen one, which takes the chosen
// one's place only once the job has ended and the file is whole, so that a print that fails
// (a full disk, a read-only file or folder, no permission, a missing folder, a failure
// while drawing) leaves the old file as it was.

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace app {

// The printer writes a PDF file rather than sending the job to a print queue.
bool PrintsToFile(const QPrinter& printer);

// The file the next print goes to, asked in the save dialog: it starts at the name the
// printer holds (the last one chosen, also in the printer set-up), else at suggested in
// folder; a name without an extension gets ".pdf"; an existing file is replaced only after a
// Yes, a No goes back to the dialog. Empty when the dialog was cancelled.
QString AskPdfFileName(QWidget* parent, const QPrinter& printer, const QString& folder, const QString& suggested);

// Runs print with a fresh printer, set up like printer, writing a new file beside file, and
// puts that file in file's place (keeping an old file's owner, group, mode and links) when
// print returns and the new file is a whole PDF file, so that a failed print leaves the next
// one as good as the first. Whatever print throws goes on after the new file is removed,
// but a printer that could not go on (EPrintError), a file that cannot be written or one
// that comes out short throws formats::EFileError, which names the file and the reason in
// Chinese. The printer names file afterwards, for the next question to start at.
void PrintIntoFile(QPrinter& printer, const QString& file, const std::function<void(QPrinter&)>& print);

// 0 when the file at path is a whole PDF file (print/pdfstructure.h). Else why not: ENOSPC
// when the file system it lies on has no room left (where writing it stopped), EIO
// otherwise.
int PdfFileError(const QString& path);

}  // namespace app
