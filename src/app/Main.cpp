#include "app/Main.h"

#include "app/Features.h"
#include "app/RecipeWindow.h"
#include "base/Dialogs.h"
#include "base/Platform.h"
#include "base/ShowError.h"
#include "shell/AppState.h"
#include "shell/FirstRun.h"
#include "shell/LoadFailure.h"
#include "shell/PickLists.h"
#include "shell/Settings.h"
#include "shell/Shutdown.h"
#include "shell/Startup.h"
#include "shell/ui/FirstRunWindow.h"
#include "shell/ui/ProportionalLayout.h"
#include "shell/ui/SplashWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTableWidget>

namespace {

// Small helpers that create a named control at its design place.
template <typename W> W* place(QWidget* parent, const char* name, int x, int y, int w, int h)
{
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h = 18)
{
    auto* l = place<QLabel>(parent, name, x, y, w, h);
    l->setText(text);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip, int x, int y, int w,
                    int h = 28)
{
    auto* b = place<QPushButton>(parent, name, x, y, w, h);
    b->setText(caption);
    b->setToolTip(tip);
    return b;
}

QPushButton* iconButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const QString& tip, int x,
                        int y)
{
    auto* b = place<QPushButton>(parent, name, x, y, 30, 28);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolTip(tip);
    return b;
}

QTableWidget* lineGrid(QWidget* parent, const char* name, int x, int y, int w, int h, int qtyWidth)
{
    auto* grid = place<QTableWidget>(parent, name, x, y, w, h);
    grid->setColumnCount(3);
    grid->setHorizontalHeaderLabels({ QStringLiteral("Qty"), QStringLiteral("Units"), QStringLiteral("Item") });
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(22);
    grid->setColumnWidth(0, qtyWidth);
    grid->setColumnWidth(1, qtyWidth);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return grid;
}

QLineEdit* hiddenBox(QWidget* parent, const char* name)
{
    auto* box = place<QLineEdit>(parent, name, 0, 0, 10, 10);
    box->setProperty("tag", QStringLiteral("hidden"));
    box->hide();
    return box;
}

} // namespace

Main::Main(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(Dialogs::applicationTitle());

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("mainArea"));
    central->setMinimumSize(1, 1);
    setCentralWidget(central);
    buildControls(central);
    buildMenus();

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    auto* panel1 = new QLabel(status);
    panel1->setObjectName(QStringLiteral("sbPanel1"));
    auto* panel2 = new QLabel(status);
    panel2->setObjectName(QStringLiteral("sbPanel2"));
    panel2->setMinimumWidth(120);
    status->addWidget(panel1, 1);
    status->addPermanentWidget(panel2);
    setStatusBar(status);

    resize(DesignWidth, DesignHeight + menuBar()->sizeHint().height() + status->sizeHint().height());
    showTabPage(1);

    m_layout = new ProportionalLayout(central, this);
    m_syncWatch = new QTimer(this);
    m_syncWatch->setObjectName(QStringLiteral("tmrSync"));
    m_syncWatch->setInterval(SyncWatchIntervalMs);
    connect(m_syncWatch, &QTimer::timeout, this, &Main::checkForHotsync);

    attachFeatures(*this);
}

Main::~Main() = default;

QString Main::hotsyncWindowTitle()
{
    return QStringLiteral("Hotsync Progress");
}

void Main::buildControls(QWidget* c)
{
    // Left side: the recipe list and the command buttons below it.
    label(c, "lblList", QStringLiteral("Recipes List:"), 8, 6, 160);
    auto* list = place<QListWidget>(c, "lstAll", 8, 26, 244, 356);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* keys = place<QListWidget>(c, "lstKeys", 8, 26, 10, 10);
    keys->setProperty("tag", QStringLiteral("hidden"));
    keys->hide();

    const int col1 = 8, col2 = 134, bw = 118;
    button(c, "cmdListAll", QStringLiteral("&List All"), QStringLiteral("List All Recipes"), col1, 390, bw);
    button(c, "cmdSearch", QStringLiteral("&Filter"), QStringLiteral("Filter Recipes"), col2, 390, bw);
    button(c, "cmdNew", QStringLiteral("&New"), QStringLiteral("Add New Recipe"), col1, 422, bw);
    button(c, "cmdDupe", QStringLiteral("Copy"), QStringLiteral("Duplicate Recipe"), col2, 422, bw);
    button(c, "cmdDelete", QStringLiteral("&Delete"), QStringLiteral("Delete Recipe(s)"), col1, 454, bw);
    button(c, "cmdMenuAdd", QStringLiteral("Menu Add"), QStringLiteral("Add Recipe to Menu Planner"), col2, 454, bw);
    button(c, "cmdMenu", QStringLiteral("&Menu"), QStringLiteral("View Menu Planner"), col1, 486, bw);
    button(c, "cmdShopSL", QStringLiteral("S&hop"), QStringLiteral("View Shopping List"), col2, 486, bw);
    // Save and Cancel are shown only while a recipe is being added or edited.
    button(c, "cmdNewSave", QStringLiteral("S&ave"), QStringLiteral("Save Changes"), col1, 524, bw)->hide();
    button(c, "cmdNewCancel", QStringLiteral("Canc&el"), QStringLiteral("Cancel Changes"), col2, 524, bw)->hide();

    // Right side: name, ingredients with their buttons, and the tab pages.
    const int rx = 268;
    label(c, "lblName", QStringLiteral("Name:"), rx, 8, 48);
    place<QLineEdit>(c, "txtName", rx + 52, 5, 800 - 8 - rx - 52, 24)->setMaxLength(75);
    label(c, "lblIngredients", QStringLiteral("Ingredients:"), rx, 36, 120);
    lineGrid(c, "gridIngredients", rx, 56, 478, 226, 87);
    const int bx = 800 - 8 - 30;
    iconButton(c, "cmdIngrEdit", QStyle::SP_FileDialogContentsView, QStringLiteral("Add or Edit Ingredients"), bx, 56);
    iconButton(c, "cmdIngrDelete", QStyle::SP_DialogDiscardButton, QStringLiteral("Delete Selected Ingredient"), bx,
               88);
    iconButton(c, "cmdIngrScroll_0", QStyle::SP_ArrowUp, QStringLiteral("Move Ingredient Up"), bx, 120);
    iconButton(c, "cmdIngrScroll_1", QStyle::SP_ArrowDown, QStringLiteral("Move Ingredient Down"), bx, 152);
    iconButton(c, "cmdIngrList", QStyle::SP_FileDialogNewFolder,
               QStringLiteral("Add ALL ingredients to Master Ingredients List"), bx, 184);
    iconButton(c, "cmdShop_1", QStyle::SP_DialogOkButton, QStringLiteral("Add ALL ingredients to shopping list"), bx,
               222);
    iconButton(c, "cmdShop_0", QStyle::SP_DialogApplyButton, QStringLiteral("Add ingredient to shopping list"), bx,
               254);

    auto* tabs = place<QTabBar>(c, "tab1", rx, 292, 800 - 8 - rx, 28);
    tabs->setExpanding(false);
    tabs->setDrawBase(true);
    const struct
    {
        const char* caption;
        const char* tip;
    } pages[] = { { "Instructions", "View Instructions" },
                  { "Nutrition", "View Nutritional Information" },
                  { "Other", "Categories, Servings, Source, and Rating information" },
                  { "Picture ", "Select a graphic for this recipe" } };
    for (const auto& p : pages) {
        const int i = tabs->addTab(QString::fromLatin1(p.caption));
        tabs->setTabToolTip(i, QString::fromLatin1(p.tip));
    }
    connect(tabs, &QTabBar::currentChanged, this, [this](int index) { showTabPage(index + 1); });

    const int fw = 800 - 8 - rx, fh = 560 - 6 - 320;
    QFrame* frames[4];
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "frmTab_" + QByteArray::number(i + 1);
        frames[i] = place<QFrame>(c, name.constData(), rx, 320, fw, fh);
        frames[i]->setFrameShape(QFrame::StyledPanel);
    }

    // 1: Instructions.
    place<QPlainTextEdit>(frames[0], "txtInstructions", 6, 6, fw - 12, fh - 12);

    // 2: Nutrition.
    label(frames[1], "lblNutrition", QStringLiteral("Nutritional Information:"), 8, 6, 200);
    lineGrid(frames[1], "gridNutrition", 8, 26, fw - 56, fh - 34, 67);
    iconButton(frames[1], "cmdNtrnEdit", QStyle::SP_FileDialogContentsView, QStringLiteral("Add or Edit Ingredients"),
               fw - 40, 26);

    // 3: Other.
    QWidget* o = frames[2];
    label(o, "lblCategories", QStringLiteral("Categories:"), 8, 6, 120);
    place<QListWidget>(o, "lstCatRecipe", 8, 26, 180, fh - 34)->setSelectionMode(QAbstractItemView::ExtendedSelection);
    iconButton(o, "cmdCatAdd", QStyle::SP_FileDialogNewFolder, QStringLiteral("Add or Edit Categories"), 194, 26);
    iconButton(o, "cmdCatDelete", QStyle::SP_DialogDiscardButton, QStringLiteral("Remove Category from this Recipe"),
               194, 58);
    const int ox = 240, lw = 52, fx = ox + lw;
    label(o, "lblServes", QStringLiteral("Serves:"), ox, 12, lw);
    place<QLineEdit>(o, "txtServes", fx, 9, 80, 24)->setMaxLength(8);
    button(o, "cmdMultiply", QStringLiteral("Sca&le"), QStringLiteral("Scale Ingredients"), fx + 88, 7, 80);
    label(o, "lblSource", QStringLiteral("Source:"), ox, 50, lw);
    auto* source = place<QComboBox>(o, "cboSource", fx, 47, 134, 24);
    source->setEditable(true);
    source->setToolTip(QStringLiteral("Select or enter a source"));
    button(o, "cmdEditSource", QStringLiteral("&Edit List..."), QString(), fx + 140, 45, 90);
    label(o, "lblRating", QStringLiteral("Rating:"), ox, 88, lw);
    auto* rating = place<QComboBox>(o, "cboRating", fx, 85, 134, 24);
    rating->setEditable(true);
    rating->setToolTip(QStringLiteral("Select or enter a rating"));
    button(o, "cmdEditRating", QStringLiteral("&Edit List..."), QString(), fx + 140, 83, 90);

    // 4: Picture.
    QWidget* p = frames[3];
    auto* picture = place<QLabel>(p, "imgPicture", 8, 8, 300, fh - 16);
    picture->setFrameShape(QFrame::Panel);
    picture->setFrameShadow(QFrame::Sunken);
    picture->setAlignment(Qt::AlignCenter);
    picture->setProperty("kind", QStringLiteral("image"));
    label(p, "lblFilename", QStringLiteral("Filename: "), 320, 8, 180);
    auto* file = label(p, "lblPicFile", QString(), 320, 28, fw - 328, 54);
    file->setWordWrap(true);
    file->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    button(p, "cmdPicture", QStringLiteral("Select..."), QStringLiteral("Select picture"), 320, 92, 90);
    button(p, "cmdEnlarge", QStringLiteral("View..."), QStringLiteral("View picture in viewer window"), 320, 126, 90);
    button(p, "Command1", QStringLiteral("Clear"), QStringLiteral("Clear selected picture"), 320, 160, 90);

    // Hidden boxes that hold the shown record's packed fields.
    for (const char* name : { "txtID", "txtStatus", "txtKey", "txtCategory", "txtIngredients", "txtNutrition" })
        hiddenBox(c, name);
}

void Main::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto menu = [&](const char* name, const QString& title) {
        QMenu* m = bar->addMenu(title);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto item = [&](QMenu* m, const char* name, const QString& caption) {
        QAction* a = m->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };

    QMenu* file = menu("mnuFile", QStringLiteral("&File"));
    item(file, "mnuSaveAll", QStringLiteral("Save &All"));
    file->addSeparator();
    item(file, "mnuImport", QStringLiteral("&Import Recipes..."));
    item(file, "mnuExport", QStringLiteral("&Export Recipes..."));
    file->addSeparator();
    item(file, "mnuBackup", QStringLiteral("&Backup Recipes..."));
    item(file, "mnuRestore", QStringLiteral("&Restore Recipes..."));
    file->addSeparator();
    item(file, "mnuTransfer", QStringLiteral("&Transfer PC Data to Handheld"));
    item(file, "mnuRetrieve", QStringLiteral("&Retrieve Data from Handheld"));
    file->addSeparator();
    item(file, "mnuPrint", QStringLiteral("&Print Recipe(s)..."));
    item(file, "mnuMenuPrint", QStringLiteral("Print Menu Planner"));
    item(file, "mnuPrintSL", QStringLiteral("Print Shopping List"));
    file->addSeparator();
    item(file, "mnuExit", QStringLiteral("E&xit"));

    QMenu* edit = menu("mnuEdit", QStringLiteral("Edit"));
    item(edit, "mnuEditMasterQty", QStringLiteral("Edit Master &Quantities List..."));
    item(edit, "mnuEditMasterUnits", QStringLiteral("Edit Master &Units List..."));
    item(edit, "mnuEditMasterIngr", QStringLiteral("Edit Master &Ingredients List..."));
    item(edit, "mnuEditNtrn", QStringLiteral("Edit Master &Nutritional Items List..."));
    item(edit, "mnuCat", QStringLiteral("Edit Master &Category List..."));
    item(edit, "mnuEditSource", QStringLiteral("Edit Master &Source List..."));
    item(edit, "mnuEditRating", QStringLiteral("Edit Master Ratings List..."));
    item(edit, "mnuEditAisle", QStringLiteral("Edit Master Aisle List..."));
    item(edit, "mnuEditMeal", QStringLiteral("Edit Master Meals List..."));
    edit->addSeparator();
    item(edit, "mnuMenuCopy", QStringLiteral("Copy &Menu Planner to Clipboard"));
    item(edit, "mnuCopySL", QStringLiteral("Copy Shopping &List to Clipboard"));
    item(edit, "mnuSplashShopper", QStringLiteral("E&xport Shopping List to SplashShopper..."));
    edit->addSeparator();
    item(edit, "mnuPrefs", QStringLiteral("&Preferences..."));

    QMenu* recipe = menu("mnuRecipe", QStringLiteral("Recipe"));
    item(recipe, "mnuListAll", QStringLiteral("&List All Recipes"));
    item(recipe, "mnuFilter", QStringLiteral("&Filter Recipes..."));
    item(recipe, "mnuSelectAll", QStringLiteral("Select &All Recipes"));
    recipe->addSeparator();
    item(recipe, "mnuNewRecipe", QStringLiteral("Add &New Recipe"));
    item(recipe, "mnuSmartPaste", QStringLiteral("Smart &Ingredients Paste"));
    item(recipe, "mnuCopy", QStringLiteral("Copy &Recipe to Clipboard"));
    recipe->addSeparator();
    item(recipe, "mnuDeleteDupes", QStringLiteral("&Delete Duplicates"));

    QMenu* view = menu("mnuView", QStringLiteral("View"));
    item(view, "mnuViewMenu", QStringLiteral("&Menu Planner"));
    item(view, "mnuViewSL", QStringLiteral("S&hopping List"));
    item(view, "mnuEquiv", QStringLiteral("E&quivalents"));

    QMenu* help = menu("mnuHelpMenu", QStringLiteral("Help"));
    item(help, "mnuHelp", QStringLiteral("&Help File..."));
    item(help, "mnuAbout", QStringLiteral("About..."));
    help->addSeparator();
    item(help, "mnuWebsite", QStringLiteral("&Website..."));
    item(help, "mnuUpdate", QStringLiteral("Download &Update..."));
    item(help, "mnuMoreRecipes", QStringLiteral("More &Recipes..."));
}

void Main::showTabPage(int index)
{
    if (index < 1 || index > 4)
        return;
    auto* tabs = findChild<QTabBar*>(QStringLiteral("tab1"));
    if (tabs && tabs->currentIndex() != index - 1) {
        tabs->setCurrentIndex(index - 1); // re-enters through currentChanged
        return;
    }
    for (int i = 1; i <= 4; ++i) {
        if (auto* frame = findChild<QFrame*>(QStringLiteral("frmTab_%1").arg(i)))
            frame->setVisible(i == index);
    }
}

void Main::LoadCombos()
{
    auto* source = findChild<QComboBox*>(QStringLiteral("cboSource"));
    auto* rating = findChild<QComboBox*>(QStringLiteral("cboRating"));
    source->clear();
    rating->clear();
    const QString folder = AppState::instance().dataPath;
    if (folder.isEmpty())
        return;
    m_sources = DataSource::open(TableDef::Sources, folder);
    m_ratings = DataSource::open(TableDef::Ratings, folder);
    source->addItems(PickLists::entries(*m_sources, QStringLiteral("SourceMaster")));
    rating->addItems(PickLists::entries(*m_ratings, QStringLiteral("RatingMaster")));
}

namespace {

// Hides the splash window before any message box of the start-up, so the box is never covered by it.
class SplashAwareDialogs : public DialogBackend
{
public:
    explicit SplashAwareDialogs(QWidget* splash)
        : m_inner(Dialogs::backend())
        , m_splash(splash)
    {
        Dialogs::setBackend(this);
    }
    ~SplashAwareDialogs() override { Dialogs::setBackend(m_inner); }
    SplashAwareDialogs(const SplashAwareDialogs&) = delete;
    SplashAwareDialogs& operator=(const SplashAwareDialogs&) = delete;

    MsgAnswer message(const QString& title, const QString& text, MsgButtons buttons, MsgIcon icon) override
    {
        m_splash->hide();
        return m_inner->message(title, text, buttons, icon);
    }
    QString openFile(const QString& title, const QString& filter, const QString& initialPath) override
    {
        m_splash->hide();
        return m_inner->openFile(title, filter, initialPath);
    }
    QString saveFile(const QString& title, const QString& filter, const QString& initialPath) override
    {
        m_splash->hide();
        return m_inner->saveFile(title, filter, initialPath);
    }
    QString chooseFolder(const QString& title, const QString& initialFolder) override
    {
        m_splash->hide();
        return m_inner->chooseFolder(title, initialFolder);
    }

private:
    DialogBackend* m_inner;
    QWidget* m_splash;
};

} // namespace

bool Main::startUp(const QString& programFolder, const StartupOptions& options)
{
    if (!Platform::acquireSingleInstance(Startup::InstanceKey)) {
        Dialogs::message(QStringLiteral("Already Running"), QStringLiteral("Zestora is already running"),
                         MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    std::unique_ptr<SplashWindow> splash;
    std::unique_ptr<SplashAwareDialogs> splashAware;
    if (options.showSplash) {
        splash = std::make_unique<SplashWindow>(options.splashMinimumMs);
        splashAware = std::make_unique<SplashAwareDialogs>(splash.get());
        splash->showAndPaint();
    }
    AppState& state = AppState::instance();
    try {
        Startup::readSettings(state, programFolder);
        if (FirstRun::needed(state)) {
            if (splash)
                splash->hide();
            FirstRunWindow firstRun(FirstRun::proposal(), state.settingsPath, this);
            const int answer = options.runDialog ? options.runDialog(firstRun) : firstRun.exec();
            if (answer != QDialog::Accepted)
                return false;
            Startup::readSettings(state, programFolder);
            if (splash)
                splash->showAndPaint();
        }
        // Transfer and retrieve talk to Pocket PC handhelds only.
        const bool ppc = state.installType == QLatin1String("PPC");
        findChild<QAction*>(QStringLiteral("mnuTransfer"))->setVisible(ppc);
        findChild<QAction*>(QStringLiteral("mnuRetrieve"))->setVisible(ppc);
        if (!Startup::LocateDataFolder(state))
            return false;
        Startup::loadHeldTables(state);
        LoadCombos();
        if (m_recipeWindow)
            m_recipeWindow->listAll();
        showTabPage(findChild<QTabBar*>(QStringLiteral("tab1"))->currentIndex() + 1);
        if (splash)
            splash->finish();
        m_layout->record(QSize(DesignWidth, DesignHeight));
        m_layout->setEnabled(true);
        m_syncWatch->start();
        RestoreWindowGeometry();
    } catch (const TableLoadError& e) {
        LoadFailure::endProgram(e);
        return false;
    } catch (const std::exception& error) {
        ShowError(QStringLiteral("loading"), QString(), error);
        return false;
    }
    return true;
}

void Main::SaveAll()
{
    {
        BusyPointer busy;
        if (m_recipeWindow && m_recipeWindow->isEditing())
            m_recipeWindow->pressSave();
        SaveDBs(AppState::instance());
    }
    if (m_recipeWindow)
        m_recipeWindow->listAll();
}

void Main::checkForHotsync()
{
    if (m_hotsyncDetected || !Platform::topLevelWindowExists(hotsyncWindowTitle()))
        return;
    m_hotsyncDetected = true;
    m_syncWatch->stop();
    close();
}

void Main::closeEvent(QCloseEvent* event)
{
    if (!m_exitCompleted && !runExitSequence()) {
        event->ignore();
        return;
    }
    event->accept();
    if (m_quitOnExit)
        QCoreApplication::quit();
}

bool Main::runExitSequence()
{
    AppState& state = AppState::instance();
    if (!m_hotsyncDetected && !state.restoreDone && m_recipeWindow && m_recipeWindow->isEditing()) {
        const MsgAnswer answer
            = Dialogs::message(QStringLiteral("Changes Not Saved"),
                               QStringLiteral("You have made changes that have not been saved.") + CRLF + CRLF
                                   + QStringLiteral("Do you want to go back and save changes?"),
                               MsgButtons::YesNo, MsgIcon::Question);
        if (answer != MsgAnswer::No)
            return false;
        m_recipeWindow->cancelEdit();
    }
    SaveWindowGeometry();

    const bool watching = m_syncWatch->isActive();
    QStringList unsaved;
    m_syncWatch->stop();
    {
        BusyPointer busy;
        if (!state.restoreDone && !state.retrieveDone && !SaveDBs(state, &unsaved) && !m_hotsyncDetected) {
            // The failure has been reported; closing now would lose the changes that could not be written.
            const MsgAnswer answer
                = Dialogs::message(QStringLiteral("Changes Not Saved"),
                                   QStringLiteral("Some of your data could not be saved.") + CRLF + CRLF
                                       + QStringLiteral("Close anyway and lose the changes that were not saved?"),
                                   MsgButtons::YesNo, MsgIcon::Exclamation);
            if (answer != MsgAnswer::Yes) {
                if (watching)
                    m_syncWatch->start();
                return false;
            }
        }
        Shutdown::RemoveTinyTableFiles(state.dataPath);
    }
    if (m_hotsyncDetected) {
        // The program closes either way, so that it never writes the tables while the conduit does; the message
        // says so when a table could not be written first.
        const QString outcome = unsaved.isEmpty()
            ? QStringLiteral("A hotsync operation has been detected and your data has been saved.")
            : QStringLiteral("A hotsync operation has been detected, but these files could not be saved:") + CRLF
                + unsaved.join(CRLF) + CRLF + CRLF
                + QStringLiteral("The changes made to them since they were last saved have been lost.");
        Dialogs::message(QStringLiteral("Hotsync Detected"),
                         QStringLiteral("Zestora Plus on the PC must be closed during the hotsync operation.") + CRLF
                             + CRLF + outcome + CRLF + CRLF
                             + QStringLiteral("You may restart the software when the hotsync operation is complete."),
                         MsgButtons::Ok, unsaved.isEmpty() ? MsgIcon::Information : MsgIcon::Exclamation);
    }
    m_exitCompleted = true;
    return true;
}

void Main::SaveWindowGeometry()
{
    if (isMinimized())
        return;
    // The normal place of a maximised window, so that the next start opens at a usable size.
    const QRect g = isMaximized() ? normalGeometry() : geometry();
    WriteSettings(QStringLiteral("Form"),
                  { { QStringLiteral("Left"), QString::number(g.left()) },
                    { QStringLiteral("Top"), QString::number(g.top()) },
                    { QStringLiteral("Width"), QString::number(g.width()) },
                    { QStringLiteral("Height"), QString::number(g.height()) } });
}

void Main::RestoreWindowGeometry()
{
    const QString left = ReadSetting(QStringLiteral("Form"), QStringLiteral("Left"), QString());
    if (left.isEmpty())
        return;
    bool ok[4] = {};
    const int x = left.trimmed().toInt(&ok[0]);
    const int y = ReadSetting(QStringLiteral("Form"), QStringLiteral("Top")).trimmed().toInt(&ok[1]);
    const int w = ReadSetting(QStringLiteral("Form"), QStringLiteral("Width")).trimmed().toInt(&ok[2]);
    const int h = ReadSetting(QStringLiteral("Form"), QStringLiteral("Height")).trimmed().toInt(&ok[3]);
    if (!ok[0] || !ok[1] || !ok[2] || !ok[3] || w <= 0 || h <= 0)
        return;
    QRect r(x, y, w, h);
    // A window stored on a screen that is no longer attached comes back on the primary screen.
    if (!QGuiApplication::screenAt(r.topLeft() + QPoint(20, 20))) {
        if (QScreen* screen = QGuiApplication::primaryScreen())
            r.moveTopLeft(screen->availableGeometry().topLeft());
    }
    setGeometry(r);
}
