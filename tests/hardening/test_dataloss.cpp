#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "Widgets.h"

#include "app/Main.h"
#include "shell/AppState.h"
#include "storage/DataFolder.h"
#include "storage/SafeFile.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Session
{
    QTemporaryDir root;
    QString data;
    std::unique_ptr<Main> main;

    Session()
    {
        data = root.filePath(QStringLiteral("data"));
        if (DataFolder::initEmpty(data))
            qFatal("cannot create the data folder");
        AppState& state = AppState::instance();
        state.programFolder = root.path() + QLatin1Char('/');
        state.settingsPath = root.filePath(QStringLiteral("zestoraplus.ini"));
        state.dataPath = data + QLatin1Char('/');
        state.recipes = std::make_unique<DataSource1>(state.tablePath(TableDef::Recipes));
        state.prefs = std::make_unique<DataSourcePrefs2>(state.tablePath(TableDef::Preferences));
        state.menu = std::make_unique<DataSource8>(state.tablePath(TableDef::MenuPlanner));
        RecordStatus::addNew(state.recipes->recordset());
        state.recipes->recordset().setValue(QStringLiteral("Name"), QStringLiteral("Grandma's Soup"));
        main = std::make_unique<Main>();
    }
    ~Session()
    {
        main.reset();
        AppState::instance().reset();
    }
    QByteArray recipesFile() const { return TestData::readFile(QDir(data).filePath(QStringLiteral("ZestoDB.cdb"))); }
};

} // namespace

class TestDataLoss : public QObject
{
    Q_OBJECT
    static void okTimes(ScriptedDialogs& dialogs, int n)
    {
        for (int i = 0; i < n; ++i)
            dialogs.answer(MsgAnswer::Ok);
    }
private Q_SLOTS:
    void dataFolderRemovedWhileRunning()
    {
        Session s;
        FakePlatform platform;
        QVERIFY(QDir(s.data).removeRecursively());
        {
            ScriptedDialogs dialogs;
            okTimes(dialogs, 6);
            dialogs.answer(MsgAnswer::No);
            TestUi::trigger(s.main.get(), "mnuSaveAll");
            QCOMPARE(dialogs.messageCount(), 3);
            QVERIFY(dialogs.shown().at(0).text.startsWith("An error occurred while saving ZestoDB.cdb."));
            // Closing now would lose the soup: the user is asked and may stay.
            s.main->close();
            QVERIFY(!s.main->exitCompleted());
            QVERIFY(dialogs.exhausted());
        }
        QVERIFY(QDir().mkpath(s.data));
        ScriptedDialogs dialogs;
        s.main->close();
        QVERIFY(s.main->exitCompleted());
        QVERIFY(s.recipesFile().contains("0x00000000,0x0008,\"\",\"Grandma's Soup\""));
    }

    // A full disk or a refused write: every held table's failure is told, the files and the records in memory
    // stay, and the next Save All writes everything.
    void refusedSaveAll_data()
    {
        QTest::addColumn<qint64>("faultAfter");
        QTest::addColumn<QString>("message");
        QTest::newRow("disk full") << qint64(50) << "ErrorCode =  61 (Disk full";
        QTest::newRow("read-only folder") << qint64(-1) << "Permission denied";
    }
    void refusedSaveAll()
    {
        QFETCH(qint64, faultAfter);
        QFETCH(QString, message);
        Session s;
        FakePlatform platform;
        const QByteArray before = s.recipesFile();
        ScriptedDialogs dialogs;
        okTimes(dialogs, 3);
        {
            TestData::RefusedWrites refused(faultAfter < 0 ? SafeFile::Fault::Open : SafeFile::Fault::None);
            SafeFile::setFaultAfterBytes(faultAfter);
            s.main->SaveAll();
            SafeFile::setFaultAfterBytes(-1);
        }
        QCOMPARE(dialogs.messageCount(), 3);
        QVERIFY2(dialogs.shown().at(0).text.contains(message), qPrintable(dialogs.shown().at(0).text));
        QCOMPARE(s.recipesFile(), before);
        s.main->SaveAll();
        QVERIFY(s.recipesFile().contains("Grandma's Soup"));
    }
};

QTEST_MAIN(TestDataLoss)
#include "test_dataloss.moc"
