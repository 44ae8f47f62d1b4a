#include "interchange/RecipeImporter.h"

#include "interchange/CsvRecipeFormat.h"
#include "interchange/InterchangeText.h"
#include "interchange/LineSource.h"
#include "interchange/MasterCookFormat.h"
#include "interchange/MealMasterFormat.h"
#include "interchange/PocketRecipesFormat.h"
#include "interchange/WizardFormat.h"
#include "recipes/RecipeEncodings.h"
#include "shell/Dialogs.h"
#include "storage/NormalizeForMatch.h"
#include "storage/Recordset.h"
#include "storage/TableCatalogue.h"

#include <QRegularExpression>

using namespace InterchangeText;

namespace {

QString cutItemLines(const QString& text, int width)
{
    if (text.size() <= width)
        return text;
    // Never keep half an entry.
    const int lastEnd = text.left(width).lastIndexOf(QLatin1Char('~'));
    return lastEnd < 0 ? QString() : text.left(lastEnd + 1);
}

// Fields other than the instructions are one line in the table file.
QString oneLine(QString text)
{
    text.replace(CrLf, QStringLiteral(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

RecipeImporter::RecipeImporter(Recordset& recipes, Recordset* categories)
    : m_recipes(recipes)
    , m_categories(categories)
{
    const int keyField = recipes.requireField(QStringLiteral("Key"));
    const int statusField = recipes.requireField(QStringLiteral("STATUS"));
    const auto rows = recipes.recordsInSortOrder();
    m_keys.reserve(static_cast<int>(rows.size()) + 1024);
    for (const QVector<QString>* row : rows) {
        m_keys.insert(row->at(keyField).toLower());
        if (row->at(statusField) != RecordStatus::Deleted)
            ++m_liveRecipes;
    }
    if (m_categories) {
        const int nameField = m_categories->requireField(QStringLiteral("Category"));
        const int catStatus = m_categories->requireField(QStringLiteral("STATUS"));
        for (const QVector<QString>* row : m_categories->recordsInSortOrder()) {
            if (row->at(catStatus) == RecordStatus::Deleted)
                continue;
            ++m_liveCategories;
            m_categoryNames.insert(row->at(nameField).toLower());
        }
    }
}

QString RecipeImporter::uniqueTitle(const QString& title) const
{
    if (!m_keys.contains(NormalizeForMatch(title)))
        return title;
    // Counting goes on past 99 so that no two recipes ever share a key. The walk starts where the last walk
    // for this title ended: every number below that was taken then and still is.
    int& counter = m_nextNumber[title];
    if (counter < 2)
        counter = 2;
    for (;; ++counter) {
        const QString suffix = QStringLiteral(" #") + QString::number(counter);
        const QString candidate = title.left(qMin(56, 60 - static_cast<int>(suffix.size()))) + suffix;
        if (!m_keys.contains(NormalizeForMatch(candidate)))
            return candidate;
    }
}

void RecipeImporter::mergeCategory(const QString& name)
{
    if (!m_categories || name.isEmpty() || m_liveCategories >= CategoryLimit)
        return;
    const QString folded = name.toLower();
    if (m_categoryNames.contains(folded))
        return;
    m_categories->addNew();
    m_categories->setValue(QStringLiteral("REC_ID"), RecordStatus::NewId);
    m_categories->setValue(QStringLiteral("STATUS"), RecordStatus::New);
    m_categories->setValue(QStringLiteral("Category"), name);
    m_categories->update();
    m_categoryNames.insert(folded);
    ++m_liveCategories;
}

QString RecipeImporter::cutCategories(QString categories)
{
    categories = oneLine(categories);
    if (categories.size() > 100) {
        categories = categories.left(100);
        categories = categories.left(categories.lastIndexOf(QLatin1Char('~')) + 1);
    }
    while (categories.split(QLatin1Char('~')).size() >= 8) {
        const int cut = categories.lastIndexOf(QLatin1Char('~'), categories.size() - 2);
        categories = categories.left(cut + 1);
    }
    return categories;
}

void RecipeImporter::save(const ImportedRecipe& recipe)
{
    QString title = oneLine(recipe.title).trimmed().left(60);
    if (title.isEmpty())
        title = QStringLiteral("Untitled");
    title = uniqueTitle(title).left(60);
    const QString key = NormalizeForMatch(title);

    const QString categories = cutCategories(recipe.categories);
    const QStringList parts = categories.split(QLatin1Char('~'));
    for (const QString& part : parts)
        mergeCategory(part);

    QString instructions = recipe.instructions;
    instructions.remove(QChar(20));
    instructions = normalizeLineBreaks(instructions);
    // Readers join lines with a blank; none is kept before a line break.
    static const QRegularExpression blanksBeforeBreak(QStringLiteral(" +\r\n"));
    instructions.replace(blanksBeforeBreak, CrLf);
    // No blank or empty lines around the text.
    while (!instructions.isEmpty() && instructions.back().isSpace())
        instructions.chop(1);
    while (!instructions.isEmpty() && instructions.front().isSpace())
        instructions.remove(0, 1);
    instructions = collapseTripleBreaks(instructions.left(4000));

    const QString rating = oneLine(recipe.rating).left(10);
    const QString source = oneLine(recipe.source).left(32);
    QString nutrition = oneLine(recipe.nutrition);
    // The table stores nutrition without quote escaping, so a quote there would end the value.
    nutrition.replace(QLatin1Char('"'), QLatin1Char('\''));

    m_recipes.addNew();
    m_recipes.setValue(QStringLiteral("REC_ID"), RecordStatus::NewId);
    m_recipes.setValue(QStringLiteral("STATUS"), RecordStatus::New);
    m_recipes.setValue(QStringLiteral("Key"), key);
    m_recipes.setValue(QStringLiteral("Name"), title);
    m_recipes.setValue(QStringLiteral("Category"), categories);
    if (!rating.isEmpty() || !source.isEmpty())
        m_recipes.setValue(QStringLiteral("RtgSrc"), composeRtgSrc(rating, source));
    m_recipes.setValue(QStringLiteral("Serves"), oneLine(recipe.servings).left(8));
    m_recipes.setValue(QStringLiteral("Ingredients"), cutItemLines(oneLine(recipe.ingredients), 4000));
    m_recipes.setValue(QStringLiteral("Nutrition"), cutItemLines(nutrition, 4000));
    m_recipes.setValue(QStringLiteral("Instructions"), instructions);
    m_recipes.update();
    m_keys.insert(key);
    ++m_liveRecipes;
}

ImportResult RecipeImporter::run(LineSource& source, const ImportOptions& options)
{
    ImportResult result;
    MealMasterFormat mealMaster;
    MasterCookFormat masterCook;
    PocketRecipesFormat pocket;
    WizardFormat wizard;
    CsvRecipeFormat csv(options.csvFields);
    RecipeFormat* sticky = options.csv ? static_cast<RecipeFormat*>(&csv) : nullptr;
    RecipeFormat* const markerFormats[] = { &mealMaster, &masterCook, &pocket, &wizard };

    int handled = 0;
    // The skipped recipe whose text runs up to the start of the next recipe.
    qsizetype openSkipStart = -1;
    auto closeSkip = [&](qsizetype end) {
        if (openSkipStart >= 0)
            result.skipped.last().text = source.bytes(openSkipStart, end);
        openSkipStart = -1;
    };
    while (!source.atEnd()) {
        RecipeFormat* format = sticky;
        if (!format) {
            // Find the next marker line; the current line is tested before the first read.
            while (true) {
                const QString& line = source.current();
                for (RecipeFormat* f : markerFormats) {
                    if (f->canRead(line)) {
                        format = f;
                        break;
                    }
                }
                if (format || !source.readLine())
                    break;
            }
            if (!format)
                break;
            if (format == &pocket || format == &wizard)
                sticky = format;
        } else if (source.restIsBlank()) {
            break;
        }
        // A marker line starts its recipe; a record layout's recipe starts on the line after the current one.
        const bool record = format == sticky;
        const qsizetype startOffset = record ? source.nextOffset() : source.currentOffset();
        const int startLine = source.lineNumber() + (record ? 1 : 0);
        closeSkip(startOffset);
        // The limit is told only when another recipe is waiting.
        if (m_liveRecipes >= RecipeLimit) {
            Dialogs::message(QStringLiteral("Database Limit"),
                             QStringLiteral("You may not have more than ") + QStringLiteral(" ")
                                 + QString::number(RecipeLimit)
                                 + QStringLiteral(" recipes.  This is a synchronization limit."));
            result.limitReached = true;
            result.notReached = source.bytes(startOffset, source.size());
            break;
        }

        const int lineBefore = source.lineNumber();
        ImportedRecipe recipe;
        const bool ok = format->read(source, recipe);
        if (!ok || (recipe.isEmpty() && !record)) {
            result.skipped.append({ startLine,
                                    ok ? QStringLiteral("The recipe holds no title, ingredients or instructions.")
                                       : format->errorString(),
                                    {} });
            openSkipStart = startOffset;
            if (record)
                closeSkip(source.nextOffset());
            // A marker line that did not start a recipe is not looked at again.
            if (source.lineNumber() == lineBefore && !source.readLine())
                break;
        } else if (!recipe.isEmpty()) {
            // Blank records of the record layouts (a trailing empty line) are not recipes at all.
            save(recipe);
            ++result.saved;
        }
        ++handled;
        if (onProgress)
            onProgress(handled);
    }
    closeSkip(source.size());
    return result;
}
