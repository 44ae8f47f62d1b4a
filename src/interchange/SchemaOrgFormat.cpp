#include "interchange/SchemaOrgFormat.h"

#include "interchange/FreeTextIngredients.h"
#include "interchange/InterchangeText.h"
#include "interchange/LineSource.h"
#include "interchange/WebPageText.h"
#include "recipes/RecipeEncodings.h"
#include "storage/Cp1252.h"

#include <QHash>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include <cmath>

using namespace InterchangeText;

const QString SchemaOrgFormat::NoRecipeText = QStringLiteral("No schema.org Recipe was found in the file.");

namespace {

// The widths the save step keeps; text beyond them is not worth converting.
constexpr int kIngredientWidth = 4000;
constexpr int kMaxSearchDepth = 64;

using Index = QHash<QString, QJsonObject>;

// The nutrition properties of the vocabulary and the names the nutrition lists use for them.
struct Nutrient
{
    const char* property;
    const char* name;
    const char* aliases; // other names written back to this property, "|"-separated, lower case
};
const Nutrient kNutrients[] = {
    { "calories", "Calories", "calorie|energy" },
    { "fatContent", "Fat", "total fat" },
    { "saturatedFatContent", "Saturated Fat", "" },
    { "transFatContent", "Trans Fat", "" },
    { "unsaturatedFatContent", "Unsaturated Fat", "" },
    { "cholesterolContent", "Cholesterol", "" },
    { "sodiumContent", "Sodium", "" },
    { "carbohydrateContent", "Carbohydrates", "carbohydrate|total carbohydrate|carbs" },
    { "fiberContent", "Fiber", "dietary fiber|fibre" },
    { "sugarContent", "Sugar", "sugars" },
    { "proteinContent", "Protein", "" },
};

const char* const kTimes[][2] = { { "prepTime", "Prep" }, { "cookTime", "Cook" }, { "totalTime", "Total" } };

QString str(const char* text)
{
    return QString::fromLatin1(text);
}

// ---- reading values -------------------------------------------------------------------------------------

QString numberText(double value)
{
    if (!std::isfinite(value))
        return QString();
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 12);
}

// A string or number as text; anything else is empty.
QString scalarText(const QJsonValue& v)
{
    if (v.isString())
        return v.toString();
    if (v.isDouble())
        return numberText(v.toDouble());
    return QString();
}

// Vulgar fractions written against their whole number ("1½") would read as "11/2".
QString spaceFractions(QString text)
{
    static const QRegularExpression glued(QStringLiteral("(\\d)([\\x{00BC}-\\x{00BE}\\x{2150}-\\x{215E}])"));
    return text.replace(glued, QStringLiteral("\\1 \\2"));
}

// Plain text of a string as the table can hold it: no markup, no control characters, blanks collapsed; lines
// kept (joined with CR LF) or joined with a blank.
QString cleaned(const QString& raw, bool keepLines, bool fractions = false)
{
    QString text = WebPageText::plainText(raw);
    if (fractions)
        text = spaceFractions(text);
    text = toCp1252Repertoire(text);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text.at(i) != QLatin1Char('\n') && text.at(i) != QLatin1Char('\r'))
            continue;
        const QString line = QStringView(text).mid(start, i - start).toString().simplified();
        if (!line.isEmpty())
            lines << line;
        start = i + 1;
    }
    return lines.join(keepLines ? CrLf : QStringLiteral(" "));
}

// Text of a value inside a packed field, which cannot hold its own separators.
QString packable(QString text)
{
    text.replace(QLatin1Char('|'), QLatin1Char('/'));
    text.replace(QLatin1Char('~'), QLatin1Char('-'));
    return text;
}

QJsonValue deref(const QJsonValue& v, const Index& index)
{
    if (!v.isObject())
        return v;
    const QJsonObject o = v.toObject();
    if (o.size() == 1 && o.value(QLatin1String("@id")).isString()) {
        const auto it = index.constFind(o.value(QLatin1String("@id")).toString());
        if (it != index.constEnd())
            return *it;
    }
    return v;
}

// One line of text from a string, a number, a named object or a list of those ("A, B").
QString lineText(const QJsonValue& value, const Index& index, int depth = 0)
{
    const QJsonValue v = deref(value, index);
    if (v.isArray() && depth < 2) {
        QStringList parts;
        for (const QJsonValue& e : v.toArray()) {
            const QString t = lineText(e, index, depth + 1);
            if (!t.isEmpty())
                parts << t;
        }
        return parts.join(QStringLiteral(", "));
    }
    if (v.isObject()) {
        const QJsonObject o = v.toObject();
        for (const char* key : { "name", "@value", "text" }) {
            const QString t = cleaned(scalarText(o.value(QLatin1String(key))), false);
            if (!t.isEmpty())
                return t;
        }
        return QString();
    }
    return cleaned(scalarText(v), false);
}

QStringList listTexts(const QJsonValue& v, const Index& index)
{
    QStringList out;
    if (v.isArray()) {
        for (const QJsonValue& e : v.toArray())
            out << lineText(e, index);
    } else {
        out << lineText(v, index);
    }
    return out;
}

bool typeIs(const QJsonValue& t, QLatin1String wanted)
{
    if (t.isArray()) {
        for (const QJsonValue& e : t.toArray()) {
            if (typeIs(e, wanted))
                return true;
        }
        return false;
    }
    // "Recipe", "schema:Recipe", "http://schema.org/Recipe"
    const QString s = t.toString();
    qsizetype cut = -1;
    for (const QChar c : { QLatin1Char('/'), QLatin1Char(':'), QLatin1Char('#') })
        cut = qMax(cut, s.lastIndexOf(c));
    return QStringView(s).mid(cut + 1).compare(wanted, Qt::CaseInsensitive) == 0;
}

bool hasType(const QJsonObject& o, QLatin1String wanted)
{
    return typeIs(o.value(QLatin1String("@type")), wanted);
}

// ---- fields -------------------------------------------------------------------------------------------

QString servingsText(const QJsonValue& yield, const Index& index)
{
    // "4 to 6 servings" gives "4-6", "Makes 24 cookies" "24".
    static const QRegularExpression number(
        QStringLiteral("\\d+(?:[.,/]\\d+)?(?:\\s*(?:-|\\x{2013}|to)\\s*\\d+(?:[.,/]\\d+)?)?"));
    static const QRegularExpression rangeMark(QStringLiteral("\\s*(?:-|\\x{2013}|to)\\s*"));
    const QStringList texts = listTexts(yield, index);
    for (const QString& t : texts) {
        const QRegularExpressionMatch m = number.match(t);
        if (m.hasMatch())
            return m.captured().replace(rangeMark, QStringLiteral("-"));
    }
    for (const QString& t : texts) {
        if (!t.isEmpty())
            return t;
    }
    return QString();
}

void addCategories(const QJsonValue& v, const Index& index, QStringList& names, QSet<QString>& seen)
{
    QStringList candidates;
    if (v.isArray()) {
        candidates = listTexts(v, index);
    } else {
        // A text names its categories separated by commas.
        candidates = lineText(v, index).split(QLatin1Char(','));
    }
    for (const QString& raw : candidates) {
        const QString name = packable(raw.trimmed());
        if (!name.isEmpty() && !seen.contains(name.toLower())) {
            seen.insert(name.toLower());
            names << name;
        }
    }
}

QString ingredientsText(const QJsonValue& v, const Index& index)
{
    QStringList lines;
    if (v.isArray()) {
        for (const QJsonValue& e : v.toArray()) {
            const QJsonValue d = deref(e, index);
            lines << cleaned(d.isObject() ? lineText(d, index) : scalarText(d), false, true);
        }
    } else {
        lines = cleaned(scalarText(v), true, true).split(CrLf);
    }
    // Every entry is one ingredient, so one too short for the free-text rule ("oil") is kept as an item.
    QString out;
    for (const QString& raw : lines) {
        const QString line = packable(raw);
        if (line.isEmpty())
            continue;
        out += line.size() <= 3 ? joinItemLines({ { QString(), QString(), line } }) : convertFreeTextIngredients(line);
        if (out.size() > kIngredientWidth)
            break;
    }
    return out;
}

struct Steps
{
    QStringList paragraphs;
    QString heading; // a section name waiting for its first step
    int count = 0;

    void add(const QString& text)
    {
        if (text.isEmpty() || count > 100000)
            return;
        ++count;
        paragraphs << (heading.isEmpty() ? text : heading + CrLf + text);
        heading.clear();
    }
    void addHeading(const QString& name)
    {
        if (!heading.isEmpty())
            paragraphs << heading;
        heading = name;
    }
};

void collectSteps(const QJsonValue& value, const Index& index, Steps& steps, int depth)
{
    if (depth > 16)
        return;
    const QJsonValue v = deref(value, index);
    if (v.isArray()) {
        for (const QJsonValue& e : v.toArray())
            collectSteps(e, index, steps, depth + 1);
    } else if (v.isObject()) {
        const QJsonObject o = v.toObject();
        const QJsonValue items = o.value(QLatin1String("itemListElement"));
        if (hasType(o, QLatin1String("HowToSection")) || (!items.isUndefined() && !o.contains(QLatin1String("text")))) {
            const QString name = cleaned(scalarText(o.value(QLatin1String("name"))), false);
            if (!name.isEmpty())
                steps.addHeading(name);
            collectSteps(items, index, steps, depth + 1);
        } else {
            QString text = cleaned(scalarText(o.value(QLatin1String("text"))), true);
            if (text.isEmpty())
                text = cleaned(scalarText(o.value(QLatin1String("name"))), true);
            steps.add(text);
        }
    } else {
        // A text holds one step a line.
        for (const QString& line : cleaned(scalarText(v), true).split(CrLf))
            steps.add(line);
    }
}

// "PT1H30M" as "1 hr 30 min"; a text that is no ISO 8601 duration comes back as it is; zero gives "".
QString durationText(const QString& text)
{
    static const QRegularExpression iso(
        QStringLiteral(
            "^P(?:(\\d+(?:[.,]\\d+)?)Y)?(?:(\\d+(?:[.,]\\d+)?)M)?(?:(\\d+(?:[.,]\\d+)?)W)?(?:(\\d+(?:[.,]\\d+)?)D)?"
            "(?:T(?:(\\d+(?:[.,]\\d+)?)H)?(?:(\\d+(?:[.,]\\d+)?)M)?(?:(\\d+(?:[.,]\\d+)?)S)?)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = iso.match(text.trimmed());
    if (!m.hasMatch() || text.trimmed().size() < 2)
        return text;
    static const double minutesPer[] = { 525600, 43200, 10080, 1440, 60, 1, 1.0 / 60 };
    double minutes = 0;
    for (int i = 0; i < 7; ++i)
        minutes += m.captured(i + 1).replace(QLatin1Char(','), QLatin1Char('.')).toDouble() * minutesPer[i];
    if (minutes > 1e7)
        return text;
    const qint64 total = std::llround(minutes);
    if (total <= 0)
        return QString();
    const qint64 days = total / 1440;
    const qint64 hours = total % 1440 / 60;
    const qint64 mins = total % 60;
    QStringList parts;
    if (days)
        parts << QString::number(days) + (days == 1 ? QStringLiteral(" day") : QStringLiteral(" days"));
    if (hours)
        parts << QString::number(hours) + QStringLiteral(" hr");
    if (mins)
        parts << QString::number(mins) + QStringLiteral(" min");
    return parts.join(QLatin1Char(' '));
}

// The ISO 8601 form of a text durationText writes ("1 hr 30 min" gives "PT1H30M"); empty for any other text.
QString isoDuration(const QString& text)
{
    static const QRegularExpression ours(QStringLiteral("^(?:(\\d+) days?)? ?(?:(\\d+) hr)? ?(?:(\\d+) min)?$"));
    const QRegularExpressionMatch m = ours.match(text);
    if (!m.hasMatch() || text.isEmpty())
        return QString();
    QString iso = QStringLiteral("P");
    if (!m.captured(1).isEmpty())
        iso += m.captured(1) + QLatin1Char('D');
    if (!m.captured(2).isEmpty() || !m.captured(3).isEmpty())
        iso += QLatin1Char('T');
    if (!m.captured(2).isEmpty())
        iso += m.captured(2) + QLatin1Char('H');
    if (!m.captured(3).isEmpty())
        iso += m.captured(3) + QLatin1Char('M');
    // Only a text that reads back the same is ours.
    return durationText(iso) == text ? iso : QString();
}

// "4.5 Stars", as the rating list writes ratings, when it fits the rating's 10 characters.
QString ratingText(const QJsonValue& aggregate, const Index& index)
{
    const QJsonValue a = deref(aggregate, index);
    const QJsonObject o = a.toObject();
    const QJsonValue raw = a.isObject() ? o.value(QLatin1String("ratingValue")) : a;
    const QString text = cleaned(scalarText(raw), false);
    bool ok = false;
    double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return text;
    const double best = cleaned(scalarText(o.value(QLatin1String("bestRating"))), false).toDouble();
    if (best > 0 && best != 5)
        value = value * 5 / best;
    const QString number = numberText(std::round(value * 10) / 10);
    const QString stars = number + (number == QLatin1String("1") ? QStringLiteral(" Star") : QStringLiteral(" Stars"));
    return stars.size() <= 10 ? stars : number;
}

QString nutritionText(const QJsonValue& value, const Index& index)
{
    const QJsonValue v = deref(value, index);
    if (!v.isObject())
        return QString();
    const QJsonObject o = v.toObject();
    static const QRegularExpression amount(QStringLiteral("^(\\d[\\d.,]*|[.,]\\d+)\\s*([^\\s\\d]*)"));
    QVector<ItemLine> lines;
    for (const Nutrient& n : kNutrients) {
        const QJsonValue entry = o.value(QLatin1String(n.property));
        if (entry.isDouble()) {
            lines.append({ numberText(entry.toDouble()), QString(), str(n.name) });
            continue;
        }
        const QRegularExpressionMatch m = amount.match(cleaned(scalarText(entry), false));
        if (!m.hasMatch())
            continue;
        QString unit = packable(m.captured(2));
        const QString lower = unit.toLower();
        if (lower == QLatin1String("cal") || lower.startsWith(QLatin1String("calorie"))
            || lower == QLatin1String("kcal"))
            unit = QStringLiteral("kcal");
        else if (lower == QLatin1String("gram") || lower == QLatin1String("grams"))
            unit = QStringLiteral("g");
        else if (lower.startsWith(QLatin1String("milligram")))
            unit = QStringLiteral("mg");
        lines.append({ m.captured(1), unit, str(n.name) });
    }
    return joinItemLines(lines);
}

ImportedRecipe toRecipe(const QJsonObject& o, const Index& index)
{
    ImportedRecipe r;
    r.title = lineText(o.value(QLatin1String("name")), index);
    r.servings = servingsText(o.value(QLatin1String("recipeYield")), index);
    if (r.servings.isEmpty())
        r.servings = servingsText(o.value(QLatin1String("yield")), index);

    QStringList categories;
    QSet<QString> seen;
    addCategories(o.value(QLatin1String("recipeCategory")), index, categories, seen);
    addCategories(o.value(QLatin1String("recipeCuisine")), index, categories, seen);
    r.categories = joinCategories(categories);

    QJsonValue ingredients = o.value(QLatin1String("recipeIngredient"));
    if (ingredients.isUndefined() || ingredients.isNull())
        ingredients = o.value(QLatin1String("ingredients"));
    r.ingredients = ingredientsText(ingredients, index);

    Steps steps;
    const QString description = cleaned(scalarText(o.value(QLatin1String("description"))), true);
    if (!description.isEmpty())
        steps.paragraphs << description;
    collectSteps(o.value(QLatin1String("recipeInstructions")), index, steps, 0);
    if (!steps.heading.isEmpty())
        steps.paragraphs << steps.heading;
    QStringList times;
    for (const auto& t : kTimes) {
        const QString text = durationText(lineText(o.value(QLatin1String(t[0])), index));
        if (!text.isEmpty())
            times << str(t[1]) + QStringLiteral(": ") + text;
    }
    if (!times.isEmpty())
        steps.paragraphs << times.join(CrLf);
    const QString url = lineText(o.value(QLatin1String("url")), index);
    if (!url.isEmpty())
        steps.paragraphs << QStringLiteral("From: ") + url;
    r.instructions = steps.paragraphs.join(CrLf + CrLf);

    r.source = packable(lineText(o.value(QLatin1String("author")), index));
    r.rating = packable(ratingText(o.value(QLatin1String("aggregateRating")), index));
    r.nutrition = nutritionText(o.value(QLatin1String("nutrition")), index);
    return r;
}

// ---- finding the data ---------------------------------------------------------------------------------

QString decodeDocument(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    return utf8.hasError() ? Cp1252::decode(bytes) : text;
}

int lineAt(const QByteArray& bytes, int offset)
{
    return 1 + static_cast<int>(bytes.left(qBound(0, offset, static_cast<int>(bytes.size()))).count('\n'));
}

// Parses one block; a trailing ";" (left by templates) is ignored.
QJsonDocument parseBlock(QString json, QString* error, int* errorLine)
{
    while (json.endsWith(QLatin1Char(';')))
        json.chop(1);
    const QByteArray bytes = json.toUtf8();
    QJsonParseError e;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &e);
    if (doc.isNull()) {
        *error = e.errorString();
        *errorLine = lineAt(bytes, e.offset);
    }
    return doc;
}

// Every Recipe object of a parsed block, and every object with an @id for references.
void collect(const QJsonValue& root, QVector<QJsonObject>& recipes, Index& index)
{
    struct Item
    {
        QJsonValue value;
        int depth;
    };
    QVector<Item> stack { { root, 0 } };
    while (!stack.isEmpty()) {
        const Item item = stack.takeLast();
        if (item.depth > kMaxSearchDepth)
            continue;
        if (item.value.isArray()) {
            const QJsonArray a = item.value.toArray();
            for (qsizetype i = a.size() - 1; i >= 0; --i)
                stack.append({ a.at(i), item.depth + 1 });
            continue;
        }
        if (!item.value.isObject())
            continue;
        const QJsonObject o = item.value.toObject();
        const QString id = o.value(QLatin1String("@id")).toString();
        if (!id.isEmpty() && o.size() > 1 && !index.contains(id))
            index.insert(id, o);
        if (hasType(o, QLatin1String("Recipe"))) {
            recipes.append(o);
            continue;
        }
        for (const char* key : { "mainEntity", "@graph" }) {
            const QJsonValue inner = o.value(QLatin1String(key));
            if (inner.isArray() || inner.isObject())
                stack.append({ inner, item.depth + 1 });
        }
    }
}

bool startsWithText(QByteArrayView bytes, qsizetype at, const char* text)
{
    const QByteArrayView wanted(text);
    return bytes.size() - at >= wanted.size()
        && bytes.sliced(at, wanted.size()).compare(wanted, Qt::CaseInsensitive) == 0;
}

} // namespace

SchemaOrgFormat::Kind SchemaOrgFormat::documentKind(QByteArrayView bytes)
{
    qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < bytes.size() && QByteArrayView(" \t\r\n\f").contains(bytes.at(i)))
        ++i;
    if (i >= bytes.size())
        return Kind::None;
    const char first = bytes.at(i);
    if (first == '{' || first == '[')
        return Kind::Json;
    if (first != '<')
        return Kind::None;
    const QByteArray lower = bytes.sliced(i).toByteArray().toLower();
    if (lower.contains("<html") || startsWithText(bytes, i, "<!doctype html") || lower.contains("application/ld+json"))
        return Kind::Page;
    return Kind::None;
}

SchemaOrgFormat::Document SchemaOrgFormat::readDocument(QByteArrayView bytes)
{
    Document doc;
    const Kind kind = documentKind(bytes);
    if (kind == Kind::None)
        return doc;
    const QString text = decodeDocument(bytes);
    QVector<WebPageText::DataBlock> blocks;
    if (kind == Kind::Json)
        blocks.append({ 1, 1, text });
    else
        blocks = WebPageText::ldJsonBlocks(text.toUtf8());

    struct Found
    {
        int line;
        QJsonObject recipe;
    };
    QVector<Found> found;
    Index index;
    QVector<Entry> problems;
    for (const WebPageText::DataBlock& block : blocks) {
        QString error;
        int errorLine = 0;
        const QJsonDocument json = parseBlock(block.json, &error, &errorLine);
        if (json.isNull()) {
            const int line = block.dataLine + errorLine - 1;
            problems.append(
                { block.line,
                  {},
                  kind == Kind::Json
                      ? QStringLiteral("The JSON file could not be read (%1 at line %2).").arg(error).arg(line)
                      : QStringLiteral("A recipe data block could not be read (%1 at line %2); the "
                                       "other blocks were read.")
                            .arg(error)
                            .arg(line),
                  {},
                  block.json });
            continue;
        }
        QVector<QJsonObject> recipes;
        collect(json.isArray() ? QJsonValue(json.array()) : QJsonValue(json.object()), recipes, index);
        for (const QJsonObject& r : recipes)
            found.append({ block.line, r });
    }
    // Text that merely starts like JSON may be one of the text layouts.
    doc.hasData
        = kind == Kind::Page ? !blocks.isEmpty() : problems.isEmpty() || text.contains(QLatin1String("\"@type\""));
    if (!doc.hasData)
        return doc;

    QSet<QString> ids;
    int next = 0; // problems and recipes in line order
    for (const Found& f : found) {
        while (next < problems.size() && problems.at(next).line <= f.line)
            doc.entries.append(problems.at(next++));
        // The same recipe given twice (in @graph and on its own) is read once.
        const QString id = f.recipe.value(QLatin1String("@id")).toString();
        if (!id.isEmpty() && ids.contains(id))
            continue;
        ids.insert(id);
        doc.entries.append({ f.line, toRecipe(f.recipe, index), QString(), f.recipe, {} });
    }
    while (next < problems.size())
        doc.entries.append(problems.at(next++));
    if (found.isEmpty())
        doc.entries.append({ blocks.isEmpty() ? 1 : blocks.first().line, {}, NoRecipeText, {}, {} });
    return doc;
}

QByteArray SchemaOrgFormat::entryText(const Entry& entry)
{
    QByteArray json;
    if (!entry.object.isEmpty()) {
        json = QJsonDocument(entry.object).toJson(QJsonDocument::Indented).trimmed();
        json.replace("\n", "\r\n");
        // A "</script>" inside a string would end the element early; "<\/" is the same JSON text.
        json.replace("</", "<\\/");
    } else if (!entry.brokenBlock.trimmed().isEmpty()) {
        // The page's parser ended the block at its "</script>", so the text holds none.
        json = entry.brokenBlock.toUtf8();
    } else {
        return {};
    }
    return "<script type=\"application/ld+json\">\r\n" + json + "\r\n</script>\r\n";
}

bool SchemaOrgFormat::read(LineSource& source, ImportedRecipe& recipe)
{
    const Document doc = readDocument(source.rest());
    while (source.readLine()) { }
    QString problem = NoRecipeText;
    for (const Entry& e : doc.entries) {
        if (e.problem.isEmpty()) {
            recipe = e.recipe;
            return true;
        }
        if (problem == NoRecipeText)
            problem = e.problem;
    }
    return fail(problem);
}

// ---- writing ------------------------------------------------------------------------------------------

QJsonObject SchemaOrgFormat::toJson(const RecipeRecord& r)
{
    QJsonObject o;
    o.insert(QStringLiteral("@context"), QStringLiteral("https://schema.org"));
    o.insert(QStringLiteral("@type"), QStringLiteral("Recipe"));
    o.insert(QStringLiteral("name"), r.name);
    const QStringList categories = splitCategories(r.category);
    if (!categories.isEmpty())
        o.insert(QStringLiteral("recipeCategory"), QJsonArray::fromStringList(categories));
    if (!r.serves.trimmed().isEmpty())
        o.insert(QStringLiteral("recipeYield"), r.serves.trimmed());

    QJsonArray ingredients;
    for (const ItemLine& line : splitItemLines(r.ingredients)) {
        QStringList parts;
        for (const QString& part : { line.quantity.trimmed(), line.units.trimmed(), line.item.trimmed() }) {
            if (!part.isEmpty())
                parts << part;
        }
        const QString text = parts.join(QLatin1Char(' '));
        if (!text.isEmpty())
            ingredients.append(text);
    }
    if (!ingredients.isEmpty())
        o.insert(QStringLiteral("recipeIngredient"), ingredients);

    // Paragraphs are steps; the time lines and the "From:" line the reader writes go back to their properties.
    QStringList paragraphs;
    for (const QString& p : normalizeLineBreaks(r.instructions).split(CrLf + CrLf)) {
        if (!p.trimmed().isEmpty())
            paragraphs << p.trimmed();
    }
    if (!paragraphs.isEmpty() && paragraphs.last().startsWith(QLatin1String("From: "))
        && !paragraphs.last().contains(QLatin1Char('\n'))) {
        const QString url = paragraphs.last().mid(6);
        if (url.contains(QLatin1String("://")) || url.startsWith(QLatin1String("www."))) {
            o.insert(QStringLiteral("url"), url);
            paragraphs.removeLast();
        }
    }
    if (!paragraphs.isEmpty()) {
        QJsonObject times;
        for (const QString& line : paragraphs.last().split(CrLf)) {
            for (const auto& t : kTimes) {
                const QString label = str(t[1]) + QStringLiteral(": ");
                if (line.startsWith(label) && !times.contains(str(t[0]))
                    && !isoDuration(line.mid(label.size())).isEmpty())
                    times.insert(str(t[0]), isoDuration(line.mid(label.size())));
            }
        }
        if (!times.isEmpty() && times.size() == paragraphs.last().split(CrLf).size()) {
            for (auto it = times.constBegin(); it != times.constEnd(); ++it)
                o.insert(it.key(), it.value());
            paragraphs.removeLast();
        }
    }
    QJsonArray steps;
    for (const QString& p : paragraphs) {
        steps.append(QJsonObject { { QStringLiteral("@type"), QStringLiteral("HowToStep") },
                                   { QStringLiteral("text"), QString(p).replace(CrLf, QStringLiteral("\n")) } });
    }
    if (!steps.isEmpty())
        o.insert(QStringLiteral("recipeInstructions"), steps);

    if (!r.source.isEmpty())
        o.insert(QStringLiteral("author"),
                 QJsonObject { { QStringLiteral("@type"), QStringLiteral("Person") },
                               { QStringLiteral("name"), r.source } });
    const QString rating = r.rating;
    if (!rating.isEmpty()) {
        static const QRegularExpression stars(QStringLiteral("^(\\d+(?:\\.\\d+)?) Stars?$"));
        const QRegularExpressionMatch m = stars.match(rating);
        o.insert(QStringLiteral("aggregateRating"),
                 QJsonObject { { QStringLiteral("@type"), QStringLiteral("AggregateRating") },
                               { QStringLiteral("ratingValue"),
                                 m.hasMatch() ? QJsonValue(m.captured(1).toDouble()) : QJsonValue(rating) } });
    }

    QJsonObject nutrition;
    for (const ItemLine& line : splitItemLines(r.nutrition)) {
        const QString name = line.item.trimmed().toLower();
        for (const Nutrient& n : kNutrients) {
            const bool named = name == str(n.name).toLower() || str(n.aliases).split(QLatin1Char('|')).contains(name);
            if (named && !nutrition.contains(str(n.property)) && !line.quantity.trimmed().isEmpty()) {
                const QString unit = line.units.trimmed();
                nutrition.insert(str(n.property),
                                 line.quantity.trimmed() + (unit.isEmpty() ? QString() : QLatin1Char(' ') + unit));
            }
        }
    }
    if (!nutrition.isEmpty()) {
        nutrition.insert(QStringLiteral("@type"), QStringLiteral("NutritionInformation"));
        o.insert(QStringLiteral("nutrition"), nutrition);
    }
    return o;
}

namespace {

bool writeBytes(QIODevice& device, const QByteArray& bytes, QString* error)
{
    if (device.write(bytes) == bytes.size())
        return true;
    const QString why = device.errorString();
    *error = why.isEmpty() || why == QLatin1String("Unknown error") ? QStringLiteral("The file could not be written.")
                                                                    : why;
    return false;
}

} // namespace

bool SchemaOrgFormat::beginFile(QIODevice& device)
{
    m_written = 0;
    return writeBytes(device, "[", &m_error);
}

bool SchemaOrgFormat::write(QIODevice& device, const RecipeRecord& recipe)
{
    QByteArray bytes = QJsonDocument(toJson(recipe)).toJson(QJsonDocument::Indented);
    bytes.chop(1); // the final line end
    bytes.replace("\n", "\r\n    ");
    bytes.prepend(m_written ? ",\r\n    " : "\r\n    ");
    if (!writeBytes(device, bytes, &m_error))
        return false;
    ++m_written;
    return true;
}

bool SchemaOrgFormat::endFile(QIODevice& device)
{
    return writeBytes(device, "\r\n]\r\n", &m_error);
}
