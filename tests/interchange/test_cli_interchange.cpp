#include "Cli.h"
#include "TestPaths.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The command-line tool's import, export, text and splashshopper commands, the first one through the real program.
class TestCliInterchange : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void importExportText()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        QCOMPARE(run({ "init", data }), 0);
        QByteArray out;
        QCOMPARE(run({ "import", data, fixture("two_column_heading_continuation.mmf") }, &out), 0);
        QCOMPARE(out, QByteArray("Importing Recipes: 2 (DONE)\n"));
        QCOMPARE(run({ "import", data, fixture("two_column_heading_continuation.mmf") }, &out), 0);
        QCOMPARE(run({ "check", data }, &out), 0);
        QVERIFY(out.contains("ZestoDB.cdb records=4 live=4"));
        QVERIFY(out.contains("ZestoCatDB.cdb records=3 live=3"));

        const QString mxp = dir.filePath(QStringLiteral("out.mxp"));
        QCOMPARE(run({ "export", data, mxp, "--format", "mastercook", "--name", "stew" }, &out), 0);
        QCOMPARE(out, QByteArray("Exported 2 recipes to ") + mxp.toUtf8() + "\n");
        QFile f(mxp);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(bytes.count("* Exported from MasterCook *"), 2);
        QVERIFY(bytes.contains("Beef Stew #2\r\n"));

        QCOMPARE(run({ "text", data, "recipe", "quick toast" }, &out), 0);
        QVERIFY(out.startsWith("\r\nRecipe Name: Quick Toast\r\n"));
        QCOMPARE(run({ "text", data, "recipe", "no such" }, &out), 2);
        QCOMPARE(run({ "text", data, "shoplist" }, &out), 0);
        QCOMPARE(out, QByteArray("\r\nShopping List - Zestora\r\n\r\n"));
        QCOMPARE(run({ "splashshopper", data, dir.filePath(QStringLiteral("s.txt")) }, &out), 0);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("s.txt"))));
    }

    void csvImport()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        QCOMPARE(run({ "init", data }), 0);
        QByteArray out;
        QCOMPARE(run({ "import", data, fixture("multiline_quoted_fields.csv"), "--csv",
                       "Title,Ingredients,Instructions,servings,IGNORE,Categories" },
                     &out),
                 0);
        QCOMPARE(out, QByteArray("Importing Recipes: 3 (DONE)\n"));
        QCOMPARE(run({ "text", data, "recipe", "Pancakes" }, &out), 0);
        QVERIFY(out.contains("Categories: Breakfast\r\nServes: 4\r\n"));
    }

    // Every recipe not read is listed with its line and reason, and its text is written out unchanged.
    void importWritesRejects()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        QCOMPARE(run({ "init", data }), 0);
        const QString rejects = dir.filePath(QStringLiteral("rejects.txt"));
        QByteArray out;
        QByteArray err;
        QCOMPARE(run({ "import", data, fixture("recipes_missing_their_titles.txt"), "--rejects", rejects }, &out, &err),
                 0);
        QCOMPARE(out, QByteArray("Importing Recipes: 2 (DONE)\n"));
        QCOMPARE(err,
                 QByteArray("2 recipes could not be read:\n"
                            "line 12: The recipe header is not followed by a Title line.\n"
                            "line 21: The MasterCook marker is not followed by a recipe title.\n"));
        QFile original(fixture("recipes_missing_their_titles.txt"));
        QFile written(rejects);
        QVERIFY(original.open(QIODevice::ReadOnly) && written.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = original.readAll().split('\n');
        QCOMPARE(written.readAll(), (lines.mid(11, 11).join('\n') + '\n'));
    }

    void webPageInJsonOut()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        QCOMPARE(run({ "init", data }), 0);
        QByteArray out;
        QByteArray err;
        const QString rejects = dir.filePath(QStringLiteral("rejects.html"));
        QCOMPARE(run({ "import", data, fixture("several_blocks_one_broken.html"), "--rejects", rejects }, &out, &err),
                 0);
        QCOMPARE(out, QByteArray("Importing Recipes: 1 (DONE)\n"));
        QVERIFY(err.contains("line 5: A recipe data block could not be read"));
        // The broken block is written out unchanged, inside an element that the import reads again.
        QCOMPARE(run({ "import", data, rejects }, &out, &err), 0);
        QCOMPARE(out, QByteArray("Importing Recipes: 0 (DONE)\n"));
        QVERIFY2(err.contains("line 1: A recipe data block could not be read (") && err.contains("at line 2)"),
                 err.constData());
        const QString json = dir.filePath(QStringLiteral("out.json"));
        QCOMPARE(run({ "export", data, json, "--format", "jsonld" }, &out), 0);
        QCOMPARE(run({ "import", data, json }, &out), 0);
        QCOMPARE(run({ "text", data, "recipe", "Apple Cake #2" }, &out), 0);
        QVERIFY(out.contains("Serves: 6\r\n"));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("import without file") << QStringList { "import", "x" };
        QTest::newRow("unknown csv field") << QStringList { "import", "x", "y", "--csv", "Title,Colour" };
        QTest::newRow("export without format") << QStringList { "export", "x", "y" };
        QTest::newRow("export bad format") << QStringList { "export", "x", "y", "--format", "rtf" };
        QTest::newRow("text bad kind") << QStringList { "text", "x", "pantry" };
        QTest::newRow("not a data folder") << QStringList { "splashshopper", "/nonexistent", "y" };
    }

    void usageErrors()
    {
        QFETCH(QStringList, args);
        QByteArray err;
        QCOMPARE(run(args, nullptr, &err), 1);
        QVERIFY(!err.isEmpty());
    }

private:
    static int run(const QStringList& args, QByteArray* out = nullptr, QByteArray* err = nullptr);
    static QString fixture(const char* name)
    {
        return QStringLiteral(ZESTORA_TESTS_DIR "/interchange/fixtures/") + QLatin1String(name);
    }
};

int TestCliInterchange::run(const QStringList& args, QByteArray* out, QByteArray* err)
{
    const TestCli::Run r = args.first() == QLatin1String("init") ? TestCli::runProcess(args) : TestCli::run(args);
    if (out)
        *out = r.out.toUtf8();
    if (err)
        *err = r.err.toUtf8();
    return r.status;
}

QTEST_GUILESS_MAIN(TestCliInterchange)
#include "test_cli_interchange.moc"
