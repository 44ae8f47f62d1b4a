#include "quantities/UnitVocabulary.h"

#include "quantities/Quantity.h"
#include "recipes/RecipeEncodings.h"

#include <QStringList>

QString UnitTable[UnitTableSize][2];

namespace {

struct UnitGroup
{
    const char* abbreviation;
    const char* words; // separated by blanks
};

// The vocabulary, grouped by abbreviation. No word occurs twice, so lookups do not depend on the order.
const UnitGroup kUnitGroups[] = {
    { "tsp", "teaspoon teaspoons tsp. tsp ts. ts t. t" },
    { "tbsp", "tablespoon tablespoons tbsp. tbsp tbls. tbls tb. tb T. T Tbl tbl Tbs Tbs." },
    { "c", "cups c. c cup" },
    { "oz", "ounce ounces oz. oz" },
    { "lb", "pound pounds lb lb. lbs. lbs" },
    { "gill", "gill gills" },
    { "pt", "pint pints pt pt. pts. pts" },
    { "qt", "quart quarts qt. qt qts. qts" },
    { "gal", "gallon gallons gal gal. gals. gals" },
    { "g", "gram grams g. g" },
    { "kg", "kilogram kilograms kg. kg" },
    { "l", "liter liters litre litres l. l" },
    { "ml", "milliliter milliliters millilitre millilitres ml. ml" },
    { "sm", "small sm. sm" },
    { "med", "medium med. med md" },
    { "lg", "large lg. lg" },
    { "ea", "each ea. ea" },
    { "pkg", "package packages pkg. pkg pkgs. pkgs" },
    { "pcs", "piece pieces pcs pcs." },
    { "dash", "dash dashes ds. ds d" },
    { "pinch", "pinch pinches" },
    { "splash", "splash splashes" },
};

// Words that are their own abbreviation (singular and plural stay apart).
const char* const kPlainUnits[] = {
    "peck",    "pecks",   "bushel",  "bushels",    "huge",      "giant",   "parts",   "part",    "can",      "cans",
    "box",     "boxes",   "bag",     "bags",       "packet",    "packets", "packs",   "pack",    "pouch",    "pouches",
    "sachet",  "sachets", "tub",     "tubs",       "clove",     "slice",   "slices",  "strip",   "strips",   "stick",
    "sticks",  "thread",  "threads", "sprig",      "sprigs",    "grind",   "grinds",  "lump",    "lumps",    "scoop",
    "scoops",  "bunch",   "bunches", "recipe",     "recipes",   "wedge",   "wedges",  "section", "sections", "rib",
    "ribs",    "head",    "heads",   "handful",    "handfuls",  "skosh",   "smidgen", "shot",    "shots",    "jigger",
    "jiggers", "pony",    "ponies",  "minibottle", "mini",      "split",   "splits",  "tenth",   "tenths",   "fifth",
    "fifths",  "magnum",  "magnums", "jeroboam",   "jeroboams", "whole",   "cn",
};

// Words whose capital letter tells them apart ("T" tablespoon, "t" teaspoon) are compared as written.
// "Tbs" and "Tbs." are kept as written too: lowered they match no row, and a cook writing "Tbs" means
// a tablespoon.
bool keepsCase(const QString& word)
{
    return word == QLatin1String("T.") || word == QLatin1String("T") || word == QLatin1String("Tbl")
        || word == QLatin1String("Tbs") || word == QLatin1String("Tbs.");
}

int unitCount()
{
    if (UnitTable[0][0].isEmpty())
        BuildUnitTable();
    return UnitTable[0][0].toInt();
}

// The row of a unit word compared case-sensitively, or 0.
int unitRow(const QString& word)
{
    const int count = unitCount();
    for (int row = 1; row <= count; ++row) {
        if (UnitTable[row][0] == word)
            return row;
    }
    return 0;
}

QString lowerUnlessKeepsCase(const QString& word)
{
    return keepsCase(word) ? word : word.toLower();
}

} // namespace

void BuildUnitTable()
{
    for (auto& row : UnitTable) {
        row[0].clear();
        row[1].clear();
    }
    int row = 0;
    for (const UnitGroup& group : kUnitGroups) {
        const QStringList words = QString::fromLatin1(group.words).split(QLatin1Char(' '));
        for (const QString& word : words) {
            ++row;
            UnitTable[row][0] = word;
            UnitTable[row][1] = QLatin1String(group.abbreviation);
        }
    }
    for (const char* word : kPlainUnits) {
        ++row;
        UnitTable[row][0] = QLatin1String(word);
        UnitTable[row][1] = QLatin1String(word);
    }
    UnitTable[0][0] = UnitTable[0][1] = QString::number(row);
}

bool IsUnitWord(QString& word)
{
    word = lowerUnlessKeepsCase(word);
    return unitRow(word) > 0;
}

QString AbbreviateUnit(const QString& units)
{
    const QString lowered = lowerUnlessKeepsCase(units);
    const int row = unitRow(lowered);
    return row > 0 ? UnitTable[row][1] : lowered;
}

QString AbbreviateIngredientUnits(const QString& ingredients)
{
    QVector<ItemLine> lines = splitItemLines(ingredients);
    for (ItemLine& line : lines)
        line.units = AbbreviateUnit(line.units);
    return joinItemLines(lines);
}

QString ParseIngredientLines(QString& text)
{
    BuildUnitTable();

    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    // Text copied from web pages often separates words with no-break spaces.
    text.replace(QChar(0x00A0), QLatin1Char(' '));
    text.replace(QChar(0x00BC), QLatin1String("1/4"));
    text.replace(QChar(0x00BD), QLatin1String("1/2"));
    text.replace(QChar(0x00BE), QLatin1String("3/4"));

    // Clipboard text on most desktops ends lines with LF alone; every line end counts.
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = (normalised + QLatin1Char('\n')).split(QLatin1Char('\n'));
    lines.removeLast();

    QString result;
    const int n = lines.size();
    for (int i = 0; i < n; ++i) {
        const QStringList words = lines.at(i).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString line = words.join(QLatin1Char(' '));
        if (line.size() <= 3) {
            if (i != 0 && i != n - 1)
                result += itemLineText({});
            continue;
        }

        QString quantity;
        QString units;
        int k = 0;
        if (IsNumericStart(words.at(0))) {
            if (words.size() > 1) {
                if (IsDigitStart(words.at(1))) {
                    quantity = words.at(0) + QLatin1Char(' ') + words.at(1);
                    k = 2;
                } else {
                    quantity = words.at(0);
                    k = 1;
                }
                // A line of only a two-word quantity ("1 1/2") has no word left for units or item.
                if (k < words.size()) {
                    QString candidate = words.at(k);
                    if (IsUnitWord(candidate)) {
                        units = words.at(k);
                        ++k;
                    }
                }
            } else {
                quantity = words.at(0);
            }
        }
        result += itemLineText({ quantity, units, words.mid(k).join(QLatin1Char(' ')) });
    }
    return result;
}
