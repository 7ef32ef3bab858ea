#include "test_images.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/gbk.h"

namespace testimages {

namespace {

// Elements are widgets, so even pixel tests need a full application.
class TWidgetEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "brelvonix_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new TWidgetEnvironment);

template <typename Pred>
QRect BoundsWhere(const QImage& image, Pred pred) {
  QRect r;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (pred(At(image, x, y))) r = r.united(QRect(x, y, 1, 1));
  return r;
}

}  // namespace

QImage FilledImage(int width, int height, platform::TColor colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(platform::ToQRgb(colour));
  return image;
}

platform::TColor At(const QImage& image, int x, int y) { return platform::FromQRgb(image.pixel(x, y)); }

QRect ColorBounds(const QImage& image, platform::TColor colour) {
  return BoundsWhere(image, [colour](platform::TColor c) { return c == colour; });
}

QRect InkBounds(const QImage& image, platform::TColor background) {
  return BoundsWhere(image, [background](platform::TColor c) { return c != background; });
}

int CountColor(const QImage& image, platform::TColor colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += At(image, x, y) == colour;
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

seal::TFaceName TestFace() {
  seal::TFaceName face{};
  const std::string name = platform::UnicodeToGbk(TestFontFamily());
  std::memcpy(face.data(), name.data(), std::min(name.size(), face.size() - 1));
  return face;
}

}  // namespace testimages
