#include "interchange/RecipeFormat.h"

#include "interchange/InterchangeText.h"
#include "storage/Cp1252.h"

#include <QIODevice>

bool RecipeFormat::write(QIODevice&, const RecipeRecord&)
{
    return fail(QStringLiteral("%1 files cannot be written").arg(formatName()));
}

bool RecipeFormat::writeText(QIODevice& device, const QString& text)
{
    const QByteArray bytes = Cp1252::encode(InterchangeText::toCp1252Repertoire(text));
    if (device.write(bytes) != bytes.size()) {
        const QString why = device.errorString();
        return fail(why.isEmpty() || why == QLatin1String("Unknown error")
                        ? QStringLiteral("The file could not be written.")
                        : why);
    }
    return true;
}
