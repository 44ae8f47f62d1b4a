#pragma once

#include <QString>

// The unit vocabulary: unit words as they appear in free ingredient text ("tablespoons", "T", "lbs.") and
// their standard abbreviations ("tbsp", "lb"), and the parser that turns free ingredient text into
// item-line text («quantity|units|item~» per line).

// Rows of UnitTable: row 0 holds the number of word rows ("185") in both columns; rows 1 to that number
// hold a unit word (column 0, unique, case matters: "T" is not "t") and its abbreviation (column 1).
constexpr int UnitTableSize = 201;
extern QString UnitTable[UnitTableSize][2];

// Fills UnitTable anew, all rows.
void BuildUnitTable();

// True when word is one of the unit words. Words other than the few whose capital letter carries meaning
// ("T", "T.", "Tbl", "Tbs", "Tbs.") are lowered first, and the caller's text is changed to that lowered
// form. Builds UnitTable when it has not been built yet.
bool IsUnitWord(QString& word);

// The standard abbreviation of a units text: lowered as IsUnitWord does, then looked up; units that are
// not a unit word come back lowered ("Cup" gives "c", "T" gives "tbsp", "Handfuls" gives "handfuls").
QString AbbreviateUnit(const QString& units);

// Replaces the units of every line of an item-line text by their standard abbreviations; quantities and
// items are kept. The result has one «quantity|units|item~» line per "~"-ended line of the input (parts
// past the third of a line are dropped, missing ones are empty); text after the last "~" is dropped.
QString AbbreviateIngredientUnits(const QString& ingredients);

// Parses free ingredient text, one ingredient a line, into item-line text. Each line's leading quantity
// (a word starting with a digit or point, with a second word starting with a digit: "1 1/2") and a unit
// word after it become the quantity and units; the rest of the line is the item. Lines of three
// characters or fewer give an empty row «||~», except at the start and end of the text where they give
// nothing. Lines may end with CR LF, LF or CR. The argument is changed in place: tabs and no-break spaces
// become blanks and the characters ¼ ½ ¾ become "1/4", "1/2", "3/4".
QString ParseIngredientLines(QString& text);
