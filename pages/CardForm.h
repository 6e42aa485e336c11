// The card form (dialog 104) and the required-information page (dialog 105),
// and the table walks they share.
#pragma once
#include <windows.h>

#include "FieldTables.h"

// 0: OK with every required field filled; 1: OK with a required field empty;
// 162: Register Later; -1: the dialog cannot be created.
int RunCardForm(HWND owner, RegistrationRecord *rec);
// 161: OK with every required field filled; 162: Register Later; -1 as above.
int RunRequiredInfo(HWND owner, RegistrationRecord *rec);

// Loads the table's controls from the dialog's record and installs the
// filters and underlined labels.
void BindFields(HWND dialog, const FieldRow *table);
// Stores the table's controls back into the dialog's record.
void CollectFields(HWND dialog, const FieldRow *table);
// Tells the user which required field (named by its label) is missing.
void ReportMissingField(HWND dialog, int labelId);
// Moves the focus to the next field in tab order (previous when backwards),
// skipping the push buttons.
void AdvanceField(HWND dialog, bool backwards);
