#include "shopping/MenuPlanner.h"

#include "storage/NormalizeForMatch.h"
#include "storage/RecordStatus.h"
#include "storage/Recordset.h"

#include <QLocale>

namespace MenuPlanner {

QString dateText(const QDate& date)
{
    return QStringLiteral("%1%2%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QDate dateOfKey(const QString& key)
{
    if (key.size() < 8)
        return QDate();
    for (int i = 0; i < 8; ++i) {
        if (key.at(i) < QLatin1Char('0') || key.at(i) > QLatin1Char('9'))
            return QDate();
    }
    return QDate(key.left(4).toInt(), key.mid(4, 2).toInt(), key.mid(6, 2).toInt());
}

QString plannerKey(const QDate& date, const QString& meal, const QString& recipe)
{
    return NormalizeForMatch(dateText(date) + meal + QLatin1Char('~') + recipe);
}

QString recipeWindowKey(const QDate& date, const QString& recipeKey)
{
    return dateText(date) + QLatin1Char('~') + recipeKey;
}

QString recipePartOfKey(const QString& key)
{
    const int tilde = key.indexOf(QLatin1Char('~'), 6);
    return tilde < 0 ? key : key.mid(tilde + 1);
}

QString dateColumnText(const QString& key)
{
    const QDate date = dateOfKey(key);
    if (!date.isValid())
        return key;
    return QStringLiteral("%1/%2 %3")
        .arg(date.month())
        .arg(date.day())
        .arg(QLocale().dayName(date.dayOfWeek(), QLocale::ShortFormat));
}

bool addFromRecipeWindow(Recordset& menu, const QDate& date, const QString& recipeKey, const QString& recipeName)
{
    if (recipeKey.isEmpty() || !date.isValid())
        return false;
    RecordStatus::addNew(menu);
    menu.setValue(QStringLiteral("MenuKey"), recipeWindowKey(date, recipeKey));
    menu.setValue(QStringLiteral("MenuRecipe"), recipeName);
    menu.update();
    return true;
}

} // namespace MenuPlanner
