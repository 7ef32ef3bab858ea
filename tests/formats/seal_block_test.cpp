// The seal block byte by byte against its layout: every field at its offset, the strings and
// the picture part, the centre shift of the clipboard, the reader's scale, and hostile blocks.

#include "formats/seal_block.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <set>

#include "document_makers.h"
#include "platform/gbk.h"
#include "seal/seal_fields.h"

using namespace formats;
using namespace seal;
using document_makers::MakeSeal;
using document_makers::PictureBytes;
using platform::EFormatError;
using platform::TByteReader;
using platform::TByteWriter;
using platform::TGraphicKind;

namespace {

using Bytes = std::vector<uint8_t>;

template <class T>
Bytes Encoded(T v) {
  TByteWriter w;
  if constexpr (std::is_same_v<T, float>)
    w.WriteSingle(v);
  else if constexpr (std::is_same_v<T, bool>)
    w.WriteBool(v);
  else if constexpr (std::is_same_v<T, TFaceName>)
    w.WriteBytes(v.data(), v.size());
  else if constexpr (sizeof(T) == 1)
    w.WriteU8(uint8_t(v));
  else
    w.WriteInt32(int32_t(v));
  return w.Take();
}

// The record's layout written out by hand, apart from the table the block code reads and
// writes by, so that a slip in either shows: offset, the property, a setter that gives it a
// value of its own (the field's index in the table), and its value as stored bytes.
struct StoredField {
  size_t offset;
  size_t width;
  bool isBool;
  const char* name;
  std::function<void(TSeal&, int)> set;
  std::function<Bytes(const TSeal&)> stored;
};

// A value of the field's own: a number from its index, a flag turned over, a fixed kind.
template <class T>
T Sentinel(const TSeal& s, TArg<T> (TSeal::*get)() const, int i) {
  if constexpr (std::is_same_v<T, float>)
    return 1000.5f + float(i);
  else if constexpr (std::is_same_v<T, int>)
    return 3000 + i;
  else if constexpr (std::is_same_v<T, platform::TColor>)
    return 0x00AB0000u + uint32_t(i);
  else if constexpr (std::is_same_v<T, bool>)
    return !(s.*get)();
  else if constexpr (std::is_same_v<T, TFaceName>)
    return document_makers::FaceWithTail("隶书", uint8_t(i));
  else
    return T{};  // kinds are given fixed values
}

template <class T>
StoredField Field(size_t offset, const char* name, TArg<T> (TSeal::*get)() const, void (TSeal::*set)(TArg<T>),
                 std::optional<T> fixed = std::nullopt) {
  return {offset,
          Encoded(T{}).size(),
          std::is_same_v<T, bool>,
          name,
          [=](TSeal& s, int i) { (s.*set)(fixed ? *fixed : Sentinel<T>(s, get, i)); },
          [=](const TSeal& s) { return Encoded((s.*get)()); }};
}

#define SINGLE(off, p) Field<float>(off, #p, &TSeal::p, &TSeal::Set##p)
#define INTEGER(off, p) Field<int>(off, #p, &TSeal::p, &TSeal::Set##p)
#define COLOR(off, p) Field<platform::TColor>(off, #p, &TSeal::p, &TSeal::Set##p)
#define BOOLEAN(off, p) Field<bool>(off, #p, &TSeal::p, &TSeal::Set##p)
#define FACE(off, p) Field<TFaceName>(off, #p, &TSeal::p, &TSeal::Set##p)
#define ENUM(off, p, v) Field<decltype(v)>(off, #p, &TSeal::p, &TSeal::Set##p, v)

const std::vector<StoredField>& Layout() {
  static const std::vector<StoredField> layout = {
      ENUM(0, SealType, stRect),
      COLOR(1, PenColor),
      COLOR(5, BrushColor),
      ENUM(9, BrushStyle, platform::bsCross),
      BOOLEAN(10, CodeOn),
      BOOLEAN(11, HaveImage),
      BOOLEAN(12, ImageIsStar),
      BOOLEAN(13, CodeTopOrDown),
      BOOLEAN(14, TopOrDown),
      BOOLEAN(15, TopOrDown1),
      BOOLEAN(16, TopOrDown2),
      BOOLEAN(17, TopOrDown3),
      BOOLEAN(18, LineType),
      BOOLEAN(19, InSide),
      BOOLEAN(20, OutSide),
      SINGLE(21, RealWidth),
      SINGLE(25, RealHeight),
      SINGLE(29, PenWidth),
      SINGLE(33, PenWidth1),
      SINGLE(37, PenWidth2),
      SINGLE(41, PenWidth3),
      SINGLE(45, PenWidth4),
      SINGLE(49, LineWidth),
      SINGLE(53, ImageWidth),
      SINGLE(57, ImageHeight),
      SINGLE(61, CLWidth),
      SINGLE(65, CLHeight),
      SINGLE(69, TextWidth),
      SINGLE(73, TextWidth1),
      SINGLE(77, TextWidth2),
      SINGLE(81, TextWidth3),
      SINGLE(85, CodeWidth),
      SINGLE(89, TextHeight),
      SINGLE(93, TextHeight1),
      SINGLE(97, TextHeight2),
      SINGLE(101, TextHeight3),
      SINGLE(105, CodeHeight),
      SINGLE(109, CodeToFrame),
      SINGLE(113, CodeLength),
      SINGLE(117, OutInDelta),
      SINGLE(121, TextsWidth),
      SINGLE(125, TextsWidth1),
      SINGLE(129, TextsWidth2),
      SINGLE(133, TextsWidth3),
      SINGLE(137, TextsHeight),
      SINGLE(141, TextsHeight1),
      SINGLE(145, TextsHeight2),
      SINGLE(149, TextsHeight3),
      SINGLE(153, TextCenterX),
      SINGLE(157, TextCenterX1),
      SINGLE(161, TextCenterX2),
      SINGLE(165, TextCenterX3),
      SINGLE(169, CLineCenterX),
      SINGLE(173, ImageCenterX),
      SINGLE(177, TextCenterY),
      SINGLE(181, TextCenterY1),
      SINGLE(185, TextCenterY2),
      SINGLE(189, TextCenterY3),
      SINGLE(193, CLineCenterY),
      SINGLE(197, ImageCenterY),
      INTEGER(201, TextWeight),
      INTEGER(205, TextWeight1),
      INTEGER(209, TextWeight2),
      INTEGER(213, TextWeight3),
      INTEGER(217, CodeWeight),
      INTEGER(221, LineCount),
      INTEGER(225, TextAngle),
      INTEGER(229, TextAngle1),
      INTEGER(233, TextAngle2),
      INTEGER(237, TextAngle3),
      ENUM(241, NameSealFrameType, ftDiamond),
      INTEGER(242, LineAngle),
      BOOLEAN(246, IsEllipse),
      BOOLEAN(247, IsEllipse1),
      BOOLEAN(248, IsEllipse2),
      BOOLEAN(249, IsEllipse3),
      INTEGER(250, RowColCount),
      INTEGER(254, RowColCount1),
      INTEGER(258, RowColCount2),
      INTEGER(262, RowColCount3),
      BOOLEAN(266, LeftRight),
      BOOLEAN(267, LeftRight1),
      BOOLEAN(268, LeftRight2),
      BOOLEAN(269, LeftRight3),
      BOOLEAN(270, RowCol),
      BOOLEAN(271, RowCol1),
      BOOLEAN(272, RowCol2),
      BOOLEAN(273, RowCol3),
      INTEGER(274, CodeAngle),
      BOOLEAN(278, IsZhuanLunA),
      SINGLE(279, InDelta),
      SINGLE(283, LineABW),
      SINGLE(287, RealCenterX),
      SINGLE(291, RealCenterY),
      FACE(295, TextFontName),
      FACE(359, TextFontName1),
      FACE(423, TextFontName2),
      FACE(487, TextFontName3),
      FACE(551, CodeFontName),
      INTEGER(615, TextPenWidth),
      INTEGER(619, TextPenWidth1),
      INTEGER(623, TextPenWidth2),
      INTEGER(627, TextPenWidth3),
      INTEGER(631, CodePenWidth),
      BOOLEAN(635, CBlank),
      BOOLEAN(636, CBold),
      BOOLEAN(637, CItalic),
      BOOLEAN(638, Blank),
      BOOLEAN(639, Bold),
      BOOLEAN(640, Italic),
      BOOLEAN(641, Blank1),
      BOOLEAN(642, Bold1),
      BOOLEAN(643, Italic1),
      BOOLEAN(644, Blank2),
      BOOLEAN(645, Bold2),
      BOOLEAN(646, Italic2),
      BOOLEAN(647, Blank3),
      BOOLEAN(648, Bold3),
      BOOLEAN(649, Italic3),
      SINGLE(650, RealSR),
      SINGLE(654, RealTextLength),
      BOOLEAN(658, PicTransParnt),
      BOOLEAN(659, PicClrChange),
  };
  return layout;
}

Bytes Block(const TSeal& s, bool exact = true) {
  TSealRecord record{};
  TByteWriter w;
  WriteSealBlock(record, w, s, exact);
  return w.Take();
}

Bytes At(const Bytes& b, size_t offset, size_t width) {
  return Bytes(b.begin() + std::ptrdiff_t(offset), b.begin() + std::ptrdiff_t(offset + width));
}

// Reads a block into a fresh seal at the given scale; throws what the reader throws.
std::unique_ptr<TSeal> Read(const Bytes& block, float ppm = 10, int zoom = 100, size_t* consumed = nullptr) {
  auto s = std::make_unique<TSeal>();
  TSealRecord record{};
  TByteReader r(block);
  ReadSealBlock(record, r, *s, nullptr, ppm, zoom);
  if (consumed) *consumed = r.Position();
  return s;
}

std::unique_ptr<TSeal> AtTenPixelsPerMm() {
  auto s = std::make_unique<TSeal>();
  s->SetPixelsPerMm(10);
  s->SetZoom(100);
  return s;
}

TEST(SealBlockLayout, TheStoredFieldsTileTheRecord) {
  std::vector<std::pair<size_t, size_t>> spans;
  for (const StoredField& d : Layout()) spans.push_back({d.offset, d.width});
  size_t next = 0;
  for (auto [offset, width] : spans) {
    ASSERT_EQ(offset, next);
    next = offset + width;
  }
  EXPECT_EQ(next, kSealRecordSize);
}

TEST(SealBlockLayout, EveryValueSitsAtItsOffset) {
  auto s = AtTenPixelsPerMm();
  for (size_t i = 0; i < Layout().size(); ++i)
    if (!Layout()[i].isBool) Layout()[i].set(*s, int(i));
  const Bytes block = Block(*s);
  std::set<Bytes> seen;
  for (const StoredField& d : Layout()) {
    if (d.isBool || d.width == 1) continue;
    const Bytes v = d.stored(*s);
    // Values of their own, so that a field written to another's place cannot match.
    EXPECT_TRUE(seen.insert(v).second) << d.name << " shares its value";
    EXPECT_EQ(At(block, d.offset, d.width), v) << d.name;
  }
  EXPECT_EQ(block[0], stRect);
  EXPECT_EQ(block[9], platform::bsCross);
  EXPECT_EQ(block[241], ftDiamond);
}

TEST(SealBlockLayout, EachFlagChangesOnlyItsOwnByte) {
  for (const StoredField& d : Layout()) {
    if (!d.isBool) continue;
    auto s = AtTenPixelsPerMm();
    s->SetSealType(stRect);
    const Bytes before = Block(*s);
    d.set(*s, 0);
    const Bytes after = Block(*s);
    EXPECT_NE(before[d.offset], after[d.offset]) << d.name;
    EXPECT_EQ(At(after, d.offset, 1), d.stored(*s)) << d.name;
  }
}

TEST(SealBlock, SizeWithoutPictureAndEmptyStrings) {
  auto s = AtTenPixelsPerMm();
  s->SetText(platform::Gbk("中国"));
  s->SetText3("abc");
  s->SetCode("0123456789");
  const Bytes block = Block(*s);
  ASSERT_EQ(block.size(), 660u + 6 * 4 + (4 + 3 + 10) + 1);
  EXPECT_EQ(SealBlockSize(*s), block.size());
  EXPECT_EQ(block.back(), 0);
  // Text1 is empty: a count of zero and no bytes, right after Text.
  EXPECT_EQ(At(block, 660, 4), Encoded(4));
  EXPECT_EQ(At(block, 668, 4), Encoded(0));
  size_t consumed = 0;
  auto back = Read(block, 10, 100, &consumed);
  EXPECT_EQ(consumed, block.size());
  EXPECT_EQ(back->Text(), s->Text());
  EXPECT_EQ(back->Text1(), "");
  EXPECT_EQ(back->Text3(), "abc");
  EXPECT_EQ(back->Code(), "0123456789");
  EXPECT_FALSE(back->Picture().HasGraphic());
}

TEST(SealBlock, RoundTripKeepsEveryPropertyAndTheTailsOfFaceNames) {
  for (int k = 0; k <= stAnyImage; ++k) {
    auto s = MakeSeal(TSealType(k));
    const Bytes block = Block(*s);
    auto back = Read(block);
    EXPECT_EQ(Block(*back), block) << "kind " << k;
    EXPECT_EQ(back->TextFontName(), s->TextFontName());
    EXPECT_NE(back->BrushColor(), back->PenColor());
    EXPECT_EQ(back->BrushColor(), s->BrushColor());
    EXPECT_EQ(back->Left(), s->Left());
    EXPECT_EQ(back->Top(), s->Top());
    EXPECT_EQ(back->Width(), s->Width());
    EXPECT_EQ(back->Height(), s->Height());
    EXPECT_FALSE(back->isVisible());
  }
}

// A scratch seal that takes a page seal's design draws the same design at its own scale:
// its block is the page seal's, byte for byte, and the page seal is not touched.
TEST(SealBlock, CopiedDesignStoresAsTheOriginal) {
  for (int k = 0; k <= stAnyImage; ++k) {
    for (int picture : {-1, 4}) {
      auto s = MakeSeal(TSealType(k), picture);
      const Bytes block = Block(*s);
      TSeal scratch;
      scratch.SetPixelsPerMm(600 / 25.4f);
      scratch.SetZoom(100);
      seal::CopySealProperties(scratch, *s);
      EXPECT_EQ(Block(scratch), block) << "kind " << k << " picture " << picture;
      EXPECT_EQ(Block(*s), block);
      EXPECT_EQ(scratch.Picture().Bytes(), s->Picture().Bytes());
      EXPECT_EQ(scratch.Zoom(), 100);
    }
  }
}

// Turning a block to columns swaps its sides; reading one must not turn it again.
TEST(SealBlock, ColumnTextBlocksReopenAsSaved) {
  for (int count : {1, 2, 3}) {
    auto s = MakeSeal(stHorzText);
    s->SetRowCol(false);
    s->SetRowColCount(count);
    ASSERT_NE(s->RealWidth(), s->RealHeight());
    const Bytes block = Block(*s);
    auto back = Read(block);
    EXPECT_EQ(back->RealWidth(), s->RealWidth()) << count;
    EXPECT_EQ(back->RealHeight(), s->RealHeight()) << count;
    EXPECT_EQ(back->Width(), s->Width()) << count;
    EXPECT_EQ(back->Height(), s->Height()) << count;
    EXPECT_EQ(Block(*back), block) << count;
  }
}

TEST(SealBlock, InexactCentresMoveTwoMillimetresEachTime) {
  auto s = MakeSeal(stEllipse);
  s->SetRealCenterX(30.25f);
  s->SetRealCenterY(-1.5f);
  auto once = Read(Block(*s, false));
  EXPECT_EQ(once->RealCenterX(), 32.25f);
  EXPECT_EQ(once->RealCenterY(), 0.5f);
  auto twice = Read(Block(*once, false));
  EXPECT_EQ(twice->RealCenterX(), 34.25f);
  EXPECT_EQ(twice->RealCenterY(), 2.5f);
  EXPECT_EQ(twice->RealWidth(), s->RealWidth());
}

TEST(SealBlock, ReaderScaleKeepsMillimetres) {
  auto s = AtTenPixelsPerMm();
  s->SetSealType(stRect);
  s->SetRealWidth(42);
  s->SetRealHeight(24);
  s->SetRealCenterX(30);
  s->SetRealCenterY(20);
  ASSERT_EQ(s->Left(), 90);
  // 5 px/mm at 200 % is again 10 px per millimetre; 4 px/mm at 50 % is 2.
  struct Case {
    float ppm;
    int zoom;
    int left, top, width, height;
  } cases[] = {{5, 200, 90, 80, 420, 240}, {4, 50, 18, 16, 84, 48}, {10, 1, 1, 1, 4, 2}};
  for (const Case& c : cases) {
    auto back = Read(Block(*s), c.ppm, c.zoom);
    EXPECT_EQ(back->RealWidth(), 42);
    EXPECT_EQ(back->RealHeight(), 24);
    EXPECT_EQ(back->RealCenterX(), 30);
    EXPECT_EQ(back->RealCenterY(), 20);
    EXPECT_EQ(back->PixelsPerMm(), c.ppm);
    EXPECT_EQ(back->Zoom(), c.zoom);
    EXPECT_EQ(back->Left(), c.left) << c.zoom;
    EXPECT_EQ(back->Top(), c.top) << c.zoom;
    EXPECT_EQ(back->Width(), c.width) << c.zoom;
    EXPECT_EQ(back->Height(), c.height) << c.zoom;
  }
}

TEST(SealBlock, EachPictureCodeRoundTripsItsBytes) {
  const size_t pictureAt = 660 + 6 * 4;
  for (int code = 0; code <= 4; ++code) {
    auto s = MakeSeal(stEllipse, code);
    const Bytes image = PictureBytes(TGraphicKind(code));
    s->SetText("");
    s->SetText2("");
    s->SetCode("");
    s->SetImage("");
    const Bytes block = Block(*s);
    ASSERT_EQ(block.size(), pictureAt + 1 + 1 + 8 + image.size());
    EXPECT_EQ(SealBlockSize(*s), block.size());
    EXPECT_EQ(block[pictureAt], 1);
    EXPECT_EQ(block[pictureAt + 1], code);
    TByteReader size(block.data() + pictureAt + 2, 8);
    EXPECT_EQ(size.ReadInt64(), int64_t(image.size()));
    EXPECT_EQ(At(block, pictureAt + 10, image.size()), image);
    auto back = Read(block);
    EXPECT_EQ(back->Picture().Kind(), TGraphicKind(code));
    EXPECT_EQ(back->Picture().Bytes(), image);
    EXPECT_EQ(GraphicTypeOf(back->Picture()), code);
    EXPECT_EQ(Block(*back), block);
  }
}

TEST(SealBlock, PictureClassesOnlyForTheFiveCodes) {
  for (int code = -1; code <= 256; ++code) EXPECT_EQ(GraphicClassOf(code).has_value(), code >= 0 && code <= 4);
}

// A sound block with a picture, changed at one place; each must be refused.
TEST(SealBlock, HostileBlocksAreRefused) {
  auto s = MakeSeal(stRect, 0);
  const Bytes good = Block(*s);
  ASSERT_NO_THROW(Read(good));
  size_t textsLength = 0;
  for (const std::string* t : {&s->Text(), &s->Text1(), &s->Text2(), &s->Text3(), &s->Code(), &s->Image()})
    textsLength += 4 + t->size();
  const size_t pictureAt = 660 + textsLength;
  const auto single = [](float v) { return Encoded(v); };
  const auto int64 = [](int64_t v) {
    TByteWriter w;
    w.WriteInt64(v);
    return w.Take();
  };
  const size_t imageSize = good.size() - pictureAt - 10;
  struct Case {
    const char* what;
    size_t at;
    Bytes bytes;
  } cases[] = {
      {"picture code 5", pictureAt + 1, {5}},
      {"picture code 255", pictureAt + 1, {255}},
      {"seal kind 24", 0, {24}},
      {"frame kind 4", 241, {4}},
      {"brush style 8", 9, {8}},
      {"NaN width", 21, single(std::numeric_limits<float>::quiet_NaN())},
      {"infinite centre", 291, single(std::numeric_limits<float>::infinity())},
      {"negative infinite text length", 654, single(-std::numeric_limits<float>::infinity())},
      {"negative line count", 221, Encoded(-1)},
      {"line count beyond the model", 221, Encoded(kMaxCutLines + 1)},
      {"string count beyond the data", 660, Encoded(int32_t(good.size()))},
      {"empty picture", pictureAt + 2, int64(0)},
      {"negative picture size", pictureAt + 2, int64(-1)},
      {"picture size one beyond the data", pictureAt + 2, int64(int64_t(imageSize) + 1)},
      // A reader that kept 32 bits would see the right size here.
      {"picture size beyond 32 bits", pictureAt + 2, int64((int64_t(1) << 32) + int64_t(imageSize))},
      {"largest picture size", pictureAt + 2, int64(std::numeric_limits<int64_t>::max())},
      {"undecodable picture", pictureAt + 10, {'X', 'Y'}},
  };
  for (const Case& c : cases) {
    Bytes bad = good;
    std::copy(c.bytes.begin(), c.bytes.end(), bad.begin() + std::ptrdiff_t(c.at));
    EXPECT_THROW(Read(bad), EFormatError) << c.what;
  }
  ASSERT_NO_THROW(Read(Bytes(good.begin(), good.end())));
  for (size_t cut : {size_t(0), size_t(659), size_t(660), size_t(663), pictureAt - 1, pictureAt, pictureAt + 1,
                     pictureAt + 9, good.size() - 1})
    EXPECT_THROW(Read(Bytes(good.begin(), good.begin() + std::ptrdiff_t(cut))), EFormatError) << "cut at " << cut;
}

// A count of zero or less stands for an empty string: nothing is read for it and the block
// goes on with the next count.
TEST(SealBlock, StringCountsOfZeroOrLessReadAsEmpty) {
  auto s = MakeSeal(stRect, 0);
  ASSERT_TRUE(s->Text1().empty());
  const Bytes good = Block(*s);
  const size_t text1 = 660 + 4 + s->Text().size();
  for (int32_t count : {0, -1, -2, INT32_MIN}) {
    Bytes odd = good;
    const Bytes c = Encoded(count);
    std::copy(c.begin(), c.end(), odd.begin() + std::ptrdiff_t(text1));
    size_t consumed = 0;
    auto back = Read(odd, 10, 100, &consumed);
    EXPECT_EQ(consumed, odd.size()) << count;
    EXPECT_EQ(back->Text1(), "") << count;
    EXPECT_EQ(back->Text2(), s->Text2()) << count;
    EXPECT_EQ(Block(*back), good) << count;
  }
}

// Whatever the setters derive from one another while a block is read, the stored values are
// what the seal ends with, at any scale: here a slanted line whose stored angle and length
// are not the ones its sides give.
TEST(SealBlock, StoredValuesWinOverDerivedOnes) {
  for (TSealType kind : {stAnyAngleLine, stAnyAngleText}) {
    auto s = MakeSeal(kind);
    Bytes block = Block(*s);
    const auto put = [&](size_t at, const Bytes& v) { std::copy(v.begin(), v.end(), block.begin() + std::ptrdiff_t(at)); };
    put(21, Encoded(30.0f));
    put(25, Encoded(40.0f));
    put(225, Encoded(1300));
    put(654, Encoded(49.99f));
    put(287, Encoded(-12.3f));
    for (int zoom : {1, 25, 100, 600}) {
      auto back = Read(block, 96 / 25.4f, zoom);
      EXPECT_EQ(back->RealWidth(), 30.0f) << zoom;
      EXPECT_EQ(back->RealHeight(), 40.0f) << zoom;
      EXPECT_EQ(back->TextAngle(), 1300) << zoom;
      EXPECT_EQ(back->RealTextLength(), 49.99f) << zoom;
      EXPECT_EQ(back->RealCenterX(), -12.3f) << zoom;
      EXPECT_EQ(Block(*back), block) << zoom;
    }
  }
}

// The setters would rebuild the cut lines a dozen times over; a read builds them once, from
// the seal as read, and they are the points the seal had when it was saved.
TEST(SealBlock, CutLinesAreBuiltOncePerSeal) {
  for (TSealType kind : {stRect, stEllipse, stTriangle, stRhomb, stName22}) {
    auto s = MakeSeal(kind);
    s->SetLineCount(24);
    ASSERT_FALSE(s->CutLinePoints().empty());
    auto back = Read(Block(*s));
    EXPECT_EQ(back->CutLineRebuildCount(), 1) << kind;
    EXPECT_EQ(back->CutLinePoints(), s->CutLinePoints()) << kind;
  }
}

TEST(SealBlock, WriterRefusesWhatItsReaderWouldRefuse) {
  auto s = MakeSeal(stRect);
  s->SetRealSR(std::numeric_limits<float>::quiet_NaN());
  TSealRecord record{};
  TByteWriter w;
  EXPECT_THROW(WriteSealBlock(record, w, *s, true), EFormatError);
  EXPECT_EQ(w.Size(), 0u);
  s->SetRealSR(0);
  s->SetLineCount(kMaxCutLines + 1);
  EXPECT_THROW(WriteSealBlock(record, w, *s, true), EFormatError);
  EXPECT_EQ(w.Size(), 0u);
  s->SetLineCount(kMaxCutLines);
  EXPECT_NO_THROW(WriteSealBlock(record, w, *s, true));
}

TEST(SealBlock, ReaderTakesParentAndStaysHidden) {
  QWidget page;
  page.show();
  auto s = std::make_unique<TSeal>();
  TSealRecord record{};
  const Bytes block = Block(*MakeSeal(stFiveStar));
  TByteReader r(block);
  ReadSealBlock(record, r, *s, &page, 10, 100);
  EXPECT_EQ(s->parentWidget(), &page);
  EXPECT_FALSE(s->isVisible());
  s.reset();
  EXPECT_TRUE(page.findChildren<TSeal*>().isEmpty());
}

}  // namespace
