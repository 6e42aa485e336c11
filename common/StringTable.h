// Filling a combo box from a range of the string table.
#pragma once
#include <windows.h>

// Adds strings first..last to the combo and selects index select. Returns the
// index of the last entry added, or the combo's negative error value.
LRESULT FillComboFromStrings(HWND dialog, HINSTANCE instance, int control, int first,
                             int last, int select);
