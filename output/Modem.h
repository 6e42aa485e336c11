// Modem delivery: the transfer through the services library with its status window.
#pragma once
#include "../common/Record.h"

// Writes the record file once more, transfers it while the status window shows
// the library's progress and offers Cancel, and deletes the file whatever the
// outcome. 0 transferred, else the transfer's error code.
int TransmitByModem(HWND owner, RegistrationRecord *rec);

// The progress callback handed to the transfer: shows the status text of a
// nonzero code, then passes a pending cancel request on to the library.
void CALLBACK ModemProgress(int status);
