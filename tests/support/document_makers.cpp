#include "document_makers.h"

#include <QBuffer>
#include <QImage>
#include <cstring>
#include <map>

#include "platform/gbk.h"
#include "platform/gifwriter.h"
#include "picture_makers.h"
#include "platform/stream.h"

namespace document_makers {

using namespace seal;
using platform::TGraphicKind;

namespace {

std::vector<uint8_t> EncodePicture(TGraphicKind kind) {
  const QImage image = picture_makers::Quadrants(8, 6);
  switch (kind) {
    case TGraphicKind::Bitmap:
      return picture_makers::EncodeWithQt(image, "bmp");
    case TGraphicKind::Jpeg:
      return picture_makers::MakeJpeg(image);
    case TGraphicKind::Metafile:
      return picture_makers::MakeEmf(0, 0, 39, 29, {{picture_makers::MetafileShape::Ellipse, 5, 5, 35, 25, 0x0000FF}});
    case TGraphicKind::Icon:
      return picture_makers::EncodeWithQt(image, "ico");
    case TGraphicKind::Gif:
      return platform::EncodeGif(image);
  }
  return {};
}

}  // namespace

std::vector<uint8_t> PictureBytes(TGraphicKind kind) {
  // Made once per kind: Qt's icon writer leaves padding bytes unset, so two encodings of the
  // same image need not be equal, and the tests compare bytes.
  static std::map<TGraphicKind, std::vector<uint8_t>> made;
  auto it = made.find(kind);
  if (it == made.end()) it = made.emplace(kind, EncodePicture(kind)).first;
  return it->second;
}

TFaceName FaceWithTail(const char* utf8, uint8_t tail) {
  TFaceName face = FaceName(utf8);
  for (size_t i = std::strlen(face.data()) + 1; i < face.size(); ++i) face[i] = static_cast<char>(tail + i);
  return face;
}

std::unique_ptr<TSeal> MakeSeal(TSealType type, int picture) {
  auto s = std::make_unique<TSeal>();
  const int k = type;
  s->SetPixelsPerMm(10);
  s->SetZoom(100);
  s->SetSealType(type);
  s->SetPenColor(platform::RGBColor(uint8_t(10 + k), 20, 200));
  s->SetBrushColor(platform::RGBColor(0, uint8_t(100 + k), 50));
  s->SetBrushStyle(k % 2 ? platform::bsClear : platform::bsSolid);
  s->SetRealWidth(20.5f + k);
  s->SetRealHeight(type == stHorzText ? s->TextHeight() : 14.25f + k % 5);
  s->SetRealCenterX(30.125f + 3 * k);
  s->SetRealCenterY(40.75f + 2 * k);
  s->SetLineCount(k % 7);
  s->SetNameSealFrameType(TFrameType(k % 4));
  s->SetLineAngle(2400 + k);
  s->SetTextWeight(400 + k);
  s->SetCodeAngle(500 + k);
  s->SetInDelta(7.5f);
  s->SetRealSR(1.25f + k);
  s->SetCBold(k % 3 == 0);
  s->SetItalic2(k % 2 == 0);
  s->SetTextPenWidth3(k);
  s->SetTextFontName(FaceWithTail("楷体", uint8_t(k)));
  s->SetCodeFontName(FaceWithTail("Arial", uint8_t(2 * k)));
  s->SetText(platform::Gbk("中华人民共和国") + std::to_string(k));
  s->SetText2(platform::Gbk("专用章"));
  s->SetCode("1234567890" + std::to_string(k));
  s->SetPicTransParnt(k % 2 == 0);
  if (picture >= 0) {
    s->SetHaveImage(true);
    platform::TPicture p;
    const auto kind = TGraphicKind(picture);
    p.LoadFromBytes(kind, PictureBytes(kind));
    s->SetPicture(&p);
    s->SetImage(platform::Gbk("图片.bmp"));
  }
  return s;
}

std::vector<std::unique_ptr<TSeal>> AllKinds() {
  std::vector<std::unique_ptr<TSeal>> seals;
  for (int k = 0; k <= stAnyImage; ++k) {
    const int picture = k >= stRect && k <= stRhomb ? k - stRect : k == stAnyImage ? 0 : -1;
    seals.push_back(MakeSeal(TSealType(k), picture));
  }
  return seals;
}

std::vector<uint8_t> LegacyDocument(int version, float stamp, long double pageWidth, long double pageHeight,
                                    const std::vector<TLegacySeal>& seals) {
  const size_t size = version == 5 ? 295 : version == 6 ? 615 : 635;
  platform::TByteWriter w;
  w.WriteSingle(stamp);
  w.WriteExtended(pageWidth);
  w.WriteExtended(pageHeight);
  w.WriteInt32(int32_t(seals.size()));
  for (const TLegacySeal& s : seals) {
    std::vector<uint8_t> record(size, 0);
    auto put = [&](size_t at, const void* p, size_t n) { std::memcpy(record.data() + at, p, n); };
    record[0] = s.Type;
    put(1, &s.PenColor, 4);
    record[5] = s.BrushStyle;
    record[6] = 1;   // CodeOn
    record[13] = 1;  // InSide
    record[16] = 1;  // OutSide
    put(17, &s.RealWidth, 4);
    put(21, &s.RealHeight, 4);
    put(25, &s.PenWidth, 4);
    put(217, &s.LineCount, 4);
    put(221, &s.TextAngle, 4);
    const int32_t rows = 1;
    put(250, &rows, 4);
    put(287, &s.LeftEdge, 4);
    put(291, &s.TopEdge, 4);
    if (size >= 615)
      for (int i = 0; i < 5; ++i) put(295 + 64 * size_t(i), s.Face.data(), 64);
    if (size >= 635) put(615, &s.TextPenWidth, 4);
    w.WriteBytes(record.data(), record.size());
    for (const std::string& text : s.Strings) w.WriteString(text);
  }
  return w.Take();
}

}  // namespace document_makers
