#pragma once

class Main;

// Connects every subsystem's commands to the main window's controls and menus.
void attachFeatures(Main& main);
