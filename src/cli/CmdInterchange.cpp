#include "cli/CliCommands.h"

#include "interchange/CsvRecipeFormat.h"
#include "interchange/ImportFile.h"
#include "interchange/PlainTextExports.h"
#include "interchange/RecipeExporter.h"
#include "interchange/RecipeImporter.h"
#include "recipes/SearchCriteria.h"
#include "storage/DataSource.h"

#include <QFileInfo>

namespace {

// Splits arguments into positional ones and "--option value" pairs; flags listed in flagNames take no value.
bool parseArgs(const QStringList& args, const QStringList& valueNames, const QStringList& flagNames,
               QStringList& positional, QHash<QString, QString>& options, QTextStream& err, const char* command)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (!a.startsWith(QLatin1String("--"))) {
            positional << a;
            continue;
        }
        const QString name = a.mid(2);
        if (flagNames.contains(name)) {
            options.insert(name, QStringLiteral("1"));
        } else if (valueNames.contains(name) && i + 1 < args.size()) {
            options.insert(name, args.at(++i));
        } else {
            err << "zestora " << command << ": unknown option or missing value: " << a << "\n";
            return false;
        }
    }
    return true;
}

bool isDataFolder(const QString& folder, QTextStream& err, const char* command)
{
    if (!QFileInfo::exists(DataSource::tablePath(folder, TableDef::Recipes))) {
        err << "zestora " << command << ": no recipe table in " << folder << "\n";
        return false;
    }
    return true;
}

} // namespace

int cmdImport(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QStringList positional;
    QHash<QString, QString> options;
    if (!parseArgs(args, { QStringLiteral("csv"), QStringLiteral("rejects") }, {}, positional, options, err, "import")
        || positional.size() != 2) {
        err << "usage: zestora import DATADIR FILE [--csv FIELD,FIELD,...] [--rejects FILE]\n";
        return 1;
    }
    const QString folder = positional.at(0);
    if (!isDataFolder(folder, err, "import"))
        return 1;
    ImportOptions importOptions;
    if (options.contains(QStringLiteral("csv"))) {
        importOptions.csv = true;
        const QStringList known = CsvRecipeFormat::availableFields();
        for (const QString& raw : options.value(QStringLiteral("csv")).split(QLatin1Char(','))) {
            const QString f = raw.trimmed();
            QString match;
            for (const QString& k : known) {
                if (k.compare(f, Qt::CaseInsensitive) == 0)
                    match = k;
            }
            if (match.isEmpty() && f.compare(QLatin1String("IGNORE"), Qt::CaseInsensitive) == 0)
                match = CsvRecipeFormat::IgnoreField;
            if (match.isEmpty()) {
                err << "zestora import: unknown CSV field " << f << " (use Title, Ingredients, Instructions, Servings, "
                    << "Source, Categories or IGNORE)\n";
                return 1;
            }
            importOptions.csvFields << match;
        }
    }
    const auto recipes = DataSource::open(TableDef::Recipes, folder);
    const auto categories = DataSource::open(TableDef::Categories, folder);
    RecipeImporter importer(recipes->recordset(), &categories->recordset());
    ImportResult result;
    QString error;
    if (!ImportFile::run(positional.at(1), importer, importOptions, result, &error)) {
        err << "zestora import: cannot read " << positional.at(1) << ": " << error << "\n";
        return 2;
    }
    if (!recipes->save() || !categories->save())
        return 2;
    out << ImportFile::progressText(result.saved, true) << "\n";
    const QString skipped = ImportFile::skippedSummary(result, -1);
    if (!skipped.isEmpty())
        err << QString(skipped).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) << "\n";
    if (options.contains(QStringLiteral("rejects"))) {
        const QString rejects = options.value(QStringLiteral("rejects"));
        const QString error = ImportFile::writeRejects(rejects, result);
        if (!error.isEmpty()) {
            err << "zestora import: cannot write " << rejects << ": " << error << "\n";
            return 2;
        }
    }
    return 0;
}

int cmdExport(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QStringList positional;
    QHash<QString, QString> o;
    const QStringList valueNames { "format",     "name",         "category", "category2",
                                   "ingredient", "instructions", "source",   "rating" };
    if (!parseArgs(args, valueNames, { QStringLiteral("or") }, positional, o, err, "export") || positional.size() != 2
        || !o.contains(QStringLiteral("format"))) {
        err << "usage: zestora export DATADIR OUTFILE --format mealmaster|mastercook|jsonld [--name T] [--category T] "
               "[--category2 T] [--ingredient T] [--instructions T] [--source T] [--rating T] [--or]\n";
        return 1;
    }
    const QString format = o.value(QStringLiteral("format")).toLower();
    const QHash<QString, ExportLayout> layouts { { QStringLiteral("mealmaster"), ExportLayout::MealMaster },
                                                 { QStringLiteral("mastercook"), ExportLayout::MasterCook },
                                                 { QStringLiteral("jsonld"), ExportLayout::JsonLd } };
    if (!layouts.contains(format)) {
        err << "zestora export: unknown format " << format << " (mealmaster, mastercook or jsonld)\n";
        return 1;
    }
    if (!isDataFolder(positional.at(0), err, "export"))
        return 1;
    SearchCriteria criteria;
    criteria.name = o.value(QStringLiteral("name"));
    criteria.category1 = o.value(QStringLiteral("category"));
    criteria.category2 = o.value(QStringLiteral("category2"));
    criteria.ingredient = o.value(QStringLiteral("ingredient"));
    criteria.instructions = o.value(QStringLiteral("instructions"));
    criteria.source = o.value(QStringLiteral("source"));
    criteria.rating = o.value(QStringLiteral("rating"));
    criteria.combine = o.contains(QStringLiteral("or")) ? SearchCriteria::Combine::Or : SearchCriteria::Combine::And;

    const auto recipes = DataSource::open(TableDef::Recipes, positional.at(0));
    listRecipes(recipes->recordset(), criteria);
    const QVector<RecipeRecord> list = RecipeExporter::viewRecipes(recipes->recordset());
    const auto result = RecipeExporter::exportToFile(positional.at(1), layouts.value(format), list);
    if (!result.ok) {
        err << "zestora export: cannot write " << positional.at(1) << ": " << result.error << "\n";
        return 2;
    }
    out << "Exported " << result.written << " recipes to " << positional.at(1) << "\n";
    return 0;
}

int cmdText(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const bool recipe = args.size() == 3 && args.at(1) == QLatin1String("recipe");
    const bool other
        = args.size() == 2 && (args.at(1) == QLatin1String("shoplist") || args.at(1) == QLatin1String("menu"));
    if (!recipe && !other) {
        err << "usage: zestora text DATADIR recipe NAME|shoplist|menu\n";
        return 1;
    }
    const QString folder = args.at(0);
    if (!isDataFolder(folder, err, "text"))
        return 1;
    if (recipe) {
        const auto recipes = DataSource::open(TableDef::Recipes, folder);
        Recordset& rs = recipes->recordset();
        rs.setFilter(RecordStatus::LiveFilter);
        rs.setSort(QStringLiteral("Name ASC"));
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            if (rs.value(QStringLiteral("Name")).compare(args.at(2), Qt::CaseInsensitive) == 0) {
                out << PlainTextExports::recipeText(RecipeRecord::fromCurrent(rs)) << "\n";
                return 0;
            }
        }
        err << "zestora text: no recipe named " << args.at(2) << "\n";
        return 2;
    }
    if (args.at(1) == QLatin1String("shoplist")) {
        const auto shop = DataSource::open(TableDef::ShoppingList, folder);
        out << PlainTextExports::shoppingListText(shop->recordset());
    } else {
        const auto menu = DataSource::open(TableDef::MenuPlanner, folder);
        menu->recordset().setFilter(RecordStatus::LiveFilter);
        out << PlainTextExports::menuPlannerText(menu->recordset());
    }
    return 0;
}

int cmdSplashShopper(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 2 || args.at(0).startsWith(QLatin1String("--"))) {
        err << "usage: zestora splashshopper DATADIR OUTFILE\n";
        return 1;
    }
    if (!isDataFolder(args.at(0), err, "splashshopper"))
        return 1;
    const auto shop = DataSource::open(TableDef::ShoppingList, args.at(0));
    const QString text = PlainTextExports::splashShopperText(shop->recordset(), PlainTextExports::quantityNumber);
    const QString error = PlainTextExports::writeTextFile(args.at(1), text);
    if (!error.isEmpty()) {
        err << "zestora splashshopper: cannot write " << args.at(1) << ": " << error << "\n";
        return 2;
    }
    out << "Wrote " << text.count(QStringLiteral("\r\n")) << " shopping list items to " << args.at(1) << "\n";
    return 0;
}
