#pragma once

// The two settings of the printed reports, in section "Main" of the settings file: "PrintRange" ("1" for
// the selected recipes, else "0") and "PrintNewPage" ("1" or "0"), both "0" when missing. Read and written
// through the program's settings file functions (ReadSetting / WriteSetting).
namespace PrintSettings {

bool newPage();
bool selectedRange();
void setNewPage(bool on);
void setSelectedRange(bool selected);

} // namespace PrintSettings
