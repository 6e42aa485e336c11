// Centring arithmetic, and moving a dialog to the centre of the desktop.
#include "Centre.h"

void CentredOrigin(const CentreRect &d, const CentreRect &w, long *x, long *y)
{
    *x = ((d.right - d.left) - (w.right - w.left)) / 2;
    if (*x < 0)
        *x = 0;
    *y = ((d.bottom - d.top) - (w.bottom - w.top)) / 2;
    if (*y < 0)
        *y = 0;
}

#ifdef _WIN32
void CentreOnDesktop(HWND dialog)
{
    RECT d, w;
    GetWindowRect(GetDesktopWindow(), &d);
    GetWindowRect(dialog, &w);
    long x, y;
    CentredOrigin({d.left, d.top, d.right, d.bottom}, {w.left, w.top, w.right, w.bottom}, &x, &y);
    MoveWindow(dialog, x, y, w.right - w.left, w.bottom - w.top, FALSE);
}
#endif
