#include "ReportFixture.h"
#include "printing/ReportComposer.h"
#include "printing/ui/ReportPainter.h"
#include "printing/ui/ReportPdf.h"

#include <QRegularExpression>
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
    void tableBreaksWithRepeatedHeader_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("with header") << "<+0.5in|<+1.0in|<+2.4in|<+2.8in";
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
        QStringList items, expected;
        for (int p = 1; p <= pages.pageCount(); ++p) {
            QCOMPARE(pages.pageTexts(p).count("Aisle"), format.endsWith('~') ? 0 : 1);
            items << pages.pageTexts(p).filter(QRegularExpression("^item "));
        }
        for (const QStringList& row : rows)
            expected << row.at(2);
        QCOMPARE(items, expected);
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
    void pdfFileThroughSaveFile()
    {
        ReportFixture fx;
        ReportDocument doc = docWithHeader();
        doc.setPaper(ReportPaper::indexCard());
        doc.paragraph("card");
        const QString path = fx.dataPath() + "/card.pdf";
        QVERIFY(!writeReportPdf(doc, path));
        QVERIFY(TestData::readFile(path).contains("/MediaBox [0 0 360.000000 216.000000]")); // one 5 in x 3 in page
        QVERIFY(writeReportPdf(doc, fx.dataPath() + "/no/such/folder/x.pdf").has_value());
    }
};

QTEST_MAIN(TestReportPainter)
#include "test_reportpainter.moc"
