#include "cli/CliCommands.h"

#include "printing/ReportComposer.h"
#include "printing/RtfWriter.h"
#include "printing/ui/ReportPainter.h"
#include "printing/ui/ReportPdf.h"
#include "recipes/SearchCriteria.h"
#include "storage/DataSource.h"

#include <QDir>

namespace {

const char* const Usage = "usage: zestora report DATADIR recipes|shoplist|menu [--cards] [--new-page]\n"
                          "       [--name TEXT] [--category TEXT]... [--ingredient TEXT] [--instruction TEXT]\n"
                          "       [--source TEXT] [--rating TEXT] [--or] [--select KEY]...\n"
                          "       [--rtf OUT.rtf] [--pdf OUT.pdf]\n";

} // namespace

int cmdReport(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QStringList positional;
    PrintOptions options;
    SearchCriteria search;
    QString rtfPath;
    QString pdfPath;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        auto value = [&](QString* target) {
            if (i + 1 >= args.size())
                return false;
            *target = args.at(++i);
            return true;
        };
        QString category;
        bool ok = true;
        if (a == QLatin1String("--cards"))
            options.cards = true;
        else if (a == QLatin1String("--new-page"))
            options.newPage = true;
        else if (a == QLatin1String("--or"))
            search.combine = SearchCriteria::Combine::Or;
        else if (a == QLatin1String("--rtf"))
            ok = value(&rtfPath);
        else if (a == QLatin1String("--pdf"))
            ok = value(&pdfPath);
        else if (a == QLatin1String("--name"))
            ok = value(&search.name);
        else if (a == QLatin1String("--ingredient"))
            ok = value(&search.ingredient);
        else if (a == QLatin1String("--instruction"))
            ok = value(&search.instructions);
        else if (a == QLatin1String("--source"))
            ok = value(&search.source);
        else if (a == QLatin1String("--rating"))
            ok = value(&search.rating);
        else if (a == QLatin1String("--category")) {
            ok = value(&category) && search.category2.isEmpty();
            (search.category1.isEmpty() ? search.category1 : search.category2) = category;
        } else if (a == QLatin1String("--select")) {
            QString key;
            ok = value(&key);
            options.selectedOnly = true;
            options.selectedKeys << key;
        } else if (!a.startsWith(QLatin1String("--")))
            positional << a;
        else {
            err << "zestora report: unknown option " << a << "\n" << Usage;
            return 1;
        }
        if (!ok) {
            err << "zestora report: " << a << " needs a value (at most two --category)\n" << Usage;
            return 1;
        }
    }
    if (positional.size() != 2 || (rtfPath.isEmpty() && pdfPath.isEmpty())) {
        err << Usage;
        return 1;
    }
    const QString dataFolder = positional.at(0);
    const QString kind = positional.at(1);
    if (!QDir(dataFolder).exists()) {
        err << "zestora report: no data folder " << dataFolder << "\n";
        return 2;
    }

    ReportDocument doc;
    doc.setDocName(ReportComposer::DocName);
    const QDate today = QDate::currentDate();
    try {
        if (kind == QLatin1String("recipes")) {
            DataSource1 recipes(DataSource::tablePath(dataFolder, TableDef::Recipes));
            recipes.recordset().setFilter(RecipeListFilter(search));
            recipes.recordset().setSort(QStringLiteral("Name ASC"));
            ReportComposer::composeRecipes(doc, recipes.recordset(), options, today);
        } else if (kind == QLatin1String("shoplist")) {
            DataSource7 shop(DataSource::tablePath(dataFolder, TableDef::ShoppingList));
            ReportComposer::composeShoppingList(doc, shop.recordset(), today);
        } else if (kind == QLatin1String("menu")) {
            DataSource8 menu(DataSource::tablePath(dataFolder, TableDef::MenuPlanner));
            menu.recordset().setFilter(RecordStatus::LiveFilter);
            ReportComposer::composeMenu(doc, menu.recordset(), today);
        } else {
            err << "zestora report: unknown report " << kind << " (recipes, shoplist or menu)\n";
            return 1;
        }
    } catch (const std::exception& e) {
        err << "zestora report: building the print document failed: " << e.what() << "\n";
        return 2;
    }

    if (!rtfPath.isEmpty()) {
        if (const auto error = RtfWriter(&ReportPainter::pictureAsPng).writeFile(doc, rtfPath)) {
            err << "zestora report: cannot write " << rtfPath << ": " << error->description() << "\n";
            return 2;
        }
        out << "wrote " << rtfPath << "\n";
    }
    if (!pdfPath.isEmpty()) {
        if (const auto error = writeReportPdf(doc, pdfPath)) {
            err << "zestora report: cannot write " << pdfPath << ": " << error->description() << "\n";
            return 2;
        }
        out << "wrote " << pdfPath << " (" << ReportPainter(doc).pageCount() << " pages)\n";
    }
    return 0;
}
