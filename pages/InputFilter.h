// The keystroke filters, underlined required labels and dotted lines that
// binding installs on a card page, and their release.
#pragma once
#include <windows.h>

#include "FieldTables.h"

// Creates the underlined label font if there is none yet and gives it to the
// row's label when the row is required.
void MarkLabel(HWND dialog, RegistrationRecord *rec, const FieldRow &row);

// Subclasses a text entry with the filter procedure, saving the edit
// controls' own procedure the first time in the call.
void InstallFilter(HWND dialog, RegistrationRecord *rec, const FieldRow &row);

// Gives the labels the dialog's font again, restores the edits' procedure and
// deletes the underlined font. Called by each page just before it ends.
void ReleaseFields(HWND dialog, const FieldRow *table);

// The window procedure of the subclassed text entries.
LRESULT CALLBACK FieldFilterProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);
