#pragma once

class QComboBox;

// Type-ahead completion for editable drop-downs whose values usually come from a master list.

// Program-wide flag, lowered at start. While raised, the next change of any completed box is left alone
// (the flag is lowered by that change).
extern bool SuppressTypeAhead;

// Completes the box's text from its own list: finds the first entry that begins with the text (ignoring
// letter case) and, when it is longer, appends its remaining characters as a selection after the caret,
// so that further typing replaces them. The typed characters keep their letter case. An empty text and a
// text that begins no entry are left as they are. Call it from the box's edit event.
void ComboTypeAhead(QComboBox* box);

// Key-down companion: Delete and Backspace (Qt key codes) raise SuppressTypeAhead so that deleting a
// completed remainder is not completed again.
void TypeAheadKeyDown(int key);

// Makes an editable box complete as the user types: turns Qt's own completer off, runs ComboTypeAhead on
// every user edit and, when withKeyDown is set, TypeAheadKeyDown on every Delete or Backspace that removes
// text. An editable box keeps the focus itself and hands its keys to its line edit directly, past any event
// filter on the line edit; so key handling for such a box (this one and a window's own, such as Enter) is
// installed on the box.
void installTypeAhead(QComboBox* box, bool withKeyDown = true);

// Getting the focus (by Tab, a click or a mnemonic) selects nothing in the box: its text is not replaced by
// the next keystroke.
void selectNothingOnFocus(QComboBox* box);
