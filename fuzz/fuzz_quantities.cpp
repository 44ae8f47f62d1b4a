// Quantity texts and free ingredient text: scaling an ingredient quantity gives an empty text, a marked text, a kitchen
// fraction or the fixed decimal form, or raises AppError; the line parser and the unit abbreviation take any text.
#include "FuzzInput.h"

#include "base/AppError.h"
#include "quantities/Quantity.h"
#include "quantities/UnitVocabulary.h"

#include <QRegularExpression>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const double factors[] = { 1.0, 1.5, 0.25, 3.0, 0.001, 1e6, 2.0 / 3.0, 0.96 };
    static const QRegularExpression kitchen(
        QStringLiteral("^( [0-9]+( ([1-7]/[2-8]|0\\.0[1-9]))?|[1-7]/[2-8]|0\\.0[1-9])$"));
    static const QRegularExpression fixed(QStringLiteral("^[0-9]{4,}\\.[0-9]{4}$"));
    if (size == 0)
        return 0;

    const double factor = factors[data[0] % 8];
    const int mode = (data[0] & 8) ? ScaleDecimal : ScaleFraction;
    const QString text = fuzzText(data + 1, size - 1);

    QString quantity = text;
    try {
        const QString result = ScaleQuantity(quantity, factor, mode);
        check(!result.contains(QLatin1Char('*')) || result == quantity);
    } catch (const AppError&) {
    }
    quantity = text;
    try {
        const QString result = ScaleIngredientQuantity(quantity, factor, mode);
        if (quantity.isEmpty())
            check(result.isEmpty());
        else if (result.startsWith(QLatin1Char('*')))
            check(result == quantity);
        else
            check((mode == ScaleFraction ? kitchen : fixed).match(result).hasMatch());
    } catch (const AppError&) {
    }

    QString free = text;
    const QString lines = ParseIngredientLines(free);
    check(lines.isEmpty() || lines.endsWith(QLatin1Char('~')));
    const QString abbreviated = AbbreviateIngredientUnits(lines);
    check(abbreviated.isEmpty() == lines.isEmpty());
    return 0;
}
