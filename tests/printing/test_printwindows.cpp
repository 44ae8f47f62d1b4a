#include "FakeRecipeWindow.h"
#include "ReportFixture.h"
#include "ScriptedDialogs.h"
#include "Widgets.h"
#include "app/Main.h"
#include "printing/PrintSettings.h"
#include "printing/ui/PrintDialogs.h"
#include "printing/ui/PrintingCommands.h"
#include "printing/ui/frmPrint.h"
#include "printing/ui/frmPrintOptions.h"
#include "shell/AppState.h"

#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// Prints pages from..to into a PDF file, and sets up A4 paper with 20 mm margins.
struct FakePrintDialogs : PrintDialogs
{
    bool accept = true;
    int from = 1, to = 1, shownPageCount = 0;
    QString pdfPath;
    bool print(QPrinter& printer, int pageCount, int* f, int* t, QWidget*) override
    {
        printer.setOutputFileName(pdfPath);
        std::tie(shownPageCount, *f, *t) = std::tuple(pageCount, from, to);
        return accept;
    }
    bool printerSetup(QPrinter&, QWidget*) override { return accept; }
    bool pageSetup(QPrinter& printer, QWidget*) override
    {
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                          QPageLayout::Millimeter));
        return accept;
    }
};

} // namespace
using TestUi::child;

class TestPrintWindows : public QObject
{
    Q_OBJECT
    std::unique_ptr<ReportFixture> m_fx;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    FakePrintDialogs m_printDialogs;

private Q_SLOTS:
    void init()
    {
        m_fx = std::make_unique<ReportFixture>();
        for (const char* name : { "Apple Pie", "Bread", "Cake" })
            m_fx->addRecipe({ name });
        m_fx->saveAll();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_printDialogs.accept = true;
        PrintDialogs::setCurrent(&m_printDialogs);
        AppState& state = AppState::instance();
        state.dataPath = m_fx->dataPath() + "/";
        state.settingsPath = m_fx->dataPath() + "/zestoraplus.ini";
        state.recipes = std::make_unique<DataSource1>(state.tablePath(TableDef::Recipes));
        state.recipes->recordset().setFilter(RecordStatus::LiveFilter);
    }
    void cleanup()
    {
        QVERIFY(m_dialogs->exhausted());
        m_dialogs.reset();
        PrintDialogs::setCurrent(nullptr);
        setPrintPreviewOpener({});
        AppState::instance().reset();
        m_fx.reset();
    }
    void saveToFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("formatError");
        QTest::addColumn<int>("replace"); // -1: no such file yet; else the answer to the replace question
        QTest::newRow("upper-case extension") << "COPY.RTF" << false << -1;
        QTest::newRow("existing file replaced") << "copy.rtf" << false << int(MsgAnswer::Yes);
        QTest::newRow("existing file kept") << "copy.rtf" << false << int(MsgAnswer::No);
        QTest::newRow("rtf without the dot refused") << "reportrtf" << true << -1;
    }
    void saveToFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, formatError);
        QFETCH(int, replace);
        frmPrint w(PrintOptions {});
        const QString target = m_fx->dataPath() + "/" + name;
        if (replace >= 0) {
            TestData::writeFile(target, "an older file");
            m_dialogs->answer(MsgAnswer(replace));
        }
        m_dialogs->choosePath(target);
        if (formatError)
            m_dialogs->answer(MsgAnswer::Ok);
        child<QPushButton>(&w, "cmdSaveFile")->click();
        QCOMPARE(m_dialogs->messageCount(), replace >= 0 || formatError ? 1 : 0);
        if (formatError)
            QCOMPARE(m_dialogs->last().text,
                     QString("The file format must be an RTF file, so the filename must have an extension of .rtf."));
        QCOMPARE(QFile::exists(target), !formatError);
        if (!formatError)
            QCOMPARE(TestData::readFile(target),
                     replace == int(MsgAnswer::No) ? QByteArray("an older file") : TestData::readFile(w.exportPath()));
    }
    void previewAndPrintTheChosenRange()
    {
        PrintOptions options;
        options.newPage = true;
        frmPrint w(options);
        m_printDialogs.pdfPath = m_fx->dataPath() + "/printed.pdf";
        m_printDialogs.from = 2;
        m_printDialogs.to = 9; // beyond the end: up to the last page
        child<QPushButton>(&w, "cmdPrint")->click();
        QCOMPARE(m_printDialogs.shownPageCount, 3);
        QCOMPARE(ReportFixture::pdfPages(TestData::readFile(m_printDialogs.pdfPath)), 2);
    }
    void compositionFailureIsReported()
    {
        PrintOptions options; // no menu table held
        options.kind = PrintOptions::Menu;
        m_dialogs->answer(MsgAnswer::Ok);
        frmPrint w(options);
        QVERIFY(m_dialogs->last().text.startsWith("An error occurred while building the print document."));
        QCOMPARE(child<QLabel>(&w, "lblPage")->text(), QString("1 of 1"));
    }
    void optionsWindow()
    {
        FakeRecipeWindow recipes;
        recipes.keys = { "cake", "apple pie" };
        frmPrintOptions w(&recipes);
        child<QRadioButton>(&w, "optRecords_1")->click();
        child<QRadioButton>(&w, "optFormat_1")->click();
        QVector<PrintOptions> opened;
        setPrintPreviewOpener([&opened](const PrintOptions& o, QWidget*) { opened.append(o); });
        child<QPushButton>(&w, "cmdPrint")->click();
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened.first().cards);
        QCOMPARE(opened.first().selectedKeys, recipes.keys);
    }
    void menuCommands()
    {
        Main main; // attaches the printing commands itself
        QVector<PrintOptions::Kind> opened;
        setPrintPreviewOpener([&opened](const PrintOptions& o, QWidget*) { opened.append(o.kind); });
        TestUi::trigger(&main, "mnuPrintSL");
        TestUi::trigger(&main, "mnuMenuPrint");
        QCOMPARE(opened, (QVector<PrintOptions::Kind> { PrintOptions::ShoppingList, PrintOptions::Menu }));
        child<QListWidget>(&main, "lstAll")->clear(); // no recipe listed: "Print Recipe(s)..." does nothing
        TestUi::trigger(&main, "mnuPrint");
        QCOMPARE(opened.size(), 2);
        QCOMPARE(m_dialogs->shown().size(), 0);
    }
};

QTEST_MAIN(TestPrintWindows)
#include "test_printwindows.moc"
