#include "cli/CliCommands.h"

#include "base/AppError.h"
#include "quantities/Quantity.h"
#include "quantities/UnitVocabulary.h"

#include <QFile>

#include <cmath>

int cmdScale(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QStringList positional;
    bool decimal = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--decimal"))
            decimal = true;
        else if (arg.startsWith(QLatin1String("--"))) {
            err << "zestora scale: unknown option " << arg << "\n";
            return 2;
        } else
            positional << arg;
    }
    bool ok = false;
    const double factor = positional.size() == 2 ? positional.at(1).toDouble(&ok) : 0.0;
    if (!ok) {
        err << "usage: zestora scale QUANTITY FACTOR [--decimal]\n";
        return 2;
    }
    // Servings only grow or shrink: a negative or endless factor has no kitchen meaning.
    if (!std::isfinite(factor) || factor < 0) {
        err << "zestora scale: the factor must be a number of 0 or more, not " << positional.at(1) << "\n";
        return 2;
    }
    QString quantity = positional.at(0);
    try {
        const QString result = ScaleIngredientQuantity(quantity, factor, decimal ? ScaleDecimal : ScaleFraction);
        out << result << "\n";
        return result.startsWith(QLatin1Char('*')) ? 1 : 0;
    } catch (const AppError& e) {
        err << "zestora scale: " << e.description() << "\n";
        return 3;
    }
}

int cmdParse(const QStringList& args, QTextStream& out, QTextStream& err)
{
    bool abbreviate = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--abbreviate")) {
            abbreviate = true;
        } else {
            err << "usage: zestora parse [--abbreviate] < TEXT\n";
            return 2;
        }
    }
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) {
        err << "zestora parse: cannot read standard input\n";
        return 3;
    }
    QString text = QString::fromUtf8(in.readAll());
    QString lines = ParseIngredientLines(text);
    if (abbreviate)
        lines = AbbreviateIngredientUnits(lines);
    out << lines << "\n";
    return 0;
}
