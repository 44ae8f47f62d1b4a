#include "Cli.h"
#include "RecipeTestData.h"
#include "TestData.h"

#include <QtTest>

// The command-line front end (shared search options, one message and status per kind of failure), list and show.
class TestCliRecipes : public QObject
{
    Q_OBJECT

    TestData::DataFolderFixture m_data;
    TestData::DataFolderFixture m_noMenu; // its menu planner file is missing

    TestCli::Run run(QStringList args) const
    {
        args.replaceInStrings(QStringLiteral("NOMENU"), m_noMenu.path());
        return TestCli::run(args.replaceInStrings(QStringLiteral("DATA"), m_data.path()));
    }

private slots:
    void initTestCase()
    {
        QFile::remove(m_noMenu.file(TableDef::MenuPlanner));
        DataSource1 recipes(m_data.file(TableDef::Recipes));
        TestRecipe soup("Leek Soup", "leek soup", "0x0000", "0x1", "Soups~Starters~", "2|cups|leek~1||potato~");
        soup.rtgSrc = QStringLiteral("Good~~Mom");
        soup.instructions = QStringLiteral("Chop.\r\nSimmer.");
        addRecipe(recipes.recordset(), soup);
        addRecipe(recipes.recordset(), { "Mom's Pie", "moms pie", "0x0008", "0x0", "", "1||apple~" });
        addRecipe(recipes.recordset(), { "Old Stew", "old stew", "0x0002" });
        QVERIFY(recipes.save());
    }

    void commands_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // held by the output
        QTest::addColumn<QString>("err"); // how the error output starts
        QTest::newRow("all") << QStringList { "list", "DATA" } << 0
                             << "Listing All: (2 Recipes)\nLeek Soup\nMom's Pie\n"
                             << "";
        QTest::newRow("quote in name") << QStringList { "list", "DATA", "--name", "mom's" } << 0
                                       << "Search Results: (1 Recipes)\nMom's Pie\n"
                                       << "";
        QTest::newRow("and") << QStringList { "list", "DATA", "--name", "soup", "--ingredient", "apple" } << 1
                             << "No records were found matching this search.\n"
                             << "";
        QTest::newRow("or") << QStringList { "list", "--or", "DATA", "--name", "soup", "--ingredient", "apple" } << 0
                            << "Search Results: (2 Recipes)\nLeek Soup\nMom's Pie\n"
                            << "";
        QTest::newRow("show")
            << QStringList { "show", "DATA", "leek soup" } << 0
            << "Name: Leek Soup\nCategories: Soups, Starters\nServes: \nIngredients:\n  2\tcups\tleek\n"
               "  1\t\tpotato\nInstructions:\nChop.\nSimmer.\nNutrition:\nRating: Good\nSource: Mom\n"
               "Picture: \n"
            << "";
        for (const char* args :
             { "check", "backup B", "restore B", "list", "show N", "master cat", "shop", "menu", "import F",
               "export F --format mastercook", "text shoplist", "splashshopper F", "report menu --rtf F" }) {
            QStringList all = QString::fromLatin1(args).split(QLatin1Char(' '));
            all.insert(1, QStringLiteral("/no/such"));
            QTest::addRow("no data folder: %s", args) << all << 2 << ""
                                                      << "zestora " + all.first() + ": no data folder /no/such\n";
        }
        QTest::newRow("table missing") << QStringList { "text", "NOMENU", "menu" } << 2 << ""
                                       << "Error: An error occurred while loading data source 8.";
        QTest::newRow("unknown option") << QStringList { "list", "DATA", "--colour" } << 2 << ""
                                        << "zestora list: Unknown option 'colour'.\nusage: zestora list DATADIR";
        QTest::newRow("missing value") << QStringList { "report", "DATA", "menu", "--rtf" } << 2 << ""
                                       << "zestora report: Missing value after '--rtf'.\n";
        QTest::newRow("argument count") << QStringList { "show", "DATA" } << 2 << ""
                                        << "zestora show: wrong number of arguments\n";
        QTest::newRow("three categories")
            << QStringList { "list", "DATA", "--category", "a", "--category", "b", "--category2", "c" } << 2 << ""
            << "zestora list: at most two categories\n";
        QTest::newRow("unknown command") << QStringList { "frobnicate" } << 2 << ""
                                         << "zestora: unknown command frobnicate\n";
        QTest::newRow("no command") << QStringList {} << 2 << ""
                                    << "Usage: zestora COMMAND";
        QTest::newRow("deleted recipe") << QStringList { "show", "DATA", "Old Stew" } << 1 << ""
                                        << "zestora show: no recipe named Old Stew\n";
        QTest::newRow("shop: no such recipe") << QStringList { "shop", "DATA", "--add-recipe", "Nothing" } << 1 << ""
                                              << "zestora shop: no recipe named Nothing\n";
        for (const char* args : { "--add 20071332 Pie", "--add 2007125 Pie", "--add 20071225 Pie --meal Late_supper",
                                  "--add 20071225", "--meal Dinner" })
            QTest::addRow("menu %s", args) << QStringList { "menu", "DATA" }
                    + QString::fromLatin1(args).replace('_', ' ').split(' ', Qt::SkipEmptyParts)
                                           << 2 << ""
                                           << "zestora menu: ";
        QTest::newRow("version") << QStringList { "--version" } << 0 << "zestora 4.4.7\n"
                                 << "";
    }
    void commands()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const QByteArray menuBefore = m_data.readBytes(TableDef::MenuPlanner);
        const TestCli::Run r = args == QStringList { "--help" } ? TestCli::runProcess(args) : run(args);
        QVERIFY2(r.out.contains(out), qPrintable(r.out));
        QVERIFY2(err.isEmpty() ? r.err.isEmpty() : r.err.startsWith(err), qPrintable(r.err));
        QCOMPARE(r.status, status);
        QCOMPARE(m_data.readBytes(TableDef::MenuPlanner), menuBefore);
    }

    // Every command that searches takes the same options and finds the same recipe.
    void searchOptionsShared_data()
    {
        QTest::addColumn<QStringList>("args");
        for (const char* command : { "list", "export", "report" }) {
            for (const char* search : { "--instructions chop", "--instruction chop", "--category2 starters",
                                        "--category soups --category starters", "--rating good --source mom" })
                QTest::addRow("%s %s", command, search)
                    << QStringList { command, "DATA" } + QString::fromLatin1(search).split(' ');
        }
    }
    void searchOptionsShared()
    {
        QFETCH(QStringList, args);
        const QString file = m_data.path() + QStringLiteral("/out.txt");
        if (args.first() == QLatin1String("export"))
            args << file << "--format"
                 << "mealmaster";
        if (args.first() == QLatin1String("report"))
            args << "recipes"
                 << "--rtf" << file;
        QFile::remove(file);
        const TestCli::Run r = run(args);
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QString found = args.first() == QLatin1String("list") ? r.out : TestData::readFile(file);
        QVERIFY2(found.contains(QStringLiteral("Leek Soup")) && !found.contains(QStringLiteral("Mom's Pie")),
                 qPrintable(found));
    }
};

QTEST_MAIN(TestCliRecipes)
#include "test_clirecipes.moc"
