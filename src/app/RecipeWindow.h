#pragma once

#include <QString>
#include <QStringList>

// What the shell and the other subsystems ask of the recipe window's behaviour. Installed on Main by the
// recipes subsystem (Main::setRecipeWindow).
class RecipeWindow
{
public:
    virtual ~RecipeWindow() = default;
    // True while a recipe is being added or edited (the Save button is visible).
    virtual bool isEditing() const = 0;
    // Presses the Save button of the current edit.
    virtual void pressSave() = 0;
    // Leaves edit mode dropping the edit, as the Cancel button does.
    virtual void cancelEdit() = 0;
    // Lists all recipes and shows the selected one.
    virtual void listAll() = 0;
    // Rebuilds the list with the current filter (after an import, say) and shows the selected recipe.
    virtual void refreshList() = 0;
    // Keys and names of the recipes selected in the list, in list order.
    virtual QStringList selectedKeys() const = 0;
    virtual QStringList selectedNames() const = 0;
    // Key and name of the recipe shown; empty when none is shown.
    virtual QString currentKey() const = 0;
    virtual QString currentName() const = 0;
    // The shown (possibly edited, not yet saved) value of a recipe field by its table field name:
    // "Name", "Category", "Serves", "Ingredients", "Instructions", "Nutrition", "RtgSrc", "Picture".
    // "BaseServes" is the servings text the shown ingredient quantities correspond to (the window sets it
    // whenever it shows, starts or restores a recipe, and empties it when a copy is started).
    virtual QString fieldText(const QString& field) const = 0;
    // Replaces a field's shown value as the user's edit would (the window enters edit mode when the value
    // differs) and refreshes the grid or list that shows it. Setting "BaseServes" changes no mode.
    virtual void setFieldText(const QString& field, const QString& value) = 0;
    // Selects and shows the listed recipe with that name (case-insensitive); false when it is not listed.
    virtual bool showRecipeByName(const QString& name) = 0;
    // Selects and shows the first listed recipe whose key is exactly key; false when none is listed (and
    // always in a window that keeps no recipe list).
    virtual bool showRecipeByKey(const QString& key)
    {
        Q_UNUSED(key);
        return false;
    }
};
