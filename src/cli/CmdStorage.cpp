#include "cli/CliCommands.h"

#include "demo/DemoData.h"
#include "storage/DataFolder.h"

int cmdInit(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QStringList positional;
    bool demo = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--demo"))
            demo = true;
        else if (!arg.startsWith(QLatin1Char('-')))
            positional << arg;
        else {
            err << "zestora init: unknown option " << arg << "\n";
            return 1;
        }
    }
    if (positional.size() != 1) {
        err << "usage: zestora init [--demo] DATADIR\n";
        return 1;
    }
    const auto error = demo ? DemoData::create(positional.first()) : DataFolder::initEmpty(positional.first());
    if (error) {
        err << "zestora init: " << error->description() << "\n";
        return 2;
    }
    if (demo)
        out << "created 13 table files with " << DemoData::recipeCount() << " demo recipes in " << positional.first()
            << "\n";
    else
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
