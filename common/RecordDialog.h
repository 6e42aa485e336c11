// The one way the card runs a dialog, and the record a dialog keeps.
#pragma once
#include <windows.h>

#include "Record.h"

// Runs the module's dialog template modally, owned by owner (null: no owner),
// with param as its creation parameter: the result it ended with, or -1 when
// it cannot be created.
int RunDialog(HWND owner, HINSTANCE module, int templateId, DLGPROC proc, LPARAM param);

// The record kept in a dialog's user data from its initialisation on.
inline RegistrationRecord *DialogRecord(HWND dialog)
{
    return reinterpret_cast<RegistrationRecord *>(GetWindowLongPtrA(dialog, DWLP_USER));
}
inline RegistrationRecord *KeepDialogRecord(HWND dialog, LPARAM param)
{
    SetWindowLongPtrA(dialog, DWLP_USER, param);
    return reinterpret_cast<RegistrationRecord *>(param);
}
