// What mirrored printing costs against direct printing: a sheet of 20 round official seals
// of 42 mm, each with four texts, a serial code, the star and cut lines, printed into a PDF
// file at 1200 dots per inch, the resolution of Qt's PDF output. The size of each file is
// shown beside its time. Goal: mirrored within 2 × direct, in time and in file size.

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "official_seal.h"
#include "print/printing.h"
#include "ratio_report.h"

namespace {

constexpr float kScreenPixelsPerMm = 96 / 25.4f;

// Four columns of five seals on an A4 sheet, at the screen's scale as a page holds them.
std::vector<std::unique_ptr<seal::TSeal>> Sheet() {
  std::vector<std::unique_ptr<seal::TSeal>> seals;
  for (int row = 0; row < 5; ++row)
    for (int column = 0; column < 4; ++column) {
      auto s = bench::MakeOfficialSeal(kScreenPixelsPerMm);
      s->SetRealCenterX(33.0f + 48 * column);
      s->SetRealCenterY(35.0f + 48 * row);
      seals.push_back(std::move(s));
    }
  return seals;
}

void TimePrinting(benchmark::State& state, bool mirror) {
  const std::vector<std::unique_ptr<seal::TSeal>> seals = Sheet();
  std::vector<seal::TSeal*> list;
  for (const auto& s : seals) list.push_back(s.get());
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("sheet.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setResolution(1200);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
  printer.setOutputFileName(file);
  for (auto _ : state) app::PrintSeals(printer, list, {true, mirror, 1}, nullptr);
  state.counters["pdf_bytes"] = double(QFileInfo(file).size());
}

void BM_PrintDirect(benchmark::State& state) { TimePrinting(state, false); }
void BM_PrintMirrored(benchmark::State& state) { TimePrinting(state, true); }

BENCHMARK(BM_PrintDirect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintMirrored)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWithRatios(argc, argv,
                              {{"mirrored / direct printing of 20 seals", "BM_PrintMirrored", "BM_PrintDirect"}});
}
