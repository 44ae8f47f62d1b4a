#include "TestData.h"
#include "Widgets.h"
#include "app/Main.h"
#include "shell/AppState.h"

#include <QComboBox>
#include <QFrame>
#include <QTabBar>
#include <QtTest>

class TestMainFrame : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { AppState::instance().reset(); }

    void tabsSwitchFrames()
    {
        Main main;
        main.show();
        auto* tabs = main.findChild<QTabBar*>(QStringLiteral("tab1"));
        QCOMPARE(tabs->count(), 4);
        for (int i = 0; i < 4; ++i) {
            tabs->setCurrentIndex(i);
            for (int f = 1; f <= 4; ++f)
                QCOMPARE(main.findChild<QFrame*>(QStringLiteral("frmTab_%1").arg(f))->isVisible(), f == i + 1);
        }
        main.showTabPage(2);
        QCOMPARE(tabs->currentIndex(), 1);
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
        auto* source = TestUi::child<QComboBox>(&main, "cboSource");
        QCOMPARE(source->itemText(1), QStringLiteral("Family cookbook"));
        QCOMPARE(source->itemText(2), QStringLiteral("Grandma"));
        // An empty table leaves its box without the empty entry.
        QCOMPARE(TestUi::child<QComboBox>(&main, "cboRating")->count(), 0);
        // Filling again replaces, never appends.
        main.LoadCombos();
        QCOMPARE(source->count(), 3);
    }
};

QTEST_MAIN(TestMainFrame)
#include "test_mainframe.moc"
