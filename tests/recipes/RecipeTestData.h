#pragma once

#include "storage/Recordset.h"

#include <QString>

// A recipe record's fields; addRecipe appends it to a recipe table and leaves the filter alone.
struct TestRecipe
{
    TestRecipe(const QString& name_, const QString& key_, const QString& status_ = QStringLiteral("0x0000"),
               const QString& id_ = QStringLiteral("0x00000011"), const QString& category_ = QString(),
               const QString& ingredients_ = QString())
        : name(name_)
        , key(key_)
        , status(status_)
        , id(id_)
        , category(category_)
        , ingredients(ingredients_)
    {
    }
    QString name, key, status, id, category, ingredients, instructions;
    QString rtgSrc = QStringLiteral("~~");
    QString serves, other1;
};

inline void addRecipe(Recordset& rs, const TestRecipe& r)
{
    rs.addNew();
    rs.setValue(QStringLiteral("REC_ID"), r.id);
    rs.setValue(QStringLiteral("STATUS"), r.status);
    rs.setValue(QStringLiteral("Key"), r.key);
    rs.setValue(QStringLiteral("Name"), r.name);
    rs.setValue(QStringLiteral("Category"), r.category);
    rs.setValue(QStringLiteral("Serves"), r.serves);
    rs.setValue(QStringLiteral("Ingredients"), r.ingredients);
    rs.setValue(QStringLiteral("Instructions"), r.instructions);
    rs.setValue(QStringLiteral("RtgSrc"), r.rtgSrc);
    rs.setValue(QStringLiteral("Other1"), r.other1);
    rs.update();
}
