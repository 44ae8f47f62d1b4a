#include "base/Dialogs.h"
#include "cli/CliApplication.h"
#include "cli/CliCommands.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    const auto app = createCliApplication(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    // Messages that the core would show in a box go to stderr.
    StderrDialogs dialogs;
    Dialogs::setBackend(&dialogs);
    return runCli(QCoreApplication::arguments().mid(1), out, err);
}
