// Message boxes of the library, captioned with the module's name.
#pragma once
#include <windows.h>

#include <string>

// The module's file name without its extension ("GlimReg"), found at run time.
std::string AfxAppTitle();

// A message box owned by the active window, captioned with the module's name.
int AfxMessageBox(const char *text, UINT type = MB_OK);
int AfxMessageBox(UINT stringId, UINT type = MB_OK);
