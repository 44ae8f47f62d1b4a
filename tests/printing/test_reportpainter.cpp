#include "ReportFixture.h"
#include "printing/ReportComposer.h"
#include "printing/ui/ReportPainter.h"
#include "printing/ui/ReportPdf.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QTest>

namespace {

constexpr double U = ReportPainter::Unit;

ReportDocument docWithHeader()
{
    ReportDocument doc;
    doc.startDoc();
    doc.setHeader("Zestora Plus|today|Page %d");
    return doc;
}

} // namespace

class TestReportPainter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void runningTextOnEveryPage()
    {
        ReportDocument doc = docWithHeader();
        for (int i = 0; i < 200; ++i)
            doc.paragraph(QStringLiteral("line %1").arg(i));
        const ReportPainter pages(doc);
        QVERIFY(pages.pageCount() >= 3);
        QStringList body;
        for (int p = 1; p <= pages.pageCount(); ++p) {
            const QStringList texts = pages.pageTexts(p);
            QCOMPARE(texts.mid(0, 3), (QStringList { "Zestora Plus", "today", QStringLiteral("Page %1").arg(p) }));
            body << texts.mid(3);
        }
        // Every line is printed exactly once, in order.
        QCOMPARE(body.size(), 200);
        QCOMPARE(body.first(), QString("line 0"));
        QCOMPARE(body.last(), QString("line 199"));
    }
    void explicitPageBreaks_data()
    {
        QTest::addColumn<bool>("card");
        QTest::addColumn<int>("breaks");
        QTest::newRow("letter") << false << 2;
        QTest::newRow("card") << true << 4;
    }
    void explicitPageBreaks()
    {
        QFETCH(bool, card);
        QFETCH(int, breaks);
        ReportDocument doc = docWithHeader();
        doc.setPaper(card ? ReportPaper::indexCard() : ReportPaper::letter());
        doc.paragraph("first");
        for (int i = 0; i < breaks; ++i) {
            doc.newPage();
            doc.paragraph(QStringLiteral("after %1").arg(i));
        }
        const ReportPainter pages(doc);
        QCOMPARE(pages.pageCount(), breaks + 1);
        QCOMPARE(pages.pageSize(), card ? QSizeF(5 * U, 3 * U) : QSizeF(8.5 * U, 11 * U));
        QVERIFY(pages.pageTexts(2).contains("after 0"));
    }
    void tableBreaksWithRepeatedHeader_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("repeated");
        QTest::newRow("with header") << "<+0.5in|<+1.0in|<+2.4in|<+2.8in" << true;
        QTest::newRow("plain list") << "<+0.8in|<+1.0in|<+4.7in~" << false;
    }
    void tableBreaksWithRepeatedHeader()
    {
        QFETCH(QString, format);
        QFETCH(bool, repeated);
        ReportDocument doc = docWithHeader();
        QVector<QStringList> rows;
        for (int i = 0; i < 150; ++i)
            rows.append({ QString::number(i % 9), "2 cups", QStringLiteral("item %1").arg(i), "Recipe" });
        doc.addTable(format, { "Aisle", "Amount", "Item", "Recipe" }, rows);
        const ReportPainter pages(doc);
        QVERIFY(pages.pageCount() >= 3);
        QStringList items;
        for (int p = 1; p <= pages.pageCount(); ++p) {
            const QStringList texts = pages.pageTexts(p);
            QCOMPARE(texts.count("Aisle"), (repeated || p == 1) && !format.endsWith('~') ? 1 : 0);
            for (const QString& t : texts) {
                if (t.startsWith("item "))
                    items << t;
            }
        }
        QCOMPARE(items.size(), 150);
        QCOMPARE(items.last(), QString("item 149"));
    }
    void longTextIsWrappedNotLost()
    {
        ReportDocument doc;
        const QString word = QString(300, QLatin1Char('x'));
        const QString text = QStringLiteral("Short words first then ") + word + QStringLiteral(" and the end.");
        doc.paragraph(text);
        doc.addTable("<+0.5in|<+1in", QString(), QStringLiteral("abcdefghijklmnopqrstuvwxyz|two words~"));
        const ReportPainter pages(doc);
        const QStringList texts = pages.pageTexts(1);
        QVERIFY(texts.size() > 3);
        QString joined = texts.join(QString());
        joined.remove(QLatin1Char(' '));
        QString expected = text + QStringLiteral("abcdefghijklmnopqrstuvwxyz") + QStringLiteral("twowords");
        expected.remove(QLatin1Char(' '));
        QCOMPARE(joined, expected);
    }
    void pictureScaledAndTextKeepsClear()
    {
        ReportFixture fx;
        ReportDocument doc;
        doc.drawPicture(fx.writePicture(), 5.5, 2.0, 2.0);
        QString longLine;
        for (int i = 0; i < 60; ++i)
            longLine += QStringLiteral("word ");
        doc.paragraph(longLine);
        doc.drawPicture(fx.dataPath() + "/missing.png", 1.0, 2.0, 1.0);
        const ReportPainter pages(doc);
        const QVector<QRectF> pictures = pages.pagePictures(1);
        QCOMPARE(pictures.size(), 2);
        // 4x3 pixels: full box width, three quarters of its height.
        QCOMPARE(pictures.at(0).left(), 5.5 * U);
        QCOMPARE(pictures.at(0).width(), 2.0 * U);
        QCOMPARE(pictures.at(0).height(), 1.5 * U);
        // A missing picture keeps its box (the painter marks it).
        QCOMPARE(pictures.at(1).size(), QSizeF(2.0 * U, 1.0 * U));
        const QRectF picture = pictures.at(0);
        const QFontMetricsF fm(ReportPainter::layoutFont("Arial", 10, false));
        // The first line stops before the picture; it is shorter than a line below the picture would be.
        const QString first = pages.pageTexts(1).first();
        QVERIFY(fm.horizontalAdvance(first) < picture.left() - 0.75 * U);
        QVERIFY(longLine.startsWith(first));
    }
    void nextRecipeStartsBelowATallPicture()
    {
        ReportFixture fx;
        const QString tall = fx.dataPath() + "/tall.png";
        QImage(10, 40, QImage::Format_RGB32).save(tall);
        fx.addRecipe({ "Apple", {}, {}, "1", {}, "Stir.", {}, {}, tall });
        fx.addRecipe({ "Bread", {}, {}, "1", {}, "Bake." });
        ReportDocument doc;
        ReportComposer::composeRecipes(doc, fx.recipes(), PrintOptions(), QDate(2026, 1, 1));
        const ReportPainter pages(doc);
        QCOMPARE(pages.pagePictures(1).size(), 1);
        QVERIFY(pages.textBox(1, "Bread").top() >= pages.pagePictures(1).first().bottom());
        QVERIFY(pages.textBox(1, ReportComposer::Separator).top() >= pages.pagePictures(1).first().bottom());
        // The word processor is told the same with a clearing line break.
        QCOMPARE(RtfWriter(&ReportPainter::pictureAsPng).toRtf(doc).count("{\\lbr3\\line}"), 1);
    }
    void headingNotLeftAtPageFoot()
    {
        // Fill the page up to one line above its foot.
        ReportDocument doc;
        for (int i = 0; i < 500; ++i)
            doc.paragraph("x");
        const int lines = ReportPainter(doc).pageTexts(1).size();
        doc = ReportDocument();
        for (int i = 0; i < lines - 1; ++i)
            doc.paragraph("x");
        doc.setFontBold(true);
        doc.paragraph("Heading");
        doc.setFontBold(false);
        doc.paragraph("body");
        const ReportPainter pages(doc);
        QCOMPARE(pages.pageCount(), 2);
        QVERIFY(pages.pageTexts(2).contains("Heading"));
    }
    void pdfHasTheChosenPages_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("expected");
        QTest::newRow("range") << 2 << 3 << 2;
        QTest::newRow("beyond the end") << 3 << 9 << 1;
    }
    void pdfHasTheChosenPages()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, expected);
        ReportDocument doc = docWithHeader();
        doc.paragraph("one");
        doc.newPage();
        doc.paragraph("two");
        doc.newPage();
        doc.paragraph("three");
        QByteArray pdf;
        {
            QBuffer buffer(&pdf);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter writer(&buffer);
            QVERIFY(ReportPainter(doc).paintPages(writer, from, to));
        }
        QCOMPARE(ReportFixture::pdfPages(pdf), expected);
    }
    void pdfFileThroughSaveFile()
    {
        ReportFixture fx;
        ReportDocument doc = docWithHeader();
        doc.setPaper(ReportPaper::indexCard());
        doc.paragraph("card");
        const QString path = fx.dataPath() + "/card.pdf";
        QVERIFY(!writeReportPdf(doc, path));
        const QByteArray pdf = TestData::readFile(path);
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(ReportFixture::pdfPages(pdf), 1);
        // 5 in x 3 in is 360 x 216 points.
        QVERIFY2(pdf.contains("/MediaBox [0 0 360.000000 216.000000]"), pdf.left(2000).constData());
        QVERIFY(writeReportPdf(doc, fx.dataPath() + "/no/such/folder/x.pdf").has_value());
    }
};

QTEST_MAIN(TestReportPainter)
#include "test_reportpainter.moc"
