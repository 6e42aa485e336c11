// The library's application object.
#pragma once
#include "../platform/App.h"

class CRegCardApp : public CWinApp {
public:
    CRegCardApp() = default;
    ~CRegCardApp() override;
    BOOL InitInstance() override;
};

// The module instance recorded at start-up; every template and string comes from it.
extern HINSTANCE g_moduleInstance;
