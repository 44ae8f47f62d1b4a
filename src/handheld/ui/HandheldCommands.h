#pragma once

#include <functional>

class Main;

// The File menu's backup, restore, transfer and retrieve commands.
void attachHandheld(Main& main);

namespace HandheldCommands {
// The four commands, as the menu items run them.
void backup(Main& main);
void restore(Main& main);
void transfer(Main& main);
void retrieve(Main& main);

// Ends the program at once after a retrieve, without the exit sequence (default: leave the event loop).
// Tests replace it.
void setEndProgram(std::function<void()> end);
} // namespace HandheldCommands
