// The hardware configuration page: the probed machine and the opt-out box.
#pragma once
#include "../common/Record.h"

// Runs the page: 1 after OK, 162 after a close request; either way Send
// Configuration and the ninth hardware code then follow the opt-out box.
// -1 when the dialog cannot be created.
int RunHardware(HWND owner, RegistrationRecord *rec);
