#include "ratio_report.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <map>

namespace bench {

namespace {

class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  explicit TRatioReporter(const std::vector<TRatio>& ratios) : ratios_(ratios) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    // A benchmark timed in real time is compared in real time: what it waits for in another
    // process is its cost too.
    for (const Run& r : runs) {
      if (r.error_occurred) continue;
      const bool realTime = !r.run_name.time_type.empty();  // "real_time" or "manual_time"
      times_[r.benchmark_name()] = realTime ? r.GetAdjustedRealTime() : r.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const TRatio& ratio : ratios_) {
      const auto n = times_.find(ratio.numerator), d = times_.find(ratio.denominator);
      if (n != times_.end() && d != times_.end() && d->second > 0)
        std::printf("%s: %.2f\n", ratio.label.c_str(), n->second / d->second);
    }
  }

 private:
  const std::vector<TRatio>& ratios_;
  std::map<std::string, double> times_;
};

}  // namespace

int RunWithRatios(int argc, char** argv, const std::vector<TRatio>& ratios) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TRatioReporter reporter(ratios);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
