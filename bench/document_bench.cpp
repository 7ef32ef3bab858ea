// Opening and saving a large document: 1000 seals of every kind, frame seals with their cut
// lines, 316 of them with a small GIF emblem of their own, about 1 MB in all. Opening reads
// the file and every seal onto a page, as the document window does at 100 %; saving encodes
// the page and writes it to its file, flushed to the disk, once on the disk and once on a
// file system in memory, which shows what the flush costs. The same document without cut
// lines shows what the cut lines still cost when a document is opened.
// Goals on the development machine: open under 50 ms, save under 10 ms.
//   QT_QPA_PLATFORM=offscreen build/release/bin/document_bench

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <vector>

#include "formats/document_file.h"
#include "formats/whole_file.h"
#include "platform/gbk.h"
#include "platform/gifwriter.h"
#include "platform/picture.h"
#include "ratio_report.h"
#include "seal/seal.h"

namespace {

using namespace seal;

constexpr int kSeals = 1000;
constexpr int kPictures = 316;
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

std::unique_ptr<TSeal> MakeSeal(int i, bool cutLines) {
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
    platform::TPicture picture;
    picture.LoadFromBytes(platform::TGraphicKind::Gif, Emblem(i));
    s->SetPicture(&picture);
  }
  return s;
}

struct TDocumentFile {
  QTemporaryDir dir;
  QString path;
  std::vector<uint8_t> bytes;

  explicit TDocumentFile(bool cutLines) : path(dir.filePath("印章.dyz")) {
    std::vector<std::unique_ptr<TSeal>> seals;
    std::vector<const TSeal*> pointers;
    for (int i = 0; i < kSeals; ++i) {
      seals.push_back(MakeSeal(i, cutLines));
      pointers.push_back(seals.back().get());
    }
    bytes = formats::SaveDocument({210, 297, 10, 10, 10, 10}, pointers);
    formats::SaveFileAtomically(path, bytes);
  }
};

const TDocumentFile& Document(bool cutLines) {
  static const TDocumentFile with(true), without(false);
  return cutLines ? with : without;
}

void Describe(benchmark::State& state, const TDocumentFile& file, const formats::TDocument& doc) {
  int pictures = 0;
  for (const auto& s : doc.Seals) pictures += s->Picture().HasGraphic();
  state.counters["KB"] = double(file.bytes.size()) / 1000;
  state.counters["seals"] = double(doc.Seals.size());
  state.counters["pictures"] = pictures;
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

void Open(benchmark::State& state, bool cutLines) {
  const TDocumentFile& file = Document(cutLines);
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
  const TDocumentFile& file = Document(true);
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
  const TReadDocument read(Document(true));
  for (auto _ : state) {
    std::vector<uint8_t> bytes = formats::SaveDocument(read.doc.Page, read.seals);
    benchmark::DoNotOptimize(bytes.data());
  }
}

// Wall-clock times: a save waits for the disk.
BENCHMARK_CAPTURE(Open, WithCutLines, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Open, WithoutCutLines, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Save, ToTheDisk, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Save, ToMemory, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Encode)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWithRatios(
      argc, argv,
      {{"open with cut lines / without", "Open/WithCutLines/real_time", "Open/WithoutCutLines/real_time"}});
}
