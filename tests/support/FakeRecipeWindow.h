#pragma once

#include "app/RecipeWindow.h"

#include <QHash>

// A recipe window for tests of the other windows: its selection, shown recipe and fields are fields the
// test sets, and it records what it was asked to do.
class FakeRecipeWindow : public RecipeWindow
{
public:
    QStringList keys; // the selected recipes, the first one shown
    QStringList names;
    QStringList listed; // the names showRecipeByName finds (any name when empty)
    QStringList listedKeys; // the keys showRecipeByKey finds
    QHash<QString, QString> fields;
    QString shown;
    bool editing = false;
    int saves = 0;
    int cancels = 0;
    int listings = 0; // List All and refreshes

    bool isEditing() const override { return editing; }
    void pressSave() override
    {
        ++saves;
        editing = false;
    }
    void cancelEdit() override
    {
        ++cancels;
        editing = false;
    }
    void listAll() override { ++listings; }
    void refreshList() override { ++listings; }
    QStringList selectedKeys() const override { return keys; }
    QStringList selectedNames() const override { return names; }
    QString currentKey() const override { return keys.value(0); }
    QString currentName() const override { return names.value(0); }
    QString fieldText(const QString& field) const override { return fields.value(field); }
    void setFieldText(const QString& field, const QString& value) override { fields.insert(field, value); }
    bool showRecipeByName(const QString& name) override
    {
        for (const QString& n : listed) {
            if (n.compare(name, Qt::CaseInsensitive) == 0) {
                shown = n;
                return true;
            }
        }
        shown = listed.isEmpty() ? name : shown;
        return listed.isEmpty();
    }
    bool showRecipeByKey(const QString& key) override
    {
        shown = listedKeys.contains(key) ? key : shown;
        return listedKeys.contains(key);
    }
};
