#pragma once

class Main;

// Connects the print menu items of the main window: "&Print Recipe(s)..." (mnuPrint) opens the print
// options, "Print Shopping List" (mnuPrintSL) and "Print Menu Planner" (mnuMenuPrint) open the preview.
void attachPrinting(Main& main);
