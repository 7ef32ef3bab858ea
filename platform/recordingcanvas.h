#pragma once
// A canvas that draws nothing and logs every primitive with its integer coordinates and
// the state it would draw with, so that a layout can be pinned exactly without fonts.

#include <string>
#include <vector>

#include "platform/canvas.h"

namespace platform {

struct TCanvasRecord {
  std::string Op;
  std::vector<int> Args;
  TPen Pen;
  TBrush Brush;
  // TextOut only.
  std::string Text;  // GBK
  TLogFont Font;
  TColor FontColor = clBlack;
  bool TransparentBackground = false;
  // Draw and StretchDraw only: the source's size and whether it is drawn transparent.
  TCopyMode CopyMode = TCopyMode::cmSrcCopy;

  // One line: the op and its arguments, the pen and brush, and for text the font colour,
  // the background and every field of the font record, e.g.
  // "Rectangle 0 0 10 10 pen 1 $000000FF brush bsSolid $00FFFFFF".
  std::string ToString() const;
};

class TRecordingCanvas final : public TCanvas {
 public:
  const std::vector<TCanvasRecord>& Records() const { return records_; }
  std::vector<std::string> Lines() const;
  void Clear() { records_.clear(); }

  void Rectangle(int left, int top, int right, int bottom) override;
  void FillRect(int left, int top, int right, int bottom) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
  void Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
  void TextOut(int x, int y, std::string_view gbk) override;
  void BeginPath() override;
  void EndPath() override;
  void StrokeAndFillPath() override;
  void StretchDraw(int left, int top, int right, int bottom, const TBitmap& bitmap) override;
  void StretchDraw(int left, int top, int right, int bottom, const TPicture& picture) override;
  void Draw(int x, int y, const TBitmap& bitmap) override;
  void Draw(int x, int y, const TPicture& picture) override;

 protected:
  void DrawLine(TPoint from, TPoint to) override;

 private:
  TCanvasRecord& Add(std::string op, std::vector<int> args);
  std::vector<TCanvasRecord> records_;
};

}  // namespace platform
