#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QString>

class Main;

// Connects the quantity commands of the main window: the scale button cmdMultiply, Smart Ingredients
// Paste (mnuSmartPaste) and the equivalents view (mnuEquiv).
void attachQuantities(Main& main);

// The behaviour behind those controls, owned by Main (object name "QuantityCommands"). It keeps
// BaseServes, the servings text that the shown ingredient quantities correspond to: it follows the Serves
// box whenever the window fills that box itself (a recipe shown, a new recipe, an edit cancelled) and
// whenever an edit ends or begins without the user having typed new servings, and becomes the new servings
// after each scaling run.
class QuantityCommands : public QObject
{
    Q_OBJECT
public:
    explicit QuantityCommands(Main& main);

    // The commands attached to main, or nullptr.
    static QuantityCommands* of(Main& main);

    QString baseServes() const { return m_baseServes; }
    void setBaseServes(const QString& servings) { m_baseServes = servings; }

    // The scale button: the two-click scaling of the shown recipe's ingredients.
    void scaleIngredients();
    // Replaces the shown recipe's ingredients by the parsed text, then abbreviates the units when the
    // preference says so or the user agrees. Failures are reported with ShowError.
    void Parse(const QString& text);
    // Smart Ingredients Paste: Parse with the clipboard's text.
    void smartPaste();
    // Shows the equivalents text of the preferences.
    void showEquivalents();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool editing() const;
    void followServes();

    Main& m_main;
    QPointer<QLineEdit> m_serves;
    QPointer<QAbstractButton> m_save;
    // The watched widgets' identities, only compared in eventFilter (never dereferenced there, since
    // events also reach the filter while a widget is being destroyed).
    const QObject* m_servesId = nullptr;
    const QObject* m_saveId = nullptr;
    QString m_baseServes;
};
