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

    Main window;
    window.show();
    const int rc = QApplication::exec();
    Platform::setBackend(nullptr);
    Dialogs::setBackend(nullptr);
    return rc;
}
