// The messages of the modem transfer's error codes, as the problem dialog shows them.
#pragma once

// The message for a code that the transfer returned; "Generic error." for 102
// and every code without a message of its own.
const char *TransferErrorText(int code);
