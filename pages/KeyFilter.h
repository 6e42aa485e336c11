// What the keystroke filter of a text entry does with a typed character.
#pragma once
#include <cstddef>

#include "FieldTables.h"

enum class KeyAction {
    Refuse,      // beep; the control never sees the character
    Capitalise,  // pass the character on in upper case
    Pass,        // pass the character on unchanged
};

// Whether a character typed with the selection starting at caret begins a
// word: at the start of the field or right after one of " -,.". text holds
// the control's first length characters.
bool IsWordStart(const char *text, size_t length, size_t caret);

// The filter class's decision for the character c (taken as an unsigned
// 8-bit code, C locale classes) typed at a word start or not.
KeyAction DecideKey(FilterClass filter, unsigned char c, bool atWordStart);
