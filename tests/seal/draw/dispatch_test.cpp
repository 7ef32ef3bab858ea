// The composition: which routines each kind reaches and in which order, and the scaled
// values each routine gets, with the routines of the other drawing families replaced by
// logging stand-ins (routine_spies.cpp). The line kinds draw for real and are pinned
// through the recording canvas.

#include <gtest/gtest.h>

#include "draw_fixture.h"
#include "platform/gbk.h"
#include "platform/recordingcanvas.h"
#include "routine_spies.h"
#include "seal/seal_draw.h"

using namespace seal;
using namespace drawtest;
using platform::TRecordingCanvas;
using Names = std::vector<std::string>;
using Args = std::vector<long long>;

namespace {

constexpr long long kBlue = 0xFF0000;

// Draws through DrawTo in colour and returns the routines reached.
Names Reached(TSeal& s, TRecordingCanvas& canvas) {
  RoutineCalls().clear();
  s.DrawTo(0, 0, &canvas, true);
  return RoutineNames();
}

const TRoutineCall* Call(const std::string& name, int nth = 0) {
  for (const TRoutineCall& c : RoutineCalls())
    if (c.Name == name && nth-- == 0) return &c;
  return nullptr;
}

// Text band 0 is elliptic in a new element, bands 1 to 3 are blocks.
const Names kTexts{"DrawEllipseText", "DrawTextBlock", "DrawTextBlock", "DrawTextBlock"};

Names Join(Names a, const Names& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

TEST(Dispatch, EveryKindReachesItsRoutinesInOrder) {
  const Names rectFrame{"DrawNameSealFrame", "DrawRectCutLines", "DrawStraightCode", "DrawEmblem"};
  const Names ellipseFrame{"DrawEllipseFrame", "DrawEllipseCutLines", "DrawEllipseCode", "DrawEmblem"};
  struct Case {
    int kind;
    Names routines;
    Names primitives;  // of the line kinds, drawn for real
  } cases[] = {
      {stName22, Join(rectFrame, {"DrawName22Text"}), {}},
      {stName4, Join(rectFrame, {"DrawName4Text"}), {}},
      {stName12, Join(rectFrame, {"DrawName12Text"}), {}},
      {stName12A, Join(rectFrame, {"DrawName12AText"}), {}},
      {stName21, Join(rectFrame, {"DrawName21Text"}), {}},
      {stName21A, Join(rectFrame, {"DrawName21AText"}), {}},
      {stName11, Join(rectFrame, {"DrawName11Text"}), {}},
      {stName11A, Join(rectFrame, {"DrawName11AText"}), {}},
      {stName111, Join(rectFrame, {"DrawName111Text"}), {}},
      {stRect, Join(Join(rectFrame, {"DrawBoxedCentreLines"}), kTexts), {}},
      {stEllipse, Join(Join(ellipseFrame, {"DrawEllipseCentreLines"}), kTexts), {}},
      {stEpsCL, Join(Join(ellipseFrame, {"DrawSplitCentreLine"}), kTexts), {}},
      {stTriangle,
       Join({"DrawTriangleFrame", "DrawTriangleCutLines", "DrawStraightCode", "DrawEmblem", "DrawBoxedCentreLines"},
            kTexts),
       {}},
      {stRhomb,
       Join({"DrawRhombFrame", "DrawRhombCutLines", "DrawRhombCode", "DrawEmblem", "DrawBoxedCentreLines"}, kTexts),
       {}},
      {stHorzLine, {}, {"LineTo"}},
      {stVertLine, {}, {"LineTo"}},
      {stAnyAngleLine, {}, {"LineTo"}},
      {stArc, {}, {"Pie"}},  // a new arc element is a pie
      {stHorzText, {"DrawTextBlock"}, {}},
      {stEllipseText, {"DrawEllipseText"}, {}},
      {stAnyAngleText, {"DrawAngleText"}, {}},
      {stFiveStar, {"DrawFiveStar"}, {}},
      {stCell, {"DrawCells"}, {}},
      {stAnyImage, {"DrawEmblem"}, {}},
      {24, {}, {}},
      {200, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    auto s = MakeSeal(static_cast<TSealType>(c.kind), 10, 42, 42);
    TRecordingCanvas canvas;
    EXPECT_EQ(Reached(*s, canvas), c.routines);
    Names primitives;
    for (const platform::TCanvasRecord& r : canvas.Records()) primitives.push_back(r.Op);
    EXPECT_EQ(primitives, c.primitives);
  }
}

TEST(Dispatch, TheFrameTypeAndTheBoxedFlagChooseTheGroup) {
  struct Case {
    TSealType kind;
    TFrameType frame;
    bool zhuanLunA;
    std::string frameRoutine, centreLines;
    long long boxed;  // -1 when the routine takes no flag
  } cases[] = {
      {stRect, ftEllipse, false, "DrawEllipseFrame", "DrawBoxedCentreLines", 0},
      {stRect, ftRoundRect, true, "DrawNameSealFrame", "DrawBoxedCentreLines", 1},
      {stName11, ftEllipse, false, "DrawEllipseFrame", "", -1},
      {stEllipse, ftRectangle, false, "DrawEllipseFrame", "DrawEllipseCentreLines", -1},
      {stEllipse, ftRectangle, true, "DrawEllipseFrame", "DrawBoxedCentreLines", 1},
      {stEpsCL, ftDiamond, false, "DrawEllipseFrame", "DrawSplitCentreLine", -1},
      {stTriangle, ftEllipse, false, "DrawTriangleFrame", "DrawBoxedCentreLines", 1},
      {stRhomb, ftEllipse, false, "DrawRhombFrame", "DrawBoxedCentreLines", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.kind) << " frame " << int(c.frame) << " boxed " << c.zhuanLunA);
    auto s = MakeSeal(c.kind, 10, 42, 42);
    s->SetNameSealFrameType(c.frame);
    s->SetIsZhuanLunA(c.zhuanLunA);
    TRecordingCanvas canvas;
    const Names names = Reached(*s, canvas);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names[0], c.frameRoutine);
    if (c.centreLines.empty()) continue;
    const TRoutineCall* lines = Call(c.centreLines);
    ASSERT_NE(lines, nullptr);
    if (c.boxed >= 0) {
      EXPECT_EQ(lines->Args.back(), c.boxed);
    }
  }
}

// A frame seal with values chosen so that halves show the rounding to even:
// at 10 px/mm 0.25 mm is 2.5 → 2 pixels and 0.75 mm is 7.5 → 8.
class FrameInputs : public ::testing::Test {
 protected:
  void SetUp() override {
    s = MakeSeal(stRect, 10, 42, 40);
    s->SetPenColor(kRed);
    s->SetBrushColor(kGreen);
    s->SetBrushStyle(platform::bsSolid);
    s->SetPenWidth(1.25f);
    s->SetPenWidth1(0.25f);
    s->SetPenWidth2(0.75f);
    s->SetPenWidth3(0.25f);
    s->SetPenWidth4(0.75f);
    s->SetOutInDelta(0.5f);
    s->SetInDelta(8);
    s->SetRealSR(1.5f);
    s->SetLineWidth(0.25f);
    s->SetLineCount(5);
    s->SetLineType(true);
    s->SetCode(platform::Gbk("1234567890123"));
    s->SetCodeWidth(0.75f);
    s->SetCodeHeight(1.25f);
    s->SetCodeToFrame(0.5f);
    s->SetCodeLength(16);
    s->SetCodePenWidth(25);
    s->SetCodeWeight(400);
    s->SetCodeAngle(1200);
    s->SetCBlank(true);
    s->SetImageWidth(12);
    s->SetImageHeight(12.5f);
    s->SetImageCenterX(0.75f);
    s->SetImageCenterY(-1.25f);
    s->SetImage(platform::Gbk("专用章"));
    s->SetCLWidth(20);
    s->SetCLHeight(6);
    s->SetLineABW(0.5f);
    s->SetCLineCenterX(1.5f);
    s->SetCLineCenterY(2.5f);
    s->SetNameSealFrameType(ftRoundRect);
  }
  Names Draw(int X = 3, int Y = 4) {
    RoutineCalls().clear();
    TRecordingCanvas canvas;
    s->DrawTo(X, Y, &canvas, true);
    return RoutineNames();
  }
  std::unique_ptr<TSeal> s;
};

TEST_F(FrameInputs, FrameCutLinesCodeEmblemAndCentreLinesGetScaledValuesInThePenColour) {
  Draw();
  const long long bs = platform::bsSolid;
  ASSERT_NE(Call("DrawNameSealFrame"), nullptr);
  EXPECT_EQ(Call("DrawNameSealFrame")->Args, (Args{3, 4, kRed, kRed, bs, 420, 400, 12, 2, 8, 5, 80, 15, ftRoundRect}));
  ASSERT_NE(Call("DrawRectCutLines"), nullptr);
  EXPECT_EQ(Call("DrawRectCutLines")->Args, (Args{3, 4, 10, 1, 5, 2, 12, 1, 1, 0}));
  ASSERT_NE(Call("DrawStraightCode"), nullptr);
  EXPECT_EQ(Call("DrawStraightCode")->Args,
            (Args{3, 4, kRed, kRed, bs, 8, 12, 420, 400, 400, 160, 12, 5, 2, 1, 0, 1, 0}));
  EXPECT_EQ(Call("DrawStraightCode")->Texts, (Names{platform::Gbk("黑体"), platform::Gbk("1234567890123")}));
  ASSERT_NE(Call("DrawEmblem"), nullptr);
  EXPECT_EQ(Call("DrawEmblem")->Args, (Args{3, 4, kRed, kRed, bs, 420, 400, 120, 125, 2, 8, -12, 0, 0, 0}));
  EXPECT_EQ(Call("DrawEmblem")->Texts, (Names{platform::Gbk("专用章")}));
  ASSERT_NE(Call("DrawBoxedCentreLines"), nullptr);
  EXPECT_EQ(Call("DrawBoxedCentreLines")->Args,
            (Args{3, 4, kRed, kGreen, bs, 420, 400, 200, 60, 5, 15, 25, 12, 8, 0}));
}

TEST_F(FrameInputs, AtTwentyPixelsPerMmEveryValueDoubles) {
  s->SetPixelsPerMm(20);
  s->RecomputeBounds();
  Draw(0, 0);
  EXPECT_EQ(Call("DrawNameSealFrame")->Args,
            (Args{0, 0, kRed, kRed, platform::bsSolid, 840, 800, 25, 5, 15, 10, 160, 30, ftRoundRect}));
  EXPECT_EQ(Call("DrawRectCutLines")->Args, (Args{0, 0, 10, 1, 5, 5, 25, 1, 1, 0}));
}

TEST_F(FrameInputs, EllipticAndTriangleAndRhombCodes) {
  s->SetSealType(stEllipse);
  s->SetCodeTopOrDown(true);
  Draw(0, 0);
  ASSERT_NE(Call("DrawEllipseCode"), nullptr);
  EXPECT_EQ(Call("DrawEllipseCode")->Args,
            (Args{0, 0, kRed, kRed, platform::bsSolid, 1, 1, 1, 0, 5, 420, 400, 8, 12, 400, 12, 1200, 2}));
  ASSERT_NE(Call("DrawEllipseCutLines"), nullptr);
  EXPECT_EQ(Call("DrawEllipseCutLines")->Args, (Args{0, 0, 10, 1, 5, 2, 12}));

  s->SetSealType(stTriangle);
  s->SetCodeTopOrDown(false);
  Draw(0, 0);
  ASSERT_NE(Call("DrawStraightCode"), nullptr);
  EXPECT_EQ(Call("DrawStraightCode")->Args[15], 1) << "the triangle's code side is always the same";
  ASSERT_NE(Call("DrawTriangleCutLines"), nullptr);
  const Args& tri = Call("DrawTriangleCutLines")->Args;
  EXPECT_EQ(Args(tri.begin() + 3, tri.end()), (Args{1, tri[2] / 2, 2, 12, 1, 1, 420, 400}));

  s->SetSealType(stRhomb);
  Draw(0, 0);
  ASSERT_NE(Call("DrawRhombCode"), nullptr);
  EXPECT_EQ(Call("DrawRhombCode")->Args,
            (Args{0, 0, kRed, kRed, platform::bsSolid, 0, 1, 1, 0, 12, 160, 420, 400, 8, 12, 400, 5, 2}));
  ASSERT_NE(Call("DrawRhombCutLines"), nullptr);
}

TEST_F(FrameInputs, CutLinesWithoutPointsAreNone) {
  s->SetLineCount(0);
  Draw();
  EXPECT_EQ(Call("DrawRectCutLines")->Args, (Args{3, 4, 0, 1, 0, 2, 12, 1, 1, 0}));
}

TEST(TextBands, FourBandsInOrderWithTheirOwnValues) {
  auto s = MakeSeal(stRect, 10, 42, 42);
  s->SetPenColor(kRed);
  s->SetBrushColor(kGreen);
  s->SetText(platform::Gbk("中国印章"));
  s->SetText1(platform::Gbk("一"));
  s->SetText2(platform::Gbk("二"));
  s->SetText3(platform::Gbk("三"));
  s->SetTextFontName3(FaceName("楷体"));
  s->SetIsEllipse1(true);
  s->SetTopOrDown1(false);
  s->SetTextCenterX1(0.25f);
  s->SetTextCenterY1(-0.75f);
  s->SetTextsWidth1(30);
  s->SetTextsHeight1(20.5f);
  s->SetTextWidth1(3.25f);
  s->SetTextHeight1(4.75f);
  s->SetTextWeight1(400);
  s->SetTextAngle1(1500);
  s->SetTextPenWidth1(25);
  s->SetBold1(true);
  s->SetTextCenterX3(1.5f);
  s->SetTextCenterY3(2.25f);
  s->SetTextWidth3(3.5f);
  s->SetTextHeight3(5.25f);
  s->SetTextsWidth3(30.5f);
  s->SetTextsHeight3(8);
  s->SetTextPenWidth3(75);
  s->SetRowColCount3(2);
  s->SetRowCol3(false);
  s->SetLeftRight3(false);
  s->SetItalic3(true);
  RoutineCalls().clear();
  TRecordingCanvas canvas;
  s->DrawTo(0, 0, &canvas, true);
  const Names names = RoutineNames();
  ASSERT_GE(names.size(), 4u);
  EXPECT_EQ(Names(names.end() - 4, names.end()),
            (Names{"DrawEllipseText", "DrawEllipseText", "DrawTextBlock", "DrawTextBlock"}));
  const TRoutineCall* band1 = Call("DrawEllipseText", 1);
  ASSERT_NE(band1, nullptr);
  EXPECT_EQ(band1->Args,
            (Args{0, 0, kRed, kRed, platform::bsClear, 0, 0, 0, 420, 420, 2, -8, 300, 205, 32, 48, 400, 1500, 2}));
  EXPECT_EQ(band1->Texts, (Names{platform::Gbk("宋体"), platform::Gbk("一")}));
  const TRoutineCall* band3 = Call("DrawTextBlock", 1);
  ASSERT_NE(band3, nullptr);
  EXPECT_EQ(band3->Args,
            (Args{0, 0, kRed, kRed, platform::bsClear, 15, 22, 35, 52, 305, 80, 700, 420, 420, 8, 2, 0, 0, 0, 1}));
  EXPECT_EQ(band3->Texts, (Names{platform::Gbk("楷体"), platform::Gbk("三")}));
  EXPECT_EQ(Call("DrawEllipseText", 0)->Texts[1], platform::Gbk("中国印章"));
}

TEST(NameSeals, TheMixedLayoutsAloneGetTheSecondSize) {
  for (int kind = stName22; kind <= stName111; ++kind) {
    SCOPED_TRACE(kind);
    auto s = MakeSeal(static_cast<TSealType>(kind), 10, 20, 20);
    s->SetText(platform::Gbk("张三丰印"));
    s->SetTextWidth(4.25f);
    s->SetTextHeight(7.5f);
    s->SetTextWidth1(3.25f);
    s->SetTextHeight1(5.5f);
    s->SetTextsWidth(18);
    s->SetTextsHeight(18.5f);
    s->SetTextPenWidth(150);
    s->SetTextCenterX(0.25f);
    s->SetTextCenterY(-0.25f);
    s->SetTextWeight(400);
    s->SetBlank(true);
    RoutineCalls().clear();
    TRecordingCanvas canvas;
    s->DrawTo(1, 2, &canvas, true);
    ASSERT_FALSE(RoutineCalls().empty());
    const TRoutineCall& c = RoutineCalls().back();
    const bool mixed = kind >= stName12 && kind <= stName21A;
    EXPECT_EQ(c.Args, (Args{1, 2, kRed, kRed, platform::bsClear, 200, 200, 42, 75, mixed ? 32 : 0, mixed ? 55 : 0,
                            400, 180, 185, 15, 2, -2, 1, 0}));
    EXPECT_EQ(c.Texts, (Names{platform::Gbk("宋体"), platform::Gbk("张三丰印")}));
  }
}

TEST(FreeKinds, TextStarCellsAndPictureInputs) {
  auto text = MakeSeal(stHorzText, 10, 30, 8);
  text->SetText(platform::Gbk("合同专用"));
  text->SetBrushColor(kGreen);
  text->SetTextPenWidth(50);
  text->SetRowColCount(1);
  RoutineCalls().clear();
  TRecordingCanvas canvas;
  text->DrawTo(0, 0, &canvas, true);
  ASSERT_NE(Call("DrawTextBlock"), nullptr);
  const Args& a = Call("DrawTextBlock")->Args;
  // Centre 0, 0; glyph 4.5 mm wide and as tall as the one-row block (8 mm); the box is the
  // element; the brush colour is its own.
  EXPECT_EQ(Args(a.begin(), a.begin() + 11), (Args{0, 0, kRed, kGreen, platform::bsClear, 0, 0, 45, 80,
                                                   text->Width(), text->Height()}));
  EXPECT_EQ(a[14], 5);

  auto star = MakeSeal(stFiveStar, 10, 12, 12);
  star->SetPenWidth3(0.75f);
  star->SetBrushColor(kBlue);
  RoutineCalls().clear();
  star->DrawTo(5, 6, &canvas, true);
  EXPECT_EQ(Call("DrawFiveStar")->Args, (Args{5, 6, 120, 120, 8, kRed, kBlue, platform::bsClear}));

  auto cells = MakeSeal(stCell, 10, 30, 20);
  cells->SetRowColCount(3);
  cells->SetRowColCount1(2);
  cells->SetPenWidth(0.25f);
  cells->SetPenWidth1(0.75f);
  RoutineCalls().clear();
  cells->DrawTo(0, 0, &canvas, true);
  EXPECT_EQ(Call("DrawCells")->Args, (Args{0, 0, kRed, kRed, platform::bsClear, 300, 200, 3, 2, 2, 8}));

  auto picture = MakeSeal(stAnyImage, 10, 30, 20);
  picture->SetImage(platform::Gbk("不传"));
  RoutineCalls().clear();
  picture->DrawTo(0, 0, &canvas, true);
  EXPECT_EQ(Call("DrawEmblem")->Args, (Args{0, 0, kRed, kRed, platform::bsClear, 300, 200, 300, 200, 0, 0, 0, 0,
                                            picture->HaveImage(), picture->ImageIsStar()}));
  EXPECT_EQ(Call("DrawEmblem")->Texts, (Names{""}));
}

TEST(LineKinds, ScaledPenAndBoxFromTheElement) {
  TRecordingCanvas canvas;
  // 30 mm by a 0.3 mm pen: W = 300, pw = 3; at (5, 7): x0 = round(6.5) = 6, y0 = round(8.5) = 8.
  auto horz = MakeSeal(stHorzLine, 10, 30, 1);
  horz->SetPenWidth(0.3f);
  ASSERT_EQ(horz->Height(), 3);
  horz->DrawTo(5, 7, &canvas, true);
  auto vert = MakeSeal(stVertLine, 10, 1, 30);
  vert->SetPenWidth(0.3f);
  vert->DrawTo(5, 7, &canvas, true);
  // 20 mm at 300: 173 × 100 with the 1.2 mm default pen of 12: x0 = y0 = 6.
  auto slant = MakeSeal(stAnyAngleLine, 10, 10, 10);
  slant->SetTextAngle(300);
  slant->SetRealTextLength(20);
  slant->SetBrushColor(kGreen);
  slant->SetBrushStyle(platform::bsSolid);
  ASSERT_EQ(slant->Width(), 173);
  ASSERT_EQ(slant->Height(), 100);
  slant->DrawTo(0, 0, &canvas, true);
  // 101 × 51 with a 0.1 mm pen of 1: the box (0, 0)–(100, 50) from the top (900) to the bottom (2700).
  auto arc = MakeSeal(stArc, 10, 10.1f, 5.1f);
  arc->SetPenWidth(0.1f);
  arc->SetTextAngle(900);
  arc->SetCodeAngle(2700);
  arc->SetTopOrDown(true);
  arc->DrawTo(0, 0, &canvas, true);
  arc->SetTopOrDown(false);
  arc->DrawTo(0, 0, &canvas, true);
  const std::vector<std::string> lines = canvas.Lines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "LineTo 6 8 303 8 pen 3 $000000FF brush bsSolid $00FFFFFF");
  EXPECT_EQ(lines[1], "LineTo 6 8 6 305 pen 3 $000000FF brush bsSolid $00FFFFFF");
  EXPECT_EQ(lines[2], "LineTo 6 94 167 6 pen 12 $000000FF brush bsSolid $0000FF00");
  EXPECT_EQ(lines[3], "Pie 0 0 100 50 50 0 50 50 pen 1 $000000FF brush bsClear $00FFFFFF");
  EXPECT_EQ(lines[4], "Arc 0 0 100 50 50 0 50 50 pen 1 $000000FF brush bsClear $00FFFFFF");
}

TEST(BlackDrawing, EveryRoutineGetsBlackForPenAndBrush) {
  auto star = MakeSeal(stFiveStar, 10, 12, 12);
  star->SetBrushColor(kBlue);
  star->SetBrushStyle(platform::bsSolid);
  TRecordingCanvas canvas;
  RoutineCalls().clear();
  star->DrawTo(0, 0, &canvas, false);
  EXPECT_EQ(Call("DrawFiveStar")->Args, (Args{0, 0, 120, 120, 0, 0, 0, platform::bsSolid}));
  EXPECT_EQ(star->PenColor(), kRed);
  EXPECT_EQ(star->BrushColor(), kBlue);

  // Black already: the fill still goes black, the brush colour stays.
  star->SetPenColor(platform::clBlack);
  star->SetBrushColor(kBlue);
  RoutineCalls().clear();
  star->DrawTo(0, 0, &canvas, false);
  EXPECT_EQ(Call("DrawFiveStar")->Args, (Args{0, 0, 120, 120, 0, 0, 0, platform::bsSolid}));
  EXPECT_EQ(star->BrushColor(), kBlue);

  // White stays white, and its brush colour is its own.
  star->SetPenColor(platform::clWhite);
  star->SetBrushColor(kBlue);
  RoutineCalls().clear();
  star->DrawTo(0, 0, &canvas, false);
  EXPECT_EQ(Call("DrawFiveStar")->Args,
            (Args{0, 0, 120, 120, 0, platform::clWhite, kBlue, platform::bsSolid}));
}
