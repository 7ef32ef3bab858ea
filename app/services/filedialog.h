#pragma once
// Qt's own file dialog as every dialog of the program shows it, for documents and pictures
// alike: its type column names folders and files in Chinese, where Qt's translations leave
// "Folder", and its size, type and date columns are as wide as what they show, so that no
// date is cut short.

class QFileDialog;
class QString;

namespace app {

// Shows the dialog modally; the first chosen file, or empty when the user cancelled.
QString RunFileDialog(QFileDialog& dialog);

}  // namespace app
