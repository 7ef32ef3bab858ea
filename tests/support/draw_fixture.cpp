#include "draw_fixture.h"

namespace drawtest {

std::unique_ptr<seal::TSeal> MakeSeal(seal::TSealType kind, float pixelsPerMm, float widthMm, float heightMm) {
  auto s = std::make_unique<seal::TSeal>();
  s->SetPixelsPerMm(pixelsPerMm);
  s->SetZoom(100);
  s->SetSealType(kind);
  s->SetRealWidth(widthMm);
  s->SetRealHeight(heightMm);
  return s;
}

}  // namespace drawtest
