// The library's entry point driving its application object.
#include "App.h"

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

CWinApp *AfxGetApp() { return g_app; }

HINSTANCE AfxGetInstanceHandle() { return g_instance; }

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
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
        return TRUE;
    default:
        return TRUE;
    }
}
