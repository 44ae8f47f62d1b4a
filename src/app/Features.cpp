#include "app/Features.h"

#include "app/Main.h"

void attachFeatures(Main& main)
{
    // One line per subsystem that attaches commands to the main window.
    Q_UNUSED(main);
}
