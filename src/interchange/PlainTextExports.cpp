#include "interchange/PlainTextExports.h"

#include "interchange/ExportText.h"
#include "interchange/InterchangeText.h"
#include "quantities/Quantity.h"
#include "recipes/RecipeEncodings.h"
#include "storage/Recordset.h"
#include "storage/SafeFile.h"
#include "storage/TableCatalogue.h"

#include <QStringList>

#include <cmath>

using namespace InterchangeText;

namespace PlainTextExports {

namespace {

    const QChar Tab(QLatin1Char('\t'));

    QString itemLines(const QString& text)
    {
        QString out;
        for (QString piece : itemLineTexts(text))
            out += piece.replace(QLatin1Char('|'), Tab) + CrLf;
        return out;
    }

    const QString kPasteHint = QStringLiteral("You can now open your word processor or email software and paste");

} // namespace

QString recipeText(const RecipeRecord& r)
{
    QString out = CrLf + QStringLiteral("Recipe Name: ") + r.name + CrLf + CrLf;
    out += QStringLiteral("Categories: ") + ExportText::categoryText(r.category) + CrLf;
    out += QStringLiteral("Serves: ") + r.serves + CrLf + CrLf;
    out += QStringLiteral("Ingredients: ") + CrLf + itemLines(r.ingredients);
    out += CrLf + QStringLiteral("Instructions: ") + CrLf + r.instructions + CrLf;
    if (!r.nutrition.isEmpty())
        out += CrLf + QStringLiteral("Nutritional Information: ") + CrLf + itemLines(r.nutrition);
    out += CrLf + QStringLiteral("This recipe exported by Zestora Plus - ") + WebAddress;
    return out;
}

QString recipeCopiedMessage(const QString& name)
{
    return QStringLiteral("The recipe (") + name + QStringLiteral(") has been copied to the clipboard.") + CrLf + CrLf
        + kPasteHint + QStringLiteral(" the recipe.");
}

QString shoppingListText(Recordset& shop)
{
    const QString filter = shop.filter();
    const QString sort = shop.sort();
    shop.setFilter(RecordStatus::LiveFilter);
    shop.setSort(QStringLiteral("ShopKey ASC"));
    QString out = CrLf + QStringLiteral("Shopping List - Zestora") + CrLf + CrLf;
    for (shop.moveFirst(); !shop.eof(); shop.moveNext()) {
        out += shop.value(QStringLiteral("ShopAisle")) + Tab + shop.value(QStringLiteral("ShopIngr"))
            + QStringLiteral(" (") + shop.value(QStringLiteral("ShopQty")) + QLatin1Char(' ')
            + shop.value(QStringLiteral("ShopUnits")) + QLatin1Char(')') + CrLf;
    }
    shop.setFilter(filter);
    shop.setSort(sort);
    return out;
}

QString shoppingListCopiedMessage()
{
    return QStringLiteral("The shopping list has been copied to the clipboard.") + CrLf + CrLf + kPasteHint
        + QLatin1Char('.');
}

QString menuPlannerText(Recordset& menu)
{
    const QString sort = menu.sort();
    const int position = menu.position();
    menu.setSort(QStringLiteral("MenuKey ASC"));
    QString out = CrLf + QStringLiteral("Menu Planner - Zestora") + CrLf + CrLf;
    for (menu.moveFirst(); !menu.eof(); menu.moveNext()) {
        const QString key = menu.value(QStringLiteral("MenuKey"));
        out += key.mid(4, 2) + QLatin1Char('/') + key.mid(6, 2) + Tab + menu.value(QStringLiteral("MenuRecipe")) + CrLf;
    }
    menu.setSort(sort);
    menu.setPosition(qMin(position, menu.recordCount()));
    return out;
}

QString menuCopiedMessage()
{
    return QStringLiteral("The menu planner has been copied to the clipboard.") + CrLf + CrLf + kPasteHint
        + QLatin1Char('.');
}

std::optional<double> quantityNumber(const QString& qty)
{
    QString q = qty;
    try {
        const QString scaled = ScaleQuantity(q, 1, ScaleDecimal);
        if (scaled.isEmpty())
            return std::nullopt;
        return ::QuantityValue(scaled);
    } catch (const std::exception&) {
        return 0.0;
    }
}

QString splashShopperNumber(double v)
{
    if (v < 1)
        return QString::number(v, 'f', 2);
    if (v == std::floor(v))
        return QString::number(v, 'f', 0);
    return QString::number(v, 'f', 1);
}

QString splashShopperLine(const QString& qty, const QString& units, const QString& aisle, const QString& ingr,
                          const QString& note, const QuantityReader& value)
{
    QString line = QStringLiteral("-");
    if (!qty.isEmpty()) {
        const std::optional<double> v = value ? value(qty) : std::nullopt;
        line += QLatin1Char(' ') + splashShopperNumber(v.value_or(0.0)) + QLatin1Char('@');
    }
    if (!units.isEmpty())
        line += QStringLiteral(" u:") + units.left(4);
    if (!aisle.isEmpty())
        line += QStringLiteral(" a:") + aisle.left(5);
    line += QLatin1Char(' ') + ingr;
    if (!note.isEmpty())
        line += QLatin1Char('|') + note;
    return line;
}

QString splashShopperText(Recordset& shop, const QuantityReader& value)
{
    const QString filter = shop.filter();
    shop.setFilter(RecordStatus::LiveFilter);
    QString out;
    for (shop.moveFirst(); !shop.eof(); shop.moveNext()) {
        out += splashShopperLine(shop.value(QStringLiteral("ShopQty")), shop.value(QStringLiteral("ShopUnits")),
                                 shop.value(QStringLiteral("ShopAisle")), shop.value(QStringLiteral("ShopIngr")),
                                 shop.value(QStringLiteral("ShopNote")), value)
            + CrLf;
    }
    shop.setFilter(filter);
    return out;
}

QString writeTextFile(const QString& path, const QString& text)
{
    if (const auto error = SafeFile::write(path, encodeCp1252(text)))
        return error->description();
    return QString();
}

} // namespace PlainTextExports
