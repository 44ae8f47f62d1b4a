#pragma once

#include <QString>

// Kitchen quantities: reading a quantity text as a number, multiplying it and writing the product back
// either as a kitchen fraction (" 2 1/2", "1/3") or in the fixed decimal form ("0002.5000").

// Scale modes of ScaleQuantity: ScaleFraction writes kitchen fractions; every other value writes the fixed
// decimal form.
constexpr int ScaleDecimal = 0;
constexpr int ScaleFraction = 1;

// Set to "no" by ScaleQuantity whenever it returns a marked (unreadable) text. It is never set to "yes"
// here: a caller scaling several quantities sets "yes" before the run and reads the flag after it.
extern QString ScalingComplete;

// Scales one quantity text by factor. The argument is normalised in place: spaces trimmed, "," turned
// into ".", a "0" put before a leading "." and a "*" mark put in front for each of these faults: first or
// last character not a digit; a blank without a "/" or after the first "/"; a blank after the fraction of
// a mixed number. Returns:
// - an empty text for an empty (or all-blank) quantity, leaving ScalingComplete alone;
// - the text as it stands, after setting ScalingComplete to "no", when it holds a "*" anywhere;
// - the marked text, leaving ScalingComplete alone, for a plain number below 0.01 ("0" gives "*0");
// - otherwise the product in the kitchen form (mode ScaleFraction) or the fixed decimal form. Numbers are
//   read by QuantityValue, so a text that passes the tests above is read up to its first odd character
//   ("3-4" reads as 3); the master lists and exports rely on that.
// Throws AppError DivisionByZero for a zero denominator ("1/0") and AppError Overflow when the product is
// not a finite number; the argument then keeps its normalised form.
QString ScaleQuantity(QString& quantity, double factor, int mode);

// ScaleQuantity for the quantities a cook scales: in addition, a text that is none of the readable forms
// N, N/N and N N/N (N: digits with at most one inner point), such as "3-4", "1x2", "2 1 1/2" or "3*4",
// gets one more "*" in front and sets ScalingComplete to "no" instead of giving a wrong amount. So every
// text that is not scaled starts with "*".
QString ScaleIngredientQuantity(QString& quantity, double factor, int mode);

// Writes whole + fraction in the kitchen form: the whole number with a leading blank (its sign's place)
// and the nearest common fraction ("7/8" ... "1/8"), or the remainder as "0.00" when it is below 1/8 but at
// least 0.01. Examples: (2, 0.5) " 2 1/2"; (0, 0.5) "1/2"; (3, 0) " 3"; (0.95, 0) " 1"; (1, 0.05) " 1 0.05".
QString FormatFraction(double whole, double fraction);

// True when the text is not empty and begins with a digit or a point.
bool IsNumericStart(const QString& text);
// True when the text is not empty and begins with a digit.
bool IsDigitStart(const QString& text);

// The number reading rule: digits with at most one decimal point from the start of the text, skipping
// spaces, tabs and line feeds wherever they stand, up to the first other character. No leading digits
// give 0. " 1" is 1, "1 2" is 12, "2/3" is 2, "4-6" is 4, "abc" is 0.
double QuantityValue(const QString& text);

// The fixed decimal form: rounded to four decimals, at least four digits before the point, exactly four
// after it ("0002.5000", "0000.3333", "12345.6000"). Below 10000 these texts sort as text in number order.
QString FixedDecimalForm(double value);

// A factor as the "#.##" format writes it: no leading zero, at most two decimals, no trailing zeros and
// always the point ("2.", ".5", "1.5", "1.33").
QString FactorText(double value);

// The scaling factor from the servings that the ingredients are for (base) to the wanted servings, both
// read by the number reading rule. Throws AppError DivisionByZero when base reads as 0.
double ServingsFactor(const QString& wanted, const QString& base);
