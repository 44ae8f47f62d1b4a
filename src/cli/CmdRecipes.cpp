#include "cli/CliCommands.h"

#include "recipes/RecipeEncodings.h"
#include "recipes/RecipeSave.h"
#include "recipes/RecipeTable.h"
#include "recipes/SearchCriteria.h"
#include "storage/DataSource.h"

int cmdList(const CommandLine& cl, QTextStream& out, QTextStream&)
{
    const SearchCriteria criteria = cl.criteria();
    DataSource1 source(DataSource::tablePath(cl.arg(0), TableDef::Recipes));
    const RecipeListing listing = listRecipes(source.recordset(), criteria);
    if (listing.names.isEmpty() && !criteria.isEmpty()) {
        out << "No records were found matching this search.\n";
        return CliStatus::Refused;
    }
    out << listStatusText(criteria, static_cast<int>(listing.names.size())) << "\n";
    for (const QString& name : listing.names)
        out << name << "\n";
    return CliStatus::Done;
}

int cmdShow(const CommandLine& cl, QTextStream& out, QTextStream&)
{
    DataSource1 source(DataSource::tablePath(cl.arg(0), TableDef::Recipes));
    Recordset& rs = source.recordset();
    const RecipeListing listing = listRecipes(rs, SearchCriteria());
    int row = static_cast<int>(listing.names.indexOf(cl.arg(1)));
    for (int i = 0; row < 0 && i < listing.names.size(); ++i) {
        if (listing.names.at(i).compare(cl.arg(1), Qt::CaseInsensitive) == 0)
            row = i;
    }
    if (row < 0 || !RecipeTable::findListEntry(rs, listing.keys, row))
        return cl.fail(CliStatus::Refused, QStringLiteral("no recipe named ") + cl.arg(1));
    const RecipeRecord f = RecipeRecord::fromCurrent(rs);
    const auto lines = [&out](const QString& text) {
        for (const ItemLine& l : splitItemLines(text))
            out << "  " << l.quantity << "\t" << l.units << "\t" << l.item << "\n";
    };
    out << "Name: " << f.name << "\n";
    out << "Categories: " << splitCategories(f.category).join(QStringLiteral(", ")) << "\n";
    out << "Serves: " << f.serves << "\n";
    out << "Ingredients:\n";
    lines(f.ingredients);
    out << "Instructions:\n";
    QString instructions = f.instructions;
    instructions.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (!instructions.isEmpty())
        out << instructions << (instructions.endsWith(QLatin1Char('\n')) ? "" : "\n");
    out << "Nutrition:\n";
    lines(f.nutrition);
    out << "Rating: " << f.rating << "\n";
    out << "Source: " << f.source << "\n";
    out << "Picture: " << f.picture << "\n";
    return CliStatus::Done;
}
