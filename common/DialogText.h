// Dialog texts with a placeholder, substituted in a module-level buffer.
#pragma once
#include <windows.h>

// Reads the control's text (at most 255 characters), replaces "%1" by value
// and sets it back; a substitution that does not fit leaves the text as read.
void SubstituteControlText(HWND dialog, int control, const char *value);

// Loads a string of the module (at most 255 characters) into the shared buffer.
const char *LoadDialogString(HINSTANCE instance, UINT id);
