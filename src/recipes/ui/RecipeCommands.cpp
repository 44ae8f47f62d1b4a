#include "recipes/ui/RecipeCommands.h"

#include "app/Main.h"
#include "masterlists/ui/MasterListWindow.h"
#include "recipes/ui/CategoryWindow.h"
#include "recipes/ui/RecipeController.h"

void attachRecipes(Main& main)
{
    CategoryWindow::masterListEditor() = [](QWidget* parent) { openMasterList(parent, QStringLiteral("cat")); };
    main.setRecipeWindow(new RecipeController(main));
}
