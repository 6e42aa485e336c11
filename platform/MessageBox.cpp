// Message boxes captioned with the module's name, as the application title.
#include "MessageBox.h"

#include "App.h"
#include "ModuleString.h"

CString AfxAppTitle()
{
    char path[MAX_PATH] = "";
    const DWORD n = GetModuleFileNameA(AfxGetInstanceHandle(), path, MAX_PATH);
    const int length = n < MAX_PATH ? static_cast<int>(n) : 0;
    int start = 0;
    int end = length;
    for (int i = 0; i < length; ++i) {
        if (path[i] == '\\' || path[i] == '/') {
            start = i + 1;
            end = length;
        } else if (path[i] == '.') {
            end = i;
        }
    }
    return CString(path + start, end - start);
}

int AfxMessageBox(const char *text, UINT type)
{
    HWND owner = GetActiveWindow();
    return MessageBoxA(owner, text, AfxAppTitle().GetString(), type);
}

int AfxMessageBox(UINT stringId, UINT type)
{
    char text[256];
    LoadModuleString(AfxGetInstanceHandle(), stringId, text);
    return AfxMessageBox(text, type);
}
