#include "Cli.h"
#include "ReportFixture.h"

#include <QTest>

// The report command writes what the preview composes; the first row runs the real program, which makes its
// own application for painting.
class TestReportCommand : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writesRtfAndPdf_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("texts"); // present, in this order
        QTest::addColumn<QString>("absent");
        QTest::newRow("recipes, new page")
            << QStringList { "recipes", "--new-page" } << QStringList { "\\page" } << "____";
        QTest::newRow("cards") << QStringList { "recipes", "--cards" } << QStringList { "\\paperw7200" } << "____";
        QTest::newRow("selection in the order given")
            << QStringList { "recipes", "--select", "cake", "--select", "bread" } << QStringList { "Cake", "Bread" }
            << "Apple Pie";
        QTest::newRow("shopping list") << QStringList { "shoplist" } << QStringList { "Shopping List - Zestora" }
                                       << "gone";
        QTest::newRow("menu") << QStringList { "menu" } << QStringList { "03/15" } << "gone";
    }
    void writesRtfAndPdf()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, texts);
        QFETCH(QString, absent);
        ReportFixture fx;
        fx.addRecipe({ "Apple Pie", {}, "Desserts~", "8", "2|cups|flour~", "Bake." });
        fx.addRecipe({ "Bread", {}, "Baking~", "4", "1|kg|flour~", "Knead." });
        fx.addRecipe({ "Cake", {}, "Desserts~" });
        fx.addMenu("20070315~apple pie", "Apple Pie");
        fx.addMenu("20070316~gone", "gone", "0x0002");
        fx.addShopItem("003flour", "3", "2", "cups", "flour", "Apple Pie");
        fx.addShopItem("003gone", "3", "", "", "gone", "", "0x0002");
        fx.saveAll();
        const QString rtf = fx.dataPath() + "/out.rtf";
        const QString pdf = fx.dataPath() + "/out.pdf";
        const QStringList all = QStringList { "report", fx.dataPath(), "--rtf", rtf, "--pdf", pdf } + args;
        const TestCli::Run run
            = QTest::currentDataTag() == QByteArray("recipes, new page") ? TestCli::runProcess(all) : TestCli::run(all);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QByteArray rtfBytes = TestData::readFile(rtf);
        QVERIFY(rtfBytes.startsWith("{\\rtf1"));
        int at = -1;
        for (const QString& t : texts) {
            const int next = rtfBytes.indexOf(t.toLatin1(), at + 1);
            QVERIFY2(next > at, qPrintable(t));
            at = next;
        }
        QVERIFY(!rtfBytes.contains(absent.toLatin1()));
        QVERIFY(TestData::readFile(pdf).startsWith("%PDF"));
        QVERIFY(run.out.contains("wrote " + pdf));
    }
};

QTEST_MAIN(TestReportCommand)
#include "test_reportcommand.moc"
