#include "seal/bounds_mm.h"

#include <algorithm>

#include "platform/canvas.h"
#include "platform/numeric.h"
#include "seal/seal_fields.h"

namespace seal {

TBoundsMm GetSelectionBoundsMm(std::span<const TSeal* const> seals) {
  TBoundsMm b;
  b.Any = !seals.empty();
  if (!b.Any) return b;
  const TSeal& first = *seals.front();
  const long double k = 100.0L / (static_cast<long double>(first.Zoom()) * first.PixelsPerMm());
  b.Left = k * first.Left();
  b.Right = k * (first.Left() + first.Width());
  b.Top = k * first.Top();
  b.Bottom = k * (first.Top() + first.Height());
  for (const TSeal* s : seals.subspan(1)) {
    b.Left = std::min(b.Left, k * s->Left());
    b.Right = std::max(b.Right, k * (s->Left() + s->Width()));
    b.Top = std::min(b.Top, k * s->Top());
    b.Bottom = std::max(b.Bottom, k * (s->Top() + s->Height()));
  }
  return b;
}

TSealAtScale::TSealAtScale(long double pixelsPerMm, QWidget* scratchParent) : FScratch(scratchParent) {
  FScratch.SetPixelsPerMm(static_cast<float>(pixelsPerMm));
  FScratch.SetZoom(100);
}

TSeal& TSealAtScale::Take(const TSeal& s) {
  CopySealProperties(FScratch, s);
  return FScratch;
}

void DrawSealsAtScale(platform::TCanvas& canvas, std::span<const TSeal* const> seals, const TBoundsMm& bounds,
                      long double pixelsPerMm, int margin, QWidget* scratchParent) {
  TSealAtScale atScale(pixelsPerMm, scratchParent);
  for (const TSeal* s : seals) {
    TSeal& scratch = atScale.Take(*s);
    scratch.DrawTo(platform::Round(scratch.Left() - bounds.Left * pixelsPerMm + margin),
                   platform::Round(scratch.Top() - bounds.Top * pixelsPerMm + margin), &canvas, true);
  }
}

}  // namespace seal
