#include "handheld/ui/HandheldCommands.h"

#include "app/Main.h"
#include "base/Dialogs.h"
#include "base/Platform.h"
#include "base/ShowError.h"
#include "handheld/BackupRestore.h"
#include "handheld/HandheldTransfer.h"
#include "shell/AppState.h"
#include "shell/Settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>

namespace {

std::function<void()>& endProgram()
{
    static std::function<void()> end = [] { QCoreApplication::exit(0); };
    return end;
}

void connectAction(Main& main, QAction* action, void (*handler)(Main&))
{
    QObject::connect(action, &QAction::triggered, &main, [&main, handler] { handler(main); });
}

QString title()
{
    return Dialogs::applicationTitle();
}

} // namespace

void attachHandheld(Main& main)
{
    connectAction(main, main.ui().mnuBackup, &HandheldCommands::backup);
    connectAction(main, main.ui().mnuRestore, &HandheldCommands::restore);
    connectAction(main, main.ui().mnuTransfer, &HandheldCommands::transfer);
    connectAction(main, main.ui().mnuRetrieve, &HandheldCommands::retrieve);
}

namespace HandheldCommands {

void setEndProgram(std::function<void()> end)
{
    endProgram() = end ? std::move(end) : [] { QCoreApplication::exit(0); };
}

void backup(Main& main)
{
    AppState& state = AppState::instance();
    main.SaveAll();

    QString folder = state.backupPath;
    const MsgAnswer where = Dialogs::message(
        QStringLiteral("Backup Location"),
        QStringLiteral("Do you want to backup to this location:") + CRLF + CRLF + QDir::toNativeSeparators(folder)
            + CRLF + CRLF + QStringLiteral("Select No to be able to specify a different backup folder.") + CRLF + CRLF
            + QStringLiteral("We recommend using a backup folder other than the default.") + CRLF + CRLF
            + QStringLiteral("If you ever have to uninstall, the ") + CRLF
            + QDir::toNativeSeparators(state.programFolder) + CRLF + QStringLiteral(" folder will be deleted."),
        MsgButtons::YesNoCancel, MsgIcon::Question);
    if (where == MsgAnswer::Cancel)
        return;
    if (where == MsgAnswer::No) {
        folder = Dialogs::chooseFolder(QStringLiteral("Select destination for the backup files..."), folder);
        if (folder.isEmpty()) {
            Dialogs::message(QStringLiteral("Backup Not Complete"),
                             QStringLiteral("No directory was selected, backup aborted."), MsgButtons::Ok,
                             MsgIcon::Exclamation);
            return;
        }
    }
    folder = BackupRestore::withTrailingSeparator(folder);
    state.backupPath = folder;
    WriteSetting(QStringLiteral("Main"), QStringLiteral("BackupPath"), folder);

    std::optional<AppError> error;
    {
        BusyPointer busy;
        error = BackupRestore::backup(state.dataPath, folder);
    }
    if (error) {
        ShowError(QStringLiteral("backing up the databases"), QString(), *error);
        return;
    }
    Dialogs::message(QStringLiteral("Backup Complete"),
                     QStringLiteral("Database backup complete.") + CRLF + CRLF
                         + QStringLiteral("The backup files (Zest*.cdb) have been saved to:") + CRLF
                         + QDir::toNativeSeparators(folder),
                     MsgButtons::Ok, MsgIcon::Information);
}

void restore(Main& main)
{
    AppState& state = AppState::instance();
    if (Dialogs::message(QStringLiteral("Restore Previous Backup"),
                         QStringLiteral("Do you wish to OVERWRITE your existing data with data from a previous backup?")
                             + CRLF + CRLF
                             + QStringLiteral("All data on the PC and the handheld device will be replaced with data "
                                              "from the selected backup. "),
                         MsgButtons::YesNo, MsgIcon::Question)
        != MsgAnswer::Yes)
        return;

    QString folder = state.backupPath;
    if (Dialogs::message(QStringLiteral("Restore Data Files"),
                         QStringLiteral("Do you want to restore from this location:") + CRLF + CRLF
                             + QDir::toNativeSeparators(folder),
                         MsgButtons::YesNo, MsgIcon::Question)
        != MsgAnswer::Yes) {
        folder = Dialogs::chooseFolder(QStringLiteral("Select Backup Location"), folder);
        if (folder.isEmpty()) {
            Dialogs::message(QStringLiteral("Restore Aborted"),
                             QStringLiteral("No directory was selected, restore aborted."), MsgButtons::Ok,
                             MsgIcon::Exclamation);
            return;
        }
    }
    folder = BackupRestore::withTrailingSeparator(folder);

    BackupRestore::RestoreResult result;
    {
        BusyPointer busy;
        result = BackupRestore::restore(state.dataPath, folder, state.installType);
    }
    if (result.outcome == BackupRestore::RestoreOutcome::NoBackupFiles) {
        Dialogs::message(QStringLiteral("Restore Aborted"), QStringLiteral("No backup files found, restore aborted."),
                         MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    if (result.outcome == BackupRestore::RestoreOutcome::Failed) {
        ShowError(QStringLiteral("restoring data"), QString(),
                  result.error.value_or(AppError::of(AppError::PathFileAccessError)));
        // Once a file was replaced, the tables in memory are older than the data folder: saving them at exit
        // would undo the restore, so end without saving as a complete restore does.
        if (result.restored.isEmpty())
            return;
    }
    state.restoreDone = true;
    if (result.outcome == BackupRestore::RestoreOutcome::Restored) {
        const QString closing = QStringLiteral("Database restore complete. The PC software will now be closed.");
        if (state.installType == QLatin1String("PPC"))
            Dialogs::message(QStringLiteral("Restore Complete"),
                             closing + CRLF + CRLF
                                 + QStringLiteral("You must synchronize your handheld in order to update the handheld "
                                                  "data files.")
                                 + CRLF + CRLF + QStringLiteral("PLEASE ACTIVESYNC NOW."),
                             MsgButtons::Ok, MsgIcon::Information);
        else if (state.installType == QLatin1String("Palm"))
            Dialogs::message(QStringLiteral("Restore Complete"),
                             closing + CRLF + CRLF
                                 + QStringLiteral("You must perform a hotsync operation in order to update the "
                                                  "handheld data files.")
                                 + CRLF + CRLF + QStringLiteral("PLEASE HOTSYNC NOW."),
                             MsgButtons::Ok, MsgIcon::Information);
    }
    main.close();
}

void transfer(Main& main)
{
    AppState& state = AppState::instance();
    if (Dialogs::message(QStringLiteral("Transfer Data to Handheld"),
                         QStringLiteral("This transfer will OVERWRITE the HANDHELD data.") + CRLF + CRLF
                             + QStringLiteral("Please make sure your handheld is connected to the PC.") + CRLF + CRLF
                             + QStringLiteral("Also, make sure ") + title()
                             + QStringLiteral(" is closed on the handheld."),
                         MsgButtons::OkCancel, MsgIcon::Exclamation)
        != MsgAnswer::Ok)
        return;
    main.SaveAll();
    std::optional<AppError> error;
    {
        BusyPointer busy;
        HandheldTransfer::removeImportCopies(state.dataPath);
        error = HandheldTransfer::ShellAndWait(HandheldTransfer::transferCommand(state.programFolder, state.dataPath));
        Platform::processEvents();
    }
    if (error)
        ShowError(QStringLiteral("transferring data to the handheld"), QString(), *error);
}

void retrieve(Main& main)
{
    Q_UNUSED(main);
    AppState& state = AppState::instance();
    if (Dialogs::message(QStringLiteral("Retrieve Data from Handheld"),
                         QStringLiteral("This transfer will OVERWRITE the PC data.") + CRLF + CRLF
                             + QStringLiteral("Please make sure your handheld is connected to the PC."),
                         MsgButtons::OkCancel, MsgIcon::Exclamation)
        != MsgAnswer::Ok)
        return;
    std::optional<AppError> error;
    {
        BusyPointer busy;
        error = HandheldTransfer::ShellAndWait(HandheldTransfer::retrieveCommand(state.programFolder, state.dataPath));
        Platform::processEvents();
    }
    if (error) {
        // The tool never ran, so the data folder is unchanged and the program carries on.
        ShowError(QStringLiteral("retrieving data from the handheld"), QString(), *error);
        return;
    }
    state.retrieveDone = true;
    Dialogs::message(QStringLiteral("Retrieve Data from Handheld"),
                     QStringLiteral("The data has been retrieved,") + CRLF + title()
                         + QStringLiteral(" must be restarted.") + CRLF + CRLF + QStringLiteral("Click OK to close ")
                         + title(),
                     MsgButtons::Ok, MsgIcon::Information);
    endProgram()();
}

} // namespace HandheldCommands
