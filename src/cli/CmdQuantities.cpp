#include "cli/CliCommands.h"

#include "base/AppError.h"
#include "quantities/Quantity.h"
#include "quantities/UnitVocabulary.h"

#include <QFile>

#include <cmath>

int cmdScale(const CommandLine& cl, QTextStream& out, QTextStream&)
{
    bool ok = false;
    const double factor = cl.arg(1).toDouble(&ok);
    if (!ok)
        return cl.usageError(QStringLiteral("the factor is not a number: ") + cl.arg(1));
    // Servings only grow or shrink: a negative or endless factor has no kitchen meaning.
    if (!std::isfinite(factor) || factor < 0)
        return cl.usageError(QStringLiteral("the factor must be a number of 0 or more, not ") + cl.arg(1));
    QString quantity = cl.arg(0);
    try {
        const QString result = ScaleIngredientQuantity(
            quantity, factor, cl.isSet(QStringLiteral("decimal")) ? ScaleDecimal : ScaleFraction);
        out << result << "\n";
        return result.startsWith(QLatin1Char('*')) ? CliStatus::Refused : CliStatus::Done;
    } catch (const AppError& e) {
        return cl.fail(CliStatus::Failed, e.description());
    }
}

int cmdParse(const CommandLine& cl, QTextStream& out, QTextStream&)
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return cl.fail(CliStatus::Failed, QStringLiteral("cannot read standard input"));
    QString text = QString::fromUtf8(in.readAll());
    QString lines = ParseIngredientLines(text);
    if (cl.isSet(QStringLiteral("abbreviate")))
        lines = AbbreviateIngredientUnits(lines);
    out << lines << "\n";
    return CliStatus::Done;
}
