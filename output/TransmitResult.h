// The dialogs after a modem transfer: the problem dialog and the success dialog.
#pragma once
#include "../common/Record.h"

// The problem dialog with the message of error: 123 Retry, 124 Print or
// 162 Register Later (also on close); -1 when it cannot be created.
int ShowTransmissionProblem(HWND owner, int error, RegistrationRecord *rec);

// The success dialog naming the product: 145 Continue or 162 closed; -1 when
// it cannot be created.
int RunTransmissionSuccess(HWND owner, RegistrationRecord *rec);
