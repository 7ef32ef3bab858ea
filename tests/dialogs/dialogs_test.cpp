// The four dialogs of the library, opened through the program's binding as the commands
// open them: their captions, their layout at the screen's resolution (this test runs on a
// screen of 96 and of 120 dots per inch), their colours, their behaviour and the records
// they fill, byte by byte.

#include <QCheckBox>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "services/dialogs_binding.h"
#include "modal_driver.h"
#include "platform/library.h"
#include "platform/picture.h"
#include "platform/syscolors.h"
#include "services/services.h"

namespace {

const QColor kPink(255, 128, 192);
const QColor kTopicBlue(0, 128, 255);
const QColor kNavy(0, 0, 128);

// The screen's divisions the layout rules use, by hand for the two resolutions tested.
struct TDivisions {
  int ppi, div4, div8, div10, div12, div16, div24, div48;
};
const TDivisions kDivisions[] = {{96, 24, 12, 9, 8, 6, 4, 2}, {120, 30, 15, 12, 10, 7, 5, 2}};

const char* const kTopicCaptions[] = {"使用绘图工具", "印章元素分解", "约定概念解释", "文字排版之一", "文字排版之二",
                                      "阴章阳章设计", "纹线编码设计", "图符图象操作", "拓展编辑功能", "印章库的使用",
                                      "导出印章图象", "文字笔画处理", "设计艺术印章", "设计电子公函", "设计双语印章",
                                      "一些杂项技巧", "打印印章文件", "作者一些申明"};

template <typename R>
QByteArray Bytes(const R& record) {
  return QByteArray(reinterpret_cast<const char*>(&record), sizeof record);
}


QColor TextColour(const QWidget* w) { return w->palette().color(QPalette::WindowText); }
QColor Pixel(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }

// Clicks at a point of the dialog as the window system delivers it, so that the widget
// under the point receives it.
void ClickAt(QDialog* d, QPoint at) { QTest::mouseClick(d->windowHandle(), Qt::LeftButton, {}, at); }
void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

void Hover(QWidget* w, bool enter) {
  if (enter) {
    QEnterEvent e(QPointF(1, 1), w->mapTo(w->window(), QPointF(1, 1)), w->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(w, &e);
  } else {
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
  }
}

// A help page as the library's resources hold it, read while the library is loaded.
QImage PageResource(int number) {
  QFile file(QStringLiteral(":/merulin/H%1").arg(number, 3, 10, QLatin1Char('0')));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  try {
    return platform::DecodeGif(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
  } catch (const platform::EPictureError&) {
    return {};
  }
}

QImage Shown(const QLabel* picture) { return picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32); }

}  // namespace

// Receives the mail link the about box asks the desktop to open.
class TMailRecorder : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> urls;
  Q_INVOKABLE void Open(const QUrl& url) { urls.append(url); }
};

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    app::Services().DialogsLibraryPath = [] { return QStringLiteral(MERULIN_LIBRARY); };
    ppi_ = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX());
    const QByteArray expected = qgetenv("MERULIN_TEST_PPI");
    if (!expected.isEmpty()) QCOMPARE(ppi_, expected.toInt());
    for (const TDivisions& d : kDivisions)
      if (d.ppi == ppi_) div_ = d;
    QVERIFY2(div_.ppi != 0, "the layout is checked at 96 and 120 dots per inch only");
  }
  void init() {
    owner_ = std::make_unique<QWidget>();
    owner_->show();
  }
  void cleanup() { owner_.reset(); }

  // ---- about box ----

  void AboutBoxContentsAndLayout() {
    QString caption, version, contact, link;
    bool frameless = false;
    QColor versionColour, linkColour, background;
    QRect logo, title, bevel;
    QSize client;
    QImage picture;
    Qt::CursorShape linkCursor = Qt::ArrowCursor;
    const TModalRun run = WhileModal([&] { app::ShowAboutBox(owner_.get()); },
                                     [&](QDialog* d) {
                                       caption = d->windowTitle();
                                       frameless = d->windowFlags() & Qt::FramelessWindowHint;
                                       version = Part<QLabel>(d, "Version")->text();
                                       contact = Part<QLabel>(d, "Contact")->text();
                                       link = Part<QLabel>(d, "Link")->text();
                                       versionColour = TextColour(Part(d, "Version"));
                                       linkColour = TextColour(Part(d, "Link"));
                                       linkCursor = Part(d, "Link")->cursor().shape();
                                       background = d->palette().color(QPalette::Window);
                                       logo = Part(d, "Logo")->geometry();
                                       title = Part(d, "Title")->geometry();
                                       bevel = Part(d, "Bevel1")->geometry();
                                       client = d->size();
                                       picture = d->grab().toImage();
                                       d->reject();
                                     });
    QVERIFY(run.Seen);
    QCOMPARE(caption, QStringLiteral("关于..."));
    QVERIFY(frameless);
    QCOMPARE(version, QStringLiteral("版本：     8.0.4.2  "));
    QCOMPARE(contact, QStringLiteral("致信作者："));
    QVERIFY(link.contains(QLatin1Char('@')));
    QCOMPARE(versionColour, platform::ActiveCaptionColor());
    QCOMPARE(linkColour, QColor(0, 0, 255));
    QCOMPARE(linkCursor, Qt::PointingHandCursor);
    QCOMPARE(background, QColor(Qt::white));
    // Logo on the left over the whole height; title centred right of it.
    QCOMPARE(logo, QRect(0, 0, 134, client.height()));
    QVERIFY(client.height() >= 258);
    QCOMPARE(title.size(), QSize(192, 58));
    QCOMPARE(title.top(), div_.div8);
    QCOMPARE(title.left(), (client.width() + 134 - 192) / 2);
    QCOMPARE(bevel.left(), 135);
    QCOMPARE(bevel.width(), client.width() - 136);
    QCOMPARE(bevel.top(), div_.div8 + 58 + 2);
    // The border: the outer two pixels on every side.
    const int w = picture.width(), h = picture.height();
    for (QPoint p : {QPoint(0, 0), QPoint(1, 1), QPoint(w - 1, h - 1), QPoint(w - 2, h - 2), QPoint(w - 1, 0),
                     QPoint(w / 2, 0), QPoint(w / 2, h - 1), QPoint(0, h / 2), QPoint(w - 2, h / 2)})
      QCOMPARE(Pixel(picture, p.x(), p.y()), kPink);
    QCOMPARE(Pixel(picture, w - 3, h / 2), QColor(Qt::white));
  }

  void AboutBoxClosesOnAClickAnywhere_data() {
    QTest::addColumn<QString>("where");
    QTest::newRow("form") << QString();
    QTest::newRow("logo") << QStringLiteral("Logo");
    QTest::newRow("title") << QStringLiteral("Title");
    QTest::newRow("version") << QStringLiteral("Version");
    QTest::newRow("contact") << QStringLiteral("Contact");
  }
  void AboutBoxClosesOnAClickAnywhere() {
    QFETCH(QString, where);
    TMailRecorder mail;
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &mail, "Open");
    const TModalRun run = WhileModal([&] { app::ShowAboutBox(owner_.get()); },
                                     [&](QDialog* d) {
                                       const QWidget* target = where.isEmpty() ? nullptr : Part(d, qPrintable(where));
                                       ClickAt(d, target ? target->geometry().center()
                                                         : QPoint(d->width() - 6, d->height() - 6));
                                     });
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QVERIFY(run.Seen);
    QVERIFY(!run.LeftOpen);
    QVERIFY(mail.urls.isEmpty());
  }

  void AboutBoxLinkWritesAMailAndCloses() {
    TMailRecorder mail;
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &mail, "Open");
    QString address;
    bool underlinedOver = false, underlinedAfter = true;
    const TModalRun run = WhileModal([&] { app::ShowAboutBox(owner_.get()); },
                                     [&](QDialog* d) {
                                       QWidget* link = Part(d, "Link");
                                       address = Part<QLabel>(d, "Link")->text();
                                       Hover(link, true);
                                       underlinedOver = link->font().underline();
                                       Hover(link, false);
                                       underlinedAfter = link->font().underline();
                                       ClickAt(d, link->geometry().center());
                                     });
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QVERIFY(run.Seen);
    QVERIFY(!run.LeftOpen);
    QVERIFY(underlinedOver);
    QVERIFY(!underlinedAfter);
    QCOMPARE(mail.urls.size(), 1);
    QCOMPARE(mail.urls.front().scheme(), QStringLiteral("mailto"));
    QCOMPARE(mail.urls.front().path(), address);
  }

  // ---- help viewer ----

  void HelpViewerContentsAndLayout() {
    QString caption, titleText, buttonText;
    QStringList captions;
    QList<QPoint> positions;
    QList<QColor> colours;
    int labelWidth = 0, labelHeight = 0;
    QRect panel, page, title, button;
    bool titleUnderlined = false, buttonDefault = false, pageIsFirst = false;
    QColor panelColour, labelColour;
    QSize client;
    const TModalRun run =
        WhileModal([&] { app::ShowHelpViewer(owner_.get()); },
                   [&](QDialog* d) {
                     caption = d->windowTitle();
                     client = d->size();
                     for (int n = 3; n <= 20; ++n) {
                       const auto* label = Part<QLabel>(d, qPrintable(QStringLiteral("Topic%1").arg(n)));
                       captions.append(label->text());
                       positions.append(label->pos());
                       colours.append(TextColour(label));
                     }
                     labelWidth = Part(d, "Topic3")->width();
                     labelHeight = Part(d, "Topic3")->height();
                     panel = Part(d, "Panel1")->geometry();
                     panelColour = Part(d, "Panel1")->palette().color(QPalette::Window);
                     page = Part(d, "Image1")->geometry();
                     title = Part(d, "TitleLabel")->geometry();
                     titleText = Part<QLabel>(d, "TitleLabel")->text();
                     titleUnderlined = Part(d, "TitleLabel")->font().underline();
                     button = Part(d, "Button1")->geometry();
                     buttonText = Part<QPushButton>(d, "Button1")->text();
                     buttonDefault = Part<QPushButton>(d, "Button1")->isDefault();
                     pageIsFirst = Shown(Part<QLabel>(d, "Image1")) == PageResource(3);
                     d->reject();
                   });
    QVERIFY(run.Seen);
    QCOMPARE(caption, QStringLiteral("Brelvonix帮助……"));
    QStringList expected;
    for (const char* c : kTopicCaptions) expected.append(QString::fromUtf8(c));
    QCOMPARE(captions, expected);
    for (int k = 0; k < 18; ++k) QCOMPARE(positions[k], QPoint(8, 40 + 23 * k));
    QCOMPARE(colours[0], QColor(255, 0, 0));
    for (int k = 1; k < 18; ++k) QCOMPARE(colours[k], kTopicBlue);
    QVERIFY(pageIsFirst);
    QCOMPARE(panelColour, platform::Light3DColor());
    QCOMPARE(panel, QRect(0, 0, labelWidth + 16, page.height()));
    QCOMPARE(page.topLeft(), QPoint(panel.width() + 4, 0));
    QCOMPARE(client, QSize(page.right() + 1, page.height()));
    QCOMPARE(titleText, QStringLiteral("目录"));
    QVERIFY(titleUnderlined);
    QCOMPARE(title.topLeft(), QPoint((panel.width() - title.width()) / 2 - 2, 12));
    QCOMPARE(buttonText, QStringLiteral("退出（&C）"));
    QVERIFY(buttonDefault);
    QCOMPARE(button, QRect(8, 40 + 23 * 17 + 35, panel.width() - 16, 2 * labelHeight + 4));
    QVERIFY(button.bottom() < page.height());
  }

  void HelpViewerTopicsShowTheirPages() {
    bool seventh = false, third = false;
    QColor current, previous, hovered, hoveredAfter, currentHovered;
    bool underlinedOver = false, underlinedAfter = true, currentUnderlined = false;
    const TModalRun run = WhileModal([&] { app::ShowHelpViewer(owner_.get()); },
                                     [&](QDialog* d) {
                                       auto* page = Part<QLabel>(d, "Image1");
                                       Click(Part(d, "Topic7"));
                                       seventh = Shown(page) == PageResource(7);
                                       current = TextColour(Part(d, "Topic7"));
                                       previous = TextColour(Part(d, "Topic3"));
                                       // The red topic stays red under the mouse.
                                       Hover(Part(d, "Topic7"), true);
                                       currentHovered = TextColour(Part(d, "Topic7"));
                                       currentUnderlined = Part(d, "Topic7")->font().underline();
                                       Hover(Part(d, "Topic7"), false);
                                       QWidget* other = Part(d, "Topic12");
                                       Hover(other, true);
                                       hovered = TextColour(other);
                                       underlinedOver = other->font().underline();
                                       Hover(other, false);
                                       hoveredAfter = TextColour(other);
                                       underlinedAfter = other->font().underline();
                                       Click(Part(d, "Topic3"));
                                       third = Shown(page) == PageResource(3);
                                       d->reject();
                                     });
    QVERIFY(run.Seen);
    QVERIFY(seventh);
    QCOMPARE(current, QColor(255, 0, 0));
    QCOMPARE(previous, kTopicBlue);
    QCOMPARE(currentHovered, QColor(255, 0, 0));
    QVERIFY(currentUnderlined);
    QCOMPARE(hovered, QColor(0, 0, 255));
    QVERIFY(underlinedOver);
    QCOMPARE(hoveredAfter, kTopicBlue);
    QVERIFY(!underlinedAfter);
    QVERIFY(third);
  }

  void HelpViewerClosesWithEscapeAndEnter_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("escape") << int(Qt::Key_Escape);
    QTest::newRow("enter") << int(Qt::Key_Return);
    QTest::newRow("keypad enter") << int(Qt::Key_Enter);
  }
  void HelpViewerClosesWithEscapeAndEnter() {
    QFETCH(int, key);
    const TModalRun run = WhileModal([&] { app::ShowHelpViewer(owner_.get()); },
                                     [&](QDialog* d) { QTest::keyClick(d, Qt::Key(key)); });
    QVERIFY(run.Seen);
    QVERIFY(!run.LeftOpen);
  }

  void HelpViewerStartsAgainOnTheFirstTopic() {
    WhileModal([&] { app::ShowHelpViewer(owner_.get()); },
               [&](QDialog* d) {
                 Click(Part(d, "Topic15"));
                 d->reject();
               });
    bool firstShown = false;
    QColor first, fifteenth;
    const TModalRun again = WhileModal([&] { app::ShowHelpViewer(owner_.get()); },
                                       [&](QDialog* d) {
                                         firstShown = Shown(Part<QLabel>(d, "Image1")) == PageResource(3);
                                         first = TextColour(Part(d, "Topic3"));
                                         fifteenth = TextColour(Part(d, "Topic15"));
                                         d->reject();
                                       });
    QVERIFY(again.Seen);
    QVERIFY(firstShown);
    QCOMPARE(first, QColor(255, 0, 0));
    QCOMPARE(fifteenth, kTopicBlue);
  }

  // Every page is a GIF of the one page size, and no two pages are the same picture.
  void EveryHelpPageDecodes() {
    platform::TLibrary library(MERULIN_LIBRARY);
    QVERIFY(library.Loaded());
    QList<QImage> pages;
    for (int n = 3; n <= 20; ++n) {
      const QImage page = PageResource(n);
      QVERIFY2(!page.isNull(), qPrintable(QStringLiteral("H%1").arg(n)));
      QCOMPARE(page.size(), QSize(600, 540));
      QVERIFY(!pages.contains(page));
      pages.append(page);
    }
    QVERIFY(PageResource(2).isNull());
    QVERIFY(PageResource(21).isNull());
  }

  // The red seal in a page's heading carries the page's number, the one its footer gives
  // as "n / 18": one digit on the first nine pages, two on the others.
  void HelpPageBadgesCountThePages() {
    platform::TLibrary library(MERULIN_LIBRARY);
    QVERIFY(library.Loaded());
    // The seal's frame is the square from (24, 14) to (54, 44); its number stands inside.
    const auto inkWidth = [](const QImage& page) {
      int first = -1, last = -1;
      for (int x = 29; x <= 49; ++x)
        for (int y = 19; y <= 39; ++y) {
          const QColor c = page.pixelColor(x, y);
          if (c.red() > 150 && c.green() < 120 && c.blue() < 120) {
            if (first < 0) first = x;
            last = x;
            break;
          }
        }
      return first < 0 ? 0 : last - first + 1;
    };
    for (int page = 1; page <= 18; ++page) {
      const int width = inkWidth(PageResource(page + 2));
      QVERIFY2(width > 0, qPrintable(QString::number(page)));
      QVERIFY2((width > 12) == (page >= 10), qPrintable(QStringLiteral("page %1: %2 px").arg(page).arg(width)));
    }
  }

  // ---- print options ----

  void PrintOptionsCaptionsAndLayout() {
    QStringList texts;
    QMap<QString, QRect> at;
    QSize client;
    bool frameless = false, printDefault = false;
    QColor headingColour, editColour;
    QImage picture;
    const TModalRun run = WhileModal([&] { app::AskPrintSettings(owner_.get(), {true, false, false, 1}); },
                                     [&](QDialog* d) {
                                       frameless = d->windowFlags() & Qt::FramelessWindowHint;
                                       texts << Part<QLabel>(d, "Label1")->text()
                                             << Part<QCheckBox>(d, "CheckBox1")->text()
                                             << Part<QCheckBox>(d, "CheckBox2")->text()
                                             << Part<QLabel>(d, "Label2")->text()
                                             << Part<QLineEdit>(d, "Edit1")->text()
                                             << Part<QPushButton>(d, "Button1")->text()
                                             << Part<QPushButton>(d, "Button2")->text();
                                       for (const char* name : {"Label1", "CheckBox1", "CheckBox2", "Label2", "Edit1",
                                                                "UpDown1", "Button1", "Button2"})
                                         at[QString::fromLatin1(name)] = Part(d, name)->geometry();
                                       client = d->size();
                                       printDefault = Part<QPushButton>(d, "Button1")->isDefault();
                                       headingColour = TextColour(Part(d, "Label1"));
                                       editColour = Part(d, "Edit1")->palette().color(QPalette::Text);
                                       picture = d->grab().toImage();
                                       d->reject();
                                     });
    QVERIFY(run.Seen);
    QVERIFY(frameless);
    QCOMPARE(texts, QStringList({"打印风格设置", "是否使用真彩打印？", "是否镜像打印文件？", "打印页数：", "1", "打印",
                                 "取消"}));
    QVERIFY(printDefault);
    QCOMPARE(headingColour, QColor(0, 128, 255));
    QCOMPARE(editColour, kNavy);
    const int m = div_.div8;
    const auto bottom = [](const QRect& r) { return r.y() + r.height(); };
    const auto right = [](const QRect& r) { return r.x() + r.width(); };
    QCOMPARE(at["Label1"].topLeft(), QPoint(m, m));
    QCOMPARE(at["CheckBox1"].topLeft(), QPoint(m, bottom(at["Label1"]) + 2 * m));
    QCOMPARE(at["CheckBox2"].topLeft(), QPoint(m, bottom(at["CheckBox1"]) + m));
    QCOMPARE(at["Edit1"].topLeft(), QPoint(m + at["Label2"].width(), bottom(at["CheckBox2"]) + m));
    QCOMPARE(at["Edit1"].width(), at["CheckBox1"].width() - at["Label2"].width() - at["UpDown1"].width() - 12);
    QCOMPARE(at["UpDown1"], QRect(right(at["Edit1"]), at["Edit1"].y(), at["UpDown1"].width(), at["Edit1"].height()));
    QCOMPARE(at["Label2"].topLeft(),
             QPoint(m, at["Edit1"].y() + (at["Edit1"].height() - at["Label2"].height()) / 2));
    QCOMPARE(at["Button1"].topLeft(), QPoint(div_.div8 + right(at["CheckBox1"]), m));
    QCOMPARE(at["Button2"].topLeft(), QPoint(at["Button1"].x(), bottom(at["Button1"]) + div_.div8));
    QCOMPARE(client, QSize(right(at["Button1"]) + div_.div12, bottom(at["Edit1"]) + m));
    // Painting: the border, the light rounded frame, the two lines under the heading.
    const int w = picture.width(), h = picture.height();
    QCOMPARE(Pixel(picture, 0, 0), kPink);
    QCOMPARE(Pixel(picture, w - 1, h - 1), kPink);
    QCOMPARE(Pixel(picture, w / 2, 5), QColor(platform::Light3DColor().rgb()));
    QCOMPARE(Pixel(picture, w / 2, 4), QColor(Qt::white));
    const QRect heading = at["Label1"];
    for (int x : {heading.x(), heading.x() + heading.width() / 2, right(heading) - 1}) {
      QCOMPARE(Pixel(picture, x, bottom(heading)), QColor(255, 128, 128));
      QCOMPARE(Pixel(picture, x, bottom(heading) + 1), QColor(255, 166, 166));
    }
    QCOMPARE(Pixel(picture, right(heading), bottom(heading)), QColor(Qt::white));
  }

  void PrintOptionsAnswers_data() {
    QTest::addColumn<int>("copies");       // the preset
    QTest::addColumn<QString>("shown");    // the copies field when the dialog opens
    QTest::addColumn<QString>("action");   // what the user does
    QTest::addColumn<QByteArray>("record");
    // Closed other than with the print button: true colour, mirrored, one copy, whatever was preset.
    const QByteArray cancelled = QByteArray::fromHex("01010001000000");
    QTest::newRow("cancel button") << 7 << "7" << "cancel" << cancelled;
    QTest::newRow("escape") << 7 << "7" << "escape" << cancelled;
    QTest::newRow("closed") << 7 << "7" << "close" << cancelled;
    QTest::newRow("print at once") << 5 << "5" << "print" << QByteArray::fromHex("00010105000000");
    QTest::newRow("enter prints") << 5 << "5" << "enter" << QByteArray::fromHex("00010105000000");
    QTest::newRow("checks changed") << 5 << "5" << "toggle" << QByteArray::fromHex("01000105000000");
    QTest::newRow("typed copies") << 5 << "5" << "type 37" << QByteArray::fromHex("00010125000000");
    QTest::newRow("typed text is no number") << 5 << "5" << "type abc" << QByteArray::fromHex("00010105000000");
    QTest::newRow("typed beyond the spinner") << 5 << "5" << "type 250" << QByteArray::fromHex("00010105000000");
    QTest::newRow("up arrow") << 5 << "5" << "up" << QByteArray::fromHex("00010106000000");
    QTest::newRow("preset below one") << 0 << "1" << "print" << QByteArray::fromHex("00010101000000");
    QTest::newRow("preset above a hundred") << 500 << "100" << "print" << QByteArray::fromHex("00010164000000");
    QTest::newRow("no copies below one") << 1 << "1" << "down" << QByteArray::fromHex("00010101000000");
    QTest::newRow("no copies above a hundred") << 100 << "100" << "up" << QByteArray::fromHex("00010164000000");
    QTest::newRow("key up in the field") << 99 << "99" << "key up" << QByteArray::fromHex("00010164000000");
  }
  void PrintOptionsAnswers() {
    QFETCH(int, copies);
    QFETCH(QString, shown);
    QFETCH(QString, action);
    QFETCH(QByteArray, record);
    QString opened;
    bool trueColourShown = true, mirrorShown = false;
    merulin::TPrintSettings answer{};
    const TModalRun run = WhileModal(
        [&] { answer = app::AskPrintSettings(owner_.get(), {false, true, false, copies}); },
        [&](QDialog* d) {
          auto* edit = Part<QLineEdit>(d, "Edit1");
          opened = edit->text();
          trueColourShown = Part<QCheckBox>(d, "CheckBox1")->isChecked();
          mirrorShown = Part<QCheckBox>(d, "CheckBox2")->isChecked();
          auto* print = Part<QPushButton>(d, "Button1");
          if (action == "cancel") Click(Part(d, "Button2"));
          if (action == "escape") QTest::keyClick(d, Qt::Key_Escape);
          if (action == "close") d->close();
          if (action == "enter") QTest::keyClick(edit, Qt::Key_Return);
          if (action == "toggle") {
            Click(Part(d, "CheckBox1"));
            Click(Part(d, "CheckBox2"));
          }
          if (action.startsWith("type ")) {
            edit->selectAll();
            QTest::keyClicks(edit, action.mid(5));
          }
          if (action == "up" || action == "down") Click(Part(d, "UpDown1")->findChild<QToolButton*>(action == "up" ? "Up" : "Down"));
          if (action == "key up") QTest::keyClick(edit, Qt::Key_Up);
          if (d->isVisible()) Click(print);
        });
    QVERIFY(run.Seen);
    QVERIFY(!run.LeftOpen);
    QCOMPARE(opened, shown);
    QVERIFY(!trueColourShown);
    QVERIFY(mirrorShown);
    QCOMPARE(Bytes(answer).toHex(), record.toHex());
  }

  // ---- export options ----

  void ExportOptionsCaptionsAndLayout() {
    QString caption, dpiText;
    QStringList texts, items;
    QMap<QString, QRect> at;
    QSize client;
    int rowHeight = 0, nullIcons = 0;
    bool opaqueHeading = false, exportDefault = false;
    QColor headingColour, dpiColour, background;
    bool dpiFits = true;
    const TModalRun run =
        WhileModal([&] { app::AskExportSettings(owner_.get()); },
                   [&](QDialog* d) {
                     caption = d->windowTitle();
                     texts << Part<QLabel>(d, "Label3")->text() << Part<QLabel>(d, "Label1")->text()
                           << Part<QLineEdit>(d, "Edit1")->text() << Part<QLabel>(d, "Label2")->text()
                           << Part<QCheckBox>(d, "CheckBox1")->text() << Part<QCheckBox>(d, "CheckBox2")->text()
                           << Part<QPushButton>(d, "Button1")->text() << Part<QPushButton>(d, "Button2")->text();
                     auto* list = Part<QListWidget>(d, "List");
                     for (int i = 0; i < list->count(); ++i) {
                       items << list->item(i)->text();
                       if (list->item(i)->icon().isNull()) ++nullIcons;
                     }
                     rowHeight = list->visualItemRect(list->item(0)).height();
                     for (const char* name : {"Label3", "Label1", "Edit1", "UpDown1", "Label2", "CheckBox1", "CheckBox2",
                                              "ComboBoxEx1", "Label4", "Button1", "Button2"})
                       at[QString::fromLatin1(name)] = Part(d, name)->geometry();
                     client = d->size();
                     dpiText = Part<QLabel>(d, "Label4")->text();
                     // Each line of the label fits its width, so the label wraps nowhere else.
                     for (const QString& line : dpiText.split(QLatin1Char('\n')))
                       dpiFits = dpiFits && Part(d, "Label4")->fontMetrics().horizontalAdvance(line) <=
                                                Part(d, "Label4")->width();
                     dpiColour = TextColour(Part(d, "Label4"));
                     headingColour = TextColour(Part(d, "Label3"));
                     opaqueHeading = Part(d, "Label3")->autoFillBackground();
                     exportDefault = Part<QPushButton>(d, "Button1")->isDefault();
                     background = d->palette().color(QPalette::Window);
                     d->reject();
                   });
    QVERIFY(run.Seen);
    QCOMPARE(caption, QStringLiteral("导出为图象"));
    QCOMPARE(texts, QStringList({"设置图象导出方式", "图象精度：", "600", "dpi", "是否镜像导出图象？",
                                 "导出到Windows剪贴板？", "导  出", "取  消"}));
    QCOMPARE(items, QStringList({"Bmp  Windows位图", "EMF  Windows矢量图", "JPG  JPEG压缩影像", "GIF  CompuServe GIF",
                                 "TIFF Tag影像"}));
    QCOMPARE(nullIcons, 0);
    QCOMPARE(dpiText, QStringLiteral("当前显示\n器分辨精\n度:%1dpi").arg(div_.ppi));
    QVERIFY(dpiFits);
    QCOMPARE(dpiColour, kNavy);
    QCOMPARE(headingColour, QColor(0, 128, 255));
    QVERIFY(opaqueHeading);
    QVERIFY(exportDefault);
    QCOMPARE(background, platform::ButtonFaceColor());
    const auto bottom = [](const QRect& r) { return r.y() + r.height(); };
    const auto right = [](const QRect& r) { return r.x() + r.width(); };
    QCOMPARE(at["Label3"].topLeft(), QPoint(div_.div8, div_.div8));
    QCOMPARE(at["Label1"].topLeft(), QPoint(div_.div12, bottom(at["Label3"]) + div_.div8));
    QCOMPARE(at["Edit1"].topLeft(),
             QPoint(right(at["Label1"]), at["Label1"].y() + (at["Label1"].height() - at["Edit1"].height()) / 2));
    QCOMPARE(at["UpDown1"].topLeft(), QPoint(right(at["Edit1"]), at["Edit1"].y()));
    QCOMPARE(at["Label2"].topLeft(),
             QPoint(right(at["UpDown1"]) + div_.div48, bottom(at["UpDown1"]) - at["Label2"].height() / 2));
    QCOMPARE(at["CheckBox1"].topLeft(), QPoint(div_.div12, bottom(at["Edit1"]) + div_.div24));
    QCOMPARE(at["CheckBox2"].topLeft(), QPoint(div_.div12, bottom(at["CheckBox1"]) + div_.div48));
    QCOMPARE(at["ComboBoxEx1"],
             QRect(div_.div12, bottom(at["CheckBox2"]) + div_.div16,
                   at["Label1"].x() + at["Label1"].width() + at["Edit1"].width() + at["UpDown1"].width() +
                       at["Label2"].width(),
                   rowHeight * 7));
    QCOMPARE(client.height(), bottom(at["ComboBoxEx1"]) + 6);
    QCOMPARE(at["Button2"].topLeft(),
             QPoint(right(at["ComboBoxEx1"]) + div_.div12, client.height() - at["Button2"].height() - div_.div10));
    QCOMPARE(at["Button1"].topLeft(),
             QPoint(at["Button2"].x(), at["Button2"].y() - at["Button1"].height() - div_.div4));
    QCOMPARE(at["Label4"].topLeft(), QPoint(at["Button1"].x() + 1, div_.div8));
    QCOMPARE(at["Label4"].width(), at["Button1"].width());
    QCOMPARE(client.width(), right(at["Button1"]) + div_.div24);
  }

  void ExportOptionsAnswers_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QByteArray>("record");
    // What the dialog said to the export button, each time it refused; it stays open then.
    QTest::addColumn<QStringList>("said");
    const QStringList none;
    const QStringList refused{QStringLiteral("图象精度必须是大于零的整数！")};
    const QByteArray zero(14, '\0');
    // 600, 2000 and 1440 dpi / 25.4 as 80-bit extended values, rounded from the exact quotients (to the nearest, ties to even).
    const QByteArray dpi600 = QByteArray::fromHex("7d3e9fcfe7f3f9bc0340");
    const QByteArray dpi2000 = QByteArray::fromHex("be5eafd7ebf57a9d0540");
    const QByteArray dpi1440 = QByteArray::fromHex("63b1582c168bc5e20440");
    const auto accepted = [](const QByteArray& ppmm, const char* rest) {
      return QByteArray::fromHex("01") + ppmm + QByteArray::fromHex(rest);
    };
    QTest::newRow("export at once") << QStringList{"export"} << accepted(dpi600, "000000") << none;
    QTest::newRow("cancel") << QStringList{"cancel"} << zero << none;
    QTest::newRow("escape") << QStringList{"escape"} << zero << none;
    QTest::newRow("mirrored gif") << QStringList{"mirror", "format 3", "export"} << accepted(dpi600, "030100") << none;
    QTest::newRow("clipboard") << QStringList{"clipboard", "format 2", "export"} << accepted(dpi600, "020001") << none;
    QTest::newRow("tiff never to the clipboard")
        << QStringList{"clipboard", "format 4", "export"} << accepted(dpi600, "040000") << none;
    QTest::newRow("back from tiff") << QStringList{"clipboard", "format 4", "format 0", "export"}
                                    << accepted(dpi600, "000001") << none;
    QTest::newRow("zero dpi") << QStringList{"type 0", "export"} << zero << refused;
    QTest::newRow("typed above the spinner") << QStringList{"type 2000", "export"} << accepted(dpi2000, "000000") << none;
    QTest::newRow("blanks around") << QStringList{"type  600 ", "export"} << accepted(dpi600, "000000") << none;
    QTest::newRow("no number") << QStringList{"type abc", "export"} << zero << refused;
    QTest::newRow("negative") << QStringList{"type -5", "export"} << zero << refused;
    QTest::newRow("decimal") << QStringList{"type 600.5", "export"} << zero << refused;
    QTest::newRow("spinner stops at 1440") << QStringList{"type 1440", "up", "check 1440", "export"}
                                           << accepted(dpi1440, "000000") << none;
    QTest::newRow("spinner stops at 0") << QStringList{"type 0", "down", "check 0", "export"} << zero << refused;
    QTest::newRow("a whole number after a refusal")
        << QStringList{"type 600.5", "export", "selected", "type 600", "export"} << accepted(dpi600, "000000") << refused;
  }
  void ExportOptionsAnswers() {
    QFETCH(QStringList, steps);
    QFETCH(QByteArray, record);
    QFETCH(QStringList, said);
    merulin::TExportSettings answer{};
    QStringList checks;
    QStringList answers;
    const TModalRun run = WhileModal(
        [&] { answer = app::AskExportSettings(owner_.get()); },
        [&](QDialog* d) {
          auto* edit = Part<QLineEdit>(d, "Edit1");
          auto* list = Part<QListWidget>(d, "List");
          for (const QString& step : steps) {
            if (step == "export") {
              const QString message = ClickAnswering(Part(d, "Button1"));
              if (!message.isEmpty()) {
                answers << message;
                checks << QString::number(d->isVisible()) + "=1";
              }
            }
            if (step == "selected") checks << edit->selectedText() + "=" + edit->text();
            if (step == "cancel") Click(Part(d, "Button2"));
            if (step == "escape") QTest::keyClick(d, Qt::Key_Escape);
            if (step == "mirror") Click(Part(d, "CheckBox1"));
            if (step == "clipboard") Click(Part(d, "CheckBox2"));
            if (step.startsWith("format ")) {
              QListWidgetItem* item = list->item(step.mid(7).toInt());
              QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
            }
            if (step.startsWith("type ")) {
              edit->selectAll();
              QTest::keyClicks(edit, step.mid(5));
            }
            if (step == "up" || step == "down") Click(Part(d, "UpDown1")->findChild<QToolButton*>(step == "up" ? "Up" : "Down"));
            if (step.startsWith("check ")) checks << edit->text() + "=" + step.mid(6);
          }
          if (d->isVisible()) d->reject();
        });
    QVERIFY(run.Seen);
    for (const QString& c : checks) QCOMPARE(c.section('=', 0, 0), c.section('=', 1));
    QCOMPARE(answers, said);
    QCOMPARE(Bytes(answer).toHex(), record.toHex());
  }

  // The export zeroes the whole record before anything else.
  void ExportOptionsZeroTheCallersRecord() {
    platform::TLibrary library(MERULIN_LIBRARY);
    QVERIFY(library.Loaded());
    merulin::TExportSettings record;
    std::memset(&record, 0xAA, sizeof record);
    const TModalRun run = WhileModal([&] {
      library.Function<merulin::TShowExportToImage>(merulin::kShowExportToImage)(&record, owner_.get());
    });
    QVERIFY(run.Seen);
    QCOMPARE(Bytes(record), QByteArray(14, '\0'));
    QCOMPARE(merulin::PixelsPerMmOf(record), 0.0L);
  }

  void ExportOptionsClipboardBoxFollowsTheFormat() {
    QList<bool> enabled;
    WhileModal([&] { app::AskExportSettings(owner_.get()); },
               [&](QDialog* d) {
                 auto* list = Part<QListWidget>(d, "List");
                 auto* box = Part<QCheckBox>(d, "CheckBox2");
                 enabled << box->isEnabled();
                 for (int row : {4, 1, 4, 3}) {
                   QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
                   enabled << box->isEnabled();
                 }
                 d->reject();
               });
    QCOMPARE(enabled, QList<bool>({true, false, true, false, true}));
  }

 private:
  std::unique_ptr<QWidget> owner_;
  int ppi_ = 0;
  TDivisions div_{};
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
