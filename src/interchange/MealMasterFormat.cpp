#include "interchange/MealMasterFormat.h"

#include "interchange/ExportText.h"
#include "interchange/InterchangeText.h"
#include "interchange/LineSource.h"
#include "quantities/UnitVocabulary.h"
#include "recipes/RecipeEncodings.h"

#include <QHash>

#include <QStringList>

using namespace InterchangeText;

namespace {

const QString kContinuationLead = QString(11, QLatin1Char(' ')) + QLatin1Char('-');
// Width of the item column of a two-column block (characters 12 to 39), and where the right column starts.
constexpr int kItemColumnEnd = 39;
constexpr int kRightColumn = 42;

bool isHeading(const QString& line)
{
    return line.startsWith(QLatin1Char('-')) || line.startsWith(QLatin1String("MM"));
}

// The name of a section line ("MMMMM-----SAUCE-----", "-----SAUCE-----"): the text between the leading "M"s
// and the dashes; empty for an end line made only of "M" and "-".
QString sectionName(const QString& line)
{
    int from = 0;
    while (from < line.size() && line.at(from) == QLatin1Char('M'))
        ++from;
    while (from < line.size() && line.at(from) == QLatin1Char('-'))
        ++from;
    int to = line.size();
    while (to > from && (line.at(to - 1) == QLatin1Char('-') || line.at(to - 1).isSpace()))
        --to;
    return line.mid(from, to - from).trimmed();
}

bool isQuantityChar(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || u == ' ' || u == '/' || u == '.' || u == ',' || u == '-' || u == 0xBC || u == 0xBD
        || u == 0xBE;
}

// True when the text, read from its first character, has the layout of an ingredient column: a quantity of
// digits and fractions (or blanks) in characters 1-7, a blank, a unit code of letters (or blanks) in 9-10 and
// a blank before the item.
bool hasColumnLayout(QStringView text)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < 7 && i < n; ++i) {
        if (!isQuantityChar(text.at(i)))
            return false;
    }
    if (n > 7 && text.at(7) != QLatin1Char(' '))
        return false;
    for (qsizetype i = 8; i < 10 && i < n; ++i) {
        if (!text.at(i).isLetter() && text.at(i) != QLatin1Char(' '))
            return false;
    }
    return n <= 10 || text.at(10) == QLatin1Char(' ');
}

bool isBlank(QStringView text)
{
    for (const QChar c : text) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}

// Ends the ingredient block: an end line made only of "M" or "-" (a recipe without directions), or the
// header of the next recipe.
bool endsIngredients(const QString& line, const MealMasterFormat& format)
{
    const QString t = line.trimmed();
    if (!t.isEmpty()) {
        bool onlyMarks = true;
        for (const QChar c : t) {
            if (c != QLatin1Char('M') && c != QLatin1Char('-')) {
                onlyMarks = false;
                break;
            }
        }
        if (onlyMarks)
            return true;
    }
    return format.canRead(line);
}

bool endsDirections(const QString& line)
{
    return line.startsWith(QLatin1String("----")) || line.startsWith(QLatin1String("MMMM"))
        || line.startsWith(QLatin1String("Meal-Master")) || line.startsWith(QLatin1String("RecipeCenter"));
}

// The text after a header label ("Title:", "Categories:", ...) when the line, blanks aside, starts with it.
bool headerValue(const QString& line, QLatin1String label, QString& value)
{
    qsizetype at = 0;
    while (at < line.size() && line.at(at) == QLatin1Char(' '))
        ++at;
    if (QStringView(line).mid(at).startsWith(label, Qt::CaseInsensitive)) {
        value = line.mid(at + label.size()).trimmed();
        return true;
    }
    return false;
}

// Appends the entry «quantity|units|item~» of one column (the text from the column's first character on) to
// an item-line text; the item is itemLength characters from character 12, or all of the rest when negative.
void appendEntry(QString& out, QStringView column, int itemLength)
{
    out += column.left(7).trimmed();
    out += QLatin1Char('|');
    out += column.mid(8, 2).trimmed();
    out += QLatin1Char('|');
    out += itemLength < 0 ? column.mid(11).trimmed() : column.mid(11, itemLength).trimmed();
    out += QLatin1Char('~');
}

// Appends text to the last entry of an item-line text («...~» becomes «... text~»).
void continueLast(QString& lines, const QString& text)
{
    if (text.isEmpty() || lines.isEmpty())
        return;
    lines.chop(1);
    lines += QLatin1Char(' ') + text + QLatin1Char('~');
}

// Reads an ingredient block from the current line on: one- and two-column item lines, "-" continuation
// lines for either column, "-" or "MM" section lines. Right-column items follow the left-column ones, up to
// the next section line. Ends at a blank line (unless a section line follows it), at a line that cannot be
// an ingredient line, or at an end line, which stays current.
void readIngredientBlock(LineSource& source, QString& ingredients, const MealMasterFormat& format)
{
    QString secondColumn;
    while (source.hasLine()) {
        const QString line = source.current();
        if (line.trimmed().size() < 2) {
            if (source.atEnd() || !source.readLine() || !isHeading(source.current()))
                break;
            continue;
        }
        if (endsIngredients(line, format))
            break;
        if (isHeading(line)) {
            ingredients += secondColumn;
            secondColumn.clear();
            ingredients += itemLineText({ {}, {}, QStringLiteral("---") + sectionName(line) + QStringLiteral("---") });
            source.readLine();
            continue;
        }
        if (!hasColumnLayout(line)) {
            // Directions that follow without a blank line, or a recipe whose block holds no ingredient lines.
            if (ingredients.isEmpty() || line.size() > kItemColumnEnd)
                break;
            ingredients += itemLineText({ {}, {}, line.trimmed() });
            source.readLine();
            continue;
        }
        const QStringView view(line);
        const bool twoColumns = line.size() > kRightColumn && line.at(kRightColumn - 2) == QLatin1Char(' ')
            && !isBlank(view.mid(kRightColumn - 1)) && hasColumnLayout(view.mid(kRightColumn - 1));
        if (!isBlank(view.left(twoColumns ? kRightColumn - 1 : line.size())))
            appendEntry(ingredients, view, twoColumns ? kRightColumn - 12 : -1);
        if (twoColumns)
            appendEntry(secondColumn, view.mid(kRightColumn - 1), -1);
        source.readLine();

        // Continuation lines: characters 13 on continue the left item, 54 on (after 11 blanks and "-" in the
        // right column) the right item.
        while (source.hasLine()) {
            const QString& next = source.current();
            const QStringView nv(next);
            const bool left = next.startsWith(kContinuationLead);
            const bool right = twoColumns && next.size() > kRightColumn + 11
                && next.at(kRightColumn + 10) == QLatin1Char('-') && isBlank(nv.mid(kRightColumn - 1, 11))
                && (left || isBlank(nv.left(kRightColumn - 1)));
            if (!left && !right)
                break;
            if (left)
                continueLast(ingredients, nv.mid(12, right ? kRightColumn - 13 : -1).trimmed().toString());
            if (right)
                continueLast(secondColumn, nv.mid(kRightColumn + 11).trimmed().toString());
            source.readLine();
        }
    }
    ingredients += secondColumn;
}

// True when the current line, or the first non-blank one after it, is an ingredient line with a quantity or
// a unit. Blank lines are read past.
bool ingredientLineFollows(LineSource& source)
{
    while (source.hasLine() && source.current().trimmed().isEmpty() && !source.atEnd())
        source.readLine();
    const QString& line = source.current();
    return hasColumnLayout(line) && !line.left(10).trimmed().isEmpty();
}

QString servingsAfter(const QString& value)
{
    return firstWord(value).left(8);
}

} // namespace

bool MealMasterFormat::canRead(const QString& line) const
{
    return isHeaderLine(line);
}

bool MealMasterFormat::isHeaderLine(const QString& line)
{
    // A header line starts with a run of "M" or "-" and names the program; a line of text that merely
    // mentions the program is not one.
    if (!line.startsWith(QLatin1String("MMMMM")) && !line.startsWith(QLatin1String("-----")))
        return false;
    return line.indexOf(QLatin1String("Meal-Master")) > 0 || line.indexOf(QLatin1String("RecipeCenter")) > 0;
}

bool MealMasterFormat::read(LineSource& source, ImportedRecipe& recipe)
{
    recipe.ingredients.reserve(512);
    recipe.instructions.reserve(1024);
    // Header lines follow the marker line, with or without blanks before their labels and between them.
    bool hasTitle = false;
    while (source.readLine()) {
        const QString& line = source.current();
        QString value;
        if (line.trimmed().isEmpty())
            continue;
        if (headerValue(line, QLatin1String("Title:"), value)) {
            recipe.title = value;
            hasTitle = true;
        } else if (headerValue(line, QLatin1String("Categories:"), value)) {
            if (!value.isEmpty())
                recipe.categories = joinCategories(value.split(QStringLiteral(", ")));
        } else if (headerValue(line, QLatin1String("Yield:"), value)
                   || headerValue(line, QLatin1String("Servings:"), value)) {
            recipe.servings = servingsAfter(value);
        } else {
            break;
        }
    }
    if (!hasTitle) {
        return fail(source.hasLine() ? QStringLiteral("The recipe header is not followed by a Title line.")
                                     : QStringLiteral("The file ends after the recipe header."));
    }

    readIngredientBlock(source, recipe.ingredients, *this);

    // Directions up to the end line (which stays current). A section line among them starts either more
    // ingredients or a titled part of the directions.
    while (source.hasLine()) {
        const QString& line = source.current();
        if (endsDirections(line)) {
            const bool marks = line.startsWith(QLatin1String("----")) || line.startsWith(QLatin1String("MMMM"));
            const QString name = marks && !canRead(line) ? sectionName(line) : QString();
            if (name.isEmpty())
                break;
            source.readLine();
            if (ingredientLineFollows(source)) {
                recipe.ingredients += QStringLiteral("||---") + name + QStringLiteral("---~");
                readIngredientBlock(source, recipe.ingredients, *this);
            } else {
                recipe.instructions += CrLf + CrLf + name + CrLf + CrLf;
            }
            continue;
        }
        const QString t = line.trimmed();
        if (t.isEmpty())
            recipe.instructions += CrLf + CrLf;
        else
            recipe.instructions += t + QLatin1Char(' ');
        if (source.atEnd())
            break;
        source.readLine();
    }
    return true;
}

QStringList MealMasterFormat::wrapInstructions(const QString& text)
{
    QStringList lines;
    const QStringList paragraphs = normalizeLineBreaks(text).split(CrLf);
    for (int p = 0; p < paragraphs.size(); ++p) {
        QString rest = paragraphs.at(p);
        if (rest.trimmed().isEmpty()) {
            // Keep paragraph breaks, but not a run of empty lines at the very end.
            if (p + 1 < paragraphs.size())
                lines << QString();
            continue;
        }
        while (!rest.isEmpty()) {
            QString piece = rest.left(75);
            if (rest.size() > 75 && piece.size() >= 60) {
                const int blank = piece.lastIndexOf(QLatin1Char(' '));
                if (blank > 0)
                    piece = piece.left(blank + 1);
            }
            rest = rest.mid(piece.size());
            lines << QStringLiteral("  ") + piece.trimmed();
        }
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString MealMasterFormat::unitCode(const QString& units)
{
    const QString t = units.trimmed();
    if (t.size() <= 2)
        return t;
    // Meal-Master's own codes for the units the vocabulary knows, by their standard abbreviation.
    static const QHash<QString, QString> codes {
        { "tsp", "ts" },   { "tbsp", "tb" },  { "c", "c" },       { "oz", "oz" },      { "lb", "lb" },
        { "pt", "pt" },    { "qt", "qt" },    { "gal", "ga" },    { "g", "g" },        { "kg", "kg" },
        { "l", "l" },      { "ml", "ml" },    { "sm", "sm" },     { "med", "md" },     { "lg", "lg" },
        { "ea", "ea" },    { "pkg", "pk" },   { "packet", "pk" }, { "packets", "pk" }, { "pack", "pk" },
        { "packs", "pk" }, { "dash", "ds" },  { "pinch", "pn" },  { "can", "cn" },     { "cans", "cn" },
        { "cn", "cn" },    { "slice", "sl" }, { "slices", "sl" }, { "bunch", "bn" },   { "bunches", "bn" },
    };
    const auto it = codes.constFind(AbbreviateUnit(t));
    return it != codes.constEnd() ? it.value() : t.left(2);
}

QString MealMasterFormat::recipeText(const RecipeRecord& r)
{
    QString out;
    out.reserve(1024);
    out += QStringLiteral("---------- Export to Meal-Master from Zestora") + CrLf + CrLf;
    out += QStringLiteral("      Title: ") + r.name + CrLf;
    out += QStringLiteral(" Categories: ") + ExportText::categoryText(r.category) + CrLf;
    out += QStringLiteral("      Yield: ") + r.serves + QStringLiteral(" servings") + CrLf + CrLf;

    const QVector<ItemLine> entries = ExportText::ingredientEntries(r.ingredients);
    for (const ItemLine& e : entries) {
        if (e.quantity.isEmpty() && e.units.isEmpty() && e.item.size() > 6 && e.item.startsWith(QLatin1String("---"))
            && e.item.endsWith(QLatin1String("---"))) {
            // A section heading, written as one so that it is read back as one.
            out += QStringLiteral("-----") + e.item.mid(3, e.item.size() - 6) + QStringLiteral("-----") + CrLf;
            continue;
        }
        QString quantity = e.quantity;
        QString units = unitCode(e.units);
        QString item = e.item;
        if (quantity.size() > 7) {
            // A quantity wider than its column ("1 1/2 - 2 1/2") is written whole at the start of the item.
            item = quantity + QLatin1Char(' ') + (e.units.isEmpty() ? QString() : e.units + QLatin1Char(' ')) + item;
            quantity.clear();
            units.clear();
        }
        QString rest;
        if (item.size() > 28) {
            // Continue a long item on a "-" line, broken after a word where one ends in the first 28.
            int cut = item.left(29).lastIndexOf(QLatin1Char(' '));
            if (cut <= 0)
                cut = 28;
            rest = item.mid(cut).trimmed();
            item = item.left(cut).trimmed();
        }
        out += rightAligned(quantity, 7) + QLatin1Char(' ') + leftFixed(units, 2) + QLatin1Char(' ') + item + CrLf;
        while (!rest.isEmpty()) {
            QString piece = rest;
            if (piece.size() > 28) {
                int cut = piece.left(29).lastIndexOf(QLatin1Char(' '));
                if (cut <= 0)
                    cut = 28;
                piece = rest.left(cut).trimmed();
                rest = rest.mid(cut).trimmed();
            } else {
                rest.clear();
            }
            out += kContinuationLead + piece + CrLf;
        }
    }
    out += CrLf;

    QString text = r.instructions;
    const QString source = r.source;
    const QString rating = r.rating;
    if (!source.isEmpty())
        text += CrLf + QStringLiteral("  Source: ") + source;
    if (!rating.isEmpty())
        text += CrLf + QStringLiteral("  Rating: ") + rating;
    if (!r.nutrition.isEmpty())
        text += CrLf + CrLf + ExportText::nutritionText(r.nutrition);
    const QStringList lines = wrapInstructions(text);
    for (const QString& line : lines)
        out += line + CrLf;
    out += CrLf;
    out += QStringLiteral("-----") + CrLf + CrLf;
    return out;
}

bool MealMasterFormat::write(QIODevice& device, const RecipeRecord& recipe)
{
    return writeText(device, recipeText(recipe));
}
