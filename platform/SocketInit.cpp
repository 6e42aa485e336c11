// Windows Sockets 1.1 start-up, once per module.
#include "SocketInit.h"

#include <winsock.h>

#include "SocketVersion.h"

namespace {
bool g_started = false;
}

BOOL AfxSocketInit()
{
    if (g_started)
        return TRUE;
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0)
        return FALSE;
    if (!SocketVersionAccepted(data.wVersion)) {
        WSACleanup();
        return FALSE;
    }
    g_started = true;
    return TRUE;
}

void AfxSocketTerm()
{
    if (!g_started)
        return;
    g_started = false;
    WSACleanup();
}
