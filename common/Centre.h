// Centring a dialog on the desktop.
#pragma once

struct CentreRect {
    long left, top, right, bottom;
};

// Top-left corner that centres window w on desktop d: half the difference,
// rounded toward zero, never negative. The desktop's own origin is not added.
void CentredOrigin(const CentreRect &d, const CentreRect &w, long *x, long *y);

#ifdef _WIN32
#include <windows.h>
void CentreOnDesktop(HWND dialog);
#endif
