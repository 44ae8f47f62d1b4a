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
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>

Main::Main(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(Dialogs::applicationTitle());

    m_ui.setupUi(this);
    connect(m_ui.tab1, &QTabBar::currentChanged, this, [this](int index) { showTabPage(index + 1); });

    resize(DesignWidth, DesignHeight + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    showTabPage(1);

    m_layout = new ProportionalLayout(centralWidget(), this);
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

void Main::showTabPage(int index)
{
    if (index < 1 || index > 4)
        return;
    if (m_ui.tab1->currentIndex() != index - 1) {
        m_ui.tab1->setCurrentIndex(index - 1); // re-enters through currentChanged
        return;
    }
    for (int i = 1; i <= 4; ++i)
        m_ui.frmTab[i - 1]->setVisible(i == index);
}

void Main::LoadCombos()
{
    QComboBox* source = m_ui.cboSource;
    QComboBox* rating = m_ui.cboRating;
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
        m_ui.mnuTransfer->setVisible(ppc);
        m_ui.mnuRetrieve->setVisible(ppc);
        if (!Startup::LocateDataFolder(state))
            return false;
        Startup::loadHeldTables(state);
        LoadCombos();
        if (m_recipeWindow)
            m_recipeWindow->listAll();
        showTabPage(m_ui.tab1->currentIndex() + 1);
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
