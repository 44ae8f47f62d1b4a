#include "ReportFixture.h"
#include "TestPaths.h"

#include <QProcess>
#include <QTest>

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run zestora(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(ZESTORA_BINARY_DIR "/src/zestora"), QStringList { "report" } + args);
    p.waitForFinished(120000);
    return { p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError()) };
}

} // namespace

class TestReportCommand : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writesRtfAndPdf_data();
    void writesRtfAndPdf();
    void searchAndSelection();
    void badArguments_data();
    void badArguments();
};

void TestReportCommand::writesRtfAndPdf_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("absent");
    QTest::newRow("recipes") << QStringList { "recipes" } << "Apple Pie"
                             << "\\page";
    QTest::newRow("recipes, new page") << QStringList { "recipes", "--new-page" } << "\\page"
                                       << "____";
    QTest::newRow("cards") << QStringList { "recipes", "--cards" } << "\\paperw7200"
                           << "____";
    QTest::newRow("shopping list") << QStringList { "shoplist" } << "Shopping List - Zestora"
                                   << "gone";
    QTest::newRow("menu") << QStringList { "menu" } << "03/15"
                          << "gone";
}

void TestReportCommand::writesRtfAndPdf()
{
    QFETCH(QStringList, args);
    QFETCH(QString, text);
    QFETCH(QString, absent);
    ReportFixture fx;
    fx.addRecipe({ "Apple Pie", {}, {}, "8", "2|cups|flour~", "Bake." });
    fx.addRecipe({ "Bread", {}, {}, "4", "1|kg|flour~", "Knead." });
    fx.addMenu("20070315~apple pie", "Apple Pie");
    fx.addMenu("20070316~gone", "gone", "0x0002");
    fx.addShopItem("003flour", "3", "2", "cups", "flour", "Apple Pie");
    fx.addShopItem("003gone", "3", "", "", "gone", "", "0x0002");
    fx.saveAll();
    const QString rtf = fx.dataPath() + "/out.rtf";
    const QString pdf = fx.dataPath() + "/out.pdf";
    const Run run = zestora(QStringList { fx.dataPath(), args.first() } + args.mid(1)
                            + QStringList { "--rtf", rtf, "--pdf", pdf });
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QByteArray rtfBytes = TestData::readFile(rtf);
    QVERIFY(rtfBytes.startsWith("{\\rtf1"));
    QVERIFY(rtfBytes.contains(text.toLatin1()));
    QVERIFY(!rtfBytes.contains(absent.toLatin1()));
    QVERIFY(TestData::readFile(pdf).startsWith("%PDF"));
    QVERIFY(run.out.contains("wrote " + pdf));
}

void TestReportCommand::searchAndSelection()
{
    ReportFixture fx;
    fx.addRecipe({ "Apple Pie", "apple pie", "Desserts~" });
    fx.addRecipe({ "Bread", "bread", "Baking~" });
    fx.addRecipe({ "Cake", "cake", "Desserts~" });
    fx.saveAll();
    const QString rtf = fx.dataPath() + "/out.rtf";
    Run run = zestora({ fx.dataPath(), "recipes", "--category", "desserts", "--rtf", rtf });
    QCOMPARE(run.status, 0);
    QByteArray bytes = TestData::readFile(rtf);
    QVERIFY(bytes.contains("Apple Pie") && bytes.contains("Cake") && !bytes.contains("Bread"));

    run = zestora({ fx.dataPath(), "recipes", "--select", "cake", "--select", "bread", "--rtf", rtf });
    QCOMPARE(run.status, 0);
    bytes = TestData::readFile(rtf);
    QVERIFY(!bytes.contains("Apple Pie"));
    QVERIFY(bytes.indexOf("Cake") < bytes.indexOf("Bread"));
}

void TestReportCommand::badArguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("no output") << QStringList { "DATA", "menu" } << 1 << "usage:";
    QTest::newRow("unknown report") << QStringList { "DATA", "letters", "--rtf", "OUT" } << 1 << "unknown report";
    QTest::newRow("unknown option") << QStringList { "DATA", "menu", "--colour", "--rtf", "OUT" } << 1
                                    << "unknown option";
    QTest::newRow("missing value") << QStringList { "DATA", "menu", "--rtf" } << 1 << "needs a value";
    QTest::newRow("no data folder") << QStringList { "/no/such/folder", "menu", "--rtf", "OUT" } << 2
                                    << "no data folder";
    QTest::newRow("unwritable output") << QStringList { "DATA", "menu", "--rtf", "/no/such/folder/x.rtf" } << 2
                                       << "cannot write";
}

void TestReportCommand::badArguments()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, message);
    ReportFixture fx;
    for (QString& a : args) {
        a.replace("DATA", fx.dataPath());
        a.replace("OUT", fx.dataPath() + "/out.rtf");
    }
    const Run run = zestora(args);
    QCOMPARE(run.status, status);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestReportCommand)
#include "test_reportcommand.moc"
