// The document area's wallpaper.
#include <QtTest>

#include "controls/mdiclient.h"
#include "platform/bitmap.h"

class MdiClientTest : public QObject {
  Q_OBJECT

 private slots:
  void WallpaperCentredAndClipped() {
    TMdiClient client;
    client.resize(100, 80);
    client.show();
    QVERIFY(QTest::qWaitForWindowExposed(&client));
    const QSize area = client.viewport()->size();
    const QRgb background = client.viewport()->grab().toImage().pixel(area.width() / 2, area.height() / 2);

    platform::TBitmap small(20, 10);
    small.Fill(platform::clRed);
    client.SetWallpaper(&small);
    QImage shot = client.viewport()->grab().toImage();
    const int x = (area.width() - 20) / 2;
    const int y = (area.height() - 10) / 2;
    QCOMPARE(shot.pixel(x, y), QRgb(0xFFFF0000));
    QCOMPARE(shot.pixel(x + 19, y + 9), QRgb(0xFFFF0000));
    QCOMPARE(shot.pixel(x - 1, y), background);
    QCOMPARE(shot.pixel(x + 20, y + 9), background);
    QCOMPARE(shot.pixel(x, y + 10), background);

    // Larger than the area: centred, its edges cut off, not stretched.
    platform::TBitmap large(300, 200);
    large.Fill(platform::clWhite);
    const int ox = (area.width() - 300) / 2;
    const int oy = (area.height() - 200) / 2;
    large.SetPixel(-ox, -oy, 0x00FF00);
    large.SetPixel(-ox + area.width() - 1, -oy + area.height() - 1, 0xFF0000);
    large.SetPixel(-ox - 1, -oy, 0x0000FF);
    client.SetWallpaper(&large);
    shot = client.viewport()->grab().toImage();
    QCOMPARE(shot.pixel(0, 0), QRgb(0xFF00FF00));
    QCOMPARE(shot.pixel(area.width() - 1, area.height() - 1), QRgb(0xFF0000FF));
    QCOMPARE(shot.pixel(1, 0), QRgb(0xFFFFFFFF));

    // Null and empty wallpapers are simply not painted.
    platform::TBitmap empty;
    const platform::TBitmap* nones[] = {&empty, nullptr};
    for (const platform::TBitmap* none : nones) {
      client.SetWallpaper(none);
      shot = client.viewport()->grab().toImage();
      QCOMPARE(shot.pixel(0, 0), background);
      QCOMPARE(shot.pixel(area.width() / 2, area.height() / 2), background);
    }
  }
};

QTEST_MAIN(MdiClientTest)
#include "mdiclient_test.moc"
