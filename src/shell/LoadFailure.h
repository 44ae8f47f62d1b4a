#pragma once

#include "storage/DataSource.h"

#include <functional>

// How the program tells the user about a table file it could not load, and what it does next.
namespace LoadFailure {

// Shows the loader's message for the failure through Dialogs: titled "Error", with each table's own text
// (the recipe table names the file; the preferences table gives install advice; the others the shared
// error text).
void report(const TableLoadError& error);

// Reports the failure and ends the program with exit status 2: without the table there is nothing to work
// on. When a hook is installed it is called after the report instead of ending, and the caller goes on.
void endProgram(const TableLoadError& error);

// Tests install a hook so that a load failure does not end the test program; nullptr restores the default.
using EndHook = std::function<void(const TableLoadError&)>;
void setEndHook(EndHook hook);

} // namespace LoadFailure
