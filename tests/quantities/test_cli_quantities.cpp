#include "Cli.h"

#include <QTest>

// The command-line tool's scale and parse commands; the first row of each runs the real program.
class TestCliQuantities : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scale_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("status");
        QTest::newRow("kitchen form keeps its blank") << QStringList { "2 1/2", "2" } << QByteArray(" 5\n") << 0;
        QTest::newRow("decimal") << QStringList { "1/2", "1.5", "--decimal" } << QByteArray("0000.7500\n") << 0;
        QTest::newRow("range marked") << QStringList { "3-4", "2" } << QByteArray("*3-4\n") << 1;
        QTest::newRow("zero denominator") << QStringList { "1/0", "2" } << QByteArray() << 3;
        QTest::newRow("factor not a number") << QStringList { "1", "x" } << QByteArray() << 2;
        QTest::newRow("negative factor") << QStringList { "1", "-0.5" } << QByteArray() << 2;
    }

    void scale()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, output);
        QFETCH(int, status);
        const QStringList all = QStringList { QStringLiteral("scale") } + args;
        const TestCli::Run r = QTest::currentDataTag() == QLatin1String("kitchen form keeps its blank")
            ? TestCli::runProcess(all)
            : TestCli::run(all);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out.toUtf8(), output);
    }

    void parse_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("plain") << QStringList {} << QByteArray("1 1/2 cups flour\n2 large eggs\n\n1 T butter\n")
                               << QByteArray("1 1/2|cups|flour~2|large|eggs~||~1|T|butter~\n");
        QTest::newRow("abbreviated") << QStringList { "--abbreviate" } << QByteArray("1 1/2 cups flour\r\n1 t salt\r\n")
                                     << QByteArray("1 1/2|c|flour~1|tsp|salt~\n");
        QTest::newRow("utf-8 half sign") << QStringList {} << QByteArray("\xc2\xbd cup sugar\n")
                                         << QByteArray("1/2|cup|sugar~\n");
    }

    void parse()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        const QStringList all = QStringList { QStringLiteral("parse") } + args;
        const TestCli::Run r = QTest::currentDataTag() == QLatin1String("plain") ? TestCli::runProcess(all, input)
                                                                                 : TestCli::run(all, input);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out.toUtf8(), output);
    }
};

QTEST_GUILESS_MAIN(TestCliQuantities)
#include "test_cli_quantities.moc"
