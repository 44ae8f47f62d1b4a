#include "shopping/ShoppingList.h"

#include "base/Dialogs.h"
#include "base/ShowError.h"
#include "shell/AppState.h"
#include "shell/LoadFailure.h"
#include "shopping/ShoppingListAdder.h"
#include "storage/NormalizeForMatch.h"
#include "storage/RecordStatus.h"
#include "storage/Recordset.h"

#include <cmath>

namespace ShoppingList {

double readNumber(const QString& text)
{
    QString digits;
    bool point = false;
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n'))
            continue;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits.append(c);
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
            digits.append(c);
        } else {
            break;
        }
    }
    bool ok = false;
    const double value = digits.toDouble(&ok);
    return ok ? value : 0.0;
}

namespace {
    // Aisle numbers are at most five characters; anything that would not fit a padded whole number is kept as text.
    constexpr double kLargestAisleNumber = 1e9;

    QString padded(double whole)
    {
        return QStringLiteral("%1").arg(static_cast<qlonglong>(whole), 3, 10, QLatin1Char('0'));
    }
} // namespace

QString aisleKeyForAdding(const QString& aisleText)
{
    const double value = readNumber(aisleText);
    if (value > 0 && value < kLargestAisleNumber)
        return padded(std::round(value));
    return aisleText;
}

QString aisleKeyForWindow(const QString& aisleText)
{
    const double value = readNumber(aisleText);
    if (value > 0 && value < kLargestAisleNumber && value == std::floor(value))
        return padded(value);
    return aisleText;
}

QString ShopKey(const QString& aisleKey, const QString& ingredient)
{
    return NormalizeForMatch(aisleKey + ingredient);
}

QString lookupAisle(Recordset& ingredients, const QString& ingredient)
{
    if (ingredients.recordCount() == 0)
        return QString();
    ingredients.moveFirst();
    if (!ingredients.find(QStringLiteral("IngrKey = ") + quoted(NormalizeForMatch(ingredient))))
        return QString();
    return ingredients.value(QStringLiteral("IngrAisle"));
}

QString limitMessage()
{
    return QStringLiteral("The maximum number of items in the shopping list is %1.").arg(kLimit);
}

QString quoted(const QString& text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

} // namespace ShoppingList

ShopAddResult AddToShoppingList(const QString& quantity, const QString& units, const QString& ingredient,
                                const QString& note, const QString& dataFolder)
{
    const QString folder = dataFolder.isEmpty() ? AppState::instance().dataPath : dataFolder;
    try {
        ShoppingListAdder adder(folder);
        adder.setTellLimitPerLine(true);
        const ShopAddResult result = adder.add(quantity, units, ingredient, note);
        if (result == ShopAddResult::Added && !adder.save())
            return ShopAddResult::Failed;
        return result;
    } catch (const TableLoadError& e) {
        LoadFailure::endProgram(e);
        return ShopAddResult::Failed;
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("adding to the shopping list"), QString(), e);
        return ShopAddResult::Failed;
    }
}
