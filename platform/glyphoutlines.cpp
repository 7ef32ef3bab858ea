#include "platform/glyphoutlines.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHash>
#include <QThread>
#include <condition_variable>
#include <mutex>

namespace platform {

namespace {

// Runs one outline at a time for whoever asks, and waits for nothing else.
class TOutlineThread final : public QThread {
 public:
  TGlyphOutline Outline(const QFont& font, qreal baseline, const QString& text) {
    const std::lock_guard<std::mutex> caller(FCallerMutex);
    std::unique_lock<std::mutex> lock(FMutex);
    FFont = font;
    FBaseline = baseline;
    FText = text;
    FPending = true;
    FWake.notify_one();
    FDone.wait(lock, [this] { return !FPending; });
    return std::move(FResult);
  }

  void Stop() {
    {
      const std::lock_guard<std::mutex> lock(FMutex);
      FStopping = true;
    }
    FWake.notify_one();
    wait();
  }

 protected:
  void run() override {
    std::unique_lock<std::mutex> lock(FMutex);
    for (;;) {
      FWake.wait(lock, [this] { return FPending || FStopping; });
      if (FStopping) return;
      // The font finds its engine, and with it its face, in this thread's own caches.
      TGlyphOutline result;
      result.Path.addText(QPointF(0, FBaseline), FFont, FText);
      result.Advance = QFontMetricsF(FFont).horizontalAdvance(FText);
      FResult = std::move(result);
      FPending = false;
      FDone.notify_all();
    }
  }

 private:
  std::mutex FCallerMutex;
  std::mutex FMutex;
  std::condition_variable FWake, FDone;
  QFont FFont;
  qreal FBaseline = 0;
  QString FText;
  TGlyphOutline FResult;
  bool FPending = false;
  bool FStopping = false;
};

TOutlineThread* gOutlineThread = nullptr;

// The thread and its fonts go while the application that holds the font database is still
// there; a later application starts another.
void StopOutlineThread() {
  if (!gOutlineThread) return;
  gOutlineThread->Stop();
  delete gOutlineThread;
  gOutlineThread = nullptr;
}

TOutlineThread& OutlineThread() {
  if (!gOutlineThread) {
    gOutlineThread = new TOutlineThread;
    gOutlineThread->start();
    qAddPostRoutine(StopOutlineThread);
  }
  return *gOutlineThread;
}

// Seals draw the same few glyphs again and again; an outline is asked of the thread once.
constexpr qsizetype kRememberedOutlines = 4096;

}  // namespace

TGlyphOutline GlyphOutline(const QFont& font, qreal baseline, const QString& text) {
  static QHash<QString, TGlyphOutline> remembered;
  if (!gOutlineThread) remembered.clear();
  const QString key = font.families().join(QLatin1Char(';')) + QLatin1Char('/') + font.toString() + QLatin1Char('/') +
                      QString::number(int(font.hintingPreference())) + QLatin1Char('/') +
                      QString::number(font.kerning()) + QLatin1Char('/') + QString::number(baseline, 'g', 17) +
                      QLatin1Char('/') + text;
  const auto it = remembered.constFind(key);
  if (it != remembered.constEnd()) return it.value();
  TGlyphOutline outline = OutlineThread().Outline(font, baseline, text);
  if (remembered.size() >= kRememberedOutlines) remembered.clear();
  remembered.insert(key, outline);
  return outline;
}

}  // namespace platform
