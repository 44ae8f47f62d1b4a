#pragma once

#include "recipes/RecipeEditSession.h"

#include <QObject>

struct MainUi;
class QComboBox;
class QTableWidget;
class QWidget;

// The recipe fields of the main window bound to the editing session: shows the session's values in the
// controls, forwards every change of a control to it, keeps the source and rating boxes to their lengths with
// type-ahead, moves on with Enter, and runs the category and picture commands.
class RecipeForm : public QObject
{
    Q_OBJECT
public:
    static constexpr int SourceLimit = 32;
    static constexpr int RatingLimit = 10;

    // ui's controls must outlive the form; window parents the category window and the dialogs.
    RecipeForm(const MainUi& ui, RecipeEditSession& session, QWidget* window);

    // Shows values in the controls without counting it as an edit; the session then holds what the controls
    // show (a box may shorten a text).
    void show(RecipeRecord values);
    // The shown value of a field by its table name, and its replacement as a person's edit (see RecipeWindow).
    QString fieldText(const QString& field) const;
    void setFieldText(const QString& field, const QString& value);

    void editCategories();
    void removeCategories();
    void selectPicture();
    void clearPicture();
    void viewPicture();

signals:
    // A name was typed while no recipe is shown: a new recipe should be started (the form then gives the name
    // again when one was).
    void nameStartsRecipe();

private:
    void onNameChanged(const QString& typed);
    void onComboEdited(QComboBox* box, int limit);
    void onComboChanged(QComboBox* box, int limit, RecipeEditSession::Field field);
    void setCategories(const QString& text);
    void setLines(QTableWidget* grid, RecipeEditSession::Field field, const QString& text);
    void setPicture(const QString& path);
    bool eventFilter(QObject* watched, QEvent* event) override;

    const MainUi& m_ui;
    RecipeEditSession& m_session;
    QWidget* m_window;
    int m_comboHold = 0; // the pick lists are being refilled: their changes are not edits
    QString m_heldTexts[2];
};
