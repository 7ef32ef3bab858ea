#include "services/services.h"

#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include "platform/fonts.h"
#include "services/filedialog.h"
#include "services/lockkeys.h"
#include "services/picturedialog.h"
#include "platform/numeric.h"

namespace app {

namespace {

QMessageBox::Icon IconOf(TMsgKind kind) {
  switch (kind) {
    case TMsgKind::Warning: return QMessageBox::Warning;
    case TMsgKind::Information: return QMessageBox::Information;
    case TMsgKind::Confirmation: return QMessageBox::Question;
    case TMsgKind::Error: return QMessageBox::Critical;
    case TMsgKind::Plain: return QMessageBox::NoIcon;
  }
  return QMessageBox::NoIcon;
}

TMsgButton DesktopBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
                      TMsgButtons buttons) {
  struct Map {
    TMsgButton ours;
    QMessageBox::StandardButton qt;
  };
  static constexpr Map kMap[] = {{mbOK, QMessageBox::Ok},
                                 {mbYes, QMessageBox::Yes},
                                 {mbNo, QMessageBox::No},
                                 {mbCancel, QMessageBox::Cancel}};
  // A window not shown yet (the main window during start-up) would place the box at its
  // own unshown position; such a box is centred on the screen instead.
  QWidget* owner = parent && parent->isVisible() ? parent : nullptr;
  QMessageBox box(icon, caption, text, QMessageBox::NoButton, owner);
  for (const Map& m : kMap)
    if (buttons & m.ours) box.addButton(m.qt);
  const int chosen = box.exec();
  for (const Map& m : kMap)
    if (chosen == m.qt) return m.ours;
  return (buttons & mbCancel) ? mbCancel : (buttons & mbNo) ? mbNo : mbOK;
}

TMsgButton DesktopMessageBox(QWidget* parent, TMsgKind kind, const QString& text, TMsgButtons buttons) {
  return DesktopBox(parent, IconOf(kind), QCoreApplication::applicationName(), text, buttons);
}

// Every installed family, Latin ones too: a serial code is often set in one. The tool bar's
// Chinese-only filter picks the Chinese names out itself. A family that two foundries make
// is listed once, by its own name: a face name stored with one foundry's tag would tie the
// element to that maker's copy of the family.
QStringList DesktopFontNames() {
  QStringList names;
  for (QString family : QFontDatabase::families()) {
    const qsizetype foundry = family.lastIndexOf(QLatin1String(" ["));
    if (foundry > 0 && family.endsWith(QLatin1Char(']'))) family.truncate(foundry);
    if (!names.contains(family)) names.append(family);
  }
  for (const QString& name : platform::AliasFaceNames())
    if (!names.contains(name)) names.append(name);
  return names;
}

// The one printer of the process: the system's default print queue, else its first one, else
// the PDF file output on an A4 sheet. It goes when the application does, before the print
// support it uses.
QPrinter* DesktopPrinter() {
  static QPrinter* printer = nullptr;
  if (printer) return printer;
  QPrinterInfo queue = QPrinterInfo::defaultPrinter();
  if (queue.isNull() && !QPrinterInfo::availablePrinters().isEmpty()) queue = QPrinterInfo::availablePrinters().first();
  if (queue.isNull()) {
    printer = new QPrinter(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QPageSize::A4));
  } else {
    printer = new QPrinter(queue, QPrinter::HighResolution);
  }
  qAddPostRoutine([] {
    delete printer;
    printer = nullptr;
  });
  return printer;
}

// Qt's print dialog, which only sets the printer up here: printing is the print command's,
// which asks for its own file, so the dialog's title and its OK button say set-up. The PDF
// output stays one of its printers, but its output file box is Qt's, which would ask whether
// to replace a file the set-up never writes: it is hidden, and kept disabled, which is what
// makes the dialog leave the file alone (the printer keeps the name it had).
bool DesktopSetupPrinter(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  dialog.setWindowTitle(QString::fromUtf8(kPrinterSetupTitle));
  for (QDialogButtonBox* buttons : dialog.findChildren<QDialogButtonBox*>())
    if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(QString::fromUtf8(kPrinterSetupOk));
  const QList<QWidget*> fileParts{dialog.findChild<QWidget*>(QStringLiteral("lOutput")),
                                  dialog.findChild<QWidget*>(QStringLiteral("filename")),
                                  dialog.findChild<QWidget*>(QStringLiteral("fileBrowser"))};
  const auto leaveTheFileAlone = [&fileParts] {
    for (QWidget* part : fileParts)
      if (part) {
        part->setEnabled(false);
        part->hide();
      }
  };
  // The dialog enables the box again whenever another printer is chosen, and as it shows.
  if (auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers")))
    QObject::connect(printers, &QComboBox::currentIndexChanged, &dialog, leaveTheFileAlone);
  QTimer::singleShot(0, &dialog, leaveTheFileAlone);
  leaveTheFileAlone();
  return dialog.exec() == QDialog::Accepted;
}

// The folder as a dialog is given it: without the separator that ends a data folder, so
// that a folder that is not there opens the dialog in the folder around it.
QString DialogFolder(const QString& folder) {
  return folder.size() > 1 && folder.endsWith(QLatin1Char('/')) ? folder.chopped(1) : folder;
}

// Where a save dialog opens: at the name itself when it names its folder, else at the name
// in the folder.
QString DialogStart(const QString& folder, const QString& name) {
  return QFileInfo(name).isAbsolute() ? name : DialogFolder(folder) + QLatin1Char('/') + name;
}

TServices DesktopServices() {
  TServices s;
  s.MessageBox = DesktopMessageBox;
  s.PlainMessageBox = [](QWidget* parent, const QString& caption, const QString& text, TMsgButtons buttons) {
    return DesktopBox(parent, QMessageBox::NoIcon, caption, text, buttons);
  };
  // Qt's own dialogs, the same on every desktop; the caller asks about the chosen file.
  s.OpenFileName = [](QWidget* parent, const QString& folder, const QString& filter) {
    QFileDialog dialog(parent, QString(), DialogFolder(folder), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOptions(QFileDialog::DontUseNativeDialog);
    return RunFileDialog(dialog);
  };
  s.SaveFileName = [](QWidget* parent, const QString& folder, const QString& filter, const QString& name) {
    QFileDialog dialog(parent, QString(), DialogStart(folder, name), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    return RunFileDialog(dialog);
  };
  s.SavePictureFileName = [](QWidget* parent, const QString& folder, const QString& filter, const QString& name) {
    return SavePictureDialog(parent, DialogStart(folder, name), filter);
  };
  s.OpenPictureFileName = [](QWidget* parent, const QString& folder, const QString& filter) {
    return OpenPictureDialog(parent, DialogFolder(folder), filter);
  };
  // Qt's colour dialog always shows its custom colours and has no expand button; it starts
  // on black, as the system's does when given no colour.
  s.ChooseColor = [](QWidget* parent) -> std::optional<platform::TColor> {
    const QColor colour = QColorDialog::getColor(Qt::black, parent, QString(), QColorDialog::DontUseNativeDialog);
    if (!colour.isValid()) return std::nullopt;
    return platform::FromQColor(colour);
  };
  s.OpenUrl = [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); };
  s.PrinterNames = [] { return QPrinterInfo::availablePrinterNames() << QString::fromUtf8(kPdfPrinterName); };
  s.CurrentPrinter = DesktopPrinter;
  s.DefaultPrinterCaps = []() -> std::optional<TPrinterCaps> {
    const QPrinter* printer = Services().CurrentPrinter();
    if (!printer) return std::nullopt;
    return PrinterCapsOf(*printer);
  };
  s.SetupPrinter = DesktopSetupPrinter;
  s.LockKeys = ReadLockKeys;
  s.ScreenWidth = [] {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
  };
  s.ScreenFontNames = DesktopFontNames;
  s.Pause = [](int ms) {
    if (ms > 0) QThread::msleep(ulong(ms));
  };
  s.Arguments = [] { return QCoreApplication::arguments().mid(1); };
  s.ProgramFolder = [] { return QCoreApplication::applicationDirPath(); };
  s.DialogsLibraryPath = [] { return QCoreApplication::applicationDirPath() + QStringLiteral("/libmerulin.so"); };
  return s;
}

}  // namespace

TServices& Services() {
  static TServices services = DesktopServices();
  return services;
}

void ResetServices() { Services() = DesktopServices(); }

TMsgButton ShowMessage(QWidget* parent, TMsgKind kind, const QString& text, TMsgButtons buttons) {
  return Services().MessageBox(parent, kind, text, buttons);
}

TMsgButton ShowPlainMessage(QWidget* parent, const QString& caption, const QString& text, TMsgButtons buttons) {
  return Services().PlainMessageBox(parent, caption, text, buttons);
}

std::optional<TPrinterCaps> PrinterCapsOf(const QPrinter& printer) {
  const QRect sheet = printer.paperRect(QPrinter::DevicePixel).toRect();
  const QRectF printable = printer.pageRect(QPrinter::Millimeter);
  TPrinterCaps caps;
  caps.LogPixelsX = printer.logicalDpiX();
  caps.LogPixelsY = printer.logicalDpiY();
  caps.PhysicalWidth = sheet.width();
  caps.PhysicalHeight = sheet.height();
  caps.HorzSize = platform::Round(static_cast<long double>(printable.width()));
  caps.VertSize = platform::Round(static_cast<long double>(printable.height()));
  if (caps.LogPixelsX <= 0 || caps.LogPixelsY <= 0) return std::nullopt;
  return caps;
}

QPrinter* InstalledPrinter() { return Services().PrinterNames().isEmpty() ? nullptr : Services().CurrentPrinter(); }

TMsgButton ShowMessage(QWidget* parent, const TMessageSpec& message, const QString& argument) {
  QString text = QString::fromUtf8(message.Text);
  if (text.contains(QLatin1String("%1"))) text = text.arg(argument);
  return ShowMessage(parent, message.Kind, text, message.Buttons);
}

}  // namespace app
