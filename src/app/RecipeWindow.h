#pragma once

#include <QStringList>

// What the shell asks of the recipe window's behaviour (installed on Main by the recipes subsystem).
class RecipeWindow
{
public:
    virtual ~RecipeWindow() = default;
    // True while a recipe is being added or edited (the Save button is visible).
    virtual bool isEditing() const = 0;
    // Presses the Save button of the current edit.
    virtual void pressSave() = 0;
    // Lists all recipes and shows the selected one.
    virtual void listAll() = 0;
    // Keys of the recipes selected in the list, in list order.
    virtual QStringList selectedKeys() const = 0;
};
