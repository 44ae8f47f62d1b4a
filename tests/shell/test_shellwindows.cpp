#include "TestData.h"
#include "Widgets.h"
#include "app/Main.h"
#include "shell/AppState.h"
#include "shell/ui/PreferencesWindow.h"
#include "shell/ui/ProportionalLayout.h"
#include "shell/ui/QtPlatform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QLockFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

namespace {
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

    void mainWindowTabsAndLayout()
    {
        Main main;
        main.resizeLayout()->record(QSize(Main::DesignWidth, Main::DesignHeight));
        auto* list = main.findChild<QWidget*>(QStringLiteral("lstAll"));
        const int width = list->width();
        QVERIFY(main.resizeLayout()->apply(QSize(2 * Main::DesignWidth, Main::DesignHeight),
                                           QSize(2 * Main::DesignWidth, Main::DesignHeight + 40)));
        QCOMPARE(list->width(), 2 * width);
        QVERIFY(!main.resizeLayout()->apply(QSize(599, 900), QSize(599, 900)));
        QCOMPARE(list->width(), 2 * width); // below the minimum size nothing moves
        main.show();
        main.showTabPage(2); // tab pages count from 1
        QCOMPARE(main.findChild<QTabBar*>(QStringLiteral("tab1"))->currentIndex(), 1);
        for (int f = 1; f <= 4; ++f)
            QCOMPARE(main.findChild<QFrame*>(QStringLiteral("frmTab_%1").arg(f))->isVisible(), f == 2);
    }

    void preferencesShownAndChanged()
    {
        TestData::DataFolderFixture data;
        data.writeBytes(TableDef::Preferences,
                        "#FLDCNT: 2\r\n"
                            + TestData::crlfLines({ "0x00000001,0x0000,\"abbrev_ingr\",\"1\"",
                                                    "0x00000002,0x0000,\"equivalents\",\"a\\nb\"",
                                                    "0x00000003,0x0000,\"scaling\",\"odd\"",
                                                    "0x00000000,0x0008,\"serves\",\"6\"" }));
        AppState& state = AppState::instance();
        state.dataPath = data.path() + QLatin1Char('/');
        state.prefs = std::make_unique<DataSourcePrefs2>(data.file(TableDef::Preferences));
        Recordset& rs = state.prefs->recordset();
        rs.setFilter(RecordStatus::LiveFilter);
        auto statuses = [&rs] {
            QStringList out;
            for (rs.moveFirst(); !rs.eof(); rs.moveNext())
                out << rs.value("PrefsKey") + '=' + rs.value("STATUS");
            return out;
        };
        const QStringList before = statuses();
        {
            PreferencesWindow unchanged; // OK without changes keeps every line, an unoffered value too
            child<QPushButton>(unchanged, "cmdOK")->click();
            QCOMPARE(statuses(), before);
        }
        PreferencesWindow window;
        QVERIFY(child<QCheckBox>(window, "chk_abbrev_ingr")->isChecked());
        QVERIFY(!child<QCheckBox>(window, "chk_confirm_1SL")->isChecked());
        QCOMPARE(child<QComboBox>(window, "cbo_instructions")->currentText(), QStringLiteral("editable"));
        QCOMPARE(child<QLineEdit>(window, "txt_serves")->text(), QStringLiteral("6"));
        QCOMPARE(child<QPlainTextEdit>(window, "txt_equivalents")->toPlainText(), QStringLiteral("a\nb"));
        child<QComboBox>(window, "cbo_scaling")->setCurrentText(QStringLiteral("decimal"));
        child<QCheckBox>(window, "chk_confirm_1SL")->setChecked(true);
        child<QLineEdit>(window, "txt_serves")->setText(QStringLiteral("8"));
        child<QPlainTextEdit>(window, "txt_equivalents")->setPlainText(QStringLiteral("1 cup = 16 tbsp\n1 lb = 16 oz"));
        child<QPushButton>(window, "cmdOK")->click();
        QCOMPARE(statuses(),
                 (QStringList { "abbrev_ingr=0x0000", "equivalents=0x0004", "scaling=0x0004", "serves=0x0008",
                                "confirm_1SL=0x0008" }));
        QCOMPARE(state.preference(QStringLiteral("equivalents")), QStringLiteral("1 cup = 16 tbsp\\n1 lb = 16 oz"));
    }

    void platformLockAndProcesses()
    {
        const QString key = QStringLiteral("zestoraplus-test-%1").arg(QCoreApplication::applicationPid());
        {
            QtPlatform first;
            QVERIFY(first.acquireSingleInstance(key) && first.acquireSingleInstance(key));
            QVERIFY(!QLockFile(QtPlatform::lockPath(key)).tryLock(0)); // another process is refused
        }
        QtPlatform platform; // released with its owner
        QVERIFY(platform.acquireSingleInstance(key));
        QCOMPARE(platform.runAndWait(QStringLiteral("/bin/sh"), { QStringLiteral("-c"), QStringLiteral("exit 3") }), 3);
        QCOMPARE(platform.runAndWait(QStringLiteral("/nonexistent/tool.exe"), {}), -1);
    }
};

QTEST_MAIN(TestShellWindows)
#include "test_shellwindows.moc"
