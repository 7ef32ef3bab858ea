// The window's layout from the screen's pixels per inch, with label sizes of a font whose
// double-byte characters are one em wide (12 pixels at 96 dots per inch, 15 at 120).

#include <QtTest>

#include "property/propertylayout.h"

using property::ButtonLefts;
using property::ComputeLayout;
using property::DesignMetrics;
using property::LabelTop;
using property::TPropertyLayout;

namespace {

// "横向定位：" is five em wide, "文字：" three.
TPropertyLayout At96() { return ComputeLayout(DesignMetrics(96, 60, 36, 12)); }
TPropertyLayout At120() { return ComputeLayout(DesignMetrics(120, 75, 45, 15)); }

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void DesignSizesScale() {
    const auto m96 = DesignMetrics(96, 60, 36, 12);
    QCOMPARE(QSize(m96.buttonWidth, m96.buttonHeight), QSize(32, 16));
    QCOMPARE(QSize(m96.spinWidth, m96.spinHeight), QSize(72, 21));
    const auto m120 = DesignMetrics(120, 75, 45, 15);
    QCOMPARE(QSize(m120.buttonWidth, m120.buttonHeight), QSize(40, 20));
    // 21 x 1.25 = 26.25, 17 x 1.25 = 21.25, 45 x 1.25 = 56.25.
    QCOMPARE(QSize(m120.spinWidth, m120.spinHeight), QSize(90, 26));
    QCOMPARE(m120.checkHeight, 21);
    QCOMPARE(m120.memoHeight, 56);
  }

  // Bar p div 6 + 4 high; buttons p div 3 by p div 6, one pixel above the bar's bottom,
  // each (W - H div 2 - 1) further right, W and H the first button's loaded size.
  void ButtonBar() {
    const TPropertyLayout a = At96();
    QCOMPARE(a.margin, 4);
    QCOMPARE(a.barHeight, 20);
    QCOMPARE(a.buttons[0], QRect(5, 3, 32, 16));
    QCOMPARE(a.buttons[1], QRect(28, 3, 32, 16));
    QCOMPARE(a.buttons[2], QRect(51, 3, 32, 16));
    QCOMPARE(a.buttons[3], QRect(74, 3, 32, 16));
    const TPropertyLayout b = At120();
    QCOMPARE(b.margin, 5);
    QCOMPARE(b.barHeight, 24);
    QCOMPARE(b.buttons[0], QRect(5, 3, 40, 20));
    QCOMPARE(b.buttons[1], QRect(34, 3, 40, 20));
    QCOMPARE(b.buttons[3], QRect(92, 3, 40, 20));
    // The buttons overlap their right neighbours.
    QVERIFY(a.buttons[0].right() >= a.buttons[1].left());
  }

  // After a press the buttons are laid from the left again, the pressed one half its
  // height wider.
  void ButtonsRelaid() {
    QCOMPARE(ButtonLefts(1, {QSize(32, 16), QSize(40, 16), QSize(32, 16), QSize(32, 16)}),
             (std::array<int, 4>{5, 28, 59, 82}));
    QCOMPARE(ButtonLefts(1, {QSize(50, 20), QSize(40, 20), QSize(40, 20), QSize(40, 20)}),
             (std::array<int, 4>{5, 44, 73, 102}));
    QCOMPARE(ButtonLefts(2, {QSize(32, 16), QSize(32, 16), QSize(32, 16), QSize(32, 16)}),
             (std::array<int, 4>{11, 34, 57, 80}));
  }

  // One value column right of the widest label; group boxes 2m + label + box wide.
  void Columns() {
    const TPropertyLayout a = At96();
    QCOMPARE(a.valueLeft, 64);
    QCOMPARE(a.pageWidth, 148);
    QCOMPARE(a.groups[1], QRect(4, 4, 140, 62));
    QCOMPARE(a.controls[1], QRect(64, 16, 72, 21));
    QCOMPARE(a.controls[2], QRect(64, 39, 72, 21));
    QCOMPARE(a.pitch, 23);
    QCOMPARE(a.controls[7], QRect(4, 131, 132, 17));
    const TPropertyLayout b = At120();
    QCOMPARE(b.valueLeft, 80);
    QCOMPARE(b.pageWidth, 185);
    QCOMPARE(b.groups[1], QRect(5, 5, 175, 76));
    QCOMPARE(b.controls[2], QRect(80, 48, 90, 26));
    QCOMPARE(b.pitch, 28);
  }

  // Page A stacked by the rules; the client height at creation and opened out.
  void PageA() {
    const TPropertyLayout a = At96();
    QCOMPARE(a.controls[6], QRect(64, 85, 72, 21));
    QCOMPARE(a.controls[67], QRect(64, 108, 72, 21));
    QCOMPARE(a.groups[2], QRect(4, 70, 140, 150));
    QCOMPARE(a.groups[3], QRect(4, 224, 140, 62));
    QCOMPARE(a.groups[4], QRect(4, 292, 140, 154));
    QCOMPARE(a.controls[15], QRect(64, 131, 72, 21));
    QCOMPARE(a.createdHeight, 468);
    QCOMPARE(a.openHeight, 469);
    const TPropertyLayout b = At120();
    QCOMPARE(b.groups[2], QRect(5, 86, 175, 183));
    QCOMPARE(b.groups[3], QRect(5, 274, 175, 76));
    QCOMPARE(b.groups[4], QRect(5, 357, 175, 188));
    QCOMPARE(b.createdHeight, 571);
    QCOMPARE(b.openHeight, 572);
  }

  void PageB() {
    const TPropertyLayout a = At96();
    QCOMPARE(a.groups[5], QRect(4, 4, 140, 62));
    QCOMPARE(a.groups[6], QRect(4, 70, 140, 169));
    // The emblem rows line up with those of group box 4.
    for (int k = 0; k < 5; ++k) QCOMPARE(a.controls[size_t(18 + k)].top(), a.controls[size_t(10 + k)].top());
    QCOMPARE(a.controls[23], QRect(4, 131, 132, 17));
    QCOMPARE(a.controls[24], QRect(4, 150, 132, 17));
    QCOMPARE(a.groups[7], QRect(4, 243, 140, 203));
    QCOMPARE(a.controls[27].top(), 62);
    QCOMPARE(a.controls[28], QRect(4, 99, 132, 17));
    QCOMPARE(a.controls[30], QRect(4, 137, 132, 17));
    QCOMPARE(a.thanks, QRect(2, 189, 136, 12));
    QCOMPARE(a.groups[7].bottom(), a.groups[4].bottom());
  }

  void PageC() {
    const TPropertyLayout a = At96();
    QCOMPARE(a.groups[8], QRect(4, 4, 140, 442));
    QCOMPARE(a.controls[31], QRect(36, 16, 100, 21));
    QCOMPARE(a.controls[32], QRect(36, 39, 100, 21));
    QCOMPARE(a.controls[33], QRect(4, 62, 132, 45));
    QCOMPARE(a.controls[34], QRect(64, 109, 72, 21));
    QCOMPARE(a.controls[42], QRect(64, 293, 72, 21));
    QCOMPARE(a.controls[43].top(), 316);
    QCOMPARE(a.controls[44].top(), 333);
    QCOMPARE(a.controls[68].top(), 350);
    QCOMPARE(a.controls[45].top(), 369);
    QCOMPARE(a.controls[48], QRect(4, 420, 132, 17));
    QVERIFY(a.controls[48].bottom() < a.groups[8].height());
    const TPropertyLayout b = At120();
    QCOMPARE(b.controls[48].top(), 514);
    QVERIFY(b.controls[48].bottom() < b.groups[8].height());
  }

  void PageD() {
    const TPropertyLayout a = At96();
    QCOMPARE(a.controls[49], a.controls[31]);
    QCOMPARE(a.controls[50], QRect(4, 39, 132, 21));
    QCOMPARE(a.controls[51].top(), 62);
    QCOMPARE(a.controls[56].top(), 177);
    QCOMPARE(a.controls[57].top(), 200);
    QCOMPARE(a.controls[60].top(), 257);
    QCOMPARE(a.groups[9], QRect(4, 4, 140, 276));
    QCOMPARE(a.groups[10], a.groups[4]);
    for (int k = 0; k < 6; ++k) QCOMPARE(a.controls[size_t(61 + k)], a.controls[size_t(10 + k)]);
  }

  void LabelsCentredOnTheirControls() {
    QCOMPARE(LabelTop(QRect(64, 16, 72, 21), 12), 20);
    QCOMPARE(LabelTop(QRect(80, 20, 90, 26), 15), 25);
  }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
