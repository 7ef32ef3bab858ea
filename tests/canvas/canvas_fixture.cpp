#include "canvas_fixture.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>
#include <memory>

namespace canvastest {

namespace {

class TGuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "canvas_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QGuiApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QGuiApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new TGuiEnvironment);

}  // namespace

QImage WhiteImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(0xFFFFFFFFu);
  return image;
}

platform::TColor At(const QImage& image, int x, int y) { return platform::FromQRgb(image.pixel(x, y)); }

namespace {
template <typename Pred>
QRect BoundsWhere(const QImage& image, Pred pred) {
  QRect r;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (pred(At(image, x, y))) r = r.united(QRect(x, y, 1, 1));
  return r;
}
}  // namespace

QRect InkBounds(const QImage& image) {
  return BoundsWhere(image, [](platform::TColor c) { return c != platform::clWhite; });
}

QRect ColorBounds(const QImage& image, platform::TColor color) {
  return BoundsWhere(image, [color](platform::TColor c) { return c == color; });
}

int CountColor(const QImage& image, platform::TColor color) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += At(image, x, y) == color;
  return n;
}

QString TestFontFamily() {
  static const QString family = [] {
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(BRELVONIX_TEST_FONT));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.front();
  }();
  return family;
}

}  // namespace canvastest
