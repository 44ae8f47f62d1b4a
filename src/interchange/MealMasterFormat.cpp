#include "interchange/MealMasterFormat.h"

#include "interchange/ExportText.h"
#include "interchange/InterchangeText.h"
#include "interchange/LineSource.h"

#include <QStringList>

using namespace InterchangeText;

namespace {

const QString kContinuationLead = QString(11, QLatin1Char(' ')) + QLatin1Char('-');

bool isHeading(const QString& line)
{
    return line.startsWith(QLatin1Char('-')) || line.startsWith(QLatin1String("MM"));
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

QString servingsAfter(const QString& line, int labelEnd)
{
    return firstWord(line.mid(labelEnd)).left(8);
}

} // namespace

bool MealMasterFormat::canRead(const QString& line) const
{
    return line.indexOf(QLatin1String("Meal-Master")) > 0 || line.indexOf(QLatin1String("RecipeCenter")) > 0;
}

bool MealMasterFormat::read(LineSource& source, ImportedRecipe& recipe)
{
    // Header line is current; the title follows, perhaps after blank lines.
    source.readLine();
    int skipped = 0;
    while (source.hasLine() && source.current().trimmed().size() < 3 && skipped < 3) {
        source.readLine();
        ++skipped;
    }
    if (!source.hasLine())
        return fail(QStringLiteral("The file ends after the recipe header."));
    const int titleAt = source.current().indexOf(QLatin1String(" Title:"));
    if (titleAt < 0)
        return fail(QStringLiteral("The recipe header is not followed by a Title line."));
    recipe.title = source.current().mid(titleAt + 7).trimmed();

    source.readLine();
    const int catAt = source.current().indexOf(QLatin1String("Categories:"));
    if (catAt >= 0) {
        const QString cats = source.current().mid(catAt + 11).trimmed();
        if (!cats.isEmpty())
            recipe.categories = QString(cats).replace(QStringLiteral(", "), QStringLiteral("~")) + QLatin1Char('~');
        source.readLine();
    }

    const QString& yieldLine = source.current();
    const int yieldAt = yieldLine.indexOf(QLatin1String(" Yield:"));
    const int servAt = yieldLine.indexOf(QLatin1String(" Servings:"));
    if (yieldAt >= 1 || servAt >= 0) {
        recipe.servings = yieldAt >= 1 ? servingsAfter(yieldLine, yieldAt + 7) : servingsAfter(yieldLine, servAt + 10);
        source.readLine();
    }
    while (source.hasLine() && source.current().trimmed().size() < 3 && !source.atEnd())
        source.readLine();

    // Ingredient block.
    QString secondColumn;
    while (source.hasLine()) {
        const QString line = source.current();
        if (line.trimmed().size() < 2) {
            if (source.atEnd() || !source.readLine() || !isHeading(source.current()))
                break;
            continue;
        }
        if (endsIngredients(line, *this))
            break;
        if (isHeading(line)) {
            recipe.ingredients += secondColumn;
            secondColumn.clear();
            const QString heading = line.mid(5).remove(QLatin1Char('-')).trimmed();
            recipe.ingredients += QStringLiteral("||---") + heading + QStringLiteral("---~");
            source.readLine();
            continue;
        }
        recipe.ingredients += trimmedColumn(line, 1, 7) + QLatin1Char('|') + trimmedColumn(line, 9, 2)
            + QLatin1Char('|') + trimmedColumn(line, 12, 28) + QLatin1Char('~');
        if (!trimmedColumn(line, 44).isEmpty()) {
            secondColumn += trimmedColumn(line, 42, 7) + QLatin1Char('|') + trimmedColumn(line, 50, 2)
                + QLatin1Char('|') + trimmedColumn(line, 53, 28) + QLatin1Char('~');
        }
        source.readLine();
        while (source.hasLine() && source.current().startsWith(kContinuationLead)) {
            if (recipe.ingredients.endsWith(QLatin1Char('~')))
                recipe.ingredients.chop(1);
            recipe.ingredients += QLatin1Char(' ') + source.current().mid(12).trimmed() + QLatin1Char('~');
            source.readLine();
        }
    }
    recipe.ingredients += secondColumn;

    // Directions up to the end line (which stays current).
    while (source.hasLine()) {
        const QString& line = source.current();
        if (endsDirections(line))
            break;
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

QString MealMasterFormat::recipeText(const RecipeRecord& r)
{
    QString out;
    out.reserve(1024);
    out += QStringLiteral("---------- Export to Meal-Master from Zestora") + CrLf + CrLf;
    out += QStringLiteral("      Title: ") + r.name + CrLf;
    out += QStringLiteral(" Categories: ") + ExportText::categoryText(r.category) + CrLf;
    out += QStringLiteral("      Yield: ") + r.serves + QStringLiteral(" servings") + CrLf + CrLf;

    const QVector<ExportText::Entry> entries = ExportText::ingredientEntries(r.ingredients);
    for (const ExportText::Entry& e : entries) {
        if (e.quantity.isEmpty() && e.units.isEmpty() && e.item.size() > 6 && e.item.startsWith(QLatin1String("---"))
            && e.item.endsWith(QLatin1String("---"))) {
            // A section heading, written as one so that it is read back as one.
            out += QStringLiteral("-----") + e.item.mid(3, e.item.size() - 6) + QStringLiteral("-----") + CrLf;
            continue;
        }
        QString item = e.item;
        QString rest;
        if (item.size() > 28) {
            // Continue a long item on a "-" line, broken after a word where one ends in the first 28.
            int cut = item.left(29).lastIndexOf(QLatin1Char(' '));
            if (cut <= 0)
                cut = 28;
            rest = item.mid(cut).trimmed();
            item = item.left(cut).trimmed();
        }
        out += rightAligned(e.quantity, 7) + QLatin1Char(' ') + leftFixed(e.units, 2) + QLatin1Char(' ') + item + CrLf;
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
    const QString source = r.source();
    const QString rating = r.rating();
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
