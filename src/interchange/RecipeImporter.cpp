#include "interchange/RecipeImporter.h"

#include "base/Dialogs.h"
#include "interchange/CsvRecipeFormat.h"
#include "interchange/InterchangeText.h"
#include "interchange/LineSource.h"
#include "interchange/MasterCookFormat.h"
#include "interchange/MealMasterFormat.h"
#include "interchange/PocketRecipesFormat.h"
#include "interchange/SchemaOrgFormat.h"
#include "interchange/WizardFormat.h"
#include "recipes/RecipeEncodings.h"
#include "recipes/RecipeTable.h"
#include "storage/NormalizeForMatch.h"
#include "storage/RecordStatus.h"
#include "storage/Recordset.h"

using namespace InterchangeText;

namespace {

const QString kNothingToSave = QStringLiteral("The recipe holds no title, ingredients or instructions.");

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
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    text.replace(CrLf, QStringLiteral(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// The text without the blanks that stand before a CR LF.
QString withoutBlanksBeforeBreaks(const QString& text)
{
    static const QString blankBreak = QStringLiteral(" \r\n");
    qsizetype at = text.indexOf(blankBreak);
    if (at < 0)
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    const QStringView view(text);
    while (at >= 0) {
        qsizetype end = at;
        while (end > from && text.at(end - 1) == QLatin1Char(' '))
            --end;
        out += view.mid(from, end - from);
        from = at + 1; // the CR LF
        at = text.indexOf(blankBreak, from);
    }
    out += view.mid(from);
    return out;
}

} // namespace

RecipeImporter::RecipeImporter(Recordset& recipes, Recordset* categories)
    : m_recipes(recipes)
    , m_categories(categories)
{
    m_fields.status = recipes.requireField(QStringLiteral("STATUS"));
    m_fields.key = recipes.requireField(QStringLiteral("Key"));
    m_fields.name = recipes.requireField(QStringLiteral("Name"));
    m_fields.category = recipes.requireField(QStringLiteral("Category"));
    m_fields.rtgSrc = recipes.requireField(QStringLiteral("RtgSrc"));
    m_fields.serves = recipes.requireField(QStringLiteral("Serves"));
    m_fields.ingredients = recipes.requireField(QStringLiteral("Ingredients"));
    m_fields.nutrition = recipes.requireField(QStringLiteral("Nutrition"));
    m_fields.instructions = recipes.requireField(QStringLiteral("Instructions"));
    const int keyField = m_fields.key;
    const int statusField = m_fields.status;
    const auto rows = recipes.recordsInSortOrder();
    m_keys.reserve(static_cast<int>(rows.size()) + 1024);
    for (const Recordset::Record* row : rows) {
        m_keys.insert(row->at(keyField).toLower());
        if (row->at(statusField) != RecordStatus::Deleted)
            ++m_liveRecipes;
    }
    if (m_categories) {
        const int nameField = m_categories->requireField(QStringLiteral("Category"));
        const int catStatus = m_categories->requireField(QStringLiteral("STATUS"));
        for (const Recordset::Record* row : m_categories->recordsInSortOrder()) {
            if (row->at(catStatus) == RecordStatus::Deleted)
                continue;
            ++m_liveCategories;
            m_categoryNames.insert(row->at(nameField).toLower());
        }
    }
}

QString RecipeImporter::uniqueTitle(const QString& title) const
{
    return m_keys.contains(NormalizeForMatch(title)) ? numberedTitle(title) : title;
}

QString RecipeImporter::numberedTitle(const QString& title) const
{
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
    RecordStatus::addNew(*m_categories);
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
    QString key = NormalizeForMatch(title);
    if (m_keys.contains(key)) {
        title = numberedTitle(title).left(60);
        key = NormalizeForMatch(title);
    }

    const QString categories = cutCategories(recipe.categories);
    const QStringList parts = categories.split(QLatin1Char('~'));
    for (const QString& part : parts)
        mergeCategory(part);

    QString instructions = recipe.instructions;
    instructions.remove(QChar(20));
    // Readers join lines with a blank; none is kept before a line break.
    instructions = withoutBlanksBeforeBreaks(normalizeLineBreaks(instructions));
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

    RecordStatus::addNew(m_recipes);
    m_recipes.setValue(m_fields.key, key);
    m_recipes.setValue(m_fields.name, title);
    m_recipes.setValue(m_fields.category, categories);
    if (!rating.isEmpty() || !source.isEmpty())
        m_recipes.setValue(m_fields.rtgSrc, composeRtgSrc(rating, source));
    m_recipes.setValue(m_fields.serves, oneLine(recipe.servings).left(8));
    m_recipes.setValue(m_fields.ingredients, cutItemLines(oneLine(recipe.ingredients), 4000));
    m_recipes.setValue(m_fields.nutrition, cutItemLines(nutrition, 4000));
    m_recipes.setValue(m_fields.instructions, instructions);
    m_recipes.update();
    m_keys.insert(key);
    ++m_liveRecipes;
}

ImportResult RecipeImporter::run(LineSource& source, const ImportOptions& options)
{
    if (!options.csv && SchemaOrgFormat::documentKind(source.rest()) != SchemaOrgFormat::Kind::None)
        return runDocument(source);
    return runText(source, options);
}

bool RecipeImporter::stopAtLimit(ImportResult& result)
{
    if (m_liveRecipes < RecipeTable::kMaxRecipes)
        return false;
    Dialogs::message(QStringLiteral("Database Limit"),
                     QStringLiteral("You may not have more than ") + QStringLiteral(" ")
                         + QString::number(RecipeTable::kMaxRecipes)
                         + QStringLiteral(" recipes.  This is a synchronization limit."));
    result.limitReached = true;
    return true;
}

ImportResult RecipeImporter::runDocument(LineSource& source)
{
    const SchemaOrgFormat::Document doc = SchemaOrgFormat::readDocument(source.rest());
    if (!doc.hasData) {
        // A page without recipe data may still hold recipes in one of the text layouts.
        ImportResult result = runText(source, {});
        if (result.saved == 0 && result.skipped.isEmpty() && !result.limitReached)
            result.skipped.append({ 1, SchemaOrgFormat::NoRecipeText, {} });
        return result;
    }
    while (source.readLine()) { }
    ImportResult result;
    int handled = 0;
    for (qsizetype i = 0; i < doc.entries.size(); ++i) {
        const SchemaOrgFormat::Entry& entry = doc.entries.at(i);
        // The limit is told only when another recipe is waiting.
        if (entry.problem.isEmpty() && stopAtLimit(result)) {
            for (qsizetype rest = i; rest < doc.entries.size(); ++rest)
                result.notReached += SchemaOrgFormat::entryText(doc.entries.at(rest));
            break;
        }
        if (!entry.problem.isEmpty() || entry.recipe.isEmpty()) {
            result.skipped.append({ entry.line, entry.problem.isEmpty() ? kNothingToSave : entry.problem,
                                    SchemaOrgFormat::entryText(entry) });
        } else {
            save(entry.recipe);
            ++result.saved;
        }
        if (onProgress)
            onProgress(++handled);
    }
    return result;
}

ImportResult RecipeImporter::runText(LineSource& source, const ImportOptions& options)
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
        if (stopAtLimit(result)) {
            result.notReached = source.bytes(startOffset, source.size());
            break;
        }

        const int lineBefore = source.lineNumber();
        ImportedRecipe recipe;
        const bool ok = format->read(source, recipe);
        if (!ok || (recipe.isEmpty() && !record)) {
            result.skipped.append({ startLine, ok ? kNothingToSave : format->errorString(), {} });
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
