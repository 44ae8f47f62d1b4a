#include "app/Features.h"

#include "app/Main.h"
#include "shopping/ui/ShoppingCommands.h"

void attachFeatures(Main& main)
{
    // One line per subsystem that attaches commands to the main window.
    attachShopping(main);
    Q_UNUSED(main);
}
