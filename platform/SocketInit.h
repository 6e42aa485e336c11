// Windows Sockets start-up for the library.
#pragma once
#include <windows.h>

// Starts Windows Sockets asking for 1.1; true only when exactly 1.1 was granted.
// A second call succeeds at once.
BOOL AfxSocketInit();
// Ends what AfxSocketInit started, once; nothing when it started nothing.
void AfxSocketTerm();
