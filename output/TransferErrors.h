// The messages of the modem transfer's error codes, as the problem dialog shows them.
#pragma once

// The code of a record file that could not be written, as the transfer gives it.
enum { TRANSFER_FILE_ERROR = 101 };

// The message for a code that the transfer returned; "Generic error." for 102
// and every code without a message of its own.
const char *TransferErrorText(int code);
