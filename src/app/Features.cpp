#include "app/Features.h"

#include "app/Main.h"
#include "printing/ui/PrintingCommands.h"

void attachFeatures(Main& main)
{
    // One line per subsystem that attaches commands to the main window.
    attachPrinting(main);
}
