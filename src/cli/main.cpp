#include "cli/CliCommands.h"
#include "shell/Dialogs.h"

#include <QCoreApplication>

#include <cstdio>
#include <iterator>

namespace {

const CliCommand kCommands[] = {
    { "init", "init [--demo] DATADIR   create a data folder with all thirteen table files (--demo: a small cookbook)",
      cmdInit },
    { "check", "check DATADIR [--resave] load every table and count its records; --resave writes them back", cmdCheck },
};

void printHelp(QTextStream& out)
{
    out << "usage: zestora COMMAND [ARGS]\n\ncommands:\n";
    for (const CliCommand& c : kCommands)
        out << "  " << c.usage << "\n";
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    // Messages that the core would show in a box go to stderr.
    StderrDialogs dialogs;
    Dialogs::setBackend(&dialogs);

    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")
        || args.first() == QLatin1String("help")) {
        printHelp(out);
        return args.isEmpty() ? 1 : 0;
    }
    const QString name = args.takeFirst();
    for (const CliCommand& c : kCommands) {
        if (name == QLatin1String(c.name))
            return c.run(args, out, err);
    }
    err << "zestora: unknown command " << name << "\n";
    printHelp(err);
    return 1;
}
