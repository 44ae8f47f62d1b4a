#include "Cli.h"

#include <QTest>

// The command-line tool's scale and parse commands; the rows named with a colon run the real program.
class TestCliQuantities : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scaleAndParse_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("status");
        QTest::newRow("scale: kitchen form keeps its blank")
            << QStringList { "scale", "2 1/2", "2" } << QByteArray() << QByteArray(" 5\n") << 0;
        QTest::newRow("decimal") << QStringList { "scale", "1/2", "1.5", "--decimal" } << QByteArray()
                                 << QByteArray("0000.7500\n") << 0;
        QTest::newRow("range marked") << QStringList { "scale", "3-4", "2" } << QByteArray() << QByteArray("*3-4\n")
                                      << 1;
        QTest::newRow("zero denominator") << QStringList { "scale", "1/0", "2" } << QByteArray() << QByteArray() << 2;
        QTest::newRow("factor not a number") << QStringList { "scale", "1", "x" } << QByteArray() << QByteArray() << 2;
        QTest::newRow("negative factor") << QStringList { "scale", "1", "-0.5" } << QByteArray() << QByteArray() << 2;
        QTest::newRow("parse: plain") << QStringList { "parse" }
                                      << QByteArray("1 1/2 cups flour\n2 large eggs\n\n1 T butter\n")
                                      << QByteArray("1 1/2|cups|flour~2|large|eggs~||~1|T|butter~\n") << 0;
        QTest::newRow("abbreviated") << QStringList { "parse", "--abbreviate" }
                                     << QByteArray("1 1/2 cups flour\r\n1 t salt\r\n")
                                     << QByteArray("1 1/2|c|flour~1|tsp|salt~\n") << 0;
        QTest::newRow("utf-8 half sign") << QStringList { "parse" } << QByteArray("\xc2\xbd cup sugar\n")
                                         << QByteArray("1/2|cup|sugar~\n") << 0;
    }
    void scaleAndParse()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        QFETCH(int, status);
        const bool real = QByteArray(QTest::currentDataTag()).contains(':');
        const TestCli::Run r = real ? TestCli::runProcess(args, input) : TestCli::run(args, input);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out.toUtf8(), output);
    }
};

QTEST_GUILESS_MAIN(TestCliQuantities)
#include "test_cli_quantities.moc"
