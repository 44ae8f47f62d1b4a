#include "cli/CliCommands.h"

#include "demo/DemoData.h"
#include "storage/DataFolder.h"

int cmdInit(const CommandLine& cl, QTextStream& out, QTextStream&)
{
    const bool demo = cl.isSet(QStringLiteral("demo"));
    const QString folder = cl.arg(0);
    if (const auto error = demo ? DemoData::create(folder) : DataFolder::initEmpty(folder))
        return cl.fail(CliStatus::Failed, error->description());
    if (demo)
        out << "created 13 table files with " << DemoData::recipeCount() << " demo recipes in " << folder << "\n";
    else
        out << "created 13 table files in " << folder << "\n";
    return CliStatus::Done;
}

int cmdCheck(const CommandLine& cl, QTextStream& out, QTextStream&)
{
    std::optional<AppError> writeFailure;
    const auto summaries = DataFolder::check(cl.arg(0), cl.isSet(QStringLiteral("resave")), &writeFailure);
    for (const auto& s : summaries)
        out << s.fileName << " records=" << s.records << " live=" << s.live << "\n";
    if (writeFailure)
        return cl.fail(CliStatus::Failed, QStringLiteral("cannot write: ") + writeFailure->description());
    return CliStatus::Done;
}
