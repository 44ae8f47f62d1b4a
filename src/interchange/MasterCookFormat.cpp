#include "interchange/MasterCookFormat.h"

#include "interchange/ExportText.h"
#include "interchange/InterchangeText.h"
#include "interchange/LineSource.h"

#include <QRegularExpression>
#include <QStringList>

using namespace InterchangeText;

namespace {

const QString k24Blanks(24, QLatin1Char(' '));
const QString k15Blanks(15, QLatin1Char(' '));

void appendCategories(QString text, ImportedRecipe& recipe)
{
    static const QRegularExpression gap(QStringLiteral(" {2,}"));
    const QStringList parts = text.trimmed().split(gap, Qt::SkipEmptyParts);
    for (const QString& p : parts)
        recipe.categories += p.trimmed() + QLatin1Char('~');
}

QString nutritionEntry(const QString& part)
{
    static const QRegularExpression withUnit(QStringLiteral("^(\\d[\\d.,/]*)\\s*(mg|g|%)\\s*(.*)$"));
    const QString t = part.trimmed();
    if (t.isEmpty())
        return QString();
    const QRegularExpressionMatch m = withUnit.match(t);
    if (m.hasMatch())
        return m.captured(1) + QLatin1Char('|') + m.captured(2) + QLatin1Char('|') + m.captured(3).trimmed()
            + QLatin1Char('~');
    const int blank = t.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return t + QStringLiteral("||~");
    return t.left(blank) + QStringLiteral("||") + t.mid(blank + 1).trimmed() + QLatin1Char('~');
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

    // Heading lines up to the ingredient table.
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
        if (line.contains(QLatin1String("Recipe By"))) {
            inCategories = false;
            recipeBy = line.mid(line.indexOf(QLatin1String("Recipe By")) + 9).trimmed();
            if (recipeBy.startsWith(QLatin1Char(':')))
                recipeBy = recipeBy.mid(1).trimmed();
            continue;
        }
        if (line.contains(QLatin1String("Serving Size"))) {
            inCategories = false;
            const int colon = line.indexOf(QLatin1Char(':'), line.indexOf(QLatin1String("Serving Size")));
            recipe.servings = firstWord(line.mid(colon + 1)).left(8);
            const int prep = line.indexOf(QLatin1String("Preparation Time"));
            if (prep >= 0)
                prepTime = line.mid(prep).trimmed();
            continue;
        }
        if (line.contains(QLatin1String("Preparation Time"))) {
            inCategories = false;
            prepTime = t;
            continue;
        }
        const int catAt = line.indexOf(QLatin1String("Categories    :"));
        if (catAt >= 0) {
            inCategories = true;
            appendCategories(line.mid(catAt + 15), recipe);
            continue;
        }
        if (inCategories && line.startsWith(k15Blanks) && t.size() > 2) {
            appendCategories(t, recipe);
            continue;
        }
        if (!t.isEmpty())
            inCategories = false;
    }
    if (!foundTable)
        return fail(QStringLiteral("The MasterCook recipe \"%1\" has no ingredient table.").arg(recipe.title));
    if (recipeBy.size() > 32)
        recipe.source = recipeBy.left(32);
    else
        recipe.source = recipeBy;

    // Column heading lines.
    int itemColumn = 25;
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

    // Ingredients.
    while (source.hasLine()) {
        const QString line = source.current();
        if (!(line.trimmed().size() > 2 || line.startsWith(k24Blanks)) || canRead(line))
            break;
        recipe.ingredients += trimmedColumn(line, 1, 10) + QLatin1Char('|') + trimmedColumn(line, 11, itemColumn - 11)
            + QLatin1Char('|') + trimmedColumn(line, itemColumn) + QLatin1Char('~');
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

    // Directions up to the next recipe's marker (which stays current).
    while (source.hasLine()) {
        const QString& line = source.current();
        if (canRead(line))
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
                recipe.instructions += CrLf + CrLf + exchanges;
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
    if (recipeBy.size() > 32)
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
    QString source = r.source();
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
    const QVector<ExportText::Entry> entries = ExportText::ingredientEntries(r.ingredients);
    for (const ExportText::Entry& e : entries) {
        out += rightAligned(e.quantity, 8) + QStringLiteral("  ") + rightAligned(e.units.left(12), 12)
            + QStringLiteral("  ") + e.item + CrLf;
    }
    out += CrLf;

    const QString rating = r.rating();
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
