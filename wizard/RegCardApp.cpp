// Module start-up: Windows Sockets 1.1 for the e-mail delivery, and the module instance.
#include "RegCardApp.h"

#include "../platform/MessageBox.h"
#include "../platform/SocketInit.h"
#include "../resources/resource.h"

HINSTANCE g_moduleInstance = nullptr;

CRegCardApp theApp;

CRegCardApp::~CRegCardApp() = default;

BOOL CRegCardApp::InitInstance()
{
    if (!AfxSocketInit()) {
        AfxMessageBox(IDS_SOCKETS_FAILED, MB_OK);
        return FALSE;
    }
    g_moduleInstance = m_hInstance;
    return TRUE;
}
