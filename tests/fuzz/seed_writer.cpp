// Writes the seed corpora of the fuzzers: seed_writer <folder>, one subfolder per fuzzer.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "pdf_makers.h"
#include "picture_makers.h"
#include "platform/gifwriter.h"
#include "platform/stream.h"
#include "seeds.h"

using namespace picture_makers;

void Write(const QString& folder, const std::string& name, const std::vector<uint8_t>& bytes) {
  QDir().mkpath(folder);
  QFile file(QDir(folder).filePath(QString::fromStdString(name)));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size()))
    throw std::runtime_error("cannot write seed " + name);
}

namespace {

std::vector<uint8_t> WithKind(uint8_t kind, std::vector<uint8_t> bytes) {
  bytes.insert(bytes.begin(), kind);
  return bytes;
}

// Programs for the byte-reader interpreter: an operation byte, then its operands.
std::vector<std::vector<uint8_t>> ReaderPrograms() {
  std::vector<std::vector<uint8_t>> programs;
  platform::TByteWriter all;
  all.WriteU8(0);
  all.WriteU8(7);
  all.WriteU8(1);
  all.WriteU8(1);
  all.WriteU8(2);
  all.WriteInt32(-123456);
  all.WriteU8(3);
  all.WriteInt64(1234567890123LL);
  all.WriteU8(4);
  all.WriteSingle(1.5f);
  all.WriteU8(5);
  all.WriteSingle(-0.25f);
  all.WriteU8(6);
  all.WriteExtended(210.0L);
  all.WriteU8(7);
  all.WriteString("\xce\xc4\xbc\xfe");
  all.WriteU8(8);
  all.WriteU8(3);
  all.WriteBytes("abc", 3);
  all.WriteU8(9);
  all.WriteU8(2);
  all.WriteBytes("xy", 2);
  programs.push_back(all.Take());
  platform::TByteWriter huge;
  huge.WriteU8(7);
  huge.WriteInt32(0x7FFFFFFF);
  programs.push_back(huge.Take());
  platform::TByteWriter ext;
  for (long double v : {297.0L, 5.0L, 6.0L, -0.001L}) {
    ext.WriteU8(6);
    ext.WriteExtended(v);
  }
  programs.push_back(ext.Take());
  return programs;
}

std::vector<uint8_t> Bytes(const QByteArray& bytes) { return std::vector<uint8_t>(bytes.begin(), bytes.end()); }

// A page of Qt's own PDF output, with a line of text and a filled circle, as a print into a
// file writes it.
std::vector<uint8_t> QtPdf() {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("qt.pdf"));
  {
    QPdfWriter writer(path);
    QPainter painter(&writer);
    painter.setBrush(Qt::red);
    painter.drawEllipse(QRect(100, 100, 2000, 2000));
    painter.drawText(QPoint(200, 2500), QStringLiteral("Seal"));
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read the written PDF file");
  return Bytes(file.readAll());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  // Seals are widgets: the format seeds are written inside an offscreen application.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  try {
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QImage small = Quadrants(16, 12);

    const auto programs = ReaderPrograms();
    for (size_t i = 0; i < programs.size(); ++i) Write(root.filePath("byte_reader"), "program" + std::to_string(i), programs[i]);

    Write(root.filePath("jpeg"), "baseline.jpg", MakeJpeg(small));
    Write(root.filePath("jpeg"), "progressive.jpg", MakeJpeg(small, {90, true, false, false}));
    Write(root.filePath("jpeg"), "gray.jpg", MakeJpeg(small, {75, false, true, false}));

    const QString gifs = root.filePath("gif");
    Write(gifs, "writer.gif", platform::EncodeGif(small));
    RawGif raw;
    raw.screenWidth = 6;
    raw.screenHeight = 5;
    raw.left = 1;
    raw.top = 1;
    raw.width = 4;
    raw.height = 3;
    raw.globalMap = std::vector<QRgb>{0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFFFFFFFF};
    raw.localMap = std::vector<QRgb>{0xFF0000FF, 0xFFFFFF00};
    raw.transparentIndex = 1;
    raw.interlaced = true;
    raw.codeSize = 2;
    raw.indices = {0, 1, 1, 0, 1, 0, 0, 1, 0, 0, 1, 1};
    Write(gifs, "placed.gif", MakeGif(raw));

    const QString pictures = root.filePath("picture");
    Write(pictures, "bitmap", WithKind(0, EncodeWithQt(small, "bmp")));
    Write(pictures, "icon", WithKind(1, EncodeWithQt(small, "ico")));
    const std::vector<MetafileShape> shapes{{MetafileShape::Rectangle, 10, 10, 60, 40, 0x0000FF},
                                            {MetafileShape::Ellipse, 30, 5, 95, 45, 0x000000},
                                            {MetafileShape::Bitmap, 5, 30, 25, 45, 0x00FF00},
                                            {MetafileShape::Text, 40, 20, 0, 0, 0x000000, u"Seal"}};

    // The metafile worker's path, with the records that refuse: text records shorter than
    // their fixed part and text as glyph numbers, saved states, bitmaps beyond the allowance,
    // records past the end.
    const QString metafiles = root.filePath("metafile");
    Write(metafiles, "enhanced", MakeEmf(0, 0, 99, 49, shapes));
    Write(metafiles, "placeable", MakePlaceableWmf(0, 0, 100, 50, 96, shapes));
    Write(metafiles, "glyph-numbers",
          MakeEmf(0, 0, 99, 49, {{MetafileShape::Text, 10, 10, 0, 0, 0x000000, u"Seal", true}}));
    for (uint32_t type : {83u, 84u, 108u})
      Write(metafiles, "short-text-" + std::to_string(type),
            MakeEmfOfRecords(0, 0, 99, 49, {EmfRecordOf(type, {0, 0, 99, 49}), EmfRecordOf(24, {0})}));
    Write(metafiles, "text-past-its-record",
          MakeEmfOfRecords(0, 0, 99, 49, {EmfRecordOf(84, {0, 0, 99, 49, 1, 0x3F800000, 0x3F800000, 10, 10, 500, 76,
                                                          0, 0, 0, 0, 0, 0})}));
    Write(metafiles, "saved-states",
          MakePlaceableWmfOfRecords(0, 0, 100, 50, 96, {WmfRecordOf(0x001E, {}), WmfRecordOf(0x001E, {}),
                                                        WmfRecordOf(0x0127, {0xFFFF})}));
    // Records behind an end record longer than its head, there a bitmap whose header is
    // all zeros.
    Write(metafiles, "past-a-long-end",
          MakePlaceableWmfOfRecords(0, 0, 100, 50, 96,
                                    {WmfRecordOf(0, {0, 0}),
                                     WmfRecordOf(0x0F43, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 100, 50, 0, 0},
                                                 std::vector<uint8_t>(56, 0))}));
    Write(metafiles, "short-wmf-text",
          MakePlaceableWmfOfRecords(0, 0, 100, 50, 96, {WmfRecordOf(0x0521, {40}), WmfRecordOf(0x0A32, {0, 0, 9, 6})}));
    // The PDF check: Qt's table, and a cross-reference stream with a PNG predictor.
    Write(root.filePath("pdf"), "qt.pdf", QtPdf());
    Write(root.filePath("pdf"), "stream.pdf", Bytes(pdf_makers::ListedStreamPdf()));
    WriteFormatSeeds(root);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "seed_writer: %s\n", e.what());
    return 1;
  }
  return 0;
}
