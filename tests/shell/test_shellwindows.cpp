#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "Widgets.h"
#include "app/Main.h"
#include "shell/AppState.h"
#include "shell/ui/PreferencesWindow.h"
#include "shell/ui/ProportionalLayout.h"
#include "shell/ui/QtPlatform.h"
#include "shell/ui/ShellCommands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

namespace {
template <typename W> W* add(QWidget* parent, const char* name, QRect r)
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(r);
    return w;
}

// A design of 600 x 400 pixels with a control for each way of placing one, laid out at that size.
struct Form
{
    QWidget root;
    ProportionalLayout layout { &root, &root };
    Form()
    {
        add<QLineEdit>(&root, "single", QRect(10, 10, 100, 20));
        add<QPlainTextEdit>(&root, "multi", QRect(10, 40, 100, 80));
        add<QListWidget>(&root, "list", QRect(120, 10, 100, 100));
        add<QPushButton>(&root, "button", QRect(230, 40, 80, 26));
        add<QLabel>(&root, "image", QRect(430, 10, 100, 100))->setProperty("kind", QStringLiteral("image"));
        add<QPushButton>(add<QFrame>(&root, "frame", QRect(220, 160, 300, 200)), "inFrame", QRect(10, 10, 60, 24));
        add<QLineEdit>(&root, "hiddenBox", QRect(1, 2, 3, 4))->setProperty("tag", QStringLiteral("hidden"));
        add<QPushButton>(&root, "fixedButton", QRect(5, 370, 50, 20))->setProperty("tag", QStringLiteral("fixed"));
        root.resize(600, 400);
        layout.record(QSize(600, 400));
    }
    QRect at(const char* name) { return root.findChild<QWidget*>(QString::fromLatin1(name))->geometry(); }
};

// Preferences held as after a start-up, from the given records.
struct HeldPrefs
{
    TestData::DataFolderFixture data;
    explicit HeldPrefs(const QList<QByteArray>& records)
    {
        data.writeBytes(TableDef::Preferences, "#FLDCNT: 2\r\n" + TestData::crlfLines(records));
        AppState& state = AppState::instance();
        state.dataPath = data.path() + QLatin1Char('/');
        state.prefs = std::make_unique<DataSourcePrefs2>(data.file(TableDef::Preferences));
        state.prefs->recordset().setFilter(RecordStatus::LiveFilter);
        state.prefs->recordset().setSort(QStringLiteral("PrefsKey ASC"));
    }
    Recordset& rs() { return AppState::instance().prefs->recordset(); }
    QString status(const char* key)
    {
        rs().moveFirst();
        return rs().find(QStringLiteral("PrefsKey = '%1'").arg(QLatin1String(key))) ? rs().value("STATUS") : "none";
    }
};

template <typename W> W* child(QWidget& w, const char* name)
{
    return TestUi::child<W>(&w, name);
}
} // namespace

class TestShellWindows : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { AppState::instance().reset(); }

    void placementByKind_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("expected");
        // Doubled width, height times 1.5.
        QTest::newRow("single-line text: width scales, height kept") << "single" << QRect(20, 15, 200, 20);
        QTest::newRow("multi-line text scales") << "multi" << QRect(20, 60, 200, 120);
        QTest::newRow("button only moves") << "button" << QRect(460, 60, 80, 26);
        QTest::newRow("image scales") << "image" << QRect(860, 15, 200, 150);
        QTest::newRow("in a frame, relative to it") << "inFrame" << QRect(20, 15, 60, 24);
        QTest::newRow("hidden tag never moves") << "hiddenBox" << QRect(1, 2, 3, 4);
        QTest::newRow("fixed tag never moves") << "fixedButton" << QRect(5, 370, 50, 20);
    }
    void placementByKind()
    {
        QFETCH(QString, name);
        QFETCH(QRect, expected);
        Form form;
        QVERIFY(form.layout.apply(QSize(1200, 600), QSize(1200, 600)));
        QCOMPARE(form.at(name.toLatin1().constData()), expected);
        QVERIFY(form.layout.apply(QSize(600, 400), QSize(600, 400))); // back where it was designed
        QCOMPARE(form.at("list"), QRect(120, 10, 100, 100));
    }

    void belowMinimumNothingMoves()
    {
        Form form;
        QVERIFY(form.layout.apply(QSize(700, 500), QSize(700, 500)));
        const QRect before = form.at("list");
        QVERIFY(!form.layout.apply(QSize(599, 500), QSize(599, 500)));
        QVERIFY(!form.layout.apply(QSize(900, 399), QSize(900, 399)));
        QCOMPARE(form.at("list"), before);
    }

    void mainWindowTabsAndLayout()
    {
        Main main;
        main.resizeLayout()->record(QSize(Main::DesignWidth, Main::DesignHeight));
        auto* list = main.findChild<QWidget*>(QStringLiteral("lstAll"));
        const QRect list0 = list->geometry();
        QVERIFY(main.resizeLayout()->apply(QSize(2 * Main::DesignWidth, Main::DesignHeight),
                                           QSize(2 * Main::DesignWidth, Main::DesignHeight + 40)));
        QCOMPARE(list->width(), 2 * list0.width());
        QCOMPARE(main.resizeLayout()->designGeometry(main.findChild<QWidget*>(QStringLiteral("txtKey"))), QRect());
        main.show();
        main.showTabPage(2); // tab pages count from 1
        QCOMPARE(main.findChild<QTabBar*>(QStringLiteral("tab1"))->currentIndex(), 1);
        for (int f = 1; f <= 4; ++f)
            QCOMPARE(main.findChild<QFrame*>(QStringLiteral("frmTab_%1").arg(f))->isVisible(), f == 2);
    }

    void loadCombosFillsSortedLiveEntries()
    {
        TestData::DataFolderFixture data;
        data.writeBytes(TableDef::Sources,
                        TestData::crlfLines({ "0x00000001,0x0000,\"Grandma\",\"\",\"\"",
                                              "0x00000002,0x0002,\"Deleted one\",\"\",\"\"",
                                              "0x00000003,0x0004,\"Family cookbook\",\"\",\"\"" }));
        AppState::instance().dataPath = data.path() + QLatin1Char('/');
        Main main;
        main.LoadCombos();
        main.LoadCombos(); // filling again replaces, never appends
        auto* source = TestUi::child<QComboBox>(&main, "cboSource");
        QCOMPARE(source->count(), 3);
        QCOMPARE(source->itemText(1), QStringLiteral("Family cookbook"));
        QCOMPARE(source->itemText(2), QStringLiteral("Grandma"));
        QCOMPARE(TestUi::child<QComboBox>(&main, "cboRating")->count(), 0); // an empty table: no empty entry
    }

    void preferencesShownAndChanged()
    {
        HeldPrefs prefs({ "0x00000001,0x0000,\"abbrev_ingr\",\"1\"", "0x00000002,0x0000,\"equivalents\",\"a\\nb\"",
                          "0x00000003,0x0000,\"scaling\",\"fraction\"", "0x00000004,0x0000,\"serves\",\"6\"" });
        PreferencesWindow window;
        QVERIFY(child<QCheckBox>(window, "chk_abbrev_ingr")->isChecked());
        QVERIFY(!child<QCheckBox>(window, "chk_confirm_1SL")->isChecked());
        QCOMPARE(child<QComboBox>(window, "cbo_instructions")->currentText(), QStringLiteral("editable"));
        QCOMPARE(child<QLineEdit>(window, "txt_serves")->text(), QStringLiteral("6"));
        QCOMPARE(child<QPlainTextEdit>(window, "txt_equivalents")->toPlainText(), QStringLiteral("a\nb"));
        child<QComboBox>(window, "cbo_scaling")->setCurrentText(QStringLiteral("decimal"));
        child<QCheckBox>(window, "chk_confirm_1SL")->setChecked(true);
        child<QPlainTextEdit>(window, "txt_equivalents")->setPlainText(QStringLiteral("1 cup = 16 tbsp\n1 lb = 16 oz"));
        child<QPushButton>(window, "cmdOK")->click();
        QCOMPARE(prefs.status("scaling"), QStringLiteral("0x0004"));
        QCOMPARE(prefs.status("confirm_1SL"), QStringLiteral("0x0008"));
        QCOMPARE(prefs.status("serves"), QStringLiteral("0x0000"));
        QCOMPARE(AppState::instance().preference(QStringLiteral("equivalents")),
                 QStringLiteral("1 cup = 16 tbsp\\n1 lb = 16 oz"));
    }

    void preferencesUntouchedByOkAndCancel()
    {
        HeldPrefs prefs({ "0x00000002,0x0000,\"equivalents\",\"a\\nb\\nc\"", "0x00000003,0x0000,\"scaling\",\"odd\"" });
        {
            PreferencesWindow window; // OK without changes: stored lines and an unoffered value stay unchanged
            child<QPushButton>(window, "cmdOK")->click();
            QCOMPARE(prefs.rs().totalRecordCount(), 2);
            QCOMPARE(prefs.status("equivalents"), QStringLiteral("0x0000"));
            QCOMPARE(prefs.status("scaling"), QStringLiteral("0x0000"));
        }
        PreferencesWindow window;
        auto* serves = child<QLineEdit>(window, "txt_serves");
        serves->setText(QStringLiteral("123456789012"));
        QCOMPARE(serves->text().size(), 10);
        auto* equivalents = child<QPlainTextEdit>(window, "txt_equivalents");
        equivalents->setPlainText(QString(4100, QLatin1Char('x')));
        QCOMPARE(equivalents->toPlainText().size(), 4000);
        child<QPushButton>(window, "cmdCancel")->click();
        QCOMPARE(prefs.rs().totalRecordCount(), 2);
    }

    void webAndHelpItems()
    {
        FakePlatform platform;
        ScriptedDialogs dialogs;
        Main main;
        TestUi::trigger(&main, "mnuWebsite");
        platform.openSucceeds = false;
        dialogs.answer(MsgAnswer::Ok);
        TestUi::trigger(&main, "mnuMoreRecipes");
        QCOMPARE(platform.opened.size(), 2);
        QVERIFY(platform.opened.first().startsWith(QStringLiteral("https://")));
        QCOMPARE(dialogs.last().text, QStringLiteral("Could not find a browser"));
        TestData::DataFolderFixture folder;
        const QString help = folder.path() + QStringLiteral("/zestoraplus-help.html");
        AppState::instance().helpFile = help;
        platform.openSucceeds = true;
        dialogs.answer(MsgAnswer::Ok);
        openHelpFile(); // not shipped: told, nothing opened
        QCOMPARE(dialogs.messageCount(), 2);
        QVERIFY(dialogs.last().text.contains(help));
        TestData::writeFile(help, "<html></html>");
        openHelpFile();
        QCOMPARE(platform.opened.last(), help);
        QCOMPARE(platform.opened.size(), 3);
    }

    void platformLockProcessesAndPointer()
    {
        const QString key = QStringLiteral("zestoraplus-test-%1").arg(QCoreApplication::applicationPid());
        {
            QtPlatform first;
            QVERIFY(first.acquireSingleInstance(key));
            QVERIFY(first.acquireSingleInstance(key)); // asking again keeps the lock
            QVERIFY(!QLockFile(QtPlatform::lockPath(key)).tryLock(0)); // another process is refused
        }
        QtPlatform platform; // released with its owner
        QVERIFY(platform.acquireSingleInstance(key));
        QCOMPARE(platform.runAndWait(QStringLiteral("/bin/sh"), { QStringLiteral("-c"), QStringLiteral("exit 3") }), 3);
        QCOMPARE(platform.runAndWait(QStringLiteral("/nonexistent/tool.exe"), {}), -1);
        platform.setBusy(true);
        platform.setBusy(true);
        platform.setBusy(false);
        QVERIFY(QGuiApplication::overrideCursor());
        platform.setBusy(false);
        platform.setBusy(false); // an extra clear is harmless
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(TestShellWindows)
#include "test_shellwindows.moc"
