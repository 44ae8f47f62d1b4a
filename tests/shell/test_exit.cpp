#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "ShellFixture.h"
#include "app/Main.h"
#include "shell/AppState.h"

#include <QFileInfo>
#include <QTimer>
#include <QtTest>

namespace {
// A started main window over a fresh data folder and settings file.
struct Started
{
    ShellFolders folders;
    FakePlatform platform;
    ScriptedDialogs dialogs;
    FakeRecipeWindow recipes;
    Main main;
    bool started = false;

    explicit Started(bool show = true)
    {
        folders.writeStandardIni();
        main.setRecipeWindow(&recipes);
        Main::StartupOptions options;
        options.showSplash = false;
        started = main.startUp(folders.programPath(), options);
        if (show)
            main.show();
    }
    // Adds a new row to a held table, as an edit saved in one of the windows would.
    static void add(DataSource& table, const QList<std::pair<const char*, QString>>& fields)
    {
        Recordset& rs = table.recordset();
        rs.addNew();
        rs.setValue(QStringLiteral("REC_ID"), RecordStatus::NewId);
        rs.setValue(QStringLiteral("STATUS"), RecordStatus::New);
        for (const auto& [field, value] : fields)
            rs.setValue(QString::fromLatin1(field), value);
        rs.update();
    }
    void addRecipe(const QString& name)
    {
        add(*AppState::instance().recipes,
            { { "Key", name.toLower() }, { "Name", name }, { "RtgSrc", QStringLiteral("~~") } });
    }
    bool fileHas(TableDef::Id id, const QByteArray& text) const { return folders.data.readBytes(id).contains(text); }
};
} // namespace

class TestExit : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { AppState::instance().reset(); }

    void saveAllFinishesEditAndWritesHeldTables()
    {
        Started s(false);
        QVERIFY(s.started);
        s.recipes.editing = true;
        s.addRecipe(QStringLiteral("Lemon Tart"));
        Started::add(*AppState::instance().menu, { { "MenuKey", QStringLiteral("20240101dinnerstew") } });
        Started::add(*AppState::instance().prefs,
                     { { "PrefsKey", QStringLiteral("serves") }, { "PrefsStr1", QStringLiteral("4") } });
        s.main.SaveAll();
        QCOMPARE(QList<int>({ s.recipes.saves, s.platform.busyDepth, s.dialogs.messageCount() }),
                 QList<int>({ 1, 0, 0 }));
        QVERIFY(s.fileHas(TableDef::Recipes, "\"Lemon Tart\"") && s.fileHas(TableDef::MenuPlanner, "dinnerstew")
                && s.fileHas(TableDef::Preferences, "\"serves\",\"4\"") && !s.main.exitCompleted());
    }

    void exitQuestionWhileEditing_data()
    {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::newRow("yes goes back") << MsgAnswer::Yes;
        QTest::newRow("no drops the edit") << MsgAnswer::No;
    }
    void exitQuestionWhileEditing()
    {
        QFETCH(MsgAnswer, answer);
        const bool closed = answer == MsgAnswer::No;
        Started s;
        s.recipes.editing = true;
        s.addRecipe(QStringLiteral("Saved Earlier"));
        s.dialogs.answer(answer);
        QCOMPARE(s.main.close(), closed);
        QCOMPARE(s.dialogs.messageCount(), 1);
        QCOMPARE(s.dialogs.last().text,
                 QStringLiteral("You have made changes that have not been saved.\r\n\r\n"
                                "Do you want to go back and save changes?"));
        QCOMPARE(s.recipes.saves, 0);
        QCOMPARE(s.recipes.cancels, closed ? 1 : 0);
        QCOMPARE(s.fileHas(TableDef::Recipes, "Saved Earlier"), closed);
    }

    void hotsyncSavesAndClosesWithoutQuestion_data()
    {
        QTest::addColumn<bool>("failedSave");
        QTest::newRow("saved") << false;
        QTest::newRow("recipes cannot be saved") << true;
    }
    void hotsyncSavesAndClosesWithoutQuestion()
    {
        QFETCH(bool, failedSave);
        Started s;
        s.recipes.editing = true;
        s.addRecipe(QStringLiteral("Before Sync"));
        s.platform.windowTitles << QStringLiteral("Hotsync Progress");
        TestData::RefusedWrites refused(failedSave ? SafeFile::Fault::Rename : SafeFile::Fault::None,
                                        QStringLiteral("ZestoDB.cdb"));
        if (failedSave)
            s.dialogs.answer(MsgAnswer::Ok); // the save failure
        s.dialogs.answer(MsgAnswer::Ok);
        QVERIFY(QMetaObject::invokeMethod(s.main.syncWatch(), "timeout")); // the watch timer runs the check
        QVERIFY(s.main.exitCompleted() && !s.main.isVisible() && !s.main.syncWatch()->isActive());
        QCOMPARE(s.recipes.saves, 0); // the edit in progress is not saved
        QCOMPARE(s.fileHas(TableDef::Recipes, "Before Sync"), !failedSave);
        QCOMPARE(s.dialogs.last().title, QStringLiteral("Hotsync Detected"));
        if (!failedSave)
            QCOMPARE(s.dialogs.last().text,
                     QStringLiteral("Zestora Plus on the PC must be closed during the hotsync operation.\r\n\r\nA "
                                    "hotsync operation has been detected and your data has been saved.\r\n\r\nYou "
                                    "may restart the software when the hotsync operation is complete."));
        else
            QVERIFY(s.dialogs.last().text.contains(QStringLiteral("could not be saved:\r\nZestoDB.cdb\r\n"))
                    && !s.dialogs.last().text.contains(QStringLiteral("saved.")));
    }

    void failedSaveAsksBeforeClosing_data()
    {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::newRow("stay") << MsgAnswer::No;
        QTest::newRow("close anyway") << MsgAnswer::Yes;
    }
    void failedSaveAsksBeforeClosing()
    {
        QFETCH(MsgAnswer, answer);
        Started s;
        s.addRecipe(QStringLiteral("Cannot Be Written"));
        TestData::RefusedWrites refused(SafeFile::Fault::Rename, QStringLiteral("ZestoDB.cdb"));
        s.dialogs.answer(MsgAnswer::Ok); // the save failure
        s.dialogs.answer(answer);
        QCOMPARE(s.main.close(), answer == MsgAnswer::Yes);
        QCOMPARE(s.dialogs.messageCount(), 2);
        QVERIFY(s.fileHas(TableDef::Preferences, "#")); // the other held tables were still written
    }

    void restoreOrRetrieveSkipsSaving()
    {
        for (bool restore : { true, false }) {
            Started s;
            s.recipes.editing = restore; // after a restore no question is asked
            s.addRecipe(QStringLiteral("Replaced By Restore"));
            const QByteArray before = s.folders.data.readBytes(TableDef::Recipes);
            (restore ? AppState::instance().restoreDone : AppState::instance().retrieveDone) = true;
            QVERIFY(s.main.close());
            QCOMPARE(s.dialogs.messageCount(), 0);
            QCOMPARE(s.folders.data.readBytes(TableDef::Recipes), before);
            AppState::instance().reset();
        }
    }
};

QTEST_MAIN(TestExit)
#include "test_exit.moc"
