// The Windows Sockets version decision, kept apart so it can be checked natively.
#include "SocketVersion.h"

bool SocketVersionAccepted(unsigned short granted)
{
    const unsigned major = granted & 0xFF;
    const unsigned minor = (granted >> 8) & 0xFF;
    return major == 1 && minor == 1;
}
