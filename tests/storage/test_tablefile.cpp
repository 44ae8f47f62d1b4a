#include <QTest>
class T : public QObject { Q_OBJECT private Q_SLOTS: void x() { QVERIFY(true); } };
QTEST_GUILESS_MAIN(T)
#include "test_tablefile.moc"
