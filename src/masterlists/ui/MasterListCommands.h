#pragma once

class Main;

// Attaches the master list menu entries, the source and rating list buttons and the main window's
// ingredient and nutrition grid commands (open the line editors, delete and move lines, add all
// ingredients to the master ingredient list) to the main window.
void attachMasterLists(Main& main);
