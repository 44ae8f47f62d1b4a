#include "DataGenerator.h"

#include "storage/DataFolder.h"
#include "storage/DataSource.h"
#include "storage/NormalizeForMatch.h"
#include "storage/TableFile.h"

#include <QDir>
#include <QRandomGenerator>

#include <functional>

namespace {

const char* const kWords[]
    = { "chicken", "beef",   "pork",     "garlic",  "onion",  "tomato", "basil",  "lemon", "butter",
        "cream",   "pepper", "rice",     "pasta",   "bean",   "carrot", "potato", "apple", "honey",
        "ginger",  "curry",  "mushroom", "spinach", "cheese", "almond", "orange", "salmon" };
const char* const kDishes[] = { "Casserole", "Soup",  "Stew",    "Salad",   "Pie",     "Roast",  "Stir Fry", "Bake",
                                "Tart",      "Curry", "Risotto", "Chowder", "Skillet", "Gratin", "Sandwich" };
const char* const kUnits[] = { "cup", "tbsp", "tsp", "oz", "lb", "g", "clove", "pinch", "can", "ml" };
const char* const kQtys[] = { "1", "2", "1/2", "1/4", "3/4", "1 1/2", "2 1/2", "3", "4", "1/3" };

template <size_t N> QString pick(QRandomGenerator& rng, const char* const (&list)[N])
{
    return QString::fromLatin1(list[rng.bounded(static_cast<int>(N))]);
}

void addMaster(Recordset& rs, const QStringList& values)
{
    QVector<QString> v { QStringLiteral("0x%1").arg(rs.totalRecordCount() + 1, 8, 16, QLatin1Char('0')),
                         QStringLiteral("0x0000") };
    for (const QString& s : values)
        v << s;
    rs.appendRecord(v);
}

} // namespace

std::optional<QString> DataGenerator::writeFolder(const QString& folder, int recipes)
{
    QDir(folder).removeRecursively();
    if (auto error = DataFolder::initEmpty(folder))
        return error->description();
    QRandomGenerator rng(4471);

    auto recipeSource = DataSource::open(TableDef::Recipes, folder);
    Recordset& rs = recipeSource->recordset();
    for (int i = 0; i < recipes; ++i) {
        const QString name
            = QStringLiteral("%1 %2 %3 %4").arg(pick(rng, kWords), pick(rng, kWords), pick(rng, kDishes)).arg(i + 1);
        QString ingredients;
        const int lines = 8 + rng.bounded(13);
        for (int l = 0; l < lines; ++l)
            ingredients += pick(rng, kQtys) + QLatin1Char('|') + pick(rng, kUnits) + QLatin1Char('|')
                + pick(rng, kWords) + QStringLiteral(", chopped~");
        QString instructions;
        const int size = 1000 + rng.bounded(2000);
        while (instructions.size() < size) {
            instructions += QStringLiteral("Combine the %1 and the %2 in a \"large\" bowl; stir well.")
                                .arg(pick(rng, kWords), pick(rng, kWords));
            instructions += rng.bounded(4) == 0 ? QStringLiteral("\r\n") : QStringLiteral(" ");
        }
        const QString nutrition = rng.bounded(3) == 0 ? QStringLiteral("350|kcal|Calories~12|g|Fat~") : QString();
        const QString id = QStringLiteral("0x%1").arg(0x10000 + i, 8, 16, QLatin1Char('0'));
        QVector<QString> values { id,
                                  i % 50 == 0 ? QStringLiteral("0x0004") : QStringLiteral("0x0000"),
                                  NormalizeForMatch(name),
                                  name,
                                  QStringLiteral("Main Dish~%1~").arg(pick(rng, kDishes)),
                                  QString::number(2 + rng.bounded(8)),
                                  ingredients,
                                  instructions,
                                  nutrition,
                                  QStringLiteral("Good~~Family"),
                                  QString(),
                                  QString() };
        rs.appendRecord(values);
    }
    if (!recipeSource->save())
        return QStringLiteral("cannot write the recipe table in ") + folder;

    auto fill = [&](TableDef::Id id, int count, const std::function<QStringList(int)>& make) {
        auto source = DataSource::open(id, folder);
        for (int i = 0; i < count; ++i)
            addMaster(source->recordset(), make(i));
        return source->save();
    };
    bool ok = true;
    ok &= fill(TableDef::Categories, 60, [](int i) { return QStringList { QStringLiteral("Category %1").arg(i) }; });
    ok &= fill(TableDef::Quantities, 40, [](int i) {
        const QString q = QStringLiteral("%1/%2").arg(i % 7 + 1).arg(i % 5 + 2);
        return QStringList { q, q, QString(), QString() };
    });
    ok &= fill(TableDef::Units, 60, [](int i) {
        const QString u = QStringLiteral("unit%1").arg(i);
        return QStringList { u, u, QString(), QString() };
    });
    ok &= fill(TableDef::Ingredients, 400, [&](int i) {
        const QString n = pick(rng, kWords) + QStringLiteral(" %1").arg(i);
        return QStringList { n, n, QStringLiteral("A%1").arg(i % 20), QString(), QString() };
    });
    ok &= fill(TableDef::NutritionalItems, 100, [](int i) {
        const QString n = QStringLiteral("nutrient %1").arg(i);
        return QStringList { n, n, QString(), QString() };
    });
    for (auto id : { TableDef::Sources, TableDef::Ratings, TableDef::Aisles, TableDef::Meals })
        ok &= fill(id, 200, [](int i) {
            return QStringList { QStringLiteral("Entry %1").arg(i), QString(), QString() };
        });
    ok &= fill(TableDef::ShoppingList, 300, [&](int i) {
        const QString item = pick(rng, kWords);
        return QStringList { QStringLiteral("a%1%2").arg(i % 20).arg(item),
                             QStringLiteral("A%1").arg(i % 20),
                             item,
                             QStringLiteral("1"),
                             QStringLiteral("cup"),
                             QString(),
                             QString(),
                             QString() };
    });
    ok &= fill(TableDef::MenuPlanner, 300, [](int i) {
        const QString date = QStringLiteral("2026%1%2")
                                 .arg(i / 28 % 12 + 1, 2, 10, QLatin1Char('0'))
                                 .arg(i % 28 + 1, 2, 10, QLatin1Char('0'));
        return QStringList { date + QStringLiteral("dinner"),    date,      QStringLiteral("Dinner"),
                             QStringLiteral("Recipe %1").arg(i), QString(), QString() };
    });
    ok &= fill(TableDef::Preferences, 1, [](int) {
        return QStringList { QStringLiteral("serves"), QStringLiteral("4") };
    });
    return ok ? std::nullopt : std::optional<QString>(QStringLiteral("cannot write the tables in ") + folder);
}
