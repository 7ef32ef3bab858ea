// Writes the seed corpora of the format fuzzers: formats_seed_writer <folder>, with the
// subfolders document, seal_block and library.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

#include "formats/document_file.h"
#include "document_makers.h"
#include "formats/library_file.h"
#include "formats/seal_block.h"

using namespace document_makers;

namespace {

void Write(const QString& folder, const std::string& name, const std::vector<uint8_t>& bytes) {
  QDir().mkpath(folder);
  QFile file(QDir(folder).filePath(QString::fromStdString(name)));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size()))
    throw std::runtime_error("cannot write seed " + name);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  try {
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QString documents = root.filePath("document");
    const QString blocks = root.filePath("seal_block");
    const QString designs = root.filePath("library");
    const formats::TPageGeometry page{210, 297, 10, 10, 10, 10};

    Write(documents, "empty.dyz", formats::SaveDocument(page, {}));
    for (int k = 0; k <= seal::stAnyImage; ++k) {
      const int picture = k >= seal::stRect && k <= seal::stRhomb ? k - seal::stRect : -1;
      const auto s = MakeSeal(seal::TSealType(k), picture);
      formats::TSealRecord record{};
      platform::TByteWriter block;
      formats::WriteSealBlock(record, block, *s, true);
      Write(blocks, "kind" + std::to_string(k), block.Bytes());
      const seal::TSeal* one[] = {s.get()};
      Write(documents, "kind" + std::to_string(k) + ".dyz", formats::SaveDocument(page, one));
      seal::TSeal* design[] = {s.get()};
      Write(designs, "kind" + std::to_string(k) + ".YZL", formats::SaveLibraryFile(design));
    }
    const auto all = AllKinds();
    std::vector<seal::TSeal*> group;
    for (const auto& s : all) group.push_back(s.get());
    Write(designs, "all.YZL", formats::SaveLibraryFile(group));
    Write(designs, "thumbnail_only.YZL", LibraryFileOfThumbnail(3, 2));
    TLegacySeal legacy;
    legacy.Strings = {"abc", "", "d", "", "0123", "missing.bmp"};
    legacy.Face = FaceWithTail("Arial", 3);
    for (int n = 5; n <= 7; ++n)
      Write(documents, "legacy" + std::to_string(n) + ".dyz", LegacyDocument(n, float(n), 100, 80, {legacy, legacy}));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "formats_seed_writer: %s\n", e.what());
    return 1;
  }
  return 0;
}
