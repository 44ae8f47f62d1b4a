#pragma once

#include <QString>

class Main;

// Connects the shell's menu items on the main window: Save All, Exit, Preferences and the Help menu.
void attachShell(Main& main);

// Opens the help file shipped beside the program in the desktop's viewer; tells the user when it is missing
// or cannot be opened.
void openHelpFile();
// Opens a page of the web site in the default browser; when no browser can be started shows "Could not find
// a browser" titled "Web Page not Opened". Returns whether the page was opened.
bool openWebPage(const QString& url);
