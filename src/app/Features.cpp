#include "app/Features.h"

#include "app/Main.h"
#include "quantities/ui/QuantityCommands.h"

void attachFeatures(Main& main)
{
    // One line per subsystem that attaches commands to the main window.
    Q_UNUSED(main);
    attachQuantities(main);
}
