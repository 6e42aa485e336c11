// The library's entry point driving its application object.
#include "App.h"

#include "SocketInit.h"
#include "Trace.h"

namespace {
CWinApp *g_app = nullptr;
HINSTANCE g_instance = nullptr;
}  // namespace

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

HINSTANCE AfxGetInstanceHandle() { return g_instance; }

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        g_instance = instance;
        if (!g_app)
            return FALSE;
        g_app->m_hInstance = instance;
        if (!g_app->InitInstance()) {
            g_app->ExitInstance();
            return FALSE;
        }
        return TRUE;
    case DLL_PROCESS_DETACH:
        if (g_app)
            g_app->ExitInstance();
        // A host that frees the library gets its socket start-up back: loaded
        // and freed many times, it would otherwise keep Windows Sockets
        // started once per load. When the process ends, the system ends them.
        if (!reserved) {
            AfxSocketTerm();
            TraceClose();
        }
        return TRUE;
    default:
        return TRUE;
    }
}
