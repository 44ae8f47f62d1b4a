#include "app/Main.h"
#include "shell/Dialogs.h"
#include "shell/ui/QtDialogs.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(Dialogs::applicationTitle());
    QtDialogs dialogs;
    Dialogs::setBackend(&dialogs);

    Main window;
    window.show();
    const int rc = QApplication::exec();
    Dialogs::setBackend(nullptr);
    return rc;
}
