#include "cli/CliCommands.h"

#include "shopping/MenuPlanner.h"
#include "shopping/MenuPlannerModel.h"
#include "shopping/ShoppingActions.h"
#include "shopping/ShoppingList.h"
#include "shopping/ShoppingListModel.h"
#include "storage/DataSource.h"

#include <QDate>

namespace {

// Longest recipe and meal texts the planner window accepts.
constexpr int kMenuRecipeLength = 60;
constexpr int kMenuMealLength = 9;

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

int cmdShop(const CommandLine& cl, QTextStream& out, QTextStream&)
{
    const QString folder = cl.arg(0);
    if (cl.isSet(QStringLiteral("add-recipe"))) {
        const QString name = cl.value(QStringLiteral("add-recipe"));
        const auto recipe = findRecipe(folder, name);
        if (!recipe)
            return cl.fail(CliStatus::Refused, QStringLiteral("no recipe named ") + name);
        const auto lines = splitItemLines(recipe->second);
        const auto tally = ShoppingActions::addAllFromRecipe(folder, lines, recipe->first, false);
        if (tally.added + tally.skipped + tally.notAdded != lines.size())
            return CliStatus::Failed;
        out << "added " << tally.added << " items";
        if (tally.notAdded > 0)
            out << ", " << tally.notAdded << " not added (list full)";
        out << "\n";
        return tally.notAdded > 0 ? CliStatus::Refused : CliStatus::Done;
    }

    const ShoppingListModel list(folder);
    for (const auto& row : list.rows())
        out << row.aisle << '\t' << row.quantity << '\t' << row.units << '\t' << row.ingredient << '\t' << row.note
            << "\n";
    return CliStatus::Done;
}

int cmdMenu(const CommandLine& cl, QTextStream& out, QTextStream&)
{
    const bool adding = cl.isSet(QStringLiteral("add"));
    if (cl.args().size() != (adding ? 2 : 1) || (cl.isSet(QStringLiteral("meal")) && !adding))
        return cl.usageError(QStringLiteral("--add takes a date and the recipe's NAME; --meal goes with --add"));
    DataSource8 menu(DataSource::tablePath(cl.arg(0), TableDef::MenuPlanner));
    MenuPlannerModel planner(menu.recordset());

    if (adding) {
        const QString dateText = cl.value(QStringLiteral("add"));
        const QDate date = QDate::fromString(dateText, QStringLiteral("yyyyMMdd"));
        const QString recipe = cl.arg(1);
        const QString meal = cl.value(QStringLiteral("meal"));
        if (dateText.size() != 8 || !date.isValid())
            return cl.usageError(QStringLiteral("not a date (YYYYMMDD): ") + dateText);
        if (recipe.isEmpty() || recipe.size() > kMenuRecipeLength || meal.size() > kMenuMealLength)
            return cl.usageError(QStringLiteral("the recipe needs 1 to %1 characters and the meal at most %2")
                                     .arg(kMenuRecipeLength)
                                     .arg(kMenuMealLength));
        if (planner.addOrUpdate({ date, meal, recipe }) == MenuPlannerModel::Result::ListFull)
            return cl.fail(CliStatus::Refused,
                           QStringLiteral("The maximum number of items in the menu is %1.").arg(MenuPlanner::kLimit));
        if (!menu.save())
            return CliStatus::Failed;
        out << "added " << MenuPlanner::plannerKey(date, meal, recipe) << "\n";
        return CliStatus::Done;
    }

    for (const auto& row : planner.rows())
        out << row.date << '\t' << row.recipe << '\t' << row.meal << '\t' << row.key << "\n";
    return CliStatus::Done;
}
