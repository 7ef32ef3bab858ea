#include "routine_spies.h"

#include <cstring>
#include <initializer_list>

#include "seal/draw_routines.h"

namespace drawtest {

std::vector<TRoutineCall>& RoutineCalls() {
  static std::vector<TRoutineCall> calls;
  return calls;
}

std::vector<std::string> RoutineNames() {
  std::vector<std::string> names;
  for (const TRoutineCall& c : RoutineCalls()) names.push_back(c.Name);
  return names;
}

namespace {

std::string FaceText(const seal::TFaceName& face) { return std::string(face.data(), strnlen(face.data(), face.size())); }

void Note(const char* name, std::initializer_list<long long> args, std::initializer_list<std::string> texts = {}) {
  RoutineCalls().push_back({name, args, texts});
}

}  // namespace

}  // namespace drawtest

namespace seal {

using drawtest::FaceText;
using drawtest::Note;

void SetFramePen(TCanvas&, TBrushStyle bs, TColor pc, TColor bc, int pw) { Note("SetFramePen", {bs, pc, bc, pw}); }

void SetInnerLinePen(TCanvas&, TBrushStyle bs) { Note("SetInnerLinePen", {bs}); }

void DrawNameSealFrame(int X, int Y, TCanvas&, TColor pc, TColor bc, TBrushStyle bs, int W, int H, int pw, int pw1,
                       int pw2, int oid, int id, int sr, TFrameType ft) {
  Note("DrawNameSealFrame", {X, Y, pc, bc, bs, W, H, pw, pw1, pw2, oid, id, sr, ft});
}

void DrawEllipseFrame(int X, int Y, TCanvas&, TColor pc, TColor bc, TBrushStyle bs, int W, int H, int pw, int pw1,
                      int pw2, int oid, int id) {
  Note("DrawEllipseFrame", {X, Y, pc, bc, bs, W, H, pw, pw1, pw2, oid, id});
}

void DrawTriangleFrame(int X, int Y, TCanvas&, TColor pc, TColor bc, TBrushStyle bs, int W, int H, int pw, int pw1,
                       int pw2, int oid, int id) {
  Note("DrawTriangleFrame", {X, Y, pc, bc, bs, W, H, pw, pw1, pw2, oid, id});
}

void DrawRhombFrame(int X, int Y, TCanvas&, TColor pc, TColor bc, TBrushStyle bs, int W, int H, int pw, int pw1,
                    int pw2, int oid, int id) {
  Note("DrawRhombFrame", {X, Y, pc, bc, bs, W, H, pw, pw1, pw2, oid, id});
}

namespace {
void NoteName(const char* name, int X, int Y, TColor pc, TColor bc, TBrushStyle bs, const TNameSealText& t) {
  Note(name,
       {X, Y, pc, bc, bs, t.W, t.H, t.tw, t.th, t.tw1, t.th1, t.weight, t.bw, t.bh, t.pw, t.cx, t.cy, t.blank,
        t.italic},
       {FaceText(t.face), t.text});
}
}  // namespace

#define BRELVONIX_NAME_SPY(name)                                                                       \
  void name(int X, int Y, TCanvas&, TColor pc, TColor bc, TBrushStyle bs, const TNameSealText& t) { \
    NoteName(#name, X, Y, pc, bc, bs, t);                                                              \
  }
BRELVONIX_NAME_SPY(DrawName22Text)
BRELVONIX_NAME_SPY(DrawName4Text)
BRELVONIX_NAME_SPY(DrawName12Text)
BRELVONIX_NAME_SPY(DrawName12AText)
BRELVONIX_NAME_SPY(DrawName21Text)
BRELVONIX_NAME_SPY(DrawName21AText)
BRELVONIX_NAME_SPY(DrawName11Text)
BRELVONIX_NAME_SPY(DrawName11AText)
BRELVONIX_NAME_SPY(DrawName111Text)
#undef BRELVONIX_NAME_SPY

void DrawFiveStar(int X, int Y, TCanvas&, int W, int H, int pw3, TColor pc, TColor bc, TBrushStyle bs) {
  Note("DrawFiveStar", {X, Y, W, H, pw3, pc, bc, bs});
}

void DrawCells(int X, int Y, TCanvas&, TColor pc, TColor bc, TBrushStyle bs, int W, int H, int columns, int rows,
               int pw, int pw1) {
  Note("DrawCells", {X, Y, pc, bc, bs, W, H, columns, rows, pw, pw1});
}

void DrawEmblem(int X, int Y, TCanvas&, TColor pc, TColor bc, TBrushStyle bs, const std::string& imageText, int W,
                int H, int iw, int ih, int pw3, int icx, int icy, const platform::TBitmap* recolour, bool haveImage,
                bool isStar) {
  Note("DrawEmblem", {X, Y, pc, bc, bs, W, H, iw, ih, pw3, icx, icy, recolour != nullptr, haveImage, isStar},
       {imageText});
}

void DrawTextBlock(int X, int Y, TCanvas&, TColor pc, TColor bc, TBrushStyle bs, const TFaceName& face, int cx,
                   int cy, int tw, int th, int bw, int bh, int weight, int W, int H, int pw, int rowColCount,
                   bool rowCol, bool leftRight, bool blank, bool italic, const std::string& text) {
  Note("DrawTextBlock",
       {X, Y, pc, bc, bs, cx, cy, tw, th, bw, bh, weight, W, H, pw, rowColCount, rowCol, leftRight, blank, italic},
       {FaceText(face), text});
}

void DrawEllipseText(int X, int Y, TCanvas&, TColor pc, TColor bc, TBrushStyle bs, const TFaceName& face,
                     bool topOrDown, bool blank, bool italic, int W, int H, int cx, int cy, int ew, int eh, int tw,
                     int th, int weight, int span, int pw, const std::string& text) {
  Note("DrawEllipseText",
       {X, Y, pc, bc, bs, topOrDown, blank, italic, W, H, cx, cy, ew, eh, tw, th, weight, span, pw},
       {FaceText(face), text});
}

void DrawAngleText(int X, int Y, TCanvas&, TColor pc, TColor bc, TBrushStyle bs, const TFaceName& face, bool bold,
                   bool italic, bool blank, int W, int H, int tw, int th, int length, int angle, int pw, int weight,
                   const std::string& text) {
  Note("DrawAngleText", {X, Y, pc, bc, bs, bold, italic, blank, W, H, tw, th, length, angle, pw, weight},
       {FaceText(face), text});
}

void DrawStraightCode(int X, int Y, TCanvas&, TColor pc, TColor bc, TBrushStyle bs, const TFaceName& face, int cw,
                      int ch, int W, int H, int weight, int codeLength, int pw, int codeToFrame, int codePw,
                      bool codeOn, bool topOrDown, bool blank, bool italic, const std::string& code) {
  Note("DrawStraightCode",
       {X, Y, pc, bc, bs, cw, ch, W, H, weight, codeLength, pw, codeToFrame, codePw, codeOn, topOrDown, blank,
        italic},
       {FaceText(face), code});
}

void DrawEllipseCode(int X, int Y, TCanvas&, TColor pc, TColor bc, TBrushStyle bs, const TFaceName& face,
                     bool topOrDown, bool codeOn, bool blank, bool italic, int codeToFrame, int W, int H, int cw,
                     int ch, int weight, int pw, int codeAngle, int codePw, const std::string& code) {
  Note("DrawEllipseCode",
       {X, Y, pc, bc, bs, topOrDown, codeOn, blank, italic, codeToFrame, W, H, cw, ch, weight, pw, codeAngle,
        codePw},
       {FaceText(face), code});
}

void DrawRhombCode(int X, int Y, TCanvas&, TColor pc, TColor bc, TBrushStyle bs, const TFaceName& face,
                   bool topOrDown, bool codeOn, bool blank, bool italic, int pw, int codeLength, int W, int H, int cw,
                   int ch, int weight, int codeToFrame, int codePw, const std::string& code) {
  Note("DrawRhombCode",
       {X, Y, pc, bc, bs, topOrDown, codeOn, blank, italic, pw, codeLength, W, H, cw, ch, weight, codeToFrame,
        codePw},
       {FaceText(face), code});
}

void DrawRectCutLines(TCanvas&, int X, int Y, const TArrayPoints& points, bool lineType, int N, int lw, int pw,
                      bool codeOn, bool hasCode, bool codeTopOrDown) {
  Note("DrawRectCutLines",
       {X, Y, static_cast<long long>(points.size()), lineType, N, lw, pw, codeOn, hasCode, codeTopOrDown});
}

void DrawEllipseCutLines(TCanvas&, int X, int Y, const TArrayPoints& points, bool lineType, int N, int lw, int pw) {
  Note("DrawEllipseCutLines", {X, Y, static_cast<long long>(points.size()), lineType, N, lw, pw});
}

void DrawTriangleCutLines(TCanvas&, int X, int Y, const TArrayPoints& points, bool lineType, int N, int lw, int pw,
                          bool codeOn, bool hasCode, int W, int H) {
  Note("DrawTriangleCutLines",
       {X, Y, static_cast<long long>(points.size()), lineType, N, lw, pw, codeOn, hasCode, W, H});
}

void DrawRhombCutLines(TCanvas&, int X, int Y, const TArrayPoints& points, bool lineType, int N, int lw, int pw,
                       bool codeOn, bool hasCode, int W, int H) {
  Note("DrawRhombCutLines",
       {X, Y, static_cast<long long>(points.size()), lineType, N, lw, pw, codeOn, hasCode, W, H});
}

void DrawBoxedCentreLines(int X, int Y, TCanvas&, TColor pc, TColor bc, TBrushStyle bs, int W, int H, int clw,
                          int clh, int abw, int clcx, int clcy, int pw, int pw4, bool boxed) {
  Note("DrawBoxedCentreLines", {X, Y, pc, bc, bs, W, H, clw, clh, abw, clcx, clcy, pw, pw4, boxed});
}

void DrawEllipseCentreLines(int X, int Y, TCanvas&, TColor pc, TColor bc, TBrushStyle bs, int W, int H, int clw,
                            int clh, int abw, int clcx, int clcy, int pw, int pw4) {
  Note("DrawEllipseCentreLines", {X, Y, pc, bc, bs, W, H, clw, clh, abw, clcx, clcy, pw, pw4});
}

void DrawSplitCentreLine(int X, int Y, TCanvas&, TColor pc, TColor bc, TBrushStyle bs, int W, int H, int clw,
                         int abw, int clcx, int clcy, int pw4) {
  Note("DrawSplitCentreLine", {X, Y, pc, bc, bs, W, H, clw, abw, clcx, clcy, pw4});
}

}  // namespace seal
