// The tool bar's options of the current element: the positive and negative box, the star and
// emblem boxes, the font box and next font, over every kind of element; and the palette's
// show and hide command.
#include <QLineEdit>
#include <QtTest>

#include "mainfixture.h"
#include "platform/gbk.h"

using seal::TSeal;

namespace {

// Which kinds each box acts on, kinds 0 to 23 left to right: the positive and negative box
// on name seals, frame seals and stars; the emblem boxes on name seals, frame seals and free
// pictures.
constexpr const char* kBrushKinds = "111111111111110000000100";
constexpr const char* kEmblemKinds = "111111111111110000000001";

// An element on the page, selected alone as a press selects it (which the boxes follow).
TSeal* Current(TfrmChild* w, seal::TSealType kind) {
  TSeal* s = AddSeal(w, 60, 60);
  s->SetSealType(kind);
  w->SetSelection({s});
  return s;
}

void Click(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2)); }

// Typing into the font box, one character at a time, as the user types.
void TypeFace(QComboBox* box, const QString& text) {
  QLineEdit* edit = box->lineEdit();
  edit->setFocus();
  edit->selectAll();
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(edit, &press);
  }
}

std::vector<seal::TFaceName> Faces(const TSeal* s) {
  return {s->TextFontName(), s->TextFontName1(), s->TextFontName2(), s->TextFontName3(), s->CodeFontName()};
}

}  // namespace

class SealOptionsTest : public QObject {
  Q_OBJECT

 private slots:
  void BoxesActOnTheirKindsOnly() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    for (int kind = 0; kind < 24; ++kind) {
      const QByteArray where = "kind " + QByteArray::number(kind);
      const bool brush = kBrushKinds[kind] == '1';
      const bool emblem = kEmblemKinds[kind] == '1';
      TSeal* s = Current(w, seal::TSealType(kind));
      s->SetBrushStyle(platform::bsClear);
      s->SetHaveImage(false);
      w->SetSelection({s});
      w->MarkSaved();
      QVERIFY2(Part<QCheckBox>(f.main.get(), "CheckBox1")->isChecked() &&
                   !Part<QCheckBox>(f.main.get(), "CheckBox3")->isChecked(),
               where);

      Click(Part<QCheckBox>(f.main.get(), "CheckBox1"));
      QVERIFY2((s->BrushStyle() == platform::bsSolid) == brush, where);
      QVERIFY2(w->Modified() == brush, where);
      QVERIFY2(!Part<QCheckBox>(f.main.get(), "CheckBox1")->isChecked(), where);  // the box keeps the user's click

      w->MarkSaved();
      Click(Part<QCheckBox>(f.main.get(), "CheckBox3"));
      QVERIFY2(s->HaveImage() == emblem, where);
      QVERIFY2(w->Modified() == emblem, where);
      Click(Part<QCheckBox>(f.main.get(), "CheckBox3"));
      Click(Part<QCheckBox>(f.main.get(), "CheckBox2"));
      QVERIFY2((s->HaveImage() && s->ImageIsStar()) == emblem, where);
      QVERIFY2(Part<QCheckBox>(f.main.get(), "CheckBox3")->isChecked() == emblem, where);
      if (emblem) QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已修改"));

      // The font box acts on every kind, and is no change of the document.
      w->MarkSaved();
      TypeFace(Part<QComboBox>(f.main.get(), "FontComboBox"), QStringLiteral("黑体"));
      QVERIFY2(s->TextFontName() == seal::FaceName("黑体"), where);
      QVERIFY2(!w->Modified(), where);
      QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已保存"));
      w->SetSelection({});
      w->DeleteSelection();
    }
  }

  void BoxesFollowTheCurrentElement() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* negative = AddSeal(w, 40, 40);
    negative->SetSealType(seal::stName22);
    negative->SetBrushStyle(platform::bsSolid);
    TSeal* star = AddSeal(w, 100, 40);
    star->SetSealType(seal::stFiveStar);
    TSeal* round = AddSeal(w, 100, 100);
    round->SetImageIsStar(true);
    const int before = w->Modified();

    w->SetSelection({negative});
    QVERIFY(!Part<QCheckBox>(f.main.get(), "CheckBox1")->isChecked());
    QCOMPARE(Part<QCheckBox>(f.main.get(), "CheckBox1")->text(), QStringLiteral("阳章"));
    QVERIFY(!Part<QCheckBox>(f.main.get(), "CheckBox2")->isChecked() &&
            !Part<QCheckBox>(f.main.get(), "CheckBox3")->isChecked());
    w->SetSelection({star});
    QCOMPARE(Part<QCheckBox>(f.main.get(), "CheckBox1")->text(), QStringLiteral("空心"));
    QVERIFY(Part<QCheckBox>(f.main.get(), "CheckBox1")->isChecked());
    w->SetSelection({round});
    QCOMPARE(Part<QCheckBox>(f.main.get(), "CheckBox1")->text(), QStringLiteral("阳章"));
    QVERIFY(Part<QCheckBox>(f.main.get(), "CheckBox1")->isChecked() &&
            Part<QCheckBox>(f.main.get(), "CheckBox2")->isChecked() &&
            Part<QCheckBox>(f.main.get(), "CheckBox3")->isChecked());
    // A group, or nothing, leaves the boxes as they were; following changes no element.
    w->SetSelection({negative, star});
    w->SetSelection({});
    QVERIFY(Part<QCheckBox>(f.main.get(), "CheckBox2")->isChecked());
    QCOMPARE(int(w->Modified()), before);
    QVERIFY(negative->BrushStyle() == platform::bsSolid && round->ImageIsStar());
  }

  void StarReplacesAPictureAndTheEmblemBoxClearsTheStar() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = Current(w, seal::stEllipse);
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(f.Path("emblem.bmp")));
    platform::TPicture picture;
    picture.LoadFromFile(f.Path("emblem.bmp").toStdString());
    s->SetHaveImage(true);
    s->SetPicture(&picture);
    QVERIFY(s->Picture().HasGraphic());
    w->SetSelection({s});
    QVERIFY(!Part<QCheckBox>(f.main.get(), "CheckBox2")->isChecked() &&
            Part<QCheckBox>(f.main.get(), "CheckBox3")->isChecked());

    Click(Part<QCheckBox>(f.main.get(), "CheckBox2"));
    QVERIFY(s->ImageIsStar() && s->HaveImage());
    QVERIFY(!s->Picture().HasGraphic());
    QVERIFY(Part<QCheckBox>(f.main.get(), "CheckBox3")->isChecked());
    QVERIFY(w->Modified());

    Click(Part<QCheckBox>(f.main.get(), "CheckBox3"));
    QVERIFY(!s->HaveImage() && !s->ImageIsStar());
    QVERIFY(!Part<QCheckBox>(f.main.get(), "CheckBox2")->isChecked());
  }

  void LineIgnoresThePositiveBox() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* line = Current(w, seal::stHorzLine);
    w->MarkSaved();
    const int repaints = line->InvalidateCount();
    Click(Part<QCheckBox>(f.main.get(), "CheckBox1"));
    QVERIFY(line->BrushStyle() == platform::bsClear);
    QCOMPARE(line->InvalidateCount(), repaints);
    QVERIFY(!w->Modified());
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已保存"));
  }

  void FontChangeSetsEveryFace() {
    MainFixture f;
    QComboBox* box = Part<QComboBox>(f.main.get(), "FontComboBox");
    // Without an element the box changes nothing and fails nowhere.
    TypeFace(box, QStringLiteral("楷体"));
    TfrmChild* w = f.NewDocument();
    TSeal* s = Current(w, seal::stEllipse);
    w->MarkSaved();
    const int index = box->findText(QStringLiteral("黑体"));
    box->setCurrentIndex(index);
    emit box->textActivated(box->itemText(index));
    for (const seal::TFaceName& face : Faces(s)) QVERIFY(face == seal::FaceName("黑体"));
    QVERIFY(!w->Modified());
    // The program filling the list is no change of the element.
    Part<QCheckBox>(f.main.get(), "CheckBox4")->click();
    Part<QCheckBox>(f.main.get(), "CheckBox4")->click();
    QVERIFY(s->TextFontName() == seal::FaceName("黑体"));

    // A face longer than the 63 bytes a face field holds is cut after a whole character:
    // 40 two-byte characters give 31 of them (62 bytes) and the terminator.
    TypeFace(box, QString(40, QChar(u'宋')));
    std::string cut;
    for (int i = 0; i < 31; ++i) cut += platform::Gbk("宋");
    for (const seal::TFaceName& face : Faces(s)) {
      QCOMPARE(std::string(face.data(), 62), cut);
      QVERIFY(std::all_of(face.begin() + 62, face.end(), [](char c) { return c == 0; }));
    }
  }

  void NextFontWraps() {
    MainFixture f;
    QComboBox* box = Part<QComboBox>(f.main.get(), "FontComboBox");
    QAction* next = f.main->Action(QStringLiteral("actToolsNextFont"));
    TfrmChild* w = f.NewDocument();
    TSeal* s = Current(w, seal::stName22);
    const int count = box->count();
    QCOMPARE(count, 3);
    box->setCurrentIndex(-1);
    next->trigger();
    QCOMPARE(box->currentIndex(), 0);
    QVERIFY(s->CodeFontName() == seal::FaceName(box->itemText(0).toUtf8().constData()));
    box->setCurrentIndex(count - 1);
    next->trigger();
    QCOMPARE(box->currentIndex(), 0);
    next->trigger();
    QCOMPARE(box->currentIndex(), 1);
    QVERIFY(s->TextFontName3() == seal::FaceName(box->itemText(1).toUtf8().constData()));
    QVERIFY(!w->Modified());
    // No entries: nothing.
    box->clear();
    next->trigger();
    QCOMPARE(box->currentIndex(), -1);
    QCOMPARE(Part<QToolBar>(f.main.get(), "ToolBar1")->widgetForAction(next)->objectName(),
             QStringLiteral("ToolButton11"));
    QCOMPARE(next->toolTip(), QStringLiteral("下一个字体"));
  }

  void PaletteCommandShowsAndHidesIt() {
    MainFixture f;
    QAction* command = f.main->Action(QStringLiteral("actViewOpenDrawTools"));
    command->trigger();  // no palette: nothing
    QCOMPARE(command->text(), QStringLiteral("隐藏绘图工具(&D)"));
    TFrmDrawTools* palette = f.main->CreateDrawTools(96);
    palette->show();
    command->trigger();
    QVERIFY(!palette->isVisible());
    QCOMPARE(command->text(), QStringLiteral("开启绘图工具"));
    command->trigger();
    QVERIFY(palette->isVisible());
    QCOMPARE(command->text(), QStringLiteral("关闭绘图工具"));
  }
};

QTEST_MAIN(SealOptionsTest)
#include "seal_options_test.moc"
