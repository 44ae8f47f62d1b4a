#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "ShellFixture.h"
#include "Widgets.h"
#include "app/Main.h"
#include "shell/AppState.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QTimer>
#include <QtTest>

namespace {
Main::StartupOptions quiet()
{
    Main::StartupOptions options;
    options.showSplash = false;
    return options;
}
// Folders, fake platform, scripted dialogs and a main window, in the order a start-up needs them.
struct Run
{
    ShellFolders f;
    FakePlatform platform;
    ScriptedDialogs dialogs;
    Main main;
    bool start(const Main::StartupOptions& options = quiet()) { return main.startUp(f.programPath(), options); }
};
const QString kInitText = QStringLiteral("Unable to locate handheld database directory.\r\n\r\nRun the full installer "
                                         "again.\r\n\r\nContact technical support if the problem persists.");
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { AppState::instance().reset(); }

    void refusedStartUps_data()
    {
        QTest::addColumn<QByteArray>("ini"); // "" for no settings file; %DATA% is the data folder
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text"); // the whole text, or its start and an inner part around "%%"
        const QByteArray standard = "[Main]\r\nDataPath=%DATA%/\r\n";
        QTest::newRow("second copy") << QByteArray("lock ") + standard << ""
                                     << "Zestora is already running";
        QTest::newRow("no settings file") << QByteArray() << "InitializatiOn Error" << kInitText;
        QTest::newRow("data folder missing")
            << QByteArray("[Main]\r\nDataPath=/no/such/folder\r\n") << "Error"
            << "An error occurred while loading data source 1.%%\r\n\r\nFilename = /no/such/folder/ZestoDB.cdb";
        QTest::newRow("menu table missing")
            << standard << "Error"
            << "An error occurred while loading data source 8.%%ErrorCode =  53 (File not found)";
    }
    void refusedStartUps()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, title);
        QFETCH(QString, text);
        Run r;
        r.platform.lockAvailable = !ini.startsWith("lock ");
        if (!ini.isEmpty())
            r.f.writeIni(ini.replace("lock ", "").replace("%DATA%", r.f.data.path().toUtf8()));
        QFile::remove(r.f.data.file(TableDef::MenuPlanner));
        r.dialogs.answer(MsgAnswer::Ok);
        TestData::ThrowOnFatalLoad throwing;
        QVERIFY(!r.start(Main::StartupOptions())); // with the splash window up
        QCOMPARE(r.dialogs.messageCount(), 1);
        if (!title.isEmpty())
            QCOMPARE(r.dialogs.last().title, title);
        if (text.contains("%%"))
            QVERIFY(r.dialogs.last().text.startsWith(text.section("%%", 0, 0))
                    && r.dialogs.last().text.contains(text.section("%%", 1)));
        else
            QCOMPARE(r.dialogs.last().text, text);
        QVERIFY(!r.main.syncWatch()->isActive());
    }

    void installTypes_data()
    {
        QTest::addColumn<QByteArray>("ini"); // %DATA% is the data folder without its closing separator
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("missing type behaves as Palm")
            << QByteArray("[Main]\r\nDataPath=%DATA%/\r\n[Form]\r\nLeft=30\r\nTop=40\r\nWidth=700\r\nHeight=500\r\n")
            << QRect(30, 40, 700, 500);
        QTest::newRow("PPC, path without separator, zero width")
            << QByteArray("[Main]\r\nInstallType=PPC\r\nDataPath=%DATA%\r\n[Form]\r\nLeft=1\r\nTop=1\r\nWidth=0\r\n")
            << QRect();
    }
    void installTypes()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QRect, geometry);
        const bool handheldItems = ini.contains("PPC");
        Run r;
        r.f.writeIni(ini.replace("%DATA%", r.f.data.path().toUtf8()));
        FakeRecipeWindow recipes;
        r.main.setRecipeWindow(&recipes);
        Main::StartupOptions withSplash;
        withSplash.splashMinimumMs = 0;
        const QRect before = r.main.geometry();
        QVERIFY(r.start(withSplash));
        QCOMPARE(r.dialogs.messageCount(), 0);
        AppState& state = AppState::instance();
        QCOMPARE(state.installType, QString(handheldItems ? "PPC" : "Palm"));
        QCOMPARE(state.dataPath, r.f.dataPath());
        QCOMPARE(r.f.iniBytes(), ini);
        QCOMPARE(r.main.geometry(), geometry.isNull() ? before : geometry);
        QCOMPARE(TestUi::child<QAction>(&r.main, "mnuTransfer")->isVisible(), handheldItems);
        QVERIFY(state.recipes && state.prefs && state.menu && r.main.syncWatch()->isActive());
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
