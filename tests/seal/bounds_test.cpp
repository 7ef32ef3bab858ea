// The millimetre box of a list of seals, read from their page pixels with the first seal's
// zoom and resolution. Every seal is at 10 px/mm; the pixels are worked out by hand:
// left = round(ppm x (centre - width / 2)), width = round(ppm x width), ppm = 10 x zoom / 100.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "seal/bounds_mm.h"

namespace {

struct Placed {
  float cx, cy, w, h;
  int zoom;
};

std::unique_ptr<seal::TSeal> Make(const Placed& p) {
  auto s = std::make_unique<seal::TSeal>(nullptr);
  s->SetPixelsPerMm(10);
  s->SetZoom(p.zoom);
  s->SetRealWidth(p.w);
  s->SetRealHeight(p.h);
  s->SetRealCenterX(p.cx);
  s->SetRealCenterY(p.cy);
  return s;
}

struct Case {
  const char* name;
  std::vector<Placed> seals;
  long double left, top, right, bottom;
};

TEST(BoundsMm, EmptyListHasNoBox) {
  const seal::TBoundsMm b = seal::GetSelectionBoundsMm({});
  EXPECT_FALSE(b.Any);
  EXPECT_EQ(b.Left, 0);
  EXPECT_EQ(b.Right, 0);
}

TEST(BoundsMm, BoxOfThePixels) {
  // A: 40 x 40 at (30, 30), 100 %: pixels 100..500 both ways, 10..50 mm.
  // B: 20 x 10 at (60, 5), 100 %: x 500..700, y 0..100 -> 50..70 mm and 0..10 mm.
  // C: 40 x 40 at (100, 100), 50 %: 5 px/mm, x and y 400..600 pixels. Read with A's factor
  //    (0.1 mm a pixel) it spans 40..60 mm; leading the list, its own factor 0.2 makes it
  //    80..120 mm and A 20..100 mm.
  const Placed A{30, 30, 40, 40, 100}, B{60, 5, 20, 10, 100}, C{100, 100, 40, 40, 50};
  const Case cases[] = {
      {"one seal", {A}, 10, 10, 50, 50},
      {"two seals", {A, B}, 10, 0, 70, 50},
      {"list order does not matter at one zoom", {B, A}, 10, 0, 70, 50},
      {"the first seal's zoom serves all", {A, C}, 10, 10, 60, 60},
      {"a first seal at 50 %", {C, A}, 20, 20, 120, 120},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::unique_ptr<seal::TSeal>> owned;
    std::vector<seal::TSeal*> list;
    for (const Placed& p : c.seals) {
      owned.push_back(Make(p));
      list.push_back(owned.back().get());
    }
    const seal::TBoundsMm b = seal::GetSelectionBoundsMm(list);
    EXPECT_TRUE(b.Any);
    EXPECT_NEAR(double(b.Left), double(c.left), 1e-9);
    EXPECT_NEAR(double(b.Top), double(c.top), 1e-9);
    EXPECT_NEAR(double(b.Right), double(c.right), 1e-9);
    EXPECT_NEAR(double(b.Bottom), double(c.bottom), 1e-9);
  }
}

}  // namespace
