#include "shell/Dialogs.h"
#include "shell/ui/QtDialogs.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(Dialogs::applicationTitle());
    QtDialogs dialogs;
    Dialogs::setBackend(&dialogs);

    QMainWindow window;
    window.setObjectName(QStringLiteral("Main"));
    window.setWindowTitle(Dialogs::applicationTitle());
    window.resize(800, 600);
    window.show();
    const int rc = QApplication::exec();
    Dialogs::setBackend(nullptr);
    return rc;
}
