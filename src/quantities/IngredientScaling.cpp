#include "quantities/IngredientScaling.h"

#include "base/Dialogs.h"
#include "base/ShowError.h"
#include "quantities/Quantity.h"
#include "recipes/RecipeEncodings.h"
#include "shell/AppState.h"

#include <QStringList>

QString ScaleIngredientText(const QString& ingredients, double factor, int mode)
{
    QVector<ItemLine> lines = splitItemLines(ingredients);
    for (ItemLine& line : lines) {
        QString quantity = line.quantity;
        line.quantity = ScaleIngredientQuantity(quantity, factor, mode);
    }
    return joinItemLines(lines);
}

int ScaleModeFromPreferences()
{
    return AppState::instance().preference(QStringLiteral("scaling")) == QLatin1String("decimal") ? ScaleDecimal
                                                                                                  : ScaleFraction;
}

std::optional<QString> RunIngredientScaling(const QString& serves, QString& baseServes, const QString& ingredients,
                                            const std::function<void(const QString&)>& show)
{
    if (baseServes.isEmpty())
        baseServes = serves;

    if (serves == baseServes) {
        Dialogs::message(QStringLiteral("Scale Ingredients"),
                         QStringLiteral("To scale the ingredients, change the number of servings to what you want, "
                                        "and click again.")
                             + CRLF + CRLF
                             + QStringLiteral("In order for ingredients to scale correctly, they need to be in one "
                                              "of these forms: N or N/N or N N/N (for example: 4 or 3/4 or 2 1/2 "
                                              "etc.)"));
        return std::nullopt;
    }
    if (serves.isEmpty()) {
        Dialogs::message(QString(), QStringLiteral("The number of servings cannot be blank."));
        return std::nullopt;
    }
    if (Dialogs::message(QStringLiteral("Scale Ingredients?"),
                         QStringLiteral("Do you want to scale the ingredients from ") + baseServes
                             + QStringLiteral(" servings to ") + serves + QStringLiteral(" servings?"),
                         MsgButtons::YesNo)
        != MsgAnswer::Yes)
        return std::nullopt;

    ScalingComplete = QStringLiteral("yes");
    double factor = 0;
    QString scaled;
    try {
        factor = ServingsFactor(serves, baseServes);
        scaled = ScaleIngredientText(ingredients, factor, ScaleModeFromPreferences());
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("scaling the serving size"), QString(), e);
        return std::nullopt;
    }

    if (show)
        show(scaled);
    if (ScalingComplete != QLatin1String("no")) {
        Dialogs::message(QString(), QStringLiteral("Ingredient scaling complete."));
    } else {
        Dialogs::message(QString(),
                         QStringLiteral("Scaling INCOMPLETE.") + CRLF + CRLF
                             + QStringLiteral("Quantities starting with * need to be manually "
                                              "multiplied by ")
                             + FactorText(factor));
    }
    baseServes = serves;
    return scaled;
}
