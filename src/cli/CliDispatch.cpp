#include "cli/CliCommands.h"
#include "shell/LoadFailure.h"
#include "shell/Version.h"

namespace {

struct Entry
{
    CliCommandInfo info;
    int (*run)(const CommandLine& cl, QTextStream& out, QTextStream& err);
};

const QList<Entry>& commands()
{
    static const QList<Entry> table {
        { { "init",
            "DATADIR",
            "create a data folder with all thirteen table files (--demo: a small cookbook)",
            1,
            1,
            false,
            false,
            { { { "demo" }, {}, {} } } },
          cmdInit },
        { { "check",
            "DATADIR",
            "load every table and count its records; --resave writes them back",
            1,
            1,
            true,
            false,
            { { { "resave" }, {}, {} } } },
          cmdCheck },
        { { "backup",
            "DATADIR DESTDIR",
            "copy the table files to a backup folder (the previous backup kept as .bak)",
            2,
            2,
            true,
            false,
            {} },
          cmdBackup },
        { { "restore",
            "DATADIR SRCDIR",
            "restore a backup and write the import copies",
            2,
            2,
            true,
            false,
            { { { "install-type" }, "Palm|PPC|Windows", {} } } },
          cmdRestore },
        { { "list", "DATADIR", "list the recipes that match, as the search window does", 1, 1, true, true, {} },
          cmdList },
        { { "show", "DATADIR NAME", "print the fields of the recipe with that name", 2, 2, true, false, {} }, cmdShow },
        { { "scale",
            "QUANTITY FACTOR",
            "print QUANTITY times FACTOR as a kitchen fraction (or 0000.0000);\n"
            "a quantity that cannot be read comes back marked with * (status 1)",
            2,
            2,
            false,
            false,
            { { { "decimal" }, {}, {} } } },
          cmdScale },
        { { "parse",
            "",
            "read ingredient lines on standard input and print them as qty|units|item~",
            0,
            0,
            false,
            false,
            { { { "abbreviate" }, {}, {} } } },
          cmdParse },
        { { "master",
            "DATADIR KIND",
            "list a master list (KIND: cat, qty, units, ingr, ntrn, source, rating, aisle, meal), add an\n"
            "entry (--aisle with ingr), or import an ingredient list file (ingr)",
            2,
            2,
            true,
            false,
            { { { "add" }, "TEXT", {} }, { { "aisle" }, "A", {} }, { { "import" }, "FILE", {} } } },
          cmdMaster },
        { { "shop",
            "DATADIR",
            "print the shopping list; --add-recipe adds every line of a recipe",
            1,
            1,
            true,
            false,
            { { { "add-recipe" }, "NAME", {} } } },
          cmdShop },
        { { "menu",
            "DATADIR [NAME]",
            "print the menu planner; --add adds NAME on that date",
            1,
            2,
            true,
            false,
            { { { "add" }, "YYYYMMDD", {} }, { { "meal" }, "M", {} } } },
          cmdMenu },
        { { "import",
            "DATADIR FILE",
            "import the recipes of a Meal-Master, MasterCook, PocketRecipes, Cookbook Wizard, web page or\n"
            "JSON file (schema.org recipes) or (with --csv FIELD,FIELD,...) CSV file; every recipe not read\n"
            "is listed with its line, and --rejects writes their original text to FILE",
            2,
            2,
            true,
            false,
            { { { "csv" }, "FIELDS", {} }, { { "rejects" }, "FILE", {} } } },
          cmdImport },
        { { "export",
            "DATADIR OUTFILE",
            "export the recipes that match (--format mealmaster, mastercook or jsonld)",
            2,
            2,
            true,
            true,
            { { { "format" }, "F", {} } } },
          cmdExport },
        { { "text",
            "DATADIR recipe NAME|shoplist|menu",
            "print the clipboard text of a recipe, the shopping list or the menu",
            2,
            3,
            true,
            false,
            {} },
          cmdText },
        { { "splashshopper",
            "DATADIR OUTFILE",
            "write the shopping list as a SplashShopper import file",
            2,
            2,
            true,
            false,
            {} },
          cmdSplashShopper },
        { { "report",
            "DATADIR recipes|shoplist|menu",
            "print a report as the preview window composes it, to RTF (--rtf) and/or PDF (--pdf);\n"
            "--select picks recipes by key, in the order given",
            2,
            2,
            true,
            true,
            { { { "cards" }, {}, {} },
              { { "new-page" }, {}, {} },
              { { "select" }, "KEY", {} },
              { { "rtf" }, "OUT.rtf", {} },
              { { "pdf" }, "OUT.pdf", {} } } },
          cmdReport },
    };
    return table;
}

void printHelp(QTextStream& out)
{
    out << "Usage: zestora COMMAND [ARGS]\n"
           "   or: zestora --help | --version\n\n"
           "The command-line tool of Zestora Plus: works on a data folder (DATADIR) of thirteen table files with the\n"
           "same rules as the program's windows. Run it while the program is closed.\n\n"
           "Commands:\n";
    for (const Entry& e : commands()) {
        out << "  " << CommandLine::usage(e.info).mid(8) << "\n";
        for (const QString& line : QString::fromUtf8(e.info.description).split(QLatin1Char('\n')))
            out << "          " << line << "\n";
    }
    out << "\nSearch options (list, export, report):\n";
    for (const CliOption& o : CommandLine::searchOptions()) {
        const QString name = QStringLiteral("--") + o.names.first() + QLatin1Char(' ') + o.valueName;
        out << "  " << name.leftJustified(24) << o.description;
        for (const QString& alias : o.names.mid(1))
            out << " (also --" << alias << ")";
        out << "\n";
    }
    out << "\nOptions:\n"
           "  --help                  show this help and exit\n"
           "  --version               show the version and exit\n"
           "\nExit status:\n"
           "  0  the command did what was asked\n"
           "  1  nothing found (no recipe matched or has that name) or refused by a limit (a full list), or a\n"
           "     quantity that scale could not read\n"
           "  2  wrong arguments, or data that could not be read or written: a missing data folder, a table\n"
           "     file that cannot be loaded, an input or output file\n";
}

} // namespace

int runCli(QStringList args, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const bool parsed = parser.parse(QStringList { QStringLiteral("zestora") } + args);
    if (parsed && parser.isSet(help)) {
        printHelp(out);
        return CliStatus::Done;
    }
    if (parsed && parser.isSet(version)) {
        out << "zestora " << Version::Number << "\n";
        return CliStatus::Done;
    }
    const QStringList rest = parser.positionalArguments();
    if (!parsed || rest.isEmpty()) {
        if (!parsed)
            err << "zestora: " << parser.errorText() << "\n";
        printHelp(err);
        return CliStatus::Failed;
    }
    const QString name = rest.first();
    if (name == QLatin1String("help")) {
        printHelp(out);
        return CliStatus::Done;
    }
    for (const Entry& e : commands()) {
        if (name != QLatin1String(e.info.name))
            continue;
        CommandLine cl(e.info, err);
        if (const int status = cl.parse(rest.mid(1)))
            return status;
        try {
            return e.run(cl, out, err);
        } catch (const TableLoadError& error) {
            LoadFailure::report(error);
            return CliStatus::Failed;
        }
    }
    err << "zestora: unknown command " << name << "\n";
    printHelp(err);
    return CliStatus::Failed;
}
