#include "TestData.h"
#include "printing/PrintSettings.h"
#include "shell/AppState.h"

#include <QTemporaryDir>
#include <QTest>

class TestPrintSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { AppState::instance().reset(); }
    void readsWithDefaults_data();
    void readsWithDefaults();
    void writeKeepsTheRestOfTheFile();
    void missingFileIsCreated();
};

void TestPrintSettings::readsWithDefaults_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("newPage");
    QTest::addColumn<bool>("selected");
    QTest::newRow("missing keys") << QByteArray("[Main]\r\nDataPath=/x/\r\n") << false << false;
    QTest::newRow("both on") << QByteArray("[Main]\r\nPrintNewPage=1\r\nPrintRange=1\r\n") << true << true;
    QTest::newRow("other section ignored") << QByteArray("[Form]\r\nPrintRange=1\r\n") << false << false;
    QTest::newRow("not a one") << QByteArray("[Main]\r\nPrintNewPage=yes\r\nPrintRange=0\r\n") << false << false;
}

void TestPrintSettings::readsWithDefaults()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, newPage);
    QFETCH(bool, selected);
    QTemporaryDir dir;
    AppState::instance().settingsPath = dir.filePath("zestoraplus.ini");
    TestData::writeFile(AppState::instance().settingsPath, ini);
    QCOMPARE(PrintSettings::newPage(), newPage);
    QCOMPARE(PrintSettings::selectedRange(), selected);
}

void TestPrintSettings::writeKeepsTheRestOfTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("zestoraplus.ini");
    AppState::instance().settingsPath = path;
    TestData::writeFile(path, "[Main]\r\nInstallType=Palm\r\nDataPath=/data/\r\nPrintRange=0\r\n[Form]\r\nTop=10\r\n");
    PrintSettings::setSelectedRange(true);
    PrintSettings::setNewPage(true);
    QVERIFY(PrintSettings::selectedRange());
    QVERIFY(PrintSettings::newPage());
    const QByteArray bytes = TestData::readFile(path);
    for (const char* kept : { "InstallType=Palm", "DataPath=/data/", "[Form]", "Top=10" })
        QVERIFY2(bytes.contains(kept), kept);
    QVERIFY(bytes.contains("PrintRange=1\r\n"));
    QCOMPARE(bytes.count("PrintRange"), 1);
    QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
}

void TestPrintSettings::missingFileIsCreated()
{
    QTemporaryDir dir;
    AppState::instance().settingsPath = dir.filePath("zestoraplus.ini");
    QVERIFY(!PrintSettings::newPage());
    PrintSettings::setNewPage(true);
    QVERIFY(PrintSettings::newPage());
    QVERIFY(TestData::readFile(AppState::instance().settingsPath).contains("[Main]"));
}

QTEST_GUILESS_MAIN(TestPrintSettings)
#include "test_printsettings.moc"
