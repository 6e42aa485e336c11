// Message boxes of the library, captioned with the module's name.
#pragma once
#include <windows.h>

#include "CString.h"

// The module's file name without its extension ("GlimReg"), found at run time.
CString AfxAppTitle();

// A message box owned by the active window, captioned with the module's name.
int AfxMessageBox(const char *text, UINT type = MB_OK);
int AfxMessageBox(UINT stringId, UINT type = MB_OK);
