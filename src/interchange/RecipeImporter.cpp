#include "interchange/RecipeImporter.h"

#include "interchange/CsvRecipeFormat.h"
#include "interchange/InterchangeText.h"
#include "interchange/LineSource.h"
#include "interchange/MasterCookFormat.h"
#include "interchange/MealMasterFormat.h"
#include "interchange/PocketRecipesFormat.h"
#include "interchange/SchemaOrgFormat.h"
#include "interchange/WizardFormat.h"
#include "shell/Dialogs.h"
#include "storage/NormalizeForMatch.h"
#include "storage/Recordset.h"
#include "storage/TableCatalogue.h"

#include <QRegularExpression>

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
    QString candidate = title;
    // Counting goes on past 99 so that no two recipes ever share a key.
    for (int counter = 2; m_keys.contains(NormalizeForMatch(candidate)); ++counter) {
        const QString suffix = QStringLiteral(" #") + QString::number(counter);
        candidate = title.left(qMin(56, 60 - static_cast<int>(suffix.size()))) + suffix;
    }
    return candidate;
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
        m_recipes.setValue(QStringLiteral("RtgSrc"), rating + QStringLiteral("~~") + source);
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
    if (!options.csv && SchemaOrgFormat::documentKind(source.rest()) != SchemaOrgFormat::Kind::None)
        return runDocument(source);
    return runText(source, options);
}

bool RecipeImporter::stopAtLimit(ImportResult& result)
{
    if (m_liveRecipes < RecipeLimit)
        return false;
    Dialogs::message(QStringLiteral("Database Limit"),
                     QStringLiteral("You may not have more than ") + QStringLiteral(" ") + QString::number(RecipeLimit)
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
            result.skipped.append({ 1, SchemaOrgFormat::NoRecipeText });
        return result;
    }
    while (source.readLine()) { }
    ImportResult result;
    int handled = 0;
    for (const SchemaOrgFormat::Entry& entry : doc.entries) {
        if (!entry.problem.isEmpty()) {
            result.skipped.append({ entry.line, entry.problem });
            continue;
        }
        // The limit is told only when another recipe is waiting.
        if (stopAtLimit(result))
            break;
        if (entry.recipe.isEmpty()) {
            result.skipped.append({ entry.line, kNothingToSave });
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
        // The limit is told only when another recipe is waiting.
        if (stopAtLimit(result))
            break;

        const int startLine = source.lineNumber();
        ImportedRecipe recipe;
        const bool ok = format->read(source, recipe);
        if (!ok) {
            result.skipped.append({ startLine, format->errorString() });
            // A marker line that did not start a recipe is not looked at again.
            if (source.lineNumber() == startLine && !source.readLine())
                break;
        } else if (recipe.isEmpty()) {
            // Blank records of the record layouts (a trailing empty line) are not recipes at all.
            if (!sticky)
                result.skipped.append({ startLine, kNothingToSave });
        } else {
            save(recipe);
            ++result.saved;
        }
        ++handled;
        if (onProgress)
            onProgress(handled);
    }
    return result;
}
