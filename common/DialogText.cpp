// The shared text buffer of the dialogs: one registration runs at a time.
#include "DialogText.h"

#include <cstring>

#include "../platform/ModuleString.h"
#include "Placeholder.h"

namespace {
char g_text[256];
}

void SubstituteControlText(HWND dialog, int control, const char *value)
{
    GetDlgItemTextA(dialog, control, g_text, sizeof g_text);
    char read[sizeof g_text];
    memcpy(read, g_text, sizeof read);
    if (!SubstitutePlaceholder(1, g_text, value, sizeof g_text - 1))
        memcpy(g_text, read, sizeof g_text);
    SetDlgItemTextA(dialog, control, g_text);
}

const char *LoadDialogString(HINSTANCE instance, UINT id)
{
    LoadModuleString(instance, id, g_text);
    return g_text;
}
