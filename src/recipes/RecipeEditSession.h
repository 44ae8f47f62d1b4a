#pragma once

#include "recipes/RecipeSave.h"

#include <QObject>
#include <QVector>

class Recordset;

// The edit state of the recipe window, as a document its controls observe: the shown values with the held
// record's id, status and key, the saved copies an edit is compared with, the mode (viewing, editing, adding)
// and the decisions of New, Copy, Save, Cancel and Delete with their messages. The window shows the values and
// forwards every change of a control; it holds no state of its own.
class RecipeEditSession : public QObject
{
    Q_OBJECT
public:
    enum Field { Name, Category, Serves, Ingredients, Instructions, Nutrition, Rating, Source, Picture };

    explicit RecipeEditSession(QObject* parent = nullptr);

    // True while a recipe is being added or edited (Save and Cancel are offered).
    bool isEditing() const { return m_editing; }
    // True while the edit is a new recipe or a copy not yet saved.
    bool isAdding() const { return m_adding; }
    // The shown values, with the id, status and key of the held record (a new one's for a recipe not saved).
    const RecipeRecord& shown() const { return m_shown; }
    // The values an edit is compared with: the recipe as it was shown, started or saved.
    const RecipeRecord& saved() const { return m_saved; }
    QString value(Field field) const { return get(m_shown, field); }
    // The servings the shown ingredient quantities correspond to; empty for a copy just started.
    QString baseServes() const { return m_baseServes; }
    void setBaseServes(const QString& serves) { m_baseServes = serves; }

    // A control's value changed. While tracking, a value that differs from its saved copy starts an edit, and
    // an edit started while nothing is listed can only be a new recipe. Returns true for a name typed while no
    // recipe is shown: the caller starts a new recipe (startNew) and gives the name again.
    bool change(Field field, const QString& value);
    // Whether the recipe list has entries; the window sets it whenever the list changes.
    void setListed(bool any) { m_listed = any; }
    // Starts an edit of the shown recipe without a value to compare (a picture chosen or cleared).
    void markEdited() { setEditing(true); }

    // Stops change tracking for its lifetime, so that showing values is not taken for an edit.
    class Quiet
    {
    public:
        explicit Quiet(RecipeEditSession& session)
            : m_session(session)
            , m_was(session.m_tracking)
        {
            session.m_tracking = false;
        }
        ~Quiet() { m_session.m_tracking = m_was; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        RecipeEditSession& m_session;
        bool m_was;
    };

    // A stored recipe is shown (RecipeRecord::blank() for the blank form): it becomes the held record.
    void hold(const RecipeRecord& record) { m_shown = record; }
    // The shown values become what edits are compared with, and the shown servings the base servings.
    void keepAsSaved();
    // Leaves edit mode (the edit was saved, dropped or its recipe deleted).
    void leaveEdit();

    // The message that refuses New when the table holds as many live recipes as the handheld can take; empty
    // when a recipe may be added.
    static QString newRefusal(const Recordset& recipes);
    // Starts a new recipe with the given servings, everything else blank; returns the values to show.
    const RecipeRecord& startNew(const QString& serves);
    // Starts a copy of the shown recipe named "<name> - Copy" (a new record, not yet saved); returns the
    // values to show. Every value counts as changed.
    const RecipeRecord& startCopy();
    static QString copiedTitle();
    static QString copiedMessage();

    // Why the shown recipe cannot be saved (an empty name), or empty.
    QString saveRefusal() const;
    // What a save of the shown recipe writes; occurrence tells which of two listed records with the held key
    // is the shown one.
    RecipeSaveInput saveInput(int occurrence) const;

    // Drops the edit and leaves edit mode; returns the values to show again (the saved copies, the shown
    // picture and the held record). An added recipe's caller shows the stored recipe instead.
    RecipeRecord cancel();

    // The question that confirms deleting count selected recipes.
    static QString deleteQuestion(int count);
    // The list row shown after deleting the rows (ascending) from a list now remaining entries long: the entry
    // that followed the deleted ones, else the last one; -1 for an empty list.
    static int rowAfterDelete(const QVector<int>& rows, int remaining);

signals:
    // Edit mode was entered or left.
    void editingChanged(bool editing);

private:
    static QString get(const RecipeRecord& f, Field field);
    static void set(RecipeRecord& f, Field field, const QString& value);
    void setEditing(bool editing);
    void startAdding();

    RecipeRecord m_shown = RecipeRecord::blank();
    RecipeRecord m_saved;
    QString m_baseServes;
    bool m_editing = false;
    bool m_adding = false;
    bool m_listed = false;
    bool m_tracking = true;
};
