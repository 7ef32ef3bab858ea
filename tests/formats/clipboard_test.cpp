// The clipboard's bytes without a window: what a copy keeps, where a paste lands and at
// which scale.
#include "formats/clipboard.h"

#include <QtTest>
#include <limits>

#include "platform/stream.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::unique_ptr<seal::TSeal> Seal(float x, float y, float ppm = 10, int zoom = 100) {
  auto s = std::make_unique<seal::TSeal>();
  s->SetPixelsPerMm(ppm);
  s->SetZoom(zoom);
  s->SetSealType(seal::stEllipse);
  s->SetRealWidth(42);
  s->SetRealHeight(42);
  s->SetRealCenterX(x);
  s->SetRealCenterY(y);
  return s;
}

formats::TSealTarget Target(float ppm = 10, int zoom = 100) {
  formats::TSealTarget t;
  t.PixelsPerMm = ppm;
  t.PageZoom = zoom;
  return t;
}

int32_t StoredCount(const Bytes& clip) {
  platform::TByteReader r(clip);
  return r.ReadInt32();
}

}  // namespace

class ClipboardTest : public QObject {
  Q_OBJECT

 private slots:
  void EmptySelectionKeepsTheEarlierCopy() {
    Bytes clip;
    auto a = Seal(30, 40);
    const seal::TSeal* one[] = {a.get()};
    formats::CopySeals(clip, one);
    const Bytes before = clip;
    formats::CopySeals(clip, std::span<const seal::TSeal* const>());
    QCOMPARE(clip, before);
    QCOMPARE(StoredCount(clip), 1);
  }

  void NothingCopiedPastesNothing() { QVERIFY(formats::ReadClipSeals(Bytes(), Target()).empty()); }

  void PastesLandTwoMillimetresOnAndCopiesOfPastesTwoMore() {
    Bytes clip;
    auto a = Seal(30, 40);
    auto b = Seal(-1.5f, 10.25f);
    const seal::TSeal* both[] = {b.get(), a.get()};
    formats::CopySeals(clip, both);
    QCOMPARE(StoredCount(clip), 2);
    for (int paste = 0; paste < 2; ++paste) {
      auto seals = formats::ReadClipSeals(clip, Target());
      QCOMPARE(seals.size(), size_t(2));
      // Selection order is kept.
      QCOMPARE(seals[0]->RealCenterX(), 0.5f);
      QCOMPARE(seals[0]->RealCenterY(), 12.25f);
      QCOMPARE(seals[1]->RealCenterX(), 32.0f);
      QCOMPARE(seals[1]->RealCenterY(), 42.0f);
      QVERIFY(seals[0]->isHidden());
    }
    auto pasted = formats::ReadClipSeals(clip, Target());
    const seal::TSeal* again[] = {pasted[1].get()};
    formats::CopySeals(clip, again);
    auto second = formats::ReadClipSeals(clip, Target());
    QCOMPARE(second.size(), size_t(1));
    QCOMPARE(second[0]->RealCenterX(), 34.0f);
    QCOMPARE(second[0]->RealCenterY(), 44.0f);
  }

  void PasteTakesTheReceiversScaleAndKeepsMillimetres() {
    Bytes clip;
    auto a = Seal(30, 40);
    const seal::TSeal* one[] = {a.get()};
    formats::CopySeals(clip, one);
    // 42 mm at 4 px/mm and 50 % is 84 px; the centre 32 mm lies 64 px in, the left edge at 22 px.
    auto seals = formats::ReadClipSeals(clip, Target(4, 50));
    QCOMPARE(seals[0]->RealWidth(), 42.0f);
    QCOMPARE(seals[0]->RealCenterX(), 32.0f);
    QCOMPARE(seals[0]->Zoom(), 50);
    QCOMPARE(seals[0]->PixelsPerMm(), 4.0f);
    QCOMPARE(seals[0]->Width(), 84);
    QCOMPARE(seals[0]->Left(), 22);
  }

  void ACopyFailingHalfWayKeepsThePreviousContent() {
    Bytes clip;
    auto a = Seal(30, 40);
    const seal::TSeal* one[] = {a.get()};
    formats::CopySeals(clip, one);
    const Bytes before = clip;
    auto bad = Seal(5, 5);
    bad->SetRealSR(std::numeric_limits<float>::quiet_NaN());
    const seal::TSeal* both[] = {a.get(), bad.get()};
    QVERIFY_THROWS_EXCEPTION(platform::EFormatError, formats::CopySeals(clip, both));
    QCOMPARE(clip, before);
  }

  void DamagedContentIsRefused() {
    Bytes clip;
    auto a = Seal(30, 40);
    const seal::TSeal* one[] = {a.get()};
    formats::CopySeals(clip, one);
    struct Case {
      const char* name;
      Bytes bytes;
    };
    Bytes huge = clip;
    huge[0] = 0xff;
    huge[1] = 0xff;
    huge[2] = 0xff;
    huge[3] = 0x7f;
    Bytes negative = clip;
    negative[3] = 0x80;
    const Case cases[] = {
        {"short count", Bytes(clip.begin(), clip.begin() + 3)},
        {"count only", Bytes(clip.begin(), clip.begin() + 4)},
        {"short block", Bytes(clip.begin(), clip.end() - 1)},
        {"count beyond the bytes", huge},
        {"negative count", negative},
    };
    for (const Case& c : cases) QVERIFY_THROWS_EXCEPTION(platform::EFormatError, formats::ReadClipSeals(c.bytes, Target()));
  }
};

QTEST_MAIN(ClipboardTest)
#include "clipboard_test.moc"
