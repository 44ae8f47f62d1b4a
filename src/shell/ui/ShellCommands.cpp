#include "shell/ui/ShellCommands.h"

#include "app/Main.h"
#include "base/Dialogs.h"
#include "base/Platform.h"
#include "base/ShowError.h"
#include "shell/AppState.h"
#include "shell/Version.h"
#include "shell/ui/AboutWindow.h"
#include "shell/ui/PreferencesWindow.h"

#include <QAction>
#include <QFileInfo>

namespace {
void onAction(Main& main, QAction* action, const std::function<void()>& handler)
{
    QObject::connect(action, &QAction::triggered, &main, handler);
}
} // namespace

void openHelpFile()
{
    const QString path = AppState::instance().helpFile;
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        Dialogs::message(QStringLiteral("Help Not Found"),
                         QStringLiteral("The help file could not be found:") + CRLF + path + CRLF + CRLF
                             + QStringLiteral("Run the full installer again to restore it."),
                         MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    if (!Platform::openUrl(path))
        Dialogs::message(QStringLiteral("Help Not Opened"),
                         QStringLiteral("No program could be started to show the help file:") + CRLF + path,
                         MsgButtons::Ok, MsgIcon::Exclamation);
}

bool openWebPage(const QString& url)
{
    if (Platform::openUrl(url))
        return true;
    Dialogs::message(QStringLiteral("Web Page not Opened"), QStringLiteral("Could not find a browser"), MsgButtons::Ok,
                     MsgIcon::Exclamation);
    return false;
}

void attachShell(Main& main)
{
    Main* window = &main;
    onAction(main, main.ui().mnuSaveAll, [window] { window->SaveAll(); });
    onAction(main, main.ui().mnuExit, [window] { window->close(); });
    onAction(main, main.ui().mnuPrefs, [window] { PreferencesWindow::open(window); });
    onAction(main, main.ui().mnuHelp, [] { openHelpFile(); });
    onAction(main, main.ui().mnuAbout, [window] {
        AboutWindow about(window);
        about.exec();
    });
    onAction(main, main.ui().mnuWebsite, [] { openWebPage(Version::WebSite); });
    onAction(main, main.ui().mnuUpdate, [] { openWebPage(Version::UpdatePage); });
    onAction(main, main.ui().mnuMoreRecipes, [] { openWebPage(Version::MoreRecipesPage); });
}
