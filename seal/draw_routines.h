#pragma once
// The drawing routines the composition hands an element's scaled values to. All sizes and
// positions are device pixels of the target canvas; (X, Y) is the element's top-left there.
// Angles are tenths of a degree, weights font weights, strings GBK bytes.

#include <string>
#include <string_view>
#include <vector>

#include "platform/brush.h"
#include "platform/canvas.h"
#include "platform/color.h"
#include "seal/cut_lines.h"
#include "seal/seal.h"

namespace seal {

using platform::TBrushStyle;
using platform::TCanvas;
using platform::TColor;

// ---- Glyphs, pens and line elements (glyphs.cpp, lines.cpp)

// True when the character (one GBK character: one or two bytes) takes two bytes.
bool IsDoubleByteChar(std::string_view gbkChar);
platform::TLogFont CreateSealFont(int width, int height, int escapement, const TFaceName& face, int weight,
                                  bool doubleByte, bool italic);
// Draws one character whose font is already the canvas font; (x, y) is the cell's top-left.
void DrawGlyph(TCanvas& canvas, int x, int y, int penWidth, bool hollow, TColor colour, TColor brushColour,
               TBrushStyle brushStyle, std::string_view gbkChar, bool onFrame);
// Saves the canvas font on construction and puts it back on destruction, also when a
// glyph routine throws.
class TCanvasFontKeeper {
 public:
  explicit TCanvasFontKeeper(TCanvas& canvas) : canvas_(canvas), saved_(canvas.Font()) {}
  ~TCanvasFontKeeper() { canvas_.SetFont(saved_); }
  TCanvasFontKeeper(const TCanvasFontKeeper&) = delete;
  TCanvasFontKeeper& operator=(const TCanvasFontKeeper&) = delete;

 private:
  TCanvas& canvas_;
  platform::TLogFont saved_;
};
// One glyph of a layout: the font made for it becomes the canvas font, then DrawGlyph
// draws it. The caller keeps the canvas font with a TCanvasFontKeeper around its glyphs.
void DrawFontGlyph(TCanvas& canvas, int x, int y, const platform::TLogFont& font, int penWidth, bool hollow,
                   TColor colour, TBrushStyle brushStyle, std::string_view gbkChar, bool onFrame);
// The characters of a GBK string, one or two bytes each; a lone lead byte at the end is a
// character of its own.
std::vector<std::string_view> SplitGlyphs(std::string_view gbk);

void SetCanvasPenBrush(TCanvas& canvas, int penWidth, TColor penColour, TColor brushColour, TBrushStyle brushStyle);

void DrawHorzLine(int X, int Y, TCanvas& canvas, TColor penColour, int W, int pw);
void DrawVertLine(int X, int Y, TCanvas& canvas, TColor penColour, int H, int pw);
void DrawAnyAngleLine(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                      int W, int H, int length, int angle, int pw);
void DrawArc(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle, bool pie,
             int W, int H, int startAngle, int endAngle, int pw);

// ---- Frame outlines (frames.cpp)

void SetFramePen(TCanvas& canvas, TBrushStyle brushStyle, TColor penColour, TColor brushColour, int pw);
void SetInnerLinePen(TCanvas& canvas, TBrushStyle brushStyle);
void DrawNameSealFrame(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                       int W, int H, int pw, int pw1, int pw2, int oid, int id, int sr, TFrameType frameType);
void DrawEllipseFrame(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                      int W, int H, int pw, int pw1, int pw2, int oid, int id);
void DrawTriangleFrame(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                       int W, int H, int pw, int pw1, int pw2, int oid, int id);
void DrawRhombFrame(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                    int W, int H, int pw, int pw1, int pw2, int oid, int id);

// ---- Name-seal layouts (name_layouts.cpp)

// What the nine layouts share; tw1 and th1 matter to the four mixed layouts only.
struct TNameSealText {
  TFaceName face{};
  int W = 0, H = 0;
  int tw = 0, th = 0, tw1 = 0, th1 = 0;
  int weight = 700;
  int bw = 0, bh = 0;
  int pw = 0;
  int cx = 0, cy = 0;
  bool blank = false, italic = false;
  std::string text;
};
void DrawName22Text(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                    const TNameSealText& t);
void DrawName4Text(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                   const TNameSealText& t);
void DrawName12Text(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                    const TNameSealText& t);
void DrawName12AText(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                     const TNameSealText& t);
void DrawName21Text(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                    const TNameSealText& t);
void DrawName21AText(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                     const TNameSealText& t);
void DrawName11Text(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                    const TNameSealText& t);
void DrawName11AText(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                     const TNameSealText& t);
void DrawName111Text(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                     const TNameSealText& t);

// ---- Star, table and emblem (emblems.cpp)

void DrawFiveStar(int X, int Y, TCanvas& canvas, int W, int H, int pw3, TColor penColour, TColor brushColour,
                  TBrushStyle brushStyle);
void DrawCells(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle, int W,
               int H, int columns, int rows, int pw, int pw1);
// recolour is the element's recoloured picture, null while it has none.
void DrawEmblem(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                const std::string& imageText, int W, int H, int iw, int ih, int pw3, int icx, int icy,
                const platform::TBitmap* recolour, bool haveImage, bool isStar);

// ---- Text layouts (text_layouts.cpp)

void DrawTextBlock(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                   const TFaceName& face, int cx, int cy, int tw, int th, int bw, int bh, int weight, int W, int H,
                   int pw, int rowColCount, bool rowCol, bool leftRight, bool blank, bool italic,
                   const std::string& text);
void DrawEllipseText(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                     const TFaceName& face, bool topOrDown, bool blank, bool italic, int W, int H, int cx, int cy,
                     int ew, int eh, int tw, int th, int weight, int span, int pw, const std::string& text);
void DrawAngleText(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                   const TFaceName& face, bool bold, bool italic, bool blank, int W, int H, int tw, int th,
                   int length, int angle, int pw, int weight, const std::string& text);

// ---- Serial codes (codes.cpp)

void DrawStraightCode(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                      const TFaceName& face, int cw, int ch, int W, int H, int weight, int codeLength, int pw,
                      int codeToFrame, int codePw, bool codeOn, bool topOrDown, bool blank, bool italic,
                      const std::string& code);
void DrawEllipseCode(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                     const TFaceName& face, bool topOrDown, bool codeOn, bool blank, bool italic, int codeToFrame,
                     int W, int H, int cw, int ch, int weight, int pw, int codeAngle, int codePw,
                     const std::string& code);
void DrawRhombCode(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                   const TFaceName& face, bool topOrDown, bool codeOn, bool blank, bool italic, int pw,
                   int codeLength, int W, int H, int cw, int ch, int weight, int codeToFrame, int codePw,
                   const std::string& code);

// ---- Cut-line drawers (cut_lines_draw.cpp); lw is the scaled LineWidth

void DrawRectCutLines(TCanvas& canvas, int X, int Y, const TArrayPoints& points, bool lineType, int N, int lw,
                      int pw, bool codeOn, bool hasCode, bool codeTopOrDown);
void DrawEllipseCutLines(TCanvas& canvas, int X, int Y, const TArrayPoints& points, bool lineType, int N, int lw,
                         int pw);
void DrawTriangleCutLines(TCanvas& canvas, int X, int Y, const TArrayPoints& points, bool lineType, int N, int lw,
                          int pw, bool codeOn, bool hasCode, int W, int H);
void DrawRhombCutLines(TCanvas& canvas, int X, int Y, const TArrayPoints& points, bool lineType, int N, int lw,
                       int pw, bool codeOn, bool hasCode, int W, int H);

// ---- Centre lines and bands (centre_lines.cpp)

void DrawBoxedCentreLines(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour,
                          TBrushStyle brushStyle, int W, int H, int clw, int clh, int abw, int clcx, int clcy, int pw,
                          int pw4, bool boxed);
void DrawEllipseCentreLines(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour,
                            TBrushStyle brushStyle, int W, int H, int clw, int clh, int abw, int clcx, int clcy,
                            int pw, int pw4);
void DrawSplitCentreLine(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour,
                         TBrushStyle brushStyle, int W, int H, int clw, int abw, int clcx, int clcy, int pw4);

}  // namespace seal
