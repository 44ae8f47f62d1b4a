#include "cli/CliCommands.h"

#include "recipes/RecipeEncodings.h"
#include "recipes/RecipeSave.h"
#include "recipes/RecipeTable.h"
#include "recipes/SearchCriteria.h"
#include "storage/DataSource.h"

#include <QFileInfo>

namespace {

bool loadRecipes(const QString& folder, std::unique_ptr<DataSource1>& source, const char* command, QTextStream& err)
{
    if (!QFileInfo(folder).isDir()) {
        err << "zestora " << command << ": no such folder " << folder << "\n";
        return false;
    }
    source = std::make_unique<DataSource1>(DataSource::tablePath(folder, TableDef::Recipes));
    return true;
}

} // namespace

int cmdList(const QStringList& args, QTextStream& out, QTextStream& err)
{
    SearchCriteria criteria;
    QStringList positional;
    const struct
    {
        const char* option;
        QString SearchCriteria::*text;
    } options[] = { { "--name", &SearchCriteria::name },
                    { "--category", &SearchCriteria::category1 },
                    { "--category2", &SearchCriteria::category2 },
                    { "--ingredient", &SearchCriteria::ingredient },
                    { "--instructions", &SearchCriteria::instructions },
                    { "--source", &SearchCriteria::source },
                    { "--rating", &SearchCriteria::rating } };
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--or")) {
            criteria.combine = SearchCriteria::Combine::Or;
            continue;
        }
        if (!arg.startsWith(QLatin1String("--"))) {
            positional << arg;
            continue;
        }
        bool known = false;
        for (const auto& o : options) {
            if (arg == QLatin1String(o.option)) {
                if (i + 1 >= args.size()) {
                    err << "zestora list: " << arg << " needs a text\n";
                    return 1;
                }
                criteria.*(o.text) = args.at(++i);
                known = true;
            }
        }
        if (!known) {
            err << "zestora list: unknown option " << arg << "\n";
            return 1;
        }
    }
    if (positional.size() != 1) {
        err << "usage: zestora list DATADIR [--name T] [--category T] [--category2 T] [--ingredient T] "
               "[--instructions T] [--source T] [--rating T] [--or]\n";
        return 1;
    }
    std::unique_ptr<DataSource1> source;
    if (!loadRecipes(positional.first(), source, "list", err))
        return 2;
    const RecipeListing listing = listRecipes(source->recordset(), criteria);
    if (listing.names.isEmpty() && !criteria.isEmpty()) {
        out << "No records were found matching this search.\n";
        return 1;
    }
    out << listStatusText(criteria, static_cast<int>(listing.names.size())) << "\n";
    for (const QString& name : listing.names)
        out << name << "\n";
    return 0;
}

int cmdShow(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 2) {
        err << "usage: zestora show DATADIR NAME\n";
        return 1;
    }
    std::unique_ptr<DataSource1> source;
    if (!loadRecipes(args.at(0), source, "show", err))
        return 2;
    Recordset& rs = source->recordset();
    const RecipeListing listing = listRecipes(rs, SearchCriteria());
    int row = static_cast<int>(listing.names.indexOf(args.at(1)));
    for (int i = 0; row < 0 && i < listing.names.size(); ++i) {
        if (listing.names.at(i).compare(args.at(1), Qt::CaseInsensitive) == 0)
            row = i;
    }
    if (row < 0 || !RecipeTable::findListEntry(rs, listing.keys, row)) {
        err << "zestora show: no recipe named " << args.at(1) << "\n";
        return 1;
    }
    const RecipeFields f = RecipeFields::fromCurrent(rs);
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
    return 0;
}
