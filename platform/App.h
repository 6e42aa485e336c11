// The application object of a library: started from the DLL entry point.
#pragma once
#include <windows.h>

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();

    // Called at process attach; false fails the load.
    virtual BOOL InitInstance();
    // Called at process detach, and after a failed InitInstance.
    virtual int ExitInstance();

    HINSTANCE m_hInstance = nullptr;
};

// The module's own instance handle, known from process attach on.
HINSTANCE AfxGetInstanceHandle();
