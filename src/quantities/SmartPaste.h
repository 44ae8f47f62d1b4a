#pragma once

#include <QString>

// The preference-driven parts of Smart Ingredients Paste and the equivalents view.

// Whether the units of a pasted recipe are to be abbreviated: without asking when the preference
// "abbrev_ingr" reads as the number 1, otherwise by the answer to the "Convert Units?" question.
bool ConvertUnitsOnPaste();

// The text of the preference "equivalents" with each stored backslash-"n" pair turned into a CR LF line
// break; empty without such a preference.
QString EquivalentsText();
