#include <QtTest>
class LoadTest : public QObject { Q_OBJECT };
QTEST_MAIN(LoadTest)
#include "load_test.moc"
