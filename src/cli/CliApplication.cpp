#include "cli/CliApplication.h"

#include <QGuiApplication>

#include <cstring>

std::unique_ptr<QCoreApplication> createCliApplication(int& argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "report") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}
