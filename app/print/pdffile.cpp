#include "print/pdffile.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <cerrno>
#include <memory>
#include <sys/statvfs.h>

#include "formats/whole_file.h"
#include "print/pdfstructure.h"
#include "print/printing.h"
#include "services/savename.h"
#include "services/services.h"

namespace app {

namespace {

// Less room than this is no room: what Qt writes at a time does not fit.
constexpr unsigned long long kNoRoom = 64 * 1024;

// Why a file came out short.
int ShortFileReason(const QString& path) {
  struct statvfs disk {};
  if (::statvfs(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), &disk) == 0 &&
      static_cast<unsigned long long>(disk.f_bavail) * disk.f_frsize < kNoRoom)
    return ENOSPC;
  return EIO;
}

// A printer of its own for one job into a file, set up as the user set up the program's
// printer: Qt's PDF output keeps a write that failed failed for every later job of the same
// printer, so that one full disk would spoil every print after it.
std::unique_ptr<QPrinter> PrinterLike(const QPrinter& printer) {
  auto job = std::make_unique<QPrinter>(QPrinter::HighResolution);
  job->setOutputFormat(QPrinter::PdfFormat);
  job->setResolution(printer.resolution());
  job->setFullPage(printer.fullPage());
  job->setPageLayout(printer.pageLayout());
  job->setColorMode(printer.colorMode());
  job->setDocName(printer.docName());
  job->setCreator(printer.creator());
  job->setPdfVersion(printer.pdfVersion());
  job->setFontEmbeddingEnabled(printer.fontEmbeddingEnabled());
  return job;
}

}  // namespace

bool PrintsToFile(const QPrinter& printer) { return printer.outputFormat() == QPrinter::PdfFormat; }

QString AskPdfFileName(QWidget* parent, const QPrinter& printer, const QString& folder, const QString& suggested) {
  const QString filter = QStringLiteral("PDF 文件(*.pdf)");
  return ChooseSaveName(
      parent, [&](const QString& offered) { return Services().SaveFileName(parent, folder, filter, offered); },
      [](const QString& chosen) { return QFileInfo(chosen).suffix().isEmpty() ? chosen + QStringLiteral(".pdf") : chosen; },
      printer.outputFileName().isEmpty() ? suggested : printer.outputFileName(), TNewFileQuestion::None);
}

void PrintIntoFile(QPrinter& printer, const QString& file, const std::function<void(QPrinter&)>& print) {
  class TChosenName {
   public:
    TChosenName(QPrinter& printer, const QString& file) : FPrinter(printer), FFile(file) {}
    ~TChosenName() { FPrinter.setOutputFileName(FFile); }
    TChosenName(const TChosenName&) = delete;
    TChosenName& operator=(const TChosenName&) = delete;

   private:
    QPrinter& FPrinter;
    QString FFile;
  } chosen(printer, file);
  formats::SaveFileAtomically(file, [&](const QString& newFile) {
    const std::unique_ptr<QPrinter> job = PrinterLike(printer);
    job->setOutputFileName(newFile);
    // A printer that cannot go on writes a file it cannot finish: the file's reason is the
    // one to give.
    try {
      print(*job);
    } catch (const EPrintError&) {
      return ShortFileReason(newFile);
    }
    return PdfFileError(newFile);
  });
}

int PdfFileError(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return EIO;
  const QByteArray bytes = file.readAll();
  return IsWholePdf(std::string_view(bytes.constData(), size_t(bytes.size()))) ? 0 : ShortFileReason(path);
}

}  // namespace app
