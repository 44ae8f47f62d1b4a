#include "app/Features.h"

#include "app/Main.h"
#include "handheld/ui/HandheldCommands.h"
#include "shell/ui/ShellCommands.h"
#include "recipes/ui/RecipeCommands.h"
#include "quantities/ui/QuantityCommands.h"
#include "masterlists/ui/MasterListCommands.h"
#include "shopping/ui/ShoppingCommands.h"
#include "interchange/ui/InterchangeCommands.h"
#include "printing/ui/PrintingCommands.h"

void attachFeatures(Main& main)
{
    // One line per subsystem that attaches commands to the main window.
    attachShell(main);
    attachHandheld(main);
    attachRecipes(main);
    attachQuantities(main);
    attachMasterLists(main);
    attachShopping(main);
    attachInterchange(main);
    attachPrinting(main);
}
