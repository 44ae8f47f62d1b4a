#include "cli/CliCommands.h"

#include "storage/DataFolder.h"

#include <QRegularExpression>

int cmdInit(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QStringList positional = args.filter(QRegularExpression(QStringLiteral("^[^-]")));
    if (positional.size() != 1 || args.size() != 1) {
        err << "usage: zestora init DATADIR\n";
        return 1;
    }
    if (const auto error = DataFolder::initEmpty(positional.first())) {
        err << "zestora init: " << error->description() << "\n";
        return 2;
    }
    out << "created 13 table files in " << positional.first() << "\n";
    return 0;
}

int cmdCheck(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QStringList positional;
    bool resave = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--resave"))
            resave = true;
        else if (!arg.startsWith(QLatin1Char('-')))
            positional << arg;
        else {
            err << "zestora check: unknown option " << arg << "\n";
            return 1;
        }
    }
    if (positional.size() != 1) {
        err << "usage: zestora check DATADIR [--resave]\n";
        return 1;
    }
    std::optional<AppError> writeFailure;
    const auto summaries = DataFolder::check(positional.first(), resave, &writeFailure);
    for (const auto& s : summaries)
        out << s.fileName << " records=" << s.records << " live=" << s.live << "\n";
    if (writeFailure) {
        err << "zestora check: cannot write: " << writeFailure->description() << "\n";
        return 2;
    }
    return 0;
}
