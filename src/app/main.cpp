#include "app/Main.h"
#include "base/Dialogs.h"
#include "interchange/ui/InterchangeCommands.h"
#include "shell/LoadFailure.h"
#include "shell/Version.h"
#include "shell/ui/QtDialogs.h"
#include "shell/ui/QtPlatform.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

// The desktop file, icon and AppStream id of the program.
const char* const kDesktopId = "com.zestoraplus.ZestoraPlus";

const char* const kHelp
    = "Usage: zestoraplus [FILE]\n"
      "\n"
      "Zestora Plus is a recipe manager and cookbook whose data is shared, file for file, with a handheld\n"
      "organiser: recipes, nine master lists, a shopping list and a menu planner.\n"
      "\n"
      "Arguments:\n"
      "  FILE\n"
      "          a Meal-Master or MasterCook recipe file: once the program has started, the import window\n"
      "          opens with this file chosen\n"
      "  --help\n"
      "          show this help and exit\n"
      "  --version\n"
      "          show the version and exit\n"
      "\n"
      "Files:\n"
      "  zestoraplus.ini\n"
      "          the settings file: beside the program when it is there or when the program's folder may be\n"
      "          written to (a build or portable copy); otherwise ~/.config/zestora-plus/zestoraplus.ini. At\n"
      "          the first start of an installed copy a window asks where the data folder goes\n"
      "          (~/.local/share/zestora-plus/Cookbook/ is offered) and writes the settings.\n"
      "\n"
      "Exit status:\n"
      "  0\n"
      "          after a normal exit\n"
      "  1\n"
      "          the program could not start (another copy running, no data folder set, the first-start\n"
      "          window cancelled), or a wrong argument\n"
      "  2\n"
      "          a table file could not be loaded (also a data folder that does not exist)\n";

// A table file that cannot be loaded while a window works leaves the program nothing to work on: the failure
// travels out of the handler to here, where it is reported and the program ends.
class Application : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const TableLoadError& error) {
            LoadFailure::endProgram(error);
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    // Answered before any window system is needed, so they work without a display.
    QString file;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("zestoraplus %s\n", qPrintable(Version::Number));
            return 0;
        }
        if (argv[i][0] == '-' || !file.isEmpty()) {
            std::fprintf(stderr, "zestoraplus: unexpected argument %s\n\n%s", argv[i], kHelp);
            return 1;
        }
        file = QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath();
    }

    Application app(argc, argv);
    // The name the user's settings and data folders are named after (~/.config/zestora-plus).
    QApplication::setApplicationName(QStringLiteral("zestora-plus"));
    QApplication::setApplicationVersion(Version::Number);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    QApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(kDesktopId)));
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
            auto* interchange = window.findChild<InterchangeCommands*>();
            if (!file.isEmpty() && interchange)
                QTimer::singleShot(0, interchange, [interchange, file] { interchange->importFile(file); });
            rc = QApplication::exec();
        }
    }
    Platform::setBackend(nullptr);
    Dialogs::setBackend(nullptr);
    return rc;
}
