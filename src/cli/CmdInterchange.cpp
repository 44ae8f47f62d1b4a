#include "cli/CliCommands.h"

#include "interchange/CsvRecipeFormat.h"
#include "interchange/ImportFile.h"
#include "interchange/PlainTextExports.h"
#include "interchange/RecipeExporter.h"
#include "interchange/RecipeImporter.h"
#include "recipes/SearchCriteria.h"
#include "storage/DataSource.h"

int cmdImport(const CommandLine& cl, QTextStream& out, QTextStream& err)
{
    const QString folder = cl.arg(0);
    ImportOptions importOptions;
    if (cl.isSet(QStringLiteral("csv"))) {
        importOptions.csv = true;
        const QStringList known = CsvRecipeFormat::availableFields();
        for (const QString& raw : cl.value(QStringLiteral("csv")).split(QLatin1Char(','))) {
            const QString f = raw.trimmed();
            QString match;
            for (const QString& k : known) {
                if (k.compare(f, Qt::CaseInsensitive) == 0)
                    match = k;
            }
            if (match.isEmpty() && f.compare(QLatin1String("IGNORE"), Qt::CaseInsensitive) == 0)
                match = CsvRecipeFormat::IgnoreField;
            if (match.isEmpty())
                return cl.usageError(QStringLiteral("unknown CSV field ") + f
                                     + QStringLiteral(" (use Title, Ingredients, Instructions, Servings, Source, "
                                                      "Categories or IGNORE)"));
            importOptions.csvFields << match;
        }
    }
    const auto recipes = DataSource::open(TableDef::Recipes, folder);
    const auto categories = DataSource::open(TableDef::Categories, folder);
    RecipeImporter importer(recipes->recordset(), &categories->recordset());
    ImportResult result;
    QString error;
    if (!ImportFile::run(cl.arg(1), importer, importOptions, result, &error))
        return cl.fail(CliStatus::Failed, QStringLiteral("cannot read ") + cl.arg(1) + QStringLiteral(": ") + error);
    if (!recipes->save() || !categories->save())
        return CliStatus::Failed;
    out << ImportFile::progressText(result.saved, true) << "\n";
    const QString skipped = ImportFile::skippedSummary(result, -1);
    if (!skipped.isEmpty())
        err << QString(skipped).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) << "\n";
    if (cl.isSet(QStringLiteral("rejects"))) {
        const QString rejects = cl.value(QStringLiteral("rejects"));
        const QString error = ImportFile::writeRejects(rejects, result);
        if (!error.isEmpty())
            return cl.fail(CliStatus::Failed, QStringLiteral("cannot write ") + rejects + QStringLiteral(": ") + error);
    }
    return CliStatus::Done;
}

int cmdExport(const CommandLine& cl, QTextStream& out, QTextStream&)
{
    const QString format = cl.value(QStringLiteral("format")).toLower();
    const QHash<QString, ExportLayout> layouts { { QStringLiteral("mealmaster"), ExportLayout::MealMaster },
                                                 { QStringLiteral("mastercook"), ExportLayout::MasterCook },
                                                 { QStringLiteral("jsonld"), ExportLayout::JsonLd } };
    if (!layouts.contains(format))
        return cl.usageError(QStringLiteral("--format must be mealmaster, mastercook or jsonld"));
    const auto recipes = DataSource::open(TableDef::Recipes, cl.arg(0));
    listRecipes(recipes->recordset(), cl.criteria());
    const QVector<RecipeRecord> list = RecipeExporter::viewRecipes(recipes->recordset());
    const auto result = RecipeExporter::exportToFile(cl.arg(1), layouts.value(format), list);
    if (!result.ok)
        return cl.fail(CliStatus::Failed,
                       QStringLiteral("cannot write ") + cl.arg(1) + QStringLiteral(": ") + result.error);
    out << "Exported " << result.written << " recipes to " << cl.arg(1) << "\n";
    return CliStatus::Done;
}

int cmdText(const CommandLine& cl, QTextStream& out, QTextStream&)
{
    const QString kind = cl.arg(1);
    const bool recipe = kind == QLatin1String("recipe");
    if (recipe != (cl.args().size() == 3)
        || (!recipe && kind != QLatin1String("shoplist") && kind != QLatin1String("menu")))
        return cl.usageError(QStringLiteral("say recipe NAME, shoplist or menu"));
    const QString folder = cl.arg(0);
    if (recipe) {
        const auto recipes = DataSource::open(TableDef::Recipes, folder);
        Recordset& rs = recipes->recordset();
        rs.setFilter(RecordStatus::LiveFilter);
        rs.setSort(QStringLiteral("Name ASC"));
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            if (rs.value(QStringLiteral("Name")).compare(cl.arg(2), Qt::CaseInsensitive) == 0) {
                out << PlainTextExports::recipeText(RecipeRecord::fromCurrent(rs)) << "\n";
                return CliStatus::Done;
            }
        }
        return cl.fail(CliStatus::Refused, QStringLiteral("no recipe named ") + cl.arg(2));
    }
    if (kind == QLatin1String("shoplist")) {
        const auto shop = DataSource::open(TableDef::ShoppingList, folder);
        out << PlainTextExports::shoppingListText(shop->recordset());
    } else {
        const auto menu = DataSource::open(TableDef::MenuPlanner, folder);
        menu->recordset().setFilter(RecordStatus::LiveFilter);
        out << PlainTextExports::menuPlannerText(menu->recordset());
    }
    return CliStatus::Done;
}

int cmdSplashShopper(const CommandLine& cl, QTextStream& out, QTextStream&)
{
    const auto shop = DataSource::open(TableDef::ShoppingList, cl.arg(0));
    const QString text = PlainTextExports::splashShopperText(shop->recordset(), PlainTextExports::quantityNumber);
    const QString error = PlainTextExports::writeTextFile(cl.arg(1), text);
    if (!error.isEmpty())
        return cl.fail(CliStatus::Failed, QStringLiteral("cannot write ") + cl.arg(1) + QStringLiteral(": ") + error);
    out << "Wrote " << text.count(QStringLiteral("\r\n")) << " shopping list items to " << cl.arg(1) << "\n";
    return CliStatus::Done;
}
