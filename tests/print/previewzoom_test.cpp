// The preview page's zoom rules by themselves: the fitting zoom, what a press does in each
// zoom mode, when the page shows the hand, and the status bar's texts.

#include "print/previewzoom.h"

#include <gtest/gtest.h>

using app::CalcFitZoom;
using app::TZoomClick;
using app::TZoomMode;
using app::ZoomClick;

namespace {

// At 96 dots per inch a millimetre is 3.7795... pixels; an A4 sheet with 3 mm to spare is
// 213 x 300 mm, 805.04 x 1133.86 pixels at 100 %.
constexpr long double k96 = 96 / 25.4L;

TEST(CalcFitZoom, TakesTheSmallerDirectionTruncated) {
  const struct {
    QSize client;
    long double width, height, ppmm;
    int zoom;
  } cases[] = {
      // 1000 * 100 / 1133.86 = 88.19; 1200 * 100 / 805.04 = 149.06.
      {{1200, 1000}, 210, 297, k96, 88},
      // The width decides: 400 * 100 / 805.04 = 49.69.
      {{400, 2000}, 210, 297, k96, 49},
      // Exactly one sheet of 97 x 47 mm plus 3 mm at 10 px/mm: 1000 x 500 pixels.
      {{1000, 500}, 97, 47, 10, 100},
      {{999, 500}, 97, 47, 10, 99},
      // Landscape A4 at 120 dots per inch: 300 x 213 mm is 1417.3 x 1006.3 pixels.
      {{1280, 900}, 297, 210, 120 / 25.4L, 89},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CalcFitZoom(c.client, c.width, c.height, c.ppmm), c.zoom) << c.client.width() << "x" << c.client.height();
}

TEST(CalcFitZoom, NeverBelowOneNorBeyondTheHighestZoom) {
  EXPECT_EQ(CalcFitZoom({5, 5}, 210, 297, k96), 1) << "a tiny view";
  EXPECT_EQ(CalcFitZoom({0, 0}, 210, 297, k96), 1) << "a view of no size";
  EXPECT_EQ(CalcFitZoom({800, 600}, -3, -3, k96), app::kHighestPreviewZoom) << "a sheet that takes no room";
  EXPECT_EQ(CalcFitZoom({800, 600}, 210, 297, 0), app::kHighestPreviewZoom) << "a screen of no resolution";
  EXPECT_EQ(CalcFitZoom({4000, 4000}, 10, 10, k96), app::kHighestPreviewZoom) << "a stamp-sized sheet";
}

TEST(ZoomClick, FollowsTheModeTable) {
  const struct {
    TZoomMode mode;
    int zoom;
    bool left;
    TZoomClick result;
  } cases[] = {
      {TZoomMode::ZoomOut, 30, true, {20, TZoomMode::ZoomOut}},
      {TZoomMode::ZoomOut, 26, true, {16, TZoomMode::ZoomOut}},
      {TZoomMode::ZoomOut, 25, true, {25, TZoomMode::ZoomIn}},
      {TZoomMode::ZoomOut, 10, true, {10, TZoomMode::ZoomIn}},
      {TZoomMode::ZoomIn, 100, true, {110, TZoomMode::ZoomIn}},
      {TZoomMode::ZoomIn, 599, true, {609, TZoomMode::ZoomIn}},
      {TZoomMode::ZoomIn, 600, true, {600, TZoomMode::ZoomOut}},
      {TZoomMode::ZoomIn, 700, true, {700, TZoomMode::ZoomOut}},
      // Any other button leaves the mode and keeps the zoom.
      {TZoomMode::ZoomIn, 100, false, {100, TZoomMode::None}},
      {TZoomMode::ZoomOut, 30, false, {30, TZoomMode::None}},
      {TZoomMode::None, 100, true, {100, TZoomMode::None}},
      {TZoomMode::None, 100, false, {100, TZoomMode::None}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ZoomClick(c.mode, c.zoom, c.left), c.result) << int(c.mode) << " at " << c.zoom << " left " << c.left;
}

TEST(PanCursorSlot, HandOnlyForAPageMoreThanFourPixelsLarger) {
  const struct {
    QSize client, page;
    int slot;
  } cases[] = {
      {{800, 600}, {700, 500}, app::kDefaultCursorSlot},
      {{800, 600}, {804, 604}, app::kDefaultCursorSlot},
      {{800, 600}, {805, 100}, app::kHandCursorSlot},
      {{800, 600}, {100, 605}, app::kHandCursorSlot},
  };
  for (const auto& c : cases) EXPECT_EQ(app::PanCursorSlot(c.client, c.page), c.slot) << c.page.width();
}

TEST(StatusTexts, ATenthOfAMillimetreInItsShortestForm) {
  EXPECT_EQ(app::PrintableAreaText(200, 287).toStdString(), " 当前纸张可打印区域[宽x高]：200mm x 287mm ");
  EXPECT_EQ(app::PrintableAreaText(199.96L, 284.44L).toStdString(), " 当前纸张可打印区域[宽x高]：200mm x 284.4mm ");
  EXPECT_EQ(app::PrintableAreaText(203.2L, 0.04L).toStdString(), " 当前纸张可打印区域[宽x高]：203.2mm x 0mm ");
  EXPECT_EQ(app::PrintableAreaText(-0.5L, 12.25L).toStdString(), " 当前纸张可打印区域[宽x高]：-0.5mm x 12.2mm ");
  EXPECT_EQ(app::PrinterAreaText(200, 287).toStdString(), "当前纸张打印区域大小[宽x高]：200mm x 287 mm");
  EXPECT_EQ(app::ZoomText(88).toStdString(), "当前缩放比例：88% ");
}

}  // namespace
