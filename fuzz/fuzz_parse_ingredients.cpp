// The free-text ingredient parser: any text gives well-formed item-line text.
#include "FuzzInput.h"

#include "quantities/UnitVocabulary.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString lines = ParseIngredientLines(text);
    // Every line of the result is «quantity|units|item~».
    if (!lines.isEmpty() && !lines.endsWith(QLatin1Char('~')))
        std::abort();
    return 0;
}
