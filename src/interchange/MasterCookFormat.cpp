#include "interchange/MasterCookFormat.h"

#include "interchange/ExportText.h"
#include "interchange/InterchangeText.h"
#include "interchange/LineSource.h"
#include "interchange/MealMasterFormat.h"
#include "recipes/RecipeEncodings.h"

#include <QRegularExpression>
#include <QStringList>

using namespace InterchangeText;

namespace {

const QString k24Blanks(24, QLatin1Char(' '));
const QString k15Blanks(15, QLatin1Char(' '));

void appendCategories(QString text, ImportedRecipe& recipe)
{
    static const QRegularExpression gap(QStringLiteral(" {2,}"));
    QStringList parts = text.trimmed().split(gap, Qt::SkipEmptyParts);
    for (QString& p : parts)
        p = p.trimmed();
    recipe.categories += joinCategories(parts);
}

QString nutritionEntry(const QString& part)
{
    static const QRegularExpression withUnit(QStringLiteral("^(\\d[\\d.,/]*)\\s*(mg|g|%)\\s*(.*)$"));
    const QString t = part.trimmed();
    if (t.isEmpty())
        return QString();
    const QRegularExpressionMatch m = withUnit.match(t);
    if (m.hasMatch())
        return itemLineText({ m.captured(1), m.captured(2), m.captured(3).trimmed() });
    const int blank = t.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return itemLineText({ t, {}, {} });
    return itemLineText({ t.left(blank), {}, t.mid(blank + 1).trimmed() });
}

} // namespace

int MasterCookFormat::titleIndent(int titleLength)
{
    const int d = 75 - titleLength;
    if (d <= 0)
        return 0;
    if (d % 2 == 0)
        return d / 2;
    const int low = d / 2;
    return low % 2 == 0 ? low : low + 1;
}

QString MasterCookFormat::parseNutritionLine(const QString& line, QString* exchanges)
{
    QString text = line.mid(qMax(0, line.indexOf(QLatin1String("Per Serving"))));
    const int ex = text.indexOf(QLatin1String(".  Exchanges: "));
    if (ex >= 0) {
        if (exchanges)
            *exchanges = text.mid(ex + 3).trimmed();
        text = text.left(ex + 1);
    } else if (exchanges) {
        exchanges->clear();
    }
    text = text.mid(text.indexOf(QLatin1Char(':')) + 1).trimmed();
    text.replace(QStringLiteral(" ("), QStringLiteral("; "));
    text.replace(QStringLiteral(");"), QStringLiteral(";"));
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (text.endsWith(QLatin1Char(')')))
        text.chop(1);
    QString out;
    const QStringList parts = text.split(QLatin1Char(';'));
    for (const QString& part : parts)
        out += nutritionEntry(part);
    return out;
}

bool MasterCookFormat::canRead(const QString& line) const
{
    // "* Exported from MasterCook *" in its variants ("*  Exported from  MasterCook II  *", centred); a line of
    // text that merely mentions the program is not a marker.
    const QString t = line.trimmed();
    if (!t.contains(QLatin1String("MasterCook")))
        return false;
    return t.startsWith(QLatin1Char('*')) || t.startsWith(QLatin1String("Exported from"), Qt::CaseInsensitive);
}

namespace {

bool isAmountChar(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || u == ' ' || u == '/' || u == '.' || u == ',' || u == '-' || u == 0xBC || u == 0xBD
        || u == 0xBE;
}

// Cuts an ingredient table line into quantity, measure and item: the quantity in characters 1-8 (or, when it
// is wider, up to the first two blanks, which moves the other columns right), the measure up to the item
// column. False when the line does not have that layout (a line of directions, the "- - -" end line).
bool ingredientEntry(const QString& line, int itemColumn, QString& entry)
{
    if (line.contains(QLatin1String("- - - - -")))
        return false;
    qsizetype quantityEnd = 8;
    if (line.size() > 8 && (line.at(8) != QLatin1Char(' ') || (line.size() > 9 && line.at(9) != QLatin1Char(' ')))) {
        quantityEnd = line.indexOf(QLatin1String("  "), 8);
        if (quantityEnd < 0)
            return false;
    }
    for (qsizetype i = 0; i < quantityEnd && i < line.size(); ++i) {
        if (!isAmountChar(line.at(i)))
            return false;
    }
    const int shift = static_cast<int>(quantityEnd) - 8;
    entry = itemLineText({ trimmedColumn(line, 1, static_cast<int>(quantityEnd)),
                           trimmedColumn(line, 11 + shift, itemColumn - 11), trimmedColumn(line, itemColumn + shift) });
    return true;
}

} // namespace

bool MasterCookFormat::read(LineSource& source, ImportedRecipe& recipe)
{
    // Marker line is current; the title is the first line with text after it.
    source.readLine();
    int skipped = 0;
    while (source.hasLine() && source.current().trimmed().isEmpty() && skipped < 3) {
        source.readLine();
        ++skipped;
    }
    if (!source.hasLine() || canRead(source.current()))
        return fail(QStringLiteral("The MasterCook marker is not followed by a recipe title."));
    recipe.title = source.current().trimmed();

    // Heading lines up to the ingredient table. Without a table the directions start after the last heading.
    LineSource::Position afterHeadings = source.position();
    bool inHeadings = true;
    QString prepTime;
    QString recipeBy;
    bool inCategories = false;
    bool foundTable = false;
    for (int guard = 0; guard < 60 && source.readLine(); ++guard) {
        QString line = source.current();
        const QString t = line.trimmed();
        if (t.startsWith(QLatin1String("Amount ")) || line.startsWith(QLatin1String("--------"))) {
            foundTable = true;
            break;
        }
        if (canRead(line))
            break;
        if (t.startsWith(QLatin1String("Recipe By"))) {
            inCategories = false;
            recipeBy = t.mid(9).trimmed();
            if (recipeBy.startsWith(QLatin1Char(':')))
                recipeBy = recipeBy.mid(1).trimmed();
        } else if (t.startsWith(QLatin1String("Serving Size"))) {
            // The servings only: a "Preparation Time" on this line is not taken.
            inCategories = false;
            recipe.servings = firstWord(t.mid(t.indexOf(QLatin1Char(':')) + 1)).left(8);
        } else if (t.startsWith(QLatin1String("Preparation Time"))) {
            inCategories = false;
            prepTime = t;
        } else if (t.startsWith(QLatin1String("Categories    :"))) {
            inCategories = true;
            appendCategories(t.mid(15), recipe);
        } else if (inCategories && line.startsWith(k15Blanks) && t.size() > 2) {
            appendCategories(t, recipe);
        } else {
            if (!t.isEmpty()) {
                inCategories = false;
                inHeadings = false;
            }
            continue;
        }
        if (inHeadings)
            afterHeadings = source.position();
    }
    recipe.source = recipeBy.left(32);

    int itemColumn = 25;
    if (foundTable) {
        // Column heading lines.
        while (source.hasLine()) {
            const QString& line = source.current();
            const QString t = line.trimmed();
            if (line.startsWith(QLatin1String("-------- -------------------- -")))
                itemColumn = 31;
            if (!(t.startsWith(QLatin1String("Amount ")) || line.startsWith(QLatin1String("--------")) || t.size() < 3))
                break;
            if (!source.readLine())
                break;
        }
    } else {
        source.seek(afterHeadings);
        source.readLine();
    }

    // Ingredients, as long as the lines have the table's layout.
    QString entry;
    while (foundTable && source.hasLine()) {
        const QString line = source.current();
        if (!(line.trimmed().size() > 2 || line.startsWith(k24Blanks)) || canRead(line)
            || !ingredientEntry(line, itemColumn, entry))
            break;
        recipe.ingredients += entry;
        if (!source.readLine())
            break;
        bool gap = false;
        while (source.hasLine() && source.current().trimmed().size() < 2) {
            gap = true;
            if (!source.readLine())
                break;
        }
        if (gap && source.hasLine() && !source.current().startsWith(k24Blanks) && source.current().trimmed().size() > 2)
            break;
    }

    // Directions up to the next recipe's marker (which stays current), also when the next recipe is a
    // Meal-Master one, as in archives that mix both.
    while (source.hasLine()) {
        const QString& line = source.current();
        if (canRead(line) || MealMasterFormat::isHeaderLine(line))
            break;
        if (line.contains(QLatin1String("- - - - - - - - -"))) {
            // end-of-recipe rule
        } else if (line.contains(QLatin1String("Per Serving"))) {
            const QString before = line.left(line.indexOf(QLatin1String("Per Serving"))).trimmed();
            if (!before.isEmpty())
                recipe.instructions += before + QLatin1Char(' ');
            QString exchanges;
            recipe.nutrition += parseNutritionLine(line, &exchanges);
            if (!exchanges.isEmpty())
                recipe.instructions += exchanges + QLatin1Char(' ');
        } else if (line.trimmed().isEmpty()) {
            recipe.instructions += CrLf + CrLf;
        } else {
            recipe.instructions += line.trimmed() + QLatin1Char(' ');
        }
        if (source.atEnd())
            break;
        source.readLine();
    }

    if (!prepTime.isEmpty())
        recipe.instructions += CrLf + CrLf + prepTime;
    // The "Recipe By" text closes the directions, unless a line of them already starts with it (as in a file
    // this program wrote from an imported recipe).
    if (!recipeBy.isEmpty() && !(CrLf + recipe.instructions).contains(CrLf + recipeBy))
        recipe.instructions += CrLf + CrLf + recipeBy;
    recipe.instructions = collapseTripleBreaks(recipe.instructions);
    return true;
}

QString MasterCookFormat::recipeText(const RecipeRecord& r)
{
    QString out;
    out.reserve(1024);
    out += QStringLiteral("* Exported from MasterCook *") + CrLf + CrLf;
    out += QString(titleIndent(r.name.size()), QLatin1Char(' ')) + r.name + CrLf + CrLf;

    QString instructions = r.instructions;
    QString source = r.source;
    static const QString recipeByLabel = QStringLiteral("Recipe By: ");
    if (source.isEmpty() && instructions.contains(recipeByLabel)) {
        instructions += CrLf;
        const int at = instructions.indexOf(recipeByLabel);
        const int end = instructions.indexOf(CrLf, at);
        source = instructions.mid(at + recipeByLabel.size(), end - at - recipeByLabel.size());
        instructions.remove(at, end - at);
    }
    out += QStringLiteral("Recipe By     : ") + source + CrLf;
    out += QStringLiteral("Serving Size  : ") + r.serves + CrLf;
    out += QStringLiteral("Categories    : ")
        + ExportText::categoryText(r.category).replace(QStringLiteral(", "), QStringLiteral("     ")) + CrLf + CrLf;
    out += QStringLiteral("  Amount  Measure       Ingredient -- Preparation Method") + CrLf;
    out += QStringLiteral("--------  ------------  --------------------------------") + CrLf;
    const QVector<ItemLine> entries = ExportText::ingredientEntries(r.ingredients);
    for (const ItemLine& e : entries) {
        // A quantity wider than its column is written whole; the reader finds the columns after it.
        const QString quantity = e.quantity.size() > 8 ? e.quantity : rightAligned(e.quantity, 8);
        out += quantity + QStringLiteral("  ") + rightAligned(e.units.left(12), 12) + QStringLiteral("  ") + e.item
            + CrLf;
    }
    out += CrLf;

    const QString rating = r.rating;
    if (!rating.isEmpty())
        instructions += CrLf + QStringLiteral("  Rating: ") + rating;
    if (!r.nutrition.isEmpty()) {
        const QString nutrition = ExportText::nutritionText(r.nutrition);
        if (instructions.contains(QLatin1String("Exchanges: ")))
            instructions.replace(QStringLiteral("Exchanges: "), nutrition + QStringLiteral("  Exchanges: "));
        else
            instructions += CrLf + CrLf + nutrition;
    }
    out += normalizeLineBreaks(instructions) + CrLf + CrLf;
    out += QStringLiteral("                   - - - - - - - - - - - - - - - - - -") + CrLf + CrLf;
    return out;
}

bool MasterCookFormat::write(QIODevice& device, const RecipeRecord& recipe)
{
    return writeText(device, recipeText(recipe));
}
