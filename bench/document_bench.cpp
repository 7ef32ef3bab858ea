// Opening and saving a large document: 1000 seals of every kind, frame seals with their cut
// lines, 316 of them with a small GIF emblem of their own, about 1 MB in all. Opening reads
// the file and every seal onto a page, as the document window does at 100 %; saving encodes
// the page and writes it to its file, flushed to the disk, once on the disk and once on a
// file system in memory, which shows what the flush costs. The same document without cut
// lines shows what the cut lines still cost when a document is opened. The same document
// once more with a fifth of its emblems drawn as metafiles, as documents made from clip art
// hold them (42 Windows metafiles and 21 enhanced ones, each with a ring, a mark and a line
// of text), shows what metafiles add.
// Goals on the development machine: open under 50 ms, save under 10 ms.
//   QT_QPA_PLATFORM=offscreen build/release/bin/document_bench

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "formats/document_file.h"
#include "formats/whole_file.h"
#include "platform/gbk.h"
#include "platform/gifwriter.h"
#include "platform/picture.h"
#include "picture_makers.h"
#include "ratio_report.h"
#include "seal/seal.h"

namespace {

using namespace seal;

constexpr int kSeals = 1000;
constexpr int kPictures = 316;
// Of every fifteen pictures two are Windows metafiles and one an enhanced metafile.
constexpr int kMetafileCycle = 15;
bool IsWmfEmblem(int n) { return n % kMetafileCycle == 0 || n % kMetafileCycle == 7; }
bool IsEmfEmblem(int n) { return n % kMetafileCycle == 3; }
constexpr float kPixelsPerMm = 96 / 25.4f;

// An emblem of its own for each picture: a ring and a mark placed by the index.
std::vector<uint8_t> Emblem(int i) {
  QImage image(32, 32, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setPen(QPen(Qt::black, 3));
  p.drawEllipse(3, 3, 26, 26);
  p.fillRect(7 + i % 13, 8 + i % 11, 5 + i % 5, 7, Qt::black);
  p.end();
  return platform::EncodeGif(image);
}

// The same emblem as a metafile: a red ring, a mark placed by the index and the index as
// text, on a 96-pixel square.
std::vector<uint8_t> MetafileEmblem(int i, bool enhanced) {
  using picture_makers::MetafileShape;
  const int unit = enhanced ? 1 : 15;  // a placeable metafile's inch of 1440 units
  const auto shape = [unit](MetafileShape::Figure figure, int l, int t, int r, int b, uint32_t colour) {
    MetafileShape s;
    s.figure = figure;
    s.left = l * unit, s.top = t * unit, s.right = r * unit, s.bottom = b * unit;
    s.colour = colour;
    return s;
  };
  std::vector<MetafileShape> shapes{shape(MetafileShape::Ellipse, 4, 4, 92, 92, 0x0000FF),
                                    shape(MetafileShape::Ellipse, 12, 12, 84, 84, 0xFFFFFF),
                                    shape(MetafileShape::Rectangle, 30 + i % 13, 40 + i % 11, 50 + i % 5, 56, 0x0000FF),
                                    shape(MetafileShape::Text, 30, 20, 0, 0, 0x0000FF)};
  for (char c : std::to_string(i)) shapes.back().text.push_back(char16_t(c));
  return enhanced ? picture_makers::MakeEmf(0, 0, 95, 95, shapes)
                  : picture_makers::MakePlaceableWmf(0, 0, 96 * unit, 96 * unit, 96 * unit, shapes);
}

std::unique_ptr<TSeal> MakeSeal(int i, bool cutLines, bool metafiles) {
  auto s = std::make_unique<TSeal>();
  s->SetPixelsPerMm(kPixelsPerMm);
  s->SetZoom(100);
  const auto kind = TSealType(i % 24);
  s->SetSealType(kind);
  s->SetRealWidth(20.0f + i % 30);
  s->SetRealHeight(kind == stHorzText ? s->TextHeight() : 15.0f + i % 27);
  s->SetRealCenterX(20.0f + (i * 7) % 170);
  s->SetRealCenterY(20.0f + (i * 11) % 250);
  s->SetPenWidth(0.8f + float(i % 5) / 10);
  if (kind == stAnyAngleLine || kind == stAnyAngleText) s->SetTextAngle(450 + 10 * (i % 90));
  s->SetText(platform::Gbk(i % 2 ? "某某科技有限公司" : "合同专用章"));
  s->SetCode(std::to_string(10000000 + i));
  if (kind <= stRhomb && cutLines) {
    s->SetLineCount(12 + i % 40);
    s->SetLineAngle(2400 + 10 * (i % 60));
    s->SetLineWidth(0.3f);
  }
  if (i * kPictures / kSeals != (i + 1) * kPictures / kSeals) {
    s->SetHaveImage(true);
    const int n = i * kPictures / kSeals;
    platform::TPicture picture;
    if (metafiles && IsWmfEmblem(n))
      picture.LoadFromBytes(platform::TGraphicKind::Metafile, MetafileEmblem(i, false));
    else if (metafiles && IsEmfEmblem(n))
      picture.LoadFromBytes(platform::TGraphicKind::Metafile, MetafileEmblem(i, true));
    else
      picture.LoadFromBytes(platform::TGraphicKind::Gif, Emblem(i));
    s->SetPicture(&picture);
  }
  return s;
}

struct TDocumentFile {
  QTemporaryDir dir;
  QString path;
  std::vector<uint8_t> bytes;

  TDocumentFile(bool cutLines, bool metafiles) : path(dir.filePath("印章.dyz")) {
    std::vector<std::unique_ptr<TSeal>> seals;
    std::vector<const TSeal*> pointers;
    for (int i = 0; i < kSeals; ++i) {
      seals.push_back(MakeSeal(i, cutLines, metafiles));
      pointers.push_back(seals.back().get());
    }
    bytes = formats::SaveDocument({210, 297, 10, 10, 10, 10}, pointers);
    formats::SaveFileAtomically(path, bytes);
  }
};

enum class TContent { WithCutLines, WithoutCutLines, WithMetafiles };

const TDocumentFile& Document(TContent content) {
  static const TDocumentFile with(true, false), without(false, false), metafiles(true, true);
  return content == TContent::WithCutLines ? with : content == TContent::WithoutCutLines ? without : metafiles;
}

void Describe(benchmark::State& state, const TDocumentFile& file, const formats::TDocument& doc) {
  int pictures = 0, metafiles = 0;
  for (const auto& s : doc.Seals) {
    pictures += s->Picture().HasGraphic();
    metafiles += s->Picture().HasGraphic() && s->Picture().Kind() == platform::TGraphicKind::Metafile;
  }
  state.counters["KB"] = double(file.bytes.size()) / 1000;
  state.counters["seals"] = double(doc.Seals.size());
  state.counters["pictures"] = pictures;
  state.counters["metafiles"] = metafiles;
}

// A page that receives the seals of a document as the document window's page at 100 %.
struct TPage {
  QWidget page;
  formats::TSealTarget target;
  TPage() {
    target.Page = &page;
    target.PixelsPerMm = kPixelsPerMm;
    target.PageZoom = 100;
  }
};

// The seals of the document, read once, to be saved again and again.
struct TReadDocument : TPage {
  formats::TDocument doc;
  std::vector<const TSeal*> seals;
  explicit TReadDocument(const TDocumentFile& file) : doc(formats::ReadDocument(file.bytes, target)) {
    for (const auto& s : doc.Seals) seals.push_back(s.get());
  }
};

void Open(benchmark::State& state, TContent content) {
  const TDocumentFile& file = Document(content);
  TPage page;
  for (auto _ : state) {
    formats::TDocument doc = formats::ReadDocument(formats::ReadWholeFile(file.path), page.target);
    state.PauseTiming();
    if (doc.Seals.size() != size_t(kSeals)) state.SkipWithError("the document did not read whole");
    Describe(state, file, doc);
    doc.Seals.clear();
    state.ResumeTiming();
  }
}

// Into a folder of the disk or of memory.
void Save(benchmark::State& state, bool inMemory) {
  const TDocumentFile& file = Document(TContent::WithCutLines);
  const QTemporaryDir memory(QStringLiteral("/dev/shm/document_bench-XXXXXX"));
  if (inMemory && !memory.isValid()) {
    state.SkipWithError("no file system in memory at /dev/shm");
    return;
  }
  const QString path = inMemory ? memory.filePath("印章.dyz") : file.path;
  const TReadDocument read(file);
  for (auto _ : state) formats::SaveFileAtomically(path, formats::SaveDocument(read.doc.Page, read.seals));
  Describe(state, file, read.doc);
}

void Encode(benchmark::State& state) {
  const TReadDocument read(Document(TContent::WithCutLines));
  for (auto _ : state) {
    std::vector<uint8_t> bytes = formats::SaveDocument(read.doc.Page, read.seals);
    benchmark::DoNotOptimize(bytes.data());
  }
}

// Wall-clock times: a save waits for the disk.
BENCHMARK_CAPTURE(Open, WithCutLines, TContent::WithCutLines)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Open, WithoutCutLines, TContent::WithoutCutLines)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Open, WithMetafiles, TContent::WithMetafiles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Save, ToTheDisk, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Save, ToMemory, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Encode)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWithRatios(
      argc, argv,
      {{"open with cut lines / without", "Open/WithCutLines/real_time", "Open/WithoutCutLines/real_time"},
       {"open with metafiles / with GIF emblems only", "Open/WithMetafiles/real_time", "Open/WithCutLines/real_time"}});
}
