#include "base/AppError.h"
#include "quantities/Quantity.h"

#include <QTest>

namespace {

const QString kUntouched = QStringLiteral("untouched");

template <typename F> bool throwsDivisionByZero(F&& f)
{
    try {
        f();
    } catch (const AppError& e) {
        return e.number() == int(AppError::DivisionByZero);
    }
    return false;
}

} // namespace

class TestQuantity : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { ScalingComplete = kUntouched; }

    void scaleReadable_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("normalised");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("result");

        QTest::newRow("decimal comma, blanks") << " 1,5 " << 2.0 << "1.5" << ScaleFraction << " 3";
        QTest::newRow("mixed, fixed form") << "1 1/2" << 2.0 << "1 1/2" << ScaleDecimal << "0003.0000";
        QTest::newRow("4 to 6: mixed") << "2 1/3" << 1.5 << "2 1/3" << ScaleFraction << " 3 1/2";
        QTest::newRow("any mode but 1 is decimal") << "2.5" << 1.0 << "2.5" << 7 << "0002.5000";
        QTest::newRow("decimal fractions") << "1.5/2" << 1.0 << "1.5/2" << ScaleFraction << "3/4";
        QTest::newRow("smallest readable") << "0.01" << 1.0 << "0.01" << ScaleFraction << "0.01";
    }

    void scaleReadable()
    {
        QFETCH(QString, quantity);
        QFETCH(double, factor);
        QFETCH(int, mode);
        QFETCH(QString, normalised);
        QFETCH(QString, result);

        QCOMPARE(ScaleQuantity(quantity, factor, mode), result);
        QCOMPARE(quantity, normalised);
        QCOMPARE(ScalingComplete, kUntouched);
    }

    void scaleMarks_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("marked");
        QTest::addColumn<bool>("complete"); // the flag is left alone

        QTest::newRow("words") << "abc" << QStringLiteral("*abc") << false;
        QTest::newRow("trailing unit and blank after fraction")
            << "2 1/2 cups" << QStringLiteral("**2 1/2 cups") << false;
        QTest::newRow("blank without fraction") << "2 3" << QStringLiteral("*2 3") << false;
        QTest::newRow("blank after fraction") << "1/2 3" << QStringLiteral("*1/2 3") << false;
        QTest::newRow("blanks only") << "   " << QString() << true;
        QTest::newRow("tiny value, comma") << "0,001" << QStringLiteral("*0.001") << true;
    }

    void scaleMarks()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, marked);
        QFETCH(bool, complete);
        const QString flag = complete ? kUntouched : QStringLiteral("no");

        for (int mode : { ScaleFraction, ScaleDecimal }) {
            ScalingComplete = kUntouched;
            QString q = quantity;
            QCOMPARE(ScaleQuantity(q, 2.0, mode), marked);
            QCOMPARE(q, marked);
            QCOMPARE(ScalingComplete, flag);
            ScalingComplete = kUntouched;
            q = quantity;
            QCOMPARE(ScaleIngredientQuantity(q, 2.0, mode), marked);
            QCOMPARE(ScalingComplete, flag);
        }
    }

    void scaleIngredientMarksOddForms_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("read"); // ScaleQuantity, factor 2, kitchen form

        // They start and end with a digit, so the plain rules read them up to the first odd character.
        QTest::newRow("range") << "3-4" << QStringLiteral(" 6");
        QTest::newRow("tab inside") << "1\t1/2" << QStringLiteral(" 11");
        // A star inside stops the plain rules without a mark in front.
        QTest::newRow("star inside") << "3*4" << QStringLiteral("3*4");
    }

    void scaleIngredientMarksOddForms()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, read);

        QString q = quantity;
        QCOMPARE(ScaleQuantity(q, 2.0, ScaleFraction), read);
        q = quantity;
        QCOMPARE(ScaleIngredientQuantity(q, 2.0, ScaleFraction), QLatin1Char('*') + quantity);
        QCOMPARE(q, QLatin1Char('*') + quantity);
        QCOMPARE(ScalingComplete, QStringLiteral("no"));
    }

    void zeroDivisorsAreErrors()
    {
        for (const char* quantity : { "1/0", "2 1/0" }) {
            QString q = QLatin1String(quantity);
            QVERIFY2(throwsDivisionByZero([&] { ScaleQuantity(q, 1.0, ScaleFraction); }), quantity);
        }
        QCOMPARE(ServingsFactor(QStringLiteral("6"), QStringLiteral("4")), 1.5);
        QCOMPARE(ServingsFactor(QStringLiteral("8"), QStringLiteral("4-6")), 2.0);
        for (const char* base : { "0", "abc", "" })
            QVERIFY2(throwsDivisionByZero([&] { ServingsFactor(QStringLiteral("4"), QLatin1String(base)); }), base);
    }

    void formatFraction_data()
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
        }
        QTest::newRow("at 0.938 rounds up") << 0.0 << 0.938 << " 1";
        QTest::newRow("at 0.01") << 0.0 << 0.01 << "0.01";
        QTest::newRow("below 0.01") << 0.004 << 0.0 << " 0";
        QTest::newRow("parts add up") << 1.25 << 1.25 << " 2 1/2";
    }

    void formatFraction()
    {
        QFETCH(double, whole);
        QFETCH(double, fraction);
        QFETCH(QString, text);
        QCOMPARE(FormatFraction(whole, fraction), text);
    }

    void numberTexts()
    {
        QCOMPARE(FixedDecimalForm(1.0 / 3) + FixedDecimalForm(9999.99999) + FixedDecimalForm(-2.5)
                     + FixedDecimalForm(-0.00001),
                 QStringLiteral("0000.333310000.0000-0002.50000000.0000"));

        QCOMPARE(FactorText(2.0) + FactorText(2.0 / 3) + FactorText(-1.5) + FactorText(-0.001),
                 QStringLiteral("2..67-1.5."));

        QCOMPARE(QVector<double>({ QuantityValue(QStringLiteral(" 1\t2\n3")), QuantityValue(QStringLiteral("2/3")),
                                   QuantityValue(QStringLiteral("1.2.3")), QuantityValue(QStringLiteral("1,5")) }),
                 QVector<double>({ 123.0, 2.0, 1.2, 1.0 }));

        QVERIFY(IsNumericStart(QStringLiteral(".5")) && !IsDigitStart(QStringLiteral(".5")));
        QVERIFY(IsNumericStart(QStringLiteral("2")) && IsDigitStart(QStringLiteral("2")));
        for (const QString& text : { QString(), QString(QChar(0x0663)) })
            QVERIFY(!IsNumericStart(text) && !IsDigitStart(text));
    }
};

QTEST_GUILESS_MAIN(TestQuantity)
#include "test_quantity.moc"
