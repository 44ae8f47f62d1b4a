#include "cli/CliApplication.h"
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
    { "backup", "backup DATADIR DESTDIR  copy the table files to a backup folder (previous backup kept as .bak)",
      cmdBackup },
    { "restore", "restore DATADIR SRCDIR [--install-type Palm|PPC|Windows]  restore a backup, write import copies",
      cmdRestore },
    { "list",
      "list DATADIR [--name T] [--category T] [--category2 T] [--ingredient T] [--instructions T] [--source T] "
      "[--rating T] [--or]  list the recipes that match, as the search window does",
      cmdList },
    { "show", "show DATADIR NAME       print the fields of the recipe with that name", cmdShow },
    { "scale", "scale QUANTITY FACTOR [--decimal]  print QUANTITY times FACTOR as a kitchen fraction (or 0000.0000);\n"
               "                          exit 1 when the quantity cannot be read and comes back marked with *",
      cmdScale },
    { "parse", "parse [--abbreviate]    read ingredient lines on standard input and print them as qty|units|item~",
      cmdParse },
    {"master", "master DATADIR KIND [--add TEXT [--aisle A] | --import FILE]  list a master list (KIND: cat, qty,\n"
               "                          units, ingr, ntrn, source, rating, aisle, meal), add an entry, or import an\n"
               "                          ingredient list file (ingr); exit 1 at the list's limit",
     cmdMaster},
    { "shop", "shop DATADIR [--add-recipe NAME]  print the shopping list; --add-recipe adds every line of a recipe",
      cmdShop },
    { "menu", "menu DATADIR [--add YYYYMMDD NAME [--meal M]]  print the menu planner; --add adds an entry", cmdMenu },
    {"import", "import DATADIR FILE [--csv FIELD,FIELD,...]  import the recipes of a Meal-Master, MasterCook,\n"
               "                          PocketRecipes, Cookbook Wizard, web page or JSON (schema.org) or (with --csv)\n"
               "                          CSV file",
     cmdImport},
    {"export", "export DATADIR OUTFILE --format mealmaster|mastercook|jsonld [--name T] [--category T] [--category2 T]\n"
               "                          [--ingredient T] [--instructions T] [--source T] [--rating T] [--or]",
     cmdExport},
    {"text", "text DATADIR recipe NAME|shoplist|menu  print the clipboard text of a recipe, the shopping list or the menu",
     cmdText},
    {"splashshopper", "splashshopper DATADIR OUTFILE  write the shopping list as a SplashShopper import file",
     cmdSplashShopper},
    { "report", "report DATADIR recipes|shoplist|menu [options] [--rtf OUT.rtf] [--pdf OUT.pdf]  print a report",
      cmdReport },
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
    const auto app = createCliApplication(argc, argv);
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
