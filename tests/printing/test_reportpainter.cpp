#include "ReportFixture.h"
#include "printing/ReportComposer.h"
#include "printing/ui/ReportPainter.h"
#include "printing/ui/ReportPdf.h"

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
        QStringList lines;
        for (int i = 0; i < 200; ++i)
            doc.paragraph(lines.emplaceBack(QStringLiteral("line %1").arg(i)));
        const ReportPainter pages(doc);
        QVERIFY(pages.pageCount() >= 3);
        QCOMPARE(pages.pageSize(), QSizeF(8.5 * U, 11 * U));
        QStringList body;
        for (int p = 1; p <= pages.pageCount(); ++p) {
            const QStringList texts = pages.pageTexts(p);
            QCOMPARE(texts.mid(0, 3), (QStringList { "Zestora Plus", "today", QStringLiteral("Page %1").arg(p) }));
            body << texts.mid(3);
        }
        QCOMPARE(body, lines); // every line printed once, in order
    }
    void explicitPageBreaks()
    {
        ReportDocument doc = docWithHeader();
        doc.setPaper(ReportPaper::indexCard());
        doc.paragraph("first");
        for (int i = 0; i < 3; ++i) {
            doc.newPage();
            doc.paragraph(QStringLiteral("after %1").arg(i));
        }
        const ReportPainter pages(doc);
        QCOMPARE(pages.pageCount(), 4);
        QCOMPARE(pages.pageSize(), QSizeF(5 * U, 3 * U));
        QCOMPARE(pages.pageTexts(2).last(), QString("after 0"));
    }
    void tableBreaksWithRepeatedHeader_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("with header") << "<+0.5in|<+1.0in|<+2.4in|<+2.8in";
        QTest::newRow("plain list") << "<+0.8in|<+1.0in|<+4.7in~";
    }
    void tableBreaksWithRepeatedHeader()
    {
        QFETCH(QString, format);
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
            QCOMPARE(texts.count("Aisle"), format.endsWith('~') ? 0 : 1);
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
        const QString text = "Short words first then " + QString(300, 'x') + " and the end.";
        doc.paragraph(text);
        doc.addTable("<+0.5in|<+1in", QString(), QStringLiteral("abcdefghijklmnopqrstuvwxyz|two words~"));
        const QStringList texts = ReportPainter(doc).pageTexts(1);
        QVERIFY(texts.size() > 3);
        QCOMPARE(texts.join(QString()).remove(' '), QString(text + "abcdefghijklmnopqrstuvwxyztwowords").remove(' '));
    }
    void pictureScaledAndTextKeepsClear()
    {
        ReportFixture fx;
        ReportDocument doc;
        doc.drawPicture(fx.writePicture(), 5.5, 2.0, 2.0);
        const QString longLine = QString("word ").repeated(60);
        doc.paragraph(longLine);
        doc.drawPicture(fx.dataPath() + "/missing.png", 1.0, 2.0, 1.0);
        const ReportPainter pages(doc);
        const QVector<QRectF> pictures = pages.pagePictures(1);
        // 4x3 pixels in a 2 in box: full width, three quarters of its height; a missing picture keeps its box.
        QCOMPARE(pictures,
                 (QVector<QRectF> { QRectF(5.5 * U, pictures.at(0).top(), 2.0 * U, 1.5 * U),
                                    QRectF(1.0 * U, pictures.at(1).top(), 2.0 * U, 1.0 * U) }));
        // The first line stops before the picture.
        const QString first = pages.pageTexts(1).first();
        const QFontMetricsF fm(ReportPainter::layoutFont("Arial", 10, false));
        QVERIFY(fm.horizontalAdvance(first) < pictures.at(0).left() - 0.75 * U);
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
        QVERIFY(pages.textBox(1, ReportComposer::Separator).top() >= pages.pagePictures(1).first().bottom());
        // The word processor is told the same with a clearing line break.
        QCOMPARE(RtfWriter(&ReportPainter::pictureAsPng).toRtf(doc).count("{\\lbr3\\line}"), 1);
    }
    void headingNotLeftAtPageFoot()
    {
        ReportDocument doc;
        for (int i = 0; i < 500; ++i)
            doc.paragraph("x");
        const int lines = ReportPainter(doc).pageTexts(1).size();
        doc = ReportDocument(); // filled up to one line above the page's foot
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
    void pdfFileThroughSaveFile()
    {
        ReportFixture fx;
        ReportDocument doc = docWithHeader();
        doc.setPaper(ReportPaper::indexCard());
        doc.paragraph("card");
        const QString path = fx.dataPath() + "/card.pdf";
        QVERIFY(!writeReportPdf(doc, path));
        const QByteArray pdf = TestData::readFile(path);
        QCOMPARE(ReportFixture::pdfPages(pdf), 1);
        QVERIFY(pdf.contains("/MediaBox [0 0 360.000000 216.000000]")); // 5 in x 3 in
        QVERIFY(writeReportPdf(doc, fx.dataPath() + "/no/such/folder/x.pdf").has_value());
    }
};

QTEST_MAIN(TestReportPainter)
#include "test_reportpainter.moc"
