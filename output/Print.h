// Print delivery: the printed card through the services library, and the Reminder dialog.
#pragma once
#include "../common/Record.h"

// Writes the printed card to a new temporary file, prints it and deletes the
// file. 0 printed, 1 the temporary file cannot be opened, 2 writing it failed,
// otherwise the print operation's own nonzero result.
int PrintCard(const RegistrationRecord *rec);

// The Reminder dialog after the first printout: 124 Print (print another
// copy) or 145 Continue (also on close); -1 when it cannot be created.
int RunPrintReminder(HWND owner, RegistrationRecord *rec);
