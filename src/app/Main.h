#pragma once

#include "app/MainUi.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class DataSource;
class ProportionalLayout;
class QDialog;
class QTimer;
class RecipeWindow;

// The main window. Builds every control and menu of the recipe window (MainUi); subsystems attach their
// behaviour to the controls through ui() (see Features.h). Start-up, the synchronisation watch, Save All and the
// exit sequence are driven from here; their logic lives in the shell core (src/shell).
class Main : public QMainWindow
{
    Q_OBJECT
public:
    // The size of the central area the controls are placed for; the resize layout scales from it.
    static constexpr int DesignWidth = 800;
    static constexpr int DesignHeight = 560;
    // How often the synchronisation watch looks for the conduit's progress window.
    static constexpr int SyncWatchIntervalMs = 1000;
    // The title of the handheld synchronisation's progress window.
    static QString hotsyncWindowTitle();

    // Builds the window frame and attaches every feature. Loads nothing: call startUp() before showing.
    explicit Main(QWidget* parent = nullptr);
    ~Main() override;

    struct StartupOptions
    {
        // Whether the splash window is shown, and the shortest time it stays up so it can be read.
        bool showSplash = true;
        int splashMinimumMs = 0;
        // Runs a window that start-up shows modally (the first-start window) and returns its result; empty:
        // QDialog::exec(). Tests answer the window here.
        std::function<int(QDialog&)> runDialog;
    };
    // Runs the start-up sequence with the settings file and logs of programFolder (the executable's folder in
    // the program, a temporary folder in tests): single running copy, settings (at the first start of an
    // installed program, the first-start window writes them; cancelling it ends the program), data folder, the three
    // held tables, pick lists, recipe list, resize layout, synchronisation watch and window geometry. Returns false
    // when the program must end (another copy running, no data folder, a table that could not be loaded); the
    // reason has been shown.
    bool startUp(const QString& programFolder, const StartupOptions& options);
    bool startUp(const QString& programFolder) { return startUp(programFolder, StartupOptions()); }

    // Every control and menu entry of the window.
    const MainUi& ui() const { return m_ui; }

    // The recipe-window behaviour, installed by the recipes subsystem; nullptr until then.
    RecipeWindow* recipeWindow() const { return m_recipeWindow; }
    void setRecipeWindow(RecipeWindow* window) { m_recipeWindow = window; }

    // Refills cboSource and cboRating from fresh copies of the source and rating tables of the data folder
    // (AppState); leaves both empty while no data folder is known.
    void LoadCombos();

    // Menu "Save All": finishes an edit in progress, writes the held tables and lists all recipes again.
    void SaveAll();

    // The synchronisation watch; running after a successful start-up.
    QTimer* syncWatch() const { return m_syncWatch; }
    // One look for the conduit's progress window (what the watch does each second): when it is there, marks
    // the hotsync, stops the watch and closes the window, which saves and ends the program.
    void checkForHotsync();
    bool hotsyncDetected() const { return m_hotsyncDetected; }

    // The proportional resize layout of the central area.
    ProportionalLayout* resizeLayout() const { return m_layout; }

    // When set (by the program), the end of the exit sequence quits the application; tests leave it off.
    void setQuitOnExit(bool quit) { m_quitOnExit = quit; }
    // True once the exit sequence has run to its end.
    bool exitCompleted() const { return m_exitCompleted; }

    // Writes the window's position and size into the settings file, unless the window is minimised.
    void SaveWindowGeometry();
    // Moves and sizes the window as stored; nothing when no position is stored or the values are not numbers.
    void RestoreWindowGeometry();

    // Shows the tab page frame frmTab_<index> (1 to 4) and hides the others.
    void showTabPage(int index);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool runExitSequence();

    MainUi m_ui;
    RecipeWindow* m_recipeWindow = nullptr;
    QTimer* m_syncWatch = nullptr;
    ProportionalLayout* m_layout = nullptr;
    std::unique_ptr<DataSource> m_sources;
    std::unique_ptr<DataSource> m_ratings;
    bool m_hotsyncDetected = false;
    bool m_quitOnExit = false;
    bool m_exitCompleted = false;
};
