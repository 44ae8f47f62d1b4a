#include "app/Features.h"

#include "app/Main.h"
#include "masterlists/ui/MasterListCommands.h"

void attachFeatures(Main& main)
{
    // One line per subsystem that attaches commands to the main window.
    attachMasterLists(main);
}
