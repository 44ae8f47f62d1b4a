#include "printing/ReportComposer.h"

#include "recipes/RecipeEncodings.h"
#include "storage/Recordset.h"
#include "storage/TableCatalogue.h"

#include <QFileInfo>
#include <QLocale>

namespace {

const QString NL = QStringLiteral("\r\n");

QString field(const Recordset& rs, const char* name)
{
    return rs.value(QLatin1String(name));
}

void sourceAndRating(ReportDocument& doc, const Recordset& rs)
{
    const RatingSource packed = splitRtgSrc(field(rs, "RtgSrc"));
    if (!packed.source.isEmpty())
        doc.paragraph(QStringLiteral("Source: ") + packed.source);
    if (!packed.rating.isEmpty())
        doc.paragraph(QStringLiteral("Rating: ") + packed.rating);
}

// Ingredient and nutrition lines as the recipe window shows them, one table row each.
QVector<QStringList> lineRows(const QString& text)
{
    QVector<QStringList> rows;
    for (const ItemLine& line : splitItemLines(text))
        rows.append({ line.quantity, line.units, line.item });
    return rows;
}

void standardRecipe(ReportDocument& doc, const Recordset& rs, bool first, bool newPage)
{
    if (newPage && !first)
        doc.newPage();
    doc.setTextAlign(ReportAlign::Left);
    doc.setFontBold(true);
    doc.paragraph(field(rs, "Name"));
    doc.setFontBold(false);

    // A picture whose file is gone is left out, and the ingredient table keeps its full width.
    const QString picture = field(rs, "Picture");
    const bool withPicture = !picture.isEmpty() && QFileInfo(picture).isFile();
    if (withPicture)
        doc.drawPicture(picture, 5.5, 2.0, 2.0);

    doc.paragraph(NL + QStringLiteral("Categories: ") + ReportComposer::categoriesText(field(rs, "Category")) + NL
                  + QStringLiteral("Serves: ") + field(rs, "Serves") + NL + NL + QStringLiteral("Ingredients: "));
    const QString ingredients = field(rs, "Ingredients");
    if (!ingredients.isEmpty())
        doc.addTable(withPicture ? ReportComposer::IngredientFormatBesidePicture : ReportComposer::IngredientFormat,
                     QStringList(), lineRows(ingredients));
    doc.paragraph(NL + QStringLiteral("Instructions: ") + NL + field(rs, "Instructions"));
    sourceAndRating(doc, rs);
    const QString nutrition = field(rs, "Nutrition");
    if (!nutrition.isEmpty()) {
        doc.paragraph(QStringLiteral("Nutritional Information:"));
        doc.addTable(ReportComposer::IngredientFormat, QStringList(), lineRows(nutrition));
    }
    // The next recipe (or the separator line) starts below a picture taller than this recipe's text.
    if (withPicture)
        doc.clearPictures();
    if (!newPage)
        doc.paragraph(ReportComposer::Separator);
}

void cardRecipe(ReportDocument& doc, const Recordset& rs, bool first)
{
    if (!first)
        doc.newPage();
    doc.setTextAlign(ReportAlign::Left);
    doc.setFontName(QStringLiteral("Arial"));
    doc.setFontSize(8);
    doc.setFontBold(true);
    doc.paragraph(field(rs, "Name"));
    doc.setFontBold(false);
    doc.paragraph(QStringLiteral("Categories: ") + ReportComposer::categoriesText(field(rs, "Category")) + NL
                  + QStringLiteral("Serves: ") + field(rs, "Serves") + NL + QStringLiteral("Ingredients: "));
    const QString ingredients = field(rs, "Ingredients");
    if (!ingredients.isEmpty())
        doc.addTable(ReportComposer::CardIngredientFormat, QStringList(), lineRows(ingredients));
    doc.paragraph(QStringLiteral("Instructions: ") + NL + field(rs, "Instructions"));
    sourceAndRating(doc, rs);
}

void title(ReportDocument& doc, const QString& text)
{
    doc.setFontBold(true);
    doc.setTextAlign(ReportAlign::Center);
    doc.paragraph(NL + text);
    doc.setFontBold(false);
    doc.setTextAlign(ReportAlign::Left);
}

} // namespace

namespace ReportComposer {

void startReport(ReportDocument& doc, const QDate& date)
{
    doc.startDoc();
    doc.setFontName(QStringLiteral("Arial"));
    doc.setFontSize(10);
    doc.setHeader(QStringLiteral("Zestora Plus|") + QLocale().toString(date, QLocale::LongFormat)
                  + QStringLiteral("|Page %d"));
}

void composeRecipes(ReportDocument& doc, Recordset& recipes, const PrintOptions& options, const QDate& date)
{
    doc.setPaper(options.cards ? ReportPaper::indexCard() : ReportPaper::letter());
    startReport(doc, date);
    if (!options.cards)
        doc.setFontBold(false);
    bool first = true;
    auto printCurrent = [&]() {
        if (options.cards)
            cardRecipe(doc, recipes, first);
        else
            standardRecipe(doc, recipes, first, options.newPage);
        first = false;
    };
    if (!options.selectedOnly) {
        for (recipes.moveFirst(); !recipes.eof(); recipes.moveNext())
            printCurrent();
    } else {
        // Keys are matched whole and without regard to letter case, by comparison rather than through a
        // find expression, so that no key text can ever be read as a pattern or break the expression.
        const int keyField = recipes.requireField(QStringLiteral("Key"));
        for (const QString& key : options.selectedKeys) {
            for (recipes.moveFirst(); !recipes.eof(); recipes.moveNext()) {
                if (recipes.value(keyField).compare(key, Qt::CaseInsensitive) == 0) {
                    printCurrent();
                    break;
                }
            }
        }
    }
    recipes.moveFirst();
    doc.endDoc();
}

void composeShoppingList(ReportDocument& doc, Recordset& shoppingList, const QDate& date)
{
    doc.setPaper(ReportPaper::letter());
    startReport(doc, date);
    title(doc, QStringLiteral("Shopping List - Zestora"));
    shoppingList.setFilter(RecordStatus::LiveFilter);
    shoppingList.setSort(QStringLiteral("ShopKey ASC"));
    // Rows are handed over as cells, so a "|" or "~" inside an item never shifts or splits a row.
    QVector<QStringList> rows;
    for (shoppingList.moveFirst(); !shoppingList.eof(); shoppingList.moveNext()) {
        const QString amount
            = (field(shoppingList, "ShopQty") + QLatin1Char(' ') + field(shoppingList, "ShopUnits")).trimmed();
        rows.append({ field(shoppingList, "ShopAisle"), amount, field(shoppingList, "ShopIngr"),
                      field(shoppingList, "ShopNote") });
    }
    doc.addTable(
        ShoppingFormat,
        { QStringLiteral("Aisle"), QStringLiteral("Amount"), QStringLiteral("Item"), QStringLiteral("Recipe") }, rows);
    doc.endDoc();
}

void composeMenu(ReportDocument& doc, Recordset& menu, const QDate& date)
{
    doc.setPaper(ReportPaper::letter());
    startReport(doc, date);
    title(doc, QStringLiteral("Menu Planner - Zestora"));
    menu.setSort(QStringLiteral("MenuKey ASC"));
    QVector<QStringList> rows;
    for (menu.moveFirst(); !menu.eof(); menu.moveNext())
        rows.append({ menuDateText(field(menu, "MenuKey")), field(menu, "MenuRecipe") });
    menu.moveFirst();
    doc.addTable(MenuFormat, { QStringLiteral("Date"), QStringLiteral("Recipe") }, rows);
    doc.endDoc();
}

QString categoriesText(const QString& category)
{
    QStringList names = category.split(QLatin1Char('~'), Qt::SkipEmptyParts);
    return names.join(QStringLiteral(", "));
}

QString menuDateText(const QString& menuKey)
{
    return menuKey.mid(4, 2) + QLatin1Char('/') + menuKey.mid(6, 2);
}

} // namespace ReportComposer
