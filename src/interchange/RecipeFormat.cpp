#include "interchange/RecipeFormat.h"

#include "interchange/InterchangeText.h"

#include <QIODevice>

bool RecipeFormat::write(QIODevice&, const RecipeRecord&)
{
    return fail(QStringLiteral("%1 files cannot be written").arg(formatName()));
}

bool RecipeFormat::writeText(QIODevice& device, const QString& text)
{
    const QByteArray bytes = InterchangeText::encodeCp1252(text);
    if (device.write(bytes) != bytes.size()) {
        const QString why = device.errorString();
        return fail(why.isEmpty() || why == QLatin1String("Unknown error")
                        ? QStringLiteral("The file could not be written.")
                        : why);
    }
    return true;
}
