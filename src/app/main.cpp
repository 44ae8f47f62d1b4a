#include "app/Main.h"
#include "shell/Dialogs.h"
#include "shell/ui/QtDialogs.h"
#include "shell/ui/QtPlatform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(Dialogs::applicationTitle());
    QtDialogs dialogs;
    Dialogs::setBackend(&dialogs);
    QtPlatform platform;
    Platform::setBackend(&platform);

    int rc = 1;
    {
        Main window;
        Main::StartupOptions options;
        options.splashMinimumMs = 1200;
        if (window.startUp(QCoreApplication::applicationDirPath(), options)) {
            window.setQuitOnExit(true);
            window.show();
            rc = QApplication::exec();
        }
    }
    Platform::setBackend(nullptr);
    Dialogs::setBackend(nullptr);
    return rc;
}
