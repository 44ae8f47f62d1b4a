#include "cli/CliCommands.h"

#include "shopping/MenuPlanner.h"
#include "shopping/MenuPlannerModel.h"
#include "shopping/ShoppingActions.h"
#include "shopping/ShoppingList.h"
#include "shopping/ShoppingListModel.h"
#include "storage/DataSource.h"

#include <QDate>
#include <QFileInfo>

namespace {

// Longest recipe and meal texts the planner window accepts.
constexpr int kMenuRecipeLength = 60;
constexpr int kMenuMealLength = 9;

// Splits arguments into positional ones and the values of the named options; false on an unknown option or
// an option without its value.
bool parseArgs(const QStringList& args, const QStringList& options, QStringList& positional,
               QHash<QString, QString>& values, QTextStream& err, const char* command)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (!arg.startsWith(QLatin1String("--"))) {
            positional << arg;
            continue;
        }
        if (!options.contains(arg)) {
            err << "zestora " << command << ": unknown option " << arg << "\n";
            return false;
        }
        if (i + 1 >= args.size()) {
            err << "zestora " << command << ": " << arg << " needs a value\n";
            return false;
        }
        values.insert(arg, args.at(++i));
    }
    return true;
}

bool checkFolder(const QString& folder, QTextStream& err, const char* command)
{
    if (QFileInfo(folder).isDir())
        return true;
    err << "zestora " << command << ": no data folder " << folder << "\n";
    return false;
}

// The stored name and the ingredient lines of the live recipe with that name (exact name first, then ignoring
// letter case).
std::optional<std::pair<QString, QString>> findRecipe(const QString& folder, const QString& name)
{
    DataSource1 recipes(DataSource::tablePath(folder, TableDef::Recipes));
    Recordset& rs = recipes.recordset();
    rs.setFilter(RecordStatus::LiveFilter);
    for (Qt::CaseSensitivity cs : { Qt::CaseSensitive, Qt::CaseInsensitive }) {
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            if (rs.value(QStringLiteral("Name")).compare(name, cs) == 0)
                return std::make_pair(rs.value(QStringLiteral("Name")), rs.value(QStringLiteral("Ingredients")));
        }
    }
    return std::nullopt;
}

} // namespace

int cmdShop(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QStringList positional;
    QHash<QString, QString> values;
    if (!parseArgs(args, { QStringLiteral("--add-recipe") }, positional, values, err, "shop"))
        return 1;
    if (positional.size() != 1) {
        err << "usage: zestora shop DATADIR [--add-recipe NAME]\n";
        return 1;
    }
    const QString folder = positional.first();
    if (!checkFolder(folder, err, "shop"))
        return 2;

    if (values.contains(QStringLiteral("--add-recipe"))) {
        const QString name = values.value(QStringLiteral("--add-recipe"));
        const auto recipe = findRecipe(folder, name);
        if (!recipe) {
            err << "zestora shop: no recipe named " << name << "\n";
            return 2;
        }
        const auto lines = splitItemLines(recipe->second);
        const auto tally = ShoppingActions::addAllFromRecipe(folder, lines, recipe->first, false);
        if (tally.added + tally.skipped + tally.notAdded != lines.size())
            return 2;
        out << "added " << tally.added << " items";
        if (tally.notAdded > 0)
            out << ", " << tally.notAdded << " not added (list full)";
        out << "\n";
        return tally.notAdded > 0 ? 3 : 0;
    }

    const ShoppingListModel list(folder);
    for (const auto& row : list.rows())
        out << row.aisle << '\t' << row.quantity << '\t' << row.units << '\t' << row.ingredient << '\t' << row.note
            << "\n";
    return 0;
}

int cmdMenu(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QStringList positional;
    QHash<QString, QString> values;
    if (!parseArgs(args, { QStringLiteral("--add"), QStringLiteral("--meal") }, positional, values, err, "menu"))
        return 1;
    const bool adding = values.contains(QStringLiteral("--add"));
    if (positional.size() != (adding ? 2 : 1) || (values.contains(QStringLiteral("--meal")) && !adding)) {
        err << "usage: zestora menu DATADIR [--add YYYYMMDD NAME [--meal M]]\n";
        return 1;
    }
    const QString folder = positional.first();
    if (!checkFolder(folder, err, "menu"))
        return 2;
    DataSource8 menu(DataSource::tablePath(folder, TableDef::MenuPlanner));
    MenuPlannerModel planner(menu.recordset());

    if (adding) {
        const QString dateText = values.value(QStringLiteral("--add"));
        const QDate date = QDate::fromString(dateText, QStringLiteral("yyyyMMdd"));
        const QString recipe = positional.at(1);
        const QString meal = values.value(QStringLiteral("--meal"));
        if (dateText.size() != 8 || !date.isValid()) {
            err << "zestora menu: not a date (YYYYMMDD): " << dateText << "\n";
            return 1;
        }
        if (recipe.isEmpty() || recipe.size() > kMenuRecipeLength || meal.size() > kMenuMealLength) {
            err << "zestora menu: the recipe needs 1 to " << kMenuRecipeLength << " characters and the meal at most "
                << kMenuMealLength << "\n";
            return 1;
        }
        if (planner.addOrUpdate({ date, meal, recipe }) == MenuPlannerModel::Result::ListFull) {
            err << "zestora menu: The maximum number of items in the menu is " << MenuPlanner::kLimit << ".\n";
            return 3;
        }
        if (!menu.save())
            return 2;
        out << "added " << MenuPlanner::plannerKey(date, meal, recipe) << "\n";
        return 0;
    }

    for (const auto& row : planner.rows())
        out << row.date << '\t' << row.recipe << '\t' << row.meal << '\t' << row.key << "\n";
    return 0;
}
