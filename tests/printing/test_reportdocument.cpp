#include "printing/ReportDocument.h"

#include <QTest>

Q_DECLARE_METATYPE(QVector<double>)
Q_DECLARE_METATYPE(ReportAlign)

class TestReportDocument : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void columnFormat_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVector<double>>("widths");
        QTest::addColumn<ReportAlign>("lastAlign");
        QTest::addColumn<bool>("plain");

        QTest::newRow("ingredients") << "<+0.8in|<+1.0in|<+4.7in~" << QVector<double> { 0.8, 1.0, 4.7 }
                                     << ReportAlign::Left << true;
        QTest::newRow("shopping list") << "<+0.5in|<+1.0in|<+2.4in|<+2.8in" << QVector<double> { 0.5, 1.0, 2.4, 2.8 }
                                       << ReportAlign::Left << false;
        QTest::newRow("right and centre")
            << "^1in|>+2.54cm" << QVector<double> { 1.0, 1.0 } << ReportAlign::Right << false;
        QTest::newRow("twips and points")
            << "<1440|<72pt" << QVector<double> { 1.0, 1.0 } << ReportAlign::Left << false;
        // A column that cannot be read keeps a usable width rather than vanishing with its text.
        QTest::newRow("malformed width") << "<+abc|<0in" << QVector<double> { 1.0, 1.0 } << ReportAlign::Left << false;
    }
    void columnFormat()
    {
        QFETCH(QString, format);
        QFETCH(QVector<double>, widths);
        QFETCH(ReportAlign, lastAlign);
        QFETCH(bool, plain);
        const ReportTableFormat f = ReportTableFormat::parse(format);
        QCOMPARE(f.columns.size(), widths.size());
        for (int i = 0; i < widths.size(); ++i)
            QVERIFY2(qAbs(f.columns.at(i).widthInches - widths.at(i)) < 1e-9, qPrintable(QString::number(i)));
        QCOMPARE(f.columns.last().align, lastAlign);
        QCOMPARE(f.plain, plain);
    }
    void bodyRows_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QVector<QStringList>>("rows");
        QTest::newRow("no final separator")
            << "2|cups|flour~salt" << QVector<QStringList> { { "2", "cups", "flour" }, { "salt" } };
        QTest::newRow("empty") << "" << QVector<QStringList> {};
        QTest::newRow("empty line kept") << "1|c|a~~2|d|b~"
                                         << QVector<QStringList> { { "1", "c", "a" }, { "" }, { "2", "d", "b" } };
    }
    void bodyRows()
    {
        QFETCH(QString, body);
        QFETCH(QVector<QStringList>, rows);
        QCOMPARE(ReportDocument::splitBody(body), rows);
    }
    void tableCellsFitTheColumns()
    {
        ReportDocument doc;
        doc.addTable("<1in|<1in|<1in~", QString(), "a pinch of salt~1|cup|rice|cooked~");
        const ReportBlock& b = doc.blocks().last();
        QCOMPARE(b.kind, ReportBlock::Table);
        QVERIFY(b.header.isEmpty());
        QCOMPARE(b.rows.at(0), (QStringList { "a pinch of salt", "", "" }));
        QCOMPARE(b.rows.at(1), (QStringList { "1", "cup", "rice" }));
    }
};

QTEST_GUILESS_MAIN(TestReportDocument)
#include "test_reportdocument.moc"
