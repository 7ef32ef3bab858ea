#pragma once
// What the windows ask of the desktop, each behind one replaceable function so that every
// window runs offscreen in tests: message boxes, file and colour dialogs, the shell, the
// printers, the lock keys, the screen, the installed fonts, the start-up pauses, the command
// line and the dialogs library's path. The settings store is platform/registry.h, whose file the
// tests point elsewhere.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "platform/color.h"

class QPrinter;
class QWidget;

namespace app {

// Plain: a box without an icon, under a caption of its own.
enum class TMsgKind { Warning, Information, Confirmation, Error, Plain };

enum TMsgButton : unsigned {
  mbOK = 1,
  mbYes = 2,
  mbNo = 4,
  mbCancel = 8,
};
using TMsgButtons = unsigned;

struct TLockKeys {
  bool Caps = false;
  bool Num = false;
  bool Scroll = false;
};

// What a page needs to know of a printer, as the device reports it: dots per inch, the whole
// sheet in device pixels and the printable area in whole millimetres.
struct TPrinterCaps {
  int LogPixelsX = 0;
  int LogPixelsY = 0;
  int PhysicalWidth = 0;
  int PhysicalHeight = 0;
  int HorzSize = 0;
  int VertSize = 0;
};

struct TServices {
  // Returns the button chosen.
  std::function<TMsgButton(QWidget* parent, TMsgKind kind, const QString& text, TMsgButtons buttons)> MessageBox;
  // A message box under the caption given, without an icon.
  std::function<TMsgButton(QWidget* parent, const QString& caption, const QString& text, TMsgButtons buttons)>
      PlainMessageBox;
  // Return the chosen path, empty when cancelled. The folder a dialog starts in is a data
  // folder as DataFolder gives it, with its trailing separator.
  std::function<QString(QWidget* parent, const QString& folder, const QString& filter)> OpenFileName;
  std::function<QString(QWidget* parent, const QString& folder, const QString& filter, const QString& name)>
      SaveFileName;
  // The same for a picture, with a preview of the picture file under the cursor.
  std::function<QString(QWidget* parent, const QString& folder, const QString& filter, const QString& name)>
      SavePictureFileName;
  // An existing picture file, with the same preview.
  std::function<QString(QWidget* parent, const QString& folder, const QString& filter)> OpenPictureFileName;
  // Opens a web or mail link with the desktop's default program; failures are not reported.
  std::function<void(const QString& url)> OpenUrl;
  // A colour from the colour dialog with its custom colours shown, solid colours only;
  // nullopt when cancelled.
  std::function<std::optional<platform::TColor>(QWidget* parent)> ChooseColor;
  // The installed printers: the system's print queues and Qt's own PDF file output.
  std::function<QStringList()> PrinterNames;
  // The program's one printer, at its high resolution: new pages take its sheet, the print
  // window prints on it and its set-up changes it in place. nullptr when there is none.
  std::function<QPrinter*()> CurrentPrinter;
  // The current printer's capabilities; nullopt when there is no usable printer.
  std::function<std::optional<TPrinterCaps>()> DefaultPrinterCaps;
  // The printer set-up dialog (printer, paper, orientation) for the printer, which an OK
  // changes; true when accepted.
  std::function<bool(QWidget* parent, QPrinter& printer)> SetupPrinter;
  std::function<TLockKeys()> LockKeys;
  std::function<int()> ScreenWidth;
  // Installed font families: those covering Simplified Chinese and the Windows face names
  // that the canvas maps onto them.
  std::function<QStringList()> ScreenFontNames;
  // Blocks the user-interface thread, as the start-up pauses do.
  std::function<void(int milliseconds)> Pause;
  // The program's arguments, without the program name.
  std::function<QStringList()> Arguments;
  // The folder of the program file.
  std::function<QString()> ProgramFolder;
  std::function<QString()> DialogsLibraryPath;
};

// The services in use; starts with the desktop's own.
TServices& Services();
// Back to the desktop's own services.
void ResetServices();

// Shorthand for a message box through the services.
TMsgButton ShowMessage(QWidget* parent, TMsgKind kind, const QString& text, TMsgButtons buttons);
TMsgButton ShowPlainMessage(QWidget* parent, const QString& caption, const QString& text, TMsgButtons buttons);

// The name under which the PDF file output is listed among the printers.
inline constexpr const char* kPdfPrinterName = "打印到文件 (PDF)";
// The printer set-up dialog's title and its OK button.
inline constexpr const char* kPrinterSetupTitle = "设置打印机";
inline constexpr const char* kPrinterSetupOk = "确定(&O)";

// What a printer reports of its sheet at its resolution; nullopt for a printer without one.
std::optional<TPrinterCaps> PrinterCapsOf(const QPrinter& printer);
// The current printer when any printer is installed, else nullptr.
QPrinter* InstalledPrinter();

// A message box as the commands show it: its kind, its buttons and its text, in which
// %1 stands for what the command fills in.
struct TMessageSpec {
  TMsgKind Kind;
  TMsgButtons Buttons;
  const char* Text;
};

// Shows the message with its %1 filled in, and returns the button chosen.
TMsgButton ShowMessage(QWidget* parent, const TMessageSpec& message, const QString& argument = QString());

}  // namespace app
