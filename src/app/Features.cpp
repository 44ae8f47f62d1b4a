#include "app/Features.h"

#include "app/Main.h"
#include "recipes/ui/RecipeCommands.h"

void attachFeatures(Main& main)
{
    // One line per subsystem that attaches commands to the main window.
    attachRecipes(main);
}
