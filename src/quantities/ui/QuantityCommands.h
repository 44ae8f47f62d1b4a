#pragma once

#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QString>

class Main;

// Connects the quantity commands of the main window: the scale button cmdMultiply, Smart Ingredients
// Paste (mnuSmartPaste) and the equivalents view (mnuEquiv).
void attachQuantities(Main& main);

// The behaviour behind those controls, owned by Main (object name "QuantityCommands"). The servings text the
// shown ingredients correspond to (BaseServes) is kept by the recipe window; scaling reads it and sets it.
class QuantityCommands : public QObject
{
    Q_OBJECT
public:
    explicit QuantityCommands(Main& main);

    // The commands attached to main, or nullptr.
    static QuantityCommands* of(Main& main);

    // The recipe window's BaseServes; empty without a recipe window.
    QString baseServes() const;

    // The scale button: the two-click scaling of the shown recipe's ingredients.
    void scaleIngredients();
    // Replaces the shown recipe's ingredients by the parsed text, then abbreviates the units when the
    // preference says so or the user agrees. Failures are reported with ShowError.
    void Parse(const QString& text);
    // Smart Ingredients Paste: Parse with the clipboard's text.
    void smartPaste();
    // Shows the equivalents text of the preferences.
    void showEquivalents();

private:
    Main& m_main;
    QPointer<QLineEdit> m_serves;
};
