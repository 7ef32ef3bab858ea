#include "document_makers.h"

#include <QBuffer>
#include <QImage>
#include <algorithm>
#include <cstring>
#include <map>

#include "formats/document_file.h"
#include "formats/library_file.h"
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

std::vector<uint8_t> LibraryFileOfThumbnail(int width, int height, uint32_t rgb) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(rgb);
  const std::vector<uint8_t> gif = platform::EncodeGif(image);
  platform::TByteWriter w;
  w.WriteSingle(8.0f);
  w.WriteInt64(int64_t(gif.size()));
  w.WriteBytes(gif.data(), gif.size());
  w.WriteExtended(0);
  w.WriteExtended(0);
  w.WriteInt32(0);
  return w.Take();
}

namespace {

// The file of `count` equal seals from `first` on, each ending in its picture flag (0): each
// gets the GIF behind it.
std::vector<uint8_t> WithGifBehindEachSeal(std::vector<uint8_t> file, size_t first, int count,
                                           const std::vector<uint8_t>& gif) {
  platform::TByteWriter picture;
  picture.WriteU8(uint8_t(TGraphicKind::Gif));
  picture.WriteInt64(int64_t(gif.size()));
  picture.WriteBytes(gif.data(), gif.size());
  const size_t stride = (file.size() - first) / size_t(std::max(count, 1));
  for (int i = count; i > 0; --i) {
    const auto end = file.begin() + std::ptrdiff_t(first + stride * size_t(i));
    *(end - 1) = 1;
    file.insert(end, picture.Bytes().begin(), picture.Bytes().end());
  }
  return file;
}

}  // namespace

std::vector<uint8_t> DocumentOfBigGifs(int count, int side) {
  const auto s = MakeSeal(stAnyImage);
  std::vector<const TSeal*> seals(size_t(count), s.get());
  return WithGifBehindEachSeal(formats::SaveDocument({210, 297, 10, 10, 10, 10}, seals), 48, count,
                               picture_makers::BigScreenGif(side));
}

std::vector<uint8_t> LibraryFileOfBigGifs(int count, int side) {
  const auto s = MakeSeal(stAnyImage);
  std::vector<TSeal*> seals(size_t(count), s.get());
  const std::vector<uint8_t> file = formats::SaveLibraryFile(seals);
  int64_t thumbnail = 0;
  std::memcpy(&thumbnail, file.data() + 4, sizeof thumbnail);
  return WithGifBehindEachSeal(file, 36 + size_t(thumbnail), count, picture_makers::BigScreenGif(side));
}

std::vector<uint8_t> WithInt32(std::vector<uint8_t> bytes, size_t at, int32_t v) {
  platform::TByteWriter w;
  w.WriteInt32(v);
  std::copy(w.Bytes().begin(), w.Bytes().end(), bytes.begin() + std::ptrdiff_t(at));
  return bytes;
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
