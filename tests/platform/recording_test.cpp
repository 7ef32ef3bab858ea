// The recording canvas logs what a drawing asks for, with the state it asks with.

#include <gtest/gtest.h>

#include "platform/recordingcanvas.h"

using namespace platform;

TEST(RecordingCanvas, LogsEveryPrimitiveWithItsState) {
  TRecordingCanvas canvas;
  canvas.SetPenWidth(3);
  canvas.SetPenColor(0x0000FF);
  canvas.MoveTo(1, 2);
  canvas.LineTo(30, 2);
  canvas.LineTo(30, 40);
  canvas.SetBrushStyle(TBrushStyle::bsClear);
  canvas.Rectangle(0, 0, 10, 20);
  canvas.SetBrushColor(0x00FF00);
  canvas.Ellipse(-5, -6, 7, 8);
  canvas.RoundRect(0, 0, 50, 40, 10, 12);
  canvas.Polygon({{0, 0}, {5, 0}, {5, 5}});
  canvas.Arc(0, 0, 400, 200, 289, 11, 111, 11);
  canvas.Pie(0, 0, 400, 200, 400, 100, 200, 0);
  canvas.FillRect(1, 1, 2, 2);
  TLogFont font;
  font.Height = 40;
  font.Width = 10;
  font.Escapement = 450;
  font.Orientation = 450;
  font.Weight = kFwBold;
  font.Italic = 1;
  font.Quality = kProofQuality;
  font.SetFaceName(Gbk("黑体"));
  canvas.SetFont(font);
  canvas.SetFontColor(0x123456);
  canvas.TextOut(7, 8, Gbk("印"));
  canvas.BeginPath();
  canvas.SetBrushStyle(TBrushStyle::bsClear);
  canvas.TextOut(9, 10, "A");
  canvas.EndPath();
  canvas.SetBrushColor(0xFFFFFF);
  canvas.StrokeAndFillPath();
  TBitmap bitmap(4, 3);
  bitmap.SetTransparent(true);
  canvas.StretchDraw(0, 0, 8, 6, bitmap);
  canvas.SetCopyMode(TCopyMode::cmSrcPaint);
  bitmap.SetTransparent(false);
  canvas.Draw(5, 6, bitmap);

  const std::vector<std::string> want = {
      "LineTo 1 2 30 2 pen 3 $000000FF brush bsSolid $00FFFFFF",
      "LineTo 30 2 30 40 pen 3 $000000FF brush bsSolid $00FFFFFF",
      "Rectangle 0 0 10 20 pen 3 $000000FF brush bsClear $00FFFFFF",
      "Ellipse -5 -6 7 8 pen 3 $000000FF brush bsSolid $0000FF00",
      "RoundRect 0 0 50 40 10 12 pen 3 $000000FF brush bsSolid $0000FF00",
      "Polygon 0 0 5 0 5 5 pen 3 $000000FF brush bsSolid $0000FF00",
      "Arc 0 0 400 200 289 11 111 11 pen 3 $000000FF brush bsSolid $0000FF00",
      "Pie 0 0 400 200 400 100 200 0 pen 3 $000000FF brush bsSolid $0000FF00",
      "FillRect 1 1 2 2 pen 3 $000000FF brush bsSolid $0000FF00",
      "TextOut 7 8 pen 3 $000000FF brush bsSolid $0000FF00 text \"印\" color $00123456 opaque"
      " font 40 10 450 450 700 1 0 0 1 0 0 2 2 \"黑体\"",
      "BeginPath pen 3 $000000FF brush bsSolid $0000FF00",
      "TextOut 9 10 pen 3 $000000FF brush bsClear $00FFFFFF text \"A\" color $00123456 transparent"
      " font 40 10 450 450 700 1 0 0 1 0 0 2 2 \"黑体\"",
      "EndPath pen 3 $000000FF brush bsClear $00FFFFFF",
      "StrokeAndFillPath pen 3 $000000FF brush bsSolid $00FFFFFF",
      "StretchDraw 0 0 8 6 4 3 1 pen 3 $000000FF brush bsSolid $00FFFFFF",
      "Draw 5 6 4 3 0 pen 3 $000000FF brush bsSolid $00FFFFFF or",
  };
  EXPECT_EQ(canvas.Lines(), want);
  EXPECT_EQ(canvas.Records()[9].Font, font);
  EXPECT_EQ(canvas.Records()[9].Text, Gbk("印"));
  EXPECT_EQ(canvas.PenPos(), (TPoint{30, 40}));
  canvas.Clear();
  EXPECT_TRUE(canvas.Records().empty());
}

TEST(RecordingCanvas, LineIsAMoveAndALine) {
  TRecordingCanvas canvas;
  canvas.Line(4, 5, 6, 7);
  canvas.LineTo(8, 9);
  EXPECT_EQ(canvas.Lines(), (std::vector<std::string>{"LineTo 4 5 6 7 pen 1 $00000000 brush bsSolid $00FFFFFF",
                                                      "LineTo 6 7 8 9 pen 1 $00000000 brush bsSolid $00FFFFFF"}));
}
