#include "recipes/ui/RecipeCommands.h"

#include "app/Main.h"
#include "recipes/ui/CategoryWindow.h"
#include "recipes/ui/RecipeController.h"

#if __has_include("masterlists/ui/MasterListWindow.h")
#include "masterlists/ui/MasterListWindow.h"
#define ZESTORA_HAVE_MASTER_LISTS 1
#endif

void attachRecipes(Main& main)
{
#ifdef ZESTORA_HAVE_MASTER_LISTS
    CategoryWindow::masterListEditor() = [](QWidget* parent) { openMasterList(parent, QStringLiteral("cat")); };
#endif
    main.setRecipeWindow(new RecipeController(main));
}
