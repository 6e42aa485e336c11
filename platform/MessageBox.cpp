// Message boxes captioned with the module's name, as the application title.
#include "MessageBox.h"

#include "App.h"

std::string AfxAppTitle()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(AfxGetInstanceHandle(), path, MAX_PATH);
    std::string name(path, n < MAX_PATH ? n : 0);
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

int AfxMessageBox(const char *text, UINT type)
{
    HWND owner = GetActiveWindow();
    return MessageBoxA(owner, text, AfxAppTitle().c_str(), type);
}

int AfxMessageBox(UINT stringId, UINT type)
{
    char text[256];
    if (LoadStringA(AfxGetInstanceHandle(), stringId, text, sizeof text) <= 0)
        text[0] = '\0';
    return AfxMessageBox(text, type);
}
