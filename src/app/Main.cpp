#include "app/Main.h"

#include "app/Features.h"
#include "shell/Dialogs.h"

Main::Main(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(Dialogs::applicationTitle());
    resize(800, 600);
    attachFeatures(*this);
}

Main::~Main() = default;
