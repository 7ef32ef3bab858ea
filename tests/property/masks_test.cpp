#include <QtTest>
#include <set>
#include <string>
#include <vector>

#include "property/enablemasks.h"

using property::MaskFacts;
using property::PropertyMask;
using property::TEmblem;
using property::TextMask;
using property::TMaskFacts;
using namespace seal;

namespace {

TMaskFacts Facts(TSealType kind, TEmblem emblem = TEmblem::None, TFrameType frame = ftRectangle, bool codeOn = false,
                 std::array<bool, 4> isEllipse = {}) {
  TMaskFacts f;
  f.present = true;
  f.kind = kind;
  f.emblem = emblem;
  f.frame = frame;
  f.codeOn = codeOn;
  f.isEllipse = isEllipse;
  return f;
}

// The one-based positions a mask enables, as ranges "1-5,8".
QString Enabled(const std::string& mask) {
  QStringList ranges;
  for (size_t k = 0; k < mask.size();) {
    if (mask[k] == '0') {
      ++k;
      continue;
    }
    size_t end = k;
    while (end + 1 < mask.size() && mask[end + 1] != '0') ++end;
    ranges << (end == k ? QString::number(k + 1) : QStringLiteral("%1-%2").arg(k + 1).arg(end + 1));
    k = end + 1;
  }
  return ranges.join(QLatin1Char(','));
}

// A mask as the positions it enables, so that the expectations are read off the position
// table by hand rather than put together from the pieces the code holds.
struct MaskCase {
  const char* name;
  TMaskFacts facts;
  const char* enabled;
};

struct TextCase {
  const char* name;
  TMaskFacts facts;
  int textIndex;
  const char* enabled;
};

}  // namespace

class MasksTest : public QObject {
  Q_OBJECT

 private slots:
  // The masks of the examples, as the enabled positions read.
  void Examples() {
    const std::string round = PropertyMask(Facts(stEllipse, TEmblem::Star, ftRectangle, false));
    QCOMPARE(round, std::string("11111001111111111111110011111111111011111110000000"));
    QCOMPARE(Enabled(round), QStringLiteral("1-5,8-22,25-35,37-43"));
    const std::string name = PropertyMask(Facts(stName22, TEmblem::None, ftRectangle, false));
    QCOMPARE(name, std::string("11111101100000011000000011011111111110111110000000"));
    QCOMPARE(Enabled(name), QStringLiteral("1-6,8-9,16-17,25-26,28-37,39-43"));
    QCOMPARE(PropertyMask(Facts(stRect, TEmblem::Picture, ftRoundRect, true)),
             std::string("11111101111111111011111111011111111100111110000001"));
  }

  // Kinds 0 to 13 by their emblem, frame and code; 14 to 23 fixed; no seal none at all.
  void PropertyMasks() {
    const std::vector<MaskCase> cases{
        {"name seal, star, ellipse, code on", Facts(stName4, TEmblem::Star, ftEllipse, true),
         "1-6,8-9,16-22,25-35,38-43"},
        {"name seal, picture, diamond, code off", Facts(stName111, TEmblem::Picture, ftDiamond, false),
         "1-6,8-9,16-17,19-26,28-37,39-43,50"},
        {"name seal, no image, round corners, code on", Facts(stName12A, TEmblem::None, ftRoundRect, true),
         "1-6,8-9,16-17,25-26,28-36,39-43,50"},
        {"rectangular seal, star, ellipse", Facts(stRect, TEmblem::Star, ftEllipse, false), "1-6,8-22,25-35,37-43"},
        {"oval, picture, code on", Facts(stEpsCL, TEmblem::Picture, ftRectangle, true), "1-5,8-17,19-35,38-43"},
        {"round, no image, code off", Facts(stEllipse, TEmblem::None, ftRectangle, false), "1-5,8-17,25-35,37-43"},
        {"triangle, star, code on", Facts(stTriangle, TEmblem::Star, ftRectangle, true),
         "1-5,8-22,25-26,28-36,39-43"},
        {"rhomb, picture, code off", Facts(stRhomb, TEmblem::Picture, ftEllipse, false),
         "1-5,8-17,19-26,28-37,39-43"},
        {"rhomb, no image, code on", Facts(stRhomb, TEmblem::None, ftRectangle, true), "1-5,8-17,25-26,28-36,39-43"},
        // The frame shape of a frame seal does not matter.
        {"round, frame field set", Facts(stEllipse, TEmblem::None, ftDiamond, false), "1-5,8-17,25-35,37-43"},
        // The free elements, whatever their flags.
        {"horizontal line", Facts(stHorzLine, TEmblem::Star, ftEllipse, true), "1-4"},
        {"vertical line", Facts(stVertLine), "1-3,5"},
        {"slanted line", Facts(stAnyAngleLine), "1-5,50"},
        {"arc", Facts(stArc), "1-5,7-9"},
        {"text block", Facts(stHorzText), "1-2,31"},
        {"arc text", Facts(stEllipseText), "1-2,31"},
        {"slanted text", Facts(stAnyAngleText), "1-2"},
        {"star", Facts(stFiveStar), "1-2,18-20"},
        {"table", Facts(stCell, TEmblem::Picture), "1-2,44-49"},
        {"picture", Facts(stAnyImage), "1-2,18-20,23-24"},
        {"no seal", TMaskFacts{}, ""},
        {"a kind outside the list", Facts(TSealType(40)), ""},
    };
    for (const MaskCase& c : cases) {
      const std::string mask = PropertyMask(c.facts);
      QVERIFY2(mask.size() == 50, c.name);
      QVERIFY2(Enabled(mask) == QLatin1String(c.enabled), c.name);
    }
  }

  // Page C by the selector's index, the kind and the text's IsEllipse.
  void TextMasks() {
    const std::array<bool, 4> ringsOnly2{false, false, true, false};
    const std::array<bool, 4> firstRing{true, false, false, false};
    const char* ring = "1-8,10-14,17-18";
    const char* block = "1-9,11-17";
    const std::vector<TextCase> cases{
        {"name seal, first text", Facts(stName22), 0, "1-8,11-14"},
        {"name seal, no text chosen", Facts(stName111), -1, "1-8,11-14"},
        {"name seal, index outside the list", Facts(stName4), 7, "1-8,11-14"},
        {"round seal, first text on the ring", Facts(stEllipse, TEmblem::Star, ftRectangle, false, firstRing), 0,
         ring},
        {"round seal, first text in a block", Facts(stEllipse), 0, block},
        {"round seal, third text on the ring", Facts(stEllipse, TEmblem::None, ftRectangle, false, ringsOnly2), 2,
         ring},
        {"rectangular seal, second text in a block", Facts(stRect, TEmblem::None, ftRectangle, false, ringsOnly2),
         1, block},
        {"rhomb, fourth text in a block", Facts(stRhomb, TEmblem::None, ftRectangle, false, firstRing), 3, block},
        {"three-character seal, second text", Facts(stName12), 1, "5-6"},
        {"three-character seal below, second text", Facts(stName21A), 1, "5-6"},
        {"three-character seal, third text", Facts(stName12A), 2, ""},
        {"four-character seal, second text", Facts(stName22), 1, ""},
        {"two-character seal, second text", Facts(stName11A), 1, ""},
        {"text block, first text", Facts(stHorzText), 0, "1-6,9,11-16"},
        {"arc text, first text", Facts(stEllipseText), 0, "1-6,10-14,18"},
        {"slanted text, first text", Facts(stAnyAngleText), -1, "1-6,10-14"},
        {"slanted text, second text", Facts(stAnyAngleText), 1, ""},
        {"text block, fourth text", Facts(stHorzText), 3, ""},
        {"table", Facts(stCell), 0, ""},
        {"arc", Facts(stArc), 0, ""},
        {"slanted line", Facts(stAnyAngleLine), 1, ""},
        {"no seal", TMaskFacts{}, 0, ""},
    };
    for (const TextCase& c : cases) {
      const std::string mask = TextMask(c.facts, c.textIndex);
      QVERIFY2(mask.size() == 18, c.name);
      QVERIFY2(Enabled(mask) == QLatin1String(c.enabled), c.name);
    }
  }

  // The facts come from the seal's own flags.
  void FactsOfASeal() {
    QCOMPARE(MaskFacts(nullptr).present, false);
    TSeal s;
    s.SetSealType(stRect);
    s.SetNameSealFrameType(ftDiamond);
    s.SetCodeOn(false);
    s.SetIsEllipse2(true);
    s.SetImageIsStar(true);
    TMaskFacts f = MaskFacts(&s);
    QVERIFY(f.present);
    QCOMPARE(f.kind, stRect);
    QCOMPARE(f.emblem, TEmblem::Star);
    QCOMPARE(f.frame, ftDiamond);
    QCOMPARE(f.codeOn, false);
    QCOMPARE(f.isEllipse, (std::array<bool, 4>{true, false, true, false}));
    s.SetImageIsStar(false);
    QCOMPARE(MaskFacts(&s).emblem, TEmblem::Picture);
    s.SetHaveImage(false);
    QCOMPARE(MaskFacts(&s).emblem, TEmblem::None);
  }

  // Position k governs one control: tags 1-31, 49-67 on pages A, B, D and the selector;
  // page C in its own order, the thin-stroke box between italic and rows.
  void Positions() {
    const auto& main = property::PropertyMaskTags();
    QCOMPARE(main[0], 1);
    QCOMPARE(main[30], 31);
    QCOMPARE(main[31], 49);
    QCOMPARE(main[32], 50);
    QCOMPARE(main[43], 61);
    QCOMPARE(main[49], 67);
    const auto& text = property::TextMaskTags();
    QCOMPARE(text[0], 32);
    QCOMPARE(text[12], 44);
    QCOMPARE(text[13], 68);
    QCOMPARE(text[14], 45);
    QCOMPARE(text[17], 48);
    std::set<int> all(main.begin(), main.end());
    all.insert(text.begin(), text.end());
    QCOMPARE(int(all.size()), 68);
    QCOMPARE(*all.begin(), 1);
    QCOMPARE(*all.rbegin(), 68);
    QVERIFY(property::MaskAllows('1') && property::MaskAllows('x') && !property::MaskAllows('0'));
  }
};

QTEST_MAIN(MasksTest)
#include "masks_test.moc"
