// Modem delivery: the transfer through the services library with its status
// window, and the dialogs that follow it.
#pragma once
#include "../common/Record.h"

// Writes the record file once more, transfers it while the status window shows
// the library's progress and offers Cancel, and deletes the file whatever the
// outcome. 0 transferred, else the transfer's error code.
int TransmitByModem(HWND owner, RegistrationRecord *rec);

// The progress callback handed to the transfer: shows the status text of a
// nonzero code, then passes a pending cancel request on to the library.
void CALLBACK ModemProgress(int status);

// The problem dialog with the message of error: 123 Retry, 124 Print or
// 162 Register Later (also on close); -1 when it cannot be created.
int ShowTransmissionProblem(HWND owner, int error, RegistrationRecord *rec);

// The success dialog naming the product: 145 Continue or 162 closed; -1 when
// it cannot be created.
int RunTransmissionSuccess(HWND owner, RegistrationRecord *rec);
