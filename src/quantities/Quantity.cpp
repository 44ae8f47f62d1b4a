#include "quantities/Quantity.h"

#include "base/AppError.h"

#include <QRegularExpression>

#include <cmath>

QString ScalingComplete = QStringLiteral("yes");

namespace {

const QChar kMark = QLatin1Char('*');

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Removes blanks (only the space character) at both ends.
QString trimSpaces(const QString& text)
{
    int first = 0;
    int last = text.size() - 1;
    while (first <= last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last >= first && text.at(last) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first + 1);
}

// The readable forms after normalisation: N, N/N, and N, blanks, N/N.
bool isReadableForm(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral("^[0-9]+(\\.[0-9]+)?(/[0-9]+(\\.[0-9]+)?| +[0-9]+(\\.[0-9]+)?/[0-9]+(\\.[0-9]+)?)?$"));
    return form.match(text).hasMatch();
}

double divide(double numerator, double denominator)
{
    if (denominator == 0.0)
        throw AppError::of(AppError::DivisionByZero);
    return numerator / denominator;
}

// Rounds away the binary noise of a sum, so that a remainder that is exactly on a threshold in decimal
// (2.438 - 2) compares as that decimal value.
double cleanRemainder(double p)
{
    return std::round(p * 1e9) / 1e9;
}

QString wholeNumberText(double w)
{
    const QString digits = QString::number(std::fabs(w), 'f', 0);
    return (w < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits;
}

} // namespace

bool IsNumericStart(const QString& text)
{
    return !text.isEmpty() && (isAsciiDigit(text.at(0)) || text.at(0) == QLatin1Char('.'));
}

bool IsDigitStart(const QString& text)
{
    return !text.isEmpty() && isAsciiDigit(text.at(0));
}

double QuantityValue(const QString& text)
{
    QString number;
    bool point = false;
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n'))
            continue;
        if (isAsciiDigit(c)) {
            number += c;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    if (number.isEmpty() || number == QLatin1String("."))
        return 0.0;
    if (number.startsWith(QLatin1Char('.')))
        number.prepend(QLatin1Char('0'));
    return number.toDouble();
}

QString FormatFraction(double whole, double fraction)
{
    struct Step
    {
        double threshold;
        const char* text;
    };
    static const Step steps[] = {
        { 0.854, "7/8" }, { 0.792, "5/6" }, { 0.708, "3/4" }, { 0.646, "2/3" }, { 0.563, "5/8" }, { 0.438, "1/2" },
        { 0.354, "3/8" }, { 0.292, "1/3" }, { 0.208, "1/4" }, { 0.146, "1/6" }, { 0.094, "1/8" },
    };

    const double t = whole + fraction;
    if (!std::isfinite(t))
        throw AppError::of(AppError::Overflow);
    double w = std::floor(t);
    const double p = cleanRemainder(t - w);

    QString fractionText;
    if (p >= 0.938) {
        w += 1;
    } else {
        for (const Step& step : steps) {
            if (p >= step.threshold) {
                fractionText = QLatin1String(step.text);
                break;
            }
        }
        if (fractionText.isEmpty() && p >= 0.01)
            fractionText = QString::number(p, 'f', 2);
    }

    if (fractionText.isEmpty())
        return wholeNumberText(w);
    if (w > 0)
        return wholeNumberText(w) + QLatin1Char(' ') + fractionText;
    return fractionText;
}

QString FixedDecimalForm(double value)
{
    if (!std::isfinite(value))
        throw AppError::of(AppError::Overflow);
    QString text = QString::number(std::fabs(value), 'f', 4);
    const int point = text.indexOf(QLatin1Char('.'));
    if (point < 4)
        text.prepend(QString(4 - point, QLatin1Char('0')));
    // A value that rounds to zero is written without a sign.
    if (value < 0 && text != QLatin1String("0000.0000"))
        text.prepend(QLatin1Char('-'));
    return text;
}

QString FactorText(double value)
{
    QString text = QString::number(std::fabs(value), 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    if (value < 0 && text != QLatin1String("."))
        text.prepend(QLatin1Char('-'));
    return text;
}

double ServingsFactor(const QString& wanted, const QString& base)
{
    return divide(QuantityValue(wanted), QuantityValue(base));
}

namespace {

QString scaleQuantity(QString& quantity, double factor, int mode, bool strict)
{
    quantity = trimSpaces(quantity);
    if (quantity.isEmpty())
        return QString();

    quantity.replace(QLatin1Char(','), QLatin1Char('.'));
    if (quantity.startsWith(QLatin1Char('.')))
        quantity.prepend(QLatin1Char('0'));

    if (!isAsciiDigit(quantity.front()) || !isAsciiDigit(quantity.back()))
        quantity.prepend(kMark);

    // S and F as 1-based positions (0 when absent) of the first blank and the first "/".
    const int s = quantity.indexOf(QLatin1Char(' ')) + 1;
    const int f = quantity.indexOf(QLatin1Char('/')) + 1;
    if ((f == 0 && s > 0) || (f > 0 && s > f))
        quantity.prepend(kMark);
    // A mixed number must end with its fraction. (Positions shift by a mark added above; the search from
    // the "/" onward finds the same blanks.)
    if (s >= 1 && f > s && quantity.indexOf(QLatin1Char(' '), quantity.indexOf(QLatin1Char('/'))) >= 0)
        quantity.prepend(kMark);
    // The scale button's reading: whatever is left that is none of the readable forms gets a mark too.
    if (strict && !quantity.startsWith(kMark) && !isReadableForm(quantity))
        quantity.prepend(kMark);

    if (quantity.contains(kMark)) {
        ScalingComplete = QStringLiteral("no");
        return quantity;
    }

    double whole = 0;
    double part = 0;
    const int space = quantity.indexOf(QLatin1Char(' '));
    const int slash = quantity.indexOf(QLatin1Char('/'));
    if (space < 0 && slash >= 0) {
        part = factor * divide(QuantityValue(quantity.left(slash)), QuantityValue(quantity.mid(slash + 1)));
    } else if (space < 0) {
        const double v = QuantityValue(quantity);
        if (v < 0.01) {
            quantity.prepend(kMark);
            return quantity;
        }
        whole = factor * v;
    } else {
        whole = factor * QuantityValue(quantity.left(space));
        part = factor
            * divide(QuantityValue(quantity.mid(space, slash - space)), QuantityValue(quantity.mid(slash + 1)));
    }

    if (mode == ScaleFraction)
        return FormatFraction(whole, part);
    return FixedDecimalForm(whole + part);
}

} // namespace

QString ScaleQuantity(QString& quantity, double factor, int mode)
{
    return scaleQuantity(quantity, factor, mode, false);
}

QString ScaleIngredientQuantity(QString& quantity, double factor, int mode)
{
    return scaleQuantity(quantity, factor, mode, true);
}
