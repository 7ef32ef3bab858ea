#include "print/pdffile.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <cerrno>
#include <sys/statvfs.h>

#include "formats/whole_file.h"
#include "services/savename.h"
#include "services/services.h"

namespace app {

namespace {

// Less room than this is no room: what Qt writes at a time does not fit.
constexpr unsigned long long kNoRoom = 64 * 1024;

// The cross-reference table at its offset lists every object of the file where it lies,
// as Qt writes it: "xref", "0 n", then n entries of 20 bytes, the first one free.
bool ObjectsWhereListed(const QByteArray& pdf, qsizetype table) {
  qsizetype at = table;
  const auto line = [&]() -> QByteArray {
    const qsizetype end = pdf.indexOf('\n', at);
    if (end < 0) return {};
    const QByteArray text = pdf.mid(at, end - at);
    at = end + 1;
    return text;
  };
  if (line() != "xref") return false;
  const QList<QByteArray> section = line().split(' ');
  bool ok = false;
  const int count = section.size() == 2 && section[0] == "0" ? section[1].toInt(&ok) : 0;
  if (!ok || count < 1) return false;
  constexpr qsizetype kEntry = 20;
  if (pdf.size() - at < count * kEntry) return false;
  for (int object = 1; object < count; ++object) {
    const QByteArray entry = pdf.mid(at + object * kEntry, kEntry);
    const qsizetype offset = entry.left(10).toLongLong(&ok);
    if (!ok || entry.mid(17) != "n \n" || offset < 0 || offset >= table) return false;
    if (!pdf.mid(offset).startsWith(QByteArray::number(object) + " 0 obj")) return false;
  }
  return pdf.mid(at + count * kEntry).startsWith("trailer");
}

bool IsWholePdf(const QByteArray& pdf) {
  if (!pdf.startsWith("%PDF-")) return false;
  const qsizetype start = pdf.lastIndexOf("startxref\n");
  if (start < 0) return false;
  const QList<QByteArray> tail = pdf.mid(start).trimmed().split('\n');
  if (tail.size() != 3 || tail[2] != "%%EOF") return false;
  bool ok = false;
  const qsizetype table = tail[1].toLongLong(&ok);
  return ok && table > 0 && table < start && ObjectsWhereListed(pdf, table);
}

// Why a file came out short.
int ShortFileReason(const QString& path) {
  struct statvfs disk {};
  if (::statvfs(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), &disk) == 0 &&
      static_cast<unsigned long long>(disk.f_bavail) * disk.f_frsize < kNoRoom)
    return ENOSPC;
  return EIO;
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

void PrintIntoFile(QPrinter& printer, const QString& file, const std::function<void()>& print) {
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
    printer.setOutputFileName(newFile);
    print();
    return PdfFileError(newFile);
  });
}

int PdfFileError(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return EIO;
  return IsWholePdf(file.readAll()) ? 0 : ShortFileReason(path);
}

}  // namespace app
