#include "interchange/FreeTextIngredients.h"

#include "quantities/UnitVocabulary.h"

QString convertFreeTextIngredients(const QString& text)
{
    QString lines = text;
    return ParseIngredientLines(lines);
}
