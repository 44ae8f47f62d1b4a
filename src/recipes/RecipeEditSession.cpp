#include "recipes/RecipeEditSession.h"

#include "recipes/RecipeTable.h"
#include "storage/Recordset.h"
#include "storage/TableCatalogue.h"

RecipeEditSession::RecipeEditSession(QObject* parent)
    : QObject(parent)
{
}

QString RecipeEditSession::get(const RecipeRecord& f, Field field)
{
    switch (field) {
    case Name:
        return f.name;
    case Category:
        return f.category;
    case Serves:
        return f.serves;
    case Ingredients:
        return f.ingredients;
    case Instructions:
        return f.instructions;
    case Nutrition:
        return f.nutrition;
    case Rating:
        return f.rating;
    case Source:
        return f.source;
    case Picture:
        return f.picture;
    }
    return QString();
}

void RecipeEditSession::set(RecipeRecord& f, Field field, const QString& value)
{
    QString* targets[] = { &f.name,      &f.category, &f.serves, &f.ingredients, &f.instructions,
                           &f.nutrition, &f.rating,   &f.source, &f.picture };
    *targets[field] = value;
}

bool RecipeEditSession::change(Field field, const QString& value)
{
    set(m_shown, field, value);
    if (!m_tracking)
        return false;
    if (field == Name && !m_adding && m_saved.name.isEmpty() && !value.isEmpty())
        return true;
    if (value != get(m_saved, field))
        setEditing(true);
    return false;
}

void RecipeEditSession::setEditing(bool editing)
{
    // Nothing is listed: whatever is typed can only become a new recipe.
    if (editing && !m_listed)
        m_adding = true;
    if (editing == m_editing)
        return;
    m_editing = editing;
    emit editingChanged(editing);
}

void RecipeEditSession::keepAsSaved()
{
    m_saved = m_shown;
    m_baseServes = m_shown.serves;
}

void RecipeEditSession::leaveEdit()
{
    m_adding = false;
    setEditing(false);
}

QString RecipeEditSession::newRefusal(const Recordset& recipes)
{
    if (recipes.totalRecordCount() < RecipeTable::kMaxRecipes
        || RecipeTable::liveCount(recipes) < RecipeTable::kMaxRecipes)
        return QString();
    return QStringLiteral("You may not have more than ") + QLatin1Char(' ') + QString::number(RecipeTable::kMaxRecipes)
        + QStringLiteral(" recipes.  This is a synchronization limit.");
}

void RecipeEditSession::startAdding()
{
    m_shown.id = RecordStatus::NewId;
    m_shown.status = RecordStatus::New;
    m_shown.key.clear();
    m_adding = true;
    setEditing(true);
}

const RecipeRecord& RecipeEditSession::startNew(const QString& serves)
{
    m_shown = RecipeRecord::blank();
    m_shown.serves = serves;
    keepAsSaved();
    startAdding();
    return m_shown;
}

const RecipeRecord& RecipeEditSession::startCopy()
{
    m_shown.name += QStringLiteral(" - Copy");
    m_saved = RecipeRecord::blank();
    m_baseServes.clear();
    startAdding();
    return m_shown;
}

QString RecipeEditSession::copiedTitle()
{
    return QStringLiteral("Record Copied");
}

QString RecipeEditSession::copiedMessage()
{
    return QStringLiteral("A copy of the record has been made.  Please make any desired changes and click Save.");
}

QString RecipeEditSession::saveRefusal() const
{
    if (!m_shown.name.isEmpty())
        return QString();
    return QStringLiteral("The Title cannot be blank.\r\n\r\nPlease enter a Title.");
}

RecipeSaveInput RecipeEditSession::saveInput(int occurrence) const
{
    RecipeSaveInput in;
    in.fields = m_shown;
    in.savedName = m_saved.name;
    in.adding = m_adding;
    in.occurrence = m_adding ? 0 : occurrence;
    return in;
}

RecipeRecord RecipeEditSession::cancel()
{
    RecipeRecord back = m_saved;
    back.id = m_shown.id;
    back.status = m_shown.status;
    back.key = m_shown.key;
    back.picture = m_shown.picture;
    m_shown = back;
    leaveEdit();
    return back;
}

QString RecipeEditSession::deleteQuestion(int count)
{
    if (count > 1)
        return QString::number(count)
            + QStringLiteral(" recipes have been selected. Do you want to delete ALL selected recipes?");
    return QStringLiteral("Do you really want to delete this recipe?");
}

int RecipeEditSession::rowAfterDelete(const QVector<int>& rows, int remaining)
{
    if (remaining <= 0 || rows.isEmpty())
        return -1;
    const int position = rows.last() - static_cast<int>(rows.size()) + 1;
    return position < remaining ? position : remaining - 1;
}
