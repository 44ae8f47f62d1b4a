#include "quantities/Quantity.h"
#include "shell/AppError.h"

#include <QTest>

class TestQuantity : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { ScalingComplete = QStringLiteral("yes"); }

    void scaleReadable_data();
    void scaleReadable();
    void scaleMarks_data();
    void scaleMarks();
    void scaleIngredientMarksOddForms_data();
    void scaleIngredientMarksOddForms();
    void scaleEmptyLeavesFlag_data();
    void scaleEmptyLeavesFlag();
    void tinyValuesAreMarkedWithoutFlag_data();
    void tinyValuesAreMarkedWithoutFlag();
    void zeroDenominatorIsAnError_data();
    void zeroDenominatorIsAnError();
    void formatFraction_data();
    void formatFraction();
    void fixedDecimalForm_data();
    void fixedDecimalForm();
    void numberReading_data();
    void numberReading();
    void firstCharacterTests_data();
    void firstCharacterTests();
    void factorText_data();
    void factorText();
    void servingsFactor();
};

void TestQuantity::scaleReadable_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<double>("factor");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("normalised");
    QTest::addColumn<QString>("result");

    QTest::newRow("decimal comma, blanks") << " 1,5 " << 2.0 << ScaleFraction << "1.5"
                                           << " 3";
    QTest::newRow("leading point") << ".5" << 1.0 << ScaleFraction << "0.5"
                                   << "1/2";
    QTest::newRow("mixed to whole") << "1 1/2" << 2.0 << ScaleFraction << "1 1/2"
                                    << " 3";
    QTest::newRow("mixed, fixed form") << "1 1/2" << 2.0 << ScaleDecimal << "1 1/2"
                                       << "0003.0000";
    QTest::newRow("mixed, several blanks") << "2  1/2" << 1.0 << ScaleFraction << "2  1/2"
                                           << " 2 1/2";
    QTest::newRow("fraction halved") << "3/4" << 0.5 << ScaleFraction << "3/4"
                                     << "3/8";
    QTest::newRow("thirds to whole") << "1/3" << 3.0 << ScaleFraction << "1/3"
                                     << " 1";
    QTest::newRow("0.3 reaches 1/3") << "1" << 0.3 << ScaleFraction << "1"
                                     << "1/3";
    QTest::newRow("small remainder as decimals") << "1.05" << 1.0 << ScaleFraction << "1.05"
                                                 << " 1 0.05";
    QTest::newRow("rounded up to next whole") << "1" << 0.96 << ScaleFraction << "1"
                                              << " 1";
    QTest::newRow("4 to 6: one") << "1" << 1.5 << ScaleFraction << "1"
                                 << " 1 1/2";
    QTest::newRow("4 to 6: half") << "1/2" << 1.5 << ScaleFraction << "1/2"
                                  << "3/4";
    QTest::newRow("4 to 6: mixed") << "2 1/3" << 1.5 << ScaleFraction << "2 1/3"
                                   << " 3 1/2";
    QTest::newRow("2 to 3 decimal") << "1/2" << 1.5 << ScaleDecimal << "1/2"
                                    << "0000.7500";
    QTest::newRow("any mode but 1 is decimal") << "2.5" << 1.0 << 7 << "2.5"
                                               << "0002.5000";
    QTest::newRow("decimal fractions") << "1.5/2" << 1.0 << ScaleFraction << "1.5/2"
                                       << "3/4";
    QTest::newRow("zero numerator") << "0/4" << 2.0 << ScaleFraction << "0/4"
                                    << " 0";
    QTest::newRow("large whole") << "12345.6" << 1.0 << ScaleDecimal << "12345.6"
                                 << "12345.6000";
}

void TestQuantity::scaleReadable()
{
    QFETCH(QString, quantity);
    QFETCH(double, factor);
    QFETCH(int, mode);
    QFETCH(QString, normalised);
    QFETCH(QString, result);

    QCOMPARE(ScaleQuantity(quantity, factor, mode), result);
    QCOMPARE(quantity, normalised);
    QCOMPARE(ScalingComplete, QStringLiteral("yes"));
}

void TestQuantity::scaleMarks_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("marked");

    QTest::newRow("words") << "abc"
                           << "*abc";
    QTest::newRow("trailing unit and blank after fraction") << "2 1/2 cups"
                                                            << "**2 1/2 cups";
    QTest::newRow("already marked") << "*2"
                                    << "**2";
    QTest::newRow("blank without fraction") << "2 3"
                                            << "*2 3";
    QTest::newRow("blank after fraction") << "1/2 3"
                                          << "*1/2 3";
    QTest::newRow("phrase") << "a pinch"
                            << "**a pinch";
    QTest::newRow("few") << "a few"
                         << "**a few";
    QTest::newRow("ends with slash") << "1/"
                                     << "*1/";
    QTest::newRow("begins with slash") << "/2"
                                       << "*/2";
    QTest::newRow("trailing point") << "2."
                                    << "*2.";
}

void TestQuantity::scaleMarks()
{
    QFETCH(QString, quantity);
    QFETCH(QString, marked);

    for (int mode : { ScaleFraction, ScaleDecimal }) {
        ScalingComplete = QStringLiteral("yes");
        QString q = quantity;
        QCOMPARE(ScaleQuantity(q, 2.0, mode), marked);
        QCOMPARE(q, marked);
        QCOMPARE(ScalingComplete, QStringLiteral("no"));
        ScalingComplete = QStringLiteral("yes");
        q = quantity;
        QCOMPARE(ScaleIngredientQuantity(q, 2.0, mode), marked);
        QCOMPARE(ScalingComplete, QStringLiteral("no"));
    }
}

void TestQuantity::scaleIngredientMarksOddForms_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("read"); // ScaleQuantity, factor 2, kitchen form
    QTest::addColumn<QString>("marked"); // ScaleIngredientQuantity

    // They start and end with a digit, so the plain rules read them up to the first odd character.
    QTest::newRow("range") << "3-4"
                           << " 6"
                           << "*3-4";
    QTest::newRow("letter inside") << "1x2"
                                   << " 2"
                                   << "*1x2";
    QTest::newRow("two slashes") << "1/2/3"
                                 << " 1"
                                 << "*1/2/3";
    QTest::newRow("two points") << "1.2.3"
                                << " 2 3/8"
                                << "*1.2.3";
    QTest::newRow("three numbers") << "2 1 1/2"
                                   << " 15"
                                   << "*2 1 1/2";
    QTest::newRow("blank before slash") << "1 /2"
                                        << " 2"
                                        << "*1 /2";
    QTest::newRow("tab inside") << "1\t1/2"
                                << " 11"
                                << "*1\t1/2";
    // A star inside stops the plain rules without a mark in front.
    QTest::newRow("star inside") << "3*4"
                                 << "3*4"
                                 << "*3*4";
}

void TestQuantity::scaleIngredientMarksOddForms()
{
    QFETCH(QString, quantity);
    QFETCH(QString, read);
    QFETCH(QString, marked);

    QString q = quantity;
    QCOMPARE(ScaleQuantity(q, 2.0, ScaleFraction), read);
    q = quantity;
    QCOMPARE(ScaleIngredientQuantity(q, 2.0, ScaleFraction), marked);
    QCOMPARE(q, marked);
    QCOMPARE(ScalingComplete, QStringLiteral("no"));
}

void TestQuantity::scaleEmptyLeavesFlag_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("flag");
    QTest::newRow("empty, flag yes") << ""
                                     << "yes";
    QTest::newRow("blanks, flag no") << "   "
                                     << "no";
}

void TestQuantity::scaleEmptyLeavesFlag()
{
    QFETCH(QString, quantity);
    QFETCH(QString, flag);
    ScalingComplete = flag;
    QCOMPARE(ScaleQuantity(quantity, 2.0, ScaleFraction), QString());
    QCOMPARE(quantity, QString());
    QCOMPARE(ScalingComplete, flag);
}

void TestQuantity::tinyValuesAreMarkedWithoutFlag_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("marked");
    QTest::newRow("zero") << "0"
                          << "*0";
    QTest::newRow("below 0.01") << "0.004"
                                << "*0.004";
    QTest::newRow("comma") << "0,001"
                           << "*0.001";
}

void TestQuantity::tinyValuesAreMarkedWithoutFlag()
{
    QFETCH(QString, quantity);
    QFETCH(QString, marked);
    QCOMPARE(ScaleQuantity(quantity, 100.0, ScaleFraction), marked);
    QCOMPARE(quantity, marked);
    QCOMPARE(ScalingComplete, QStringLiteral("yes"));
}

void TestQuantity::zeroDenominatorIsAnError_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::newRow("fraction") << "1/0";
    QTest::newRow("mixed") << "2 1/0";
    QTest::newRow("zero point zero") << "1/0.0";
}

void TestQuantity::zeroDenominatorIsAnError()
{
    QFETCH(QString, quantity);
    try {
        ScaleQuantity(quantity, 1.0, ScaleFraction);
        QFAIL("no error for a zero denominator");
    } catch (const AppError& e) {
        QCOMPARE(e.number(), int(AppError::DivisionByZero));
    }
}

void TestQuantity::formatFraction_data()
{
    QTest::addColumn<double>("whole");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<QString>("text");

    // Each threshold takes the larger fraction; just below it, the smaller one.
    const struct
    {
        double threshold;
        const char* at;
        const char* below;
    } steps[] = {
        { 0.854, "7/8", "5/6" }, { 0.792, "5/6", "3/4" }, { 0.708, "3/4", "2/3" },  { 0.646, "2/3", "5/8" },
        { 0.563, "5/8", "1/2" }, { 0.438, "1/2", "3/8" }, { 0.354, "3/8", "1/3" },  { 0.292, "1/3", "1/4" },
        { 0.208, "1/4", "1/6" }, { 0.146, "1/6", "1/8" }, { 0.094, "1/8", "0.09" },
    };
    for (const auto& s : steps) {
        QTest::addRow("at %.3f", s.threshold) << 0.0 << s.threshold << QString::fromLatin1(s.at);
        QTest::addRow("below %.3f", s.threshold) << 0.0 << s.threshold - 0.0005 << QString::fromLatin1(s.below);
        // With a whole part the remainder comes from a sum; it must still land on the threshold.
        QTest::addRow("2 + %.3f", s.threshold) << 2.0 << s.threshold << QStringLiteral(" 2 ") + QLatin1String(s.at);
        QTest::addRow("sum 2%.3f", s.threshold)
            << 2.0 + s.threshold << 0.0 << QStringLiteral(" 2 ") + QLatin1String(s.at);
    }
    QTest::newRow("at 0.938 rounds up") << 0.0 << 0.938 << " 1";
    QTest::newRow("below 0.938") << 0.0 << 0.9375 << "7/8";
    QTest::newRow("2.95 rounds up") << 2.95 << 0.0 << " 3";
    QTest::newRow("at 0.01") << 0.0 << 0.01 << "0.01";
    QTest::newRow("below 0.01") << 0.004 << 0.0 << " 0";
    QTest::newRow("0.05 with whole") << 1.0 << 0.05 << " 1 0.05";
    QTest::newRow("whole only") << 3.0 << 0.0 << " 3";
    QTest::newRow("half") << 2.0 << 0.5 << " 2 1/2";
    QTest::newRow("parts add up") << 1.25 << 1.25 << " 2 1/2";
    QTest::newRow("large whole") << 1234567.0 << 0.5 << " 1234567 1/2";
}

void TestQuantity::formatFraction()
{
    QFETCH(double, whole);
    QFETCH(double, fraction);
    QFETCH(QString, text);
    QCOMPARE(FormatFraction(whole, fraction), text);
}

void TestQuantity::fixedDecimalForm_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("2.5") << 2.5 << "0002.5000";
    QTest::newRow("third") << 1.0 / 3 << "0000.3333";
    QTest::newRow("five digits") << 12345.6 << "12345.6000";
    QTest::newRow("zero") << 0.0 << "0000.0000";
    QTest::newRow("rounds half up") << 0.66666 << "0000.6667";
    QTest::newRow("four digits") << 9999.99999 << "10000.0000";
}

void TestQuantity::fixedDecimalForm()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FixedDecimalForm(value), text);
}

void TestQuantity::numberReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("leading blank") << " 1" << 1.0;
    QTest::newRow("blanks inside are skipped") << "1 2" << 12.0;
    QTest::newRow("tab and line feed skipped") << "1\t2\n3" << 123.0;
    QTest::newRow("stops at slash") << "2/3" << 2.0;
    QTest::newRow("stops at dash") << "4-6" << 4.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("leading point") << ".25" << 0.25;
    QTest::newRow("comma stops") << "1,5" << 1.0;
}

void TestQuantity::numberReading()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(QuantityValue(text), value);
}

void TestQuantity::firstCharacterTests_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<bool>("digit");
    QTest::newRow("point") << ".5" << true << false;
    QTest::newRow("digit") << "2" << true << true;
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("letter") << "a" << false << false;
    QTest::newRow("half sign") << QString(QChar(0x00BD)) << false << false;
    QTest::newRow("other script digit") << QString(QChar(0x0663)) << false << false;
}

void TestQuantity::firstCharacterTests()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(bool, digit);
    QCOMPARE(IsNumericStart(text), numeric);
    QCOMPARE(IsDigitStart(text), digit);
}

void TestQuantity::factorText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole keeps point") << 2.0 << "2.";
    QTest::newRow("no leading zero") << 0.5 << ".5";
    QTest::newRow("one decimal") << 1.5 << "1.5";
    QTest::newRow("two decimals") << 4.0 / 3 << "1.33";
    QTest::newRow("quarter") << 0.25 << ".25";
    QTest::newRow("ten") << 10.0 << "10.";
    QTest::newRow("rounds") << 2.0 / 3 << ".67";
}

void TestQuantity::factorText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FactorText(value), text);
}

void TestQuantity::servingsFactor()
{
    QCOMPARE(ServingsFactor(QStringLiteral("6"), QStringLiteral("4")), 1.5);
    QCOMPARE(ServingsFactor(QStringLiteral("8"), QStringLiteral("4-6")), 2.0);
    for (const char* base : { "0", "abc", "" }) {
        try {
            ServingsFactor(QStringLiteral("4"), QLatin1String(base));
            QFAIL("no error for servings that read as 0");
        } catch (const AppError& e) {
            QCOMPARE(e.number(), int(AppError::DivisionByZero));
        }
    }
}

QTEST_GUILESS_MAIN(TestQuantity)
#include "test_quantity.moc"
