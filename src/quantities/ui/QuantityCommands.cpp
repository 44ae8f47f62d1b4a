#include "quantities/ui/QuantityCommands.h"

#include "app/Main.h"
#include "app/RecipeWindow.h"
#include "quantities/IngredientScaling.h"
#include "quantities/SmartPaste.h"
#include "quantities/UnitVocabulary.h"
#include "shell/Dialogs.h"
#include "shell/Platform.h"
#include "shell/ShowError.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>
#include <QLineEdit>

namespace {
const QString kIngredients = QStringLiteral("Ingredients");
}

void attachQuantities(Main& main)
{
    new QuantityCommands(main);
}

QuantityCommands::QuantityCommands(Main& main)
    : QObject(&main)
    , m_main(main)
{
    setObjectName(QStringLiteral("QuantityCommands"));
    m_serves = main.findChild<QLineEdit*>(QStringLiteral("txtServes"));
    m_save = main.findChild<QAbstractButton*>(QStringLiteral("cmdNewSave"));
    m_servesId = m_serves.data();
    m_saveId = m_save.data();

    if (m_serves) {
        m_baseServes = m_serves->text();
        // The window filling the box (not the user typing) shows the servings of the ingredients shown.
        connect(m_serves, &QLineEdit::textChanged, this, [this] {
            if (!m_serves->isModified())
                followServes();
        });
        m_serves->installEventFilter(this);
    }
    if (m_save)
        m_save->installEventFilter(this);

    if (auto* button = main.findChild<QAbstractButton*>(QStringLiteral("cmdMultiply")))
        connect(button, &QAbstractButton::clicked, this, &QuantityCommands::scaleIngredients);
    if (auto* action = main.findChild<QAction*>(QStringLiteral("mnuSmartPaste")))
        connect(action, &QAction::triggered, this, &QuantityCommands::smartPaste);
    if (auto* action = main.findChild<QAction*>(QStringLiteral("mnuEquiv")))
        connect(action, &QAction::triggered, this, &QuantityCommands::showEquivalents);
}

QuantityCommands* QuantityCommands::of(Main& main)
{
    return main.findChild<QuantityCommands*>(QStringLiteral("QuantityCommands"), Qt::FindDirectChildrenOnly);
}

bool QuantityCommands::editing() const
{
    if (const RecipeWindow* window = m_main.recipeWindow())
        return window->isEditing();
    return m_save && !m_save->isHidden();
}

void QuantityCommands::followServes()
{
    if (m_serves)
        m_baseServes = m_serves->text();
}

bool QuantityCommands::eventFilter(QObject* watched, QEvent* event)
{
    // Only events that a running window sends are looked at (none of them comes while Main is being torn
    // down), and the event type is tested before anything else is asked.
    const QEvent::Type type = event->type();
    if (watched == m_saveId) {
        // An edit that ends (saved or cancelled) leaves the shown servings as the base; one that begins by
        // any change other than typed servings (new recipe, copy, another field) starts from them too.
        if (type == QEvent::HideToParent || (type == QEvent::ShowToParent && m_serves && !m_serves->isModified()))
            followServes();
    } else if (watched == m_servesId) {
        // Outside an edit the shown servings are the ones the ingredients are for: take them before the
        // user's first change to the box reaches it.
        switch (type) {
        case QEvent::FocusIn:
        case QEvent::KeyPress:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::ContextMenu:
        case QEvent::Drop:
            if (!editing())
                followServes();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void QuantityCommands::scaleIngredients()
{
    RecipeWindow* window = m_main.recipeWindow();
    if (!window || !m_serves) {
        Platform::beep();
        return;
    }
    if (!editing())
        followServes();
    const auto scaled = RunIngredientScaling(m_serves->text(), m_baseServes, window->fieldText(kIngredients));
    if (scaled)
        window->setFieldText(kIngredients, *scaled);
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
