#include "app/Features.h"

#include "app/Main.h"
#include "interchange/ui/InterchangeCommands.h"
#include "quantities/ui/QuantityCommands.h"
#include "recipes/ui/RecipeCommands.h"
#include "shell/ui/ShellCommands.h"

void attachFeatures(Main& main)
{
    // One line per subsystem that attaches commands to the main window.
    attachShell(main);
    attachRecipes(main);
    attachQuantities(main);
    attachInterchange(main);
}
