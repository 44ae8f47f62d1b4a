#include "Cli.h"
#include "TestData.h"
#include "TestPaths.h"

#include <QTemporaryDir>
#include <QTest>

// The command-line tool's import, export, text and splashshopper commands on a folder made by init (the one
// run of the real program).
class TestCliInterchange : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_data;

    QStringList expand(QStringList args) const
    {
        args.replaceInStrings(QStringLiteral("DATA"), m_data);
        args.replaceInStrings(QStringLiteral("OUT"), m_dir.filePath(QStringLiteral("out")));
        return args.replaceInStrings(QStringLiteral("FIXTURE/"),
                                     QStringLiteral(ZESTORA_TESTS_DIR "/interchange/fixtures/"));
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_data = m_dir.filePath(QStringLiteral("data"));
        QCOMPARE(TestCli::runProcess({ "init", m_data }).status, 0);
    }

    // In order: each row works on what the rows before it left in the folder.
    void commands_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("text"); // held by the output, or by the output file for export and splashshopper
        QTest::newRow("import") << QStringList { "import", "DATA", "FIXTURE/two_column_heading_continuation.mmf" } << 0
                                << "Importing Recipes: 2 (DONE)\n";
        QTest::newRow("csv import") << QStringList { "import", "DATA", "FIXTURE/multiline_quoted_fields.csv", "--csv",
                                                     "Title,Ingredients,Instructions,servings,IGNORE,Categories" }
                                    << 0 << "Importing Recipes: 3 (DONE)\n";
        QTest::newRow("csv fields") << QStringList { "text", "DATA", "recipe", "Pancakes" } << 0
                                    << "Categories: Breakfast\r\nServes: 4\r\n";
        QTest::newRow("rejects") << QStringList { "import", "DATA", "FIXTURE/recipes_missing_their_titles.txt",
                                                  "--rejects", "OUT" }
                                 << 0 << "Importing Recipes: 2 (DONE)\n";
        QTest::newRow("export") << QStringList { "export", "DATA", "OUT", "--format", "mastercook", "--name", "stew" }
                                << 0 << "* Exported from MasterCook *";
        QTest::newRow("json export") << QStringList { "export", "DATA",   "OUT.json", "--format",
                                                      "jsonld", "--name", "toast" }
                                     << 0 << "\"Quick Toast\"";
        QTest::newRow("json import") << QStringList { "import", "DATA", "OUT.json" } << 0
                                     << "Importing Recipes: 1 (DONE)\n";
        QTest::newRow("recipe text") << QStringList { "text", "DATA", "recipe", "quick toast #2" } << 0
                                     << "\r\nRecipe Name: Quick Toast #2\r\n";
        QTest::newRow("shoplist text") << QStringList { "text", "DATA", "shoplist" } << 0
                                       << "\r\nShopping List - Zestora\r\n\r\n";
        QTest::newRow("splashshopper") << QStringList { "splashshopper", "DATA", "OUT" } << 0 << "";
        QTest::newRow("unknown csv field") << QStringList { "import", "DATA", "F", "--csv", "Title,Colour" } << 2 << "";
        QTest::newRow("export bad format") << QStringList { "export", "DATA", "OUT", "--format", "rtf" } << 2 << "";
        QTest::newRow("text bad kind") << QStringList { "text", "DATA", "pantry" } << 2 << "";
    }
    void commands()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, text);
        QFile::remove(m_dir.filePath(QStringLiteral("out")));
        args = expand(args);
        const TestCli::Run r = TestCli::run(args);
        QVERIFY2(r.status == status, qPrintable(r.err));
        const bool toFile = args.first() == QLatin1String("export") || args.first() == QLatin1String("splashshopper");
        const QString file = toFile ? args.at(2) : args.contains(QStringLiteral("--rejects")) ? args.last() : QString();
        QVERIFY(file.isEmpty() || QFile::exists(file) == (status == 0));
        const QString got = toFile ? QString::fromLatin1(TestData::readFile(file)) : r.out;
        QVERIFY2(got.contains(text), qPrintable(got));
        QVERIFY(status == 0 || !r.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliInterchange)
#include "test_cli_interchange.moc"
