#include "quantities/ui/QuantityCommands.h"

#include "app/Main.h"
#include "app/RecipeWindow.h"
#include "base/Dialogs.h"
#include "base/Platform.h"
#include "base/ShowError.h"
#include "quantities/IngredientScaling.h"
#include "quantities/SmartPaste.h"
#include "quantities/UnitVocabulary.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kIngredients = QStringLiteral("Ingredients");
const QString kBaseServes = QStringLiteral("BaseServes");
} // namespace

void attachQuantities(Main& main)
{
    new QuantityCommands(main);
}

QuantityCommands::QuantityCommands(Main& main)
    : QObject(&main)
    , m_main(main)
{
    setObjectName(QStringLiteral("QuantityCommands"));
    m_serves = main.ui().txtServes;
    connect(main.ui().cmdMultiply, &QAbstractButton::clicked, this, &QuantityCommands::scaleIngredients);
    connect(main.ui().mnuSmartPaste, &QAction::triggered, this, &QuantityCommands::smartPaste);
    connect(main.ui().mnuEquiv, &QAction::triggered, this, &QuantityCommands::showEquivalents);
}

QuantityCommands* QuantityCommands::of(Main& main)
{
    return main.findChild<QuantityCommands*>(QStringLiteral("QuantityCommands"), Qt::FindDirectChildrenOnly);
}

QString QuantityCommands::baseServes() const
{
    const RecipeWindow* window = m_main.recipeWindow();
    return window ? window->fieldText(kBaseServes) : QString();
}

void QuantityCommands::scaleIngredients()
{
    RecipeWindow* window = m_main.recipeWindow();
    if (!window || !m_serves) {
        Platform::beep();
        return;
    }
    QString base = window->fieldText(kBaseServes);
    // The grid shows the new quantities before the outcome is told.
    RunIngredientScaling(m_serves->text(), base, window->fieldText(kIngredients),
                         [window](const QString& scaled) { window->setFieldText(kIngredients, scaled); });
    window->setFieldText(kBaseServes, base);
}

void QuantityCommands::Parse(const QString& text)
{
    RecipeWindow* window = m_main.recipeWindow();
    if (!window) {
        Platform::beep();
        return;
    }
    try {
        QString pasted = text;
        window->setFieldText(kIngredients, ParseIngredientLines(pasted));
        if (!ConvertUnitsOnPaste())
            return;
        window->setFieldText(kIngredients, AbbreviateIngredientUnits(window->fieldText(kIngredients)));
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("smart ingredient paste"), QString(), e);
    }
}

void QuantityCommands::smartPaste()
{
    Parse(Platform::clipboardText());
}

void QuantityCommands::showEquivalents()
{
    Dialogs::message(QStringLiteral("Equivalents"), EquivalentsText());
}
