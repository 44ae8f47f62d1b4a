#include "cli/CliCommands.h"
#include "shell/LoadFailure.h"
#include "shell/Version.h"

namespace {

// Each usage is the command's syntax, a line break, and what it does (further lines as needed).
const CliCommand kCommands[] = {
    { "init", "init [--demo] DATADIR\ncreate a data folder with all thirteen table files (--demo: a small cookbook)",
      cmdInit },
    { "check", "check DATADIR [--resave]\nload every table and count its records; --resave writes them back",
      cmdCheck },
    { "backup", "backup DATADIR DESTDIR\ncopy the table files to a backup folder (the previous backup kept as .bak)",
      cmdBackup },
    { "restore",
      "restore DATADIR SRCDIR [--install-type Palm|PPC|Windows]\nrestore a backup and write the import copies",
      cmdRestore },
    { "list",
      "list DATADIR [--name T] [--category T] [--category2 T] [--ingredient T] [--instructions T] [--source T]\n"
      "[--rating T] [--or]\nlist the recipes that match, as the search window does; exit 1 when none does",
      cmdList },
    { "show", "show DATADIR NAME\nprint the fields of the recipe with that name", cmdShow },
    { "scale",
      "scale QUANTITY FACTOR [--decimal]\nprint QUANTITY times FACTOR as a kitchen fraction (or 0000.0000);\n"
      "exit 1 when the quantity cannot be read and comes back marked with *",
      cmdScale },
    { "parse", "parse [--abbreviate]\nread ingredient lines on standard input and print them as qty|units|item~",
      cmdParse },
    { "master",
      "master DATADIR KIND [--add TEXT [--aisle A] | --import FILE]\nlist a master list (KIND: cat, qty, units, "
      "ingr, ntrn, source, rating, aisle, meal), add an\nentry, or import an ingredient list file (ingr); exit 1 "
      "at the list's limit",
      cmdMaster },
    { "shop", "shop DATADIR [--add-recipe NAME]\nprint the shopping list; --add-recipe adds every line of a recipe",
      cmdShop },
    { "menu", "menu DATADIR [--add YYYYMMDD NAME [--meal M]]\nprint the menu planner; --add adds an entry", cmdMenu },
    { "import",
      "import DATADIR FILE [--csv FIELD,FIELD,...] [--rejects FILE]\nimport the recipes of a Meal-Master, "
      "MasterCook, PocketRecipes,\nCookbook Wizard, web page or JSON file (schema.org recipes) or\n(with --csv) CSV "
      "file; every recipe not read is listed with its line,\nand --rejects writes their original text to FILE",
      cmdImport },
    { "export",
      "export DATADIR OUTFILE --format mealmaster|mastercook|jsonld [--name T] [--category T] [--category2 T]\n"
      "[--ingredient T] [--instructions T] [--source T] [--rating T] [--or]\nexport the recipes that match",
      cmdExport },
    { "text",
      "text DATADIR recipe NAME|shoplist|menu\nprint the clipboard text of a recipe, the shopping list or "
      "the menu",
      cmdText },
    { "splashshopper", "splashshopper DATADIR OUTFILE\nwrite the shopping list as a SplashShopper import file",
      cmdSplashShopper },
    { "report",
      "report DATADIR recipes|shoplist|menu [--cards] [--new-page] [--name T] [--category T] [--ingredient T]\n"
      "[--instruction T] [--source T] [--rating T] [--or] [--select KEY]... [--rtf OUT.rtf] [--pdf OUT.pdf]\n"
      "print a report as the preview window composes it, to RTF and/or PDF",
      cmdReport },
};

void printHelp(QTextStream& out)
{
    out << "Usage: zestora COMMAND [ARGS]\n"
           "   or: zestora --help | --version\n\n"
           "The command-line tool of Zestora Plus: works on a data folder (DATADIR) of thirteen table files with the\n"
           "same rules as the program's windows. Run it while the program is closed.\n\n"
           "Commands:\n";
    for (const CliCommand& c : kCommands) {
        // The syntax (its first line and the lines that go on with "[") at the margin, the description indented.
        const QStringList lines = QString::fromUtf8(c.usage).split(QLatin1Char('\n'));
        bool syntax = true;
        for (int i = 0; i < lines.size(); ++i) {
            syntax = i == 0 || (syntax && lines.at(i).startsWith(QLatin1Char('[')));
            out << (syntax ? "  " : "          ") << lines.at(i) << "\n";
        }
    }
    out << "\nOptions:\n"
           "  --help                  show this help and exit\n"
           "  --version               show the version and exit\n"
           "\nExit status:\n"
           "  0  the command did what was asked\n"
           "  1  wrong arguments, or a negative answer: nothing matched (list), a list at its limit (master),\n"
           "     a quantity that could not be read (scale)\n"
           "  2  a file or folder could not be read or written, or a named recipe does not exist\n"
           "  3  scale, parse or menu could not finish (unreadable input, the menu planner full)\n";
}

} // namespace

int runCli(QStringList args, QTextStream& out, QTextStream& err)
{
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")
        || args.first() == QLatin1String("help")) {
        printHelp(out);
        return args.isEmpty() ? 1 : 0;
    }
    if (args.first() == QLatin1String("--version")) {
        out << "zestora " << Version::Number << "\n";
        return 0;
    }
    const QString name = args.takeFirst();
    for (const CliCommand& c : kCommands) {
        if (name != QLatin1String(c.name))
            continue;
        try {
            return c.run(args, out, err);
        } catch (const TableLoadError& error) {
            LoadFailure::report(error);
            return 2;
        }
    }
    err << "zestora: unknown command " << name << "\n";
    printHelp(err);
    return 1;
}
