#include "cli/CliCommands.h"

#include "printing/ReportComposer.h"
#include "printing/RtfWriter.h"
#include "printing/ui/ReportPainter.h"
#include "printing/ui/ReportPdf.h"
#include "recipes/SearchCriteria.h"
#include "storage/DataSource.h"

int cmdReport(const CommandLine& cl, QTextStream& out, QTextStream&)
{
    PrintOptions options;
    options.cards = cl.isSet(QStringLiteral("cards"));
    options.newPage = cl.isSet(QStringLiteral("new-page"));
    options.selectedKeys = cl.values(QStringLiteral("select"));
    options.selectedOnly = !options.selectedKeys.isEmpty();
    const QString rtfPath = cl.value(QStringLiteral("rtf"));
    const QString pdfPath = cl.value(QStringLiteral("pdf"));
    if (rtfPath.isEmpty() && pdfPath.isEmpty())
        return cl.usageError(QStringLiteral("say where the report goes: --rtf and/or --pdf"));
    const QString dataFolder = cl.arg(0);
    const QString kind = cl.arg(1);

    ReportDocument doc;
    doc.setDocName(ReportComposer::DocName);
    const QDate today = QDate::currentDate();
    try {
        if (kind == QLatin1String("recipes")) {
            DataSource1 recipes(DataSource::tablePath(dataFolder, TableDef::Recipes));
            recipes.recordset().setFilter(RecipeListFilter(cl.criteria()));
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
            return cl.usageError(QStringLiteral("unknown report ") + kind
                                 + QStringLiteral(" (recipes, shoplist or menu)"));
        }
    } catch (const std::exception& e) {
        return cl.fail(CliStatus::Failed,
                       QStringLiteral("building the print document failed: ") + QString::fromLocal8Bit(e.what()));
    }

    if (!rtfPath.isEmpty()) {
        if (const auto error = RtfWriter(&ReportPainter::pictureAsPng).writeFile(doc, rtfPath))
            return cl.fail(CliStatus::Failed,
                           QStringLiteral("cannot write ") + rtfPath + QStringLiteral(": ") + error->description());
        out << "wrote " << rtfPath << "\n";
    }
    if (!pdfPath.isEmpty()) {
        if (const auto error = writeReportPdf(doc, pdfPath))
            return cl.fail(CliStatus::Failed,
                           QStringLiteral("cannot write ") + pdfPath + QStringLiteral(": ") + error->description());
        out << "wrote " << pdfPath << " (" << ReportPainter(doc).pageCount() << " pages)\n";
    }
    return CliStatus::Done;
}
