#include "FailingDevice.h"
#include "ReportFixture.h"
#include "printing/ReportComposer.h"
#include "printing/RtfWriter.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

namespace {

const QDate kDate(2026, 12, 6);

// True when the braces outside escapes balance, so a word processor reads the whole document.
bool balanced(QByteArray rtf)
{
    rtf.replace("\\\\", "").replace("\\{", "").replace("\\}", "");
    return rtf.count('{') == rtf.count('}');
}

int countWord(const QByteArray& rtf, const QString& word) // a control word ends before the next non-letter
{
    return int(QString::fromLatin1(rtf).count(QRegularExpression(QRegularExpression::escape(word) + "(?![a-z])")));
}

} // namespace

class TestRtfWriter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void reports_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("cards");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("recipes") << 0 << false << 0 << QStringList { "Categories: Desserts", "Source: Mom", "Bread" };
        QTest::newRow("cards") << 0 << true << 1
                               << QStringList { "Bread", "\\paperw7200\\paperh4320\\margl0\\margr0\\margt864\\margb0" };
        QTest::newRow("shopping list") << 1 << false << 0
                                       << QStringList { "Shopping List - Zestora", "2 cups", "Produce" };
        QTest::newRow("menu") << 2 << false << 0 << QStringList { "Menu Planner - Zestora", "03/15", "Soup" };
    }
    void reports()
    {
        QFETCH(int, kind);
        QFETCH(bool, cards);
        QFETCH(int, pages);
        QFETCH(QStringList, texts);
        ReportFixture fx;
        fx.addRecipe({ "Apple Pie", {}, "Desserts~", "8", "2|cups|flour~", "Bake {hot}.", {}, "~~Mom" });
        fx.addRecipe({ "Bread", {}, {}, "4", "1|kg|flour~", "Knead." });
        fx.addShopItem("003flour", "3", "2", "cups", "flour", "Apple Pie");
        fx.addShopItem("producelettuce", "Produce", "1", "", "lettuce", "");
        fx.addMenu("20070315~soup", "Soup");
        fx.addMenu("20070101~gone", "Gone Menu", "0x0002");
        fx.addShopItem("002gone", "2", "1", "", "gone item", "", "0x0002");
        ReportDocument doc;
        PrintOptions options;
        options.cards = cards;
        if (kind == 0)
            ReportComposer::composeRecipes(doc, fx.recipes(), options, kDate);
        else if (kind == 1)
            ReportComposer::composeShoppingList(doc, fx.loadShoppingList()->recordset(), kDate);
        else
            ReportComposer::composeMenu(doc, fx.menu(), kDate);

        const QByteArray rtf = RtfWriter().toRtf(doc);
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi"));
        QVERIFY(balanced(rtf) && rtf.trimmed().endsWith("}"));
        // A break is "page break before" on the next title: word processors drop a \\page after a table row.
        QCOMPARE(QList<int>({ countWord(rtf, "\\pagebb"), countWord(rtf, "\\page"), countWord(rtf, "\\header") }),
                 QList<int>({ pages, 0, 1 }));
        QVERIFY(rtf.contains(" Zestora Plus\\tab "));
        QVERIFY(rtf.contains("December 6, 2026\\tab Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}"));
        QCOMPARE(countWord(rtf, "\\row"), countWord(rtf, "\\trowd"));
        QVERIFY(!rtf.contains("Gone Menu") && !rtf.contains("gone item")); // deleted entries are left out
        for (const QString& t : texts)
            QVERIFY2(rtf.contains(t.toLatin1()), qPrintable(t));
    }
    void escaping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("rtf");
        QTest::newRow("braces and backslash") << "a{b}\\c" << QByteArray("a\\{b\\}\\\\c");
        QTest::newRow("line breaks") << "one\r\ntwo\nthree" << QByteArray("one\\line two\\line three");
        QTest::newRow("windows-1252") << QString::fromUtf8("Crème brûlée €")
                                      << QByteArray("Cr\\'e8me br\\'fbl\\'e9e \\'80");
        QTest::newRow("beyond windows-1252") << QString::fromUtf8("Ω") << QByteArray("\\u937?");
        QTest::newRow("control characters dropped") << QString("a\x01"
                                                               "b")
                                                    << QByteArray("ab");
    }
    void escaping()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, rtf);
        QCOMPARE(RtfWriter::escape(text), rtf);
    }
    void picturesEmbeddedOrLeftOut()
    {
        ReportFixture fx;
        const QString notPng = QDir(fx.dataPath()).filePath("notpng.png");
        TestData::writeFile(notPng, "GIF89a....");
        ReportDocument doc;
        doc.startDoc();
        doc.drawPicture(fx.writePicture(), 5.5, 2.0, 2.0);
        doc.drawPicture(notPng, 1, 1, 1);
        doc.drawPicture(fx.dataPath() + "/missing.png", 1, 1, 1);
        doc.endDoc();
        const QByteArray rtf = RtfWriter().toRtf(doc);
        QVERIFY(balanced(rtf));
        // Only the readable PNG is embedded (4x3 pixels in a 2 in box); the others show the printed page's box.
        QCOMPARE(countWord(rtf, "\\pict"), 1);
        QVERIFY(rtf.contains("\\pngblip\\picw4\\pich3\\picwgoal2880\\pichgoal2160"));
        QVERIFY(rtf.contains(ReportFixture::tinyPng().toHex().left(64)));
        QCOMPARE(rtf.count("Picture not found"), 2);
    }
    void writeFileReplacesAndReportsFailures()
    {
        ReportFixture fx;
        ReportDocument doc;
        doc.paragraph("new");
        const QString target = QDir(fx.dataPath()).filePath("report.rtf");
        TestData::writeFile(target, "old");
        QVERIFY(!RtfWriter().writeFile(doc, target));
        QVERIFY(TestData::readFile(target).contains("new"));
        QVERIFY(RtfWriter().writeFile(doc, fx.dataPath() + "/no/such/folder/report.rtf").has_value());
        doc.paragraph(QString(5000, 'x'));
        FailingDevice device(100);
        QVERIFY(device.open(QIODevice::WriteOnly));
        QVERIFY(!RtfWriter().write(doc, &device));
    }
};

QTEST_GUILESS_MAIN(TestRtfWriter)
#include "test_rtfwriter.moc"
