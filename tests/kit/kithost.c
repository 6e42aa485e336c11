/* A host linked against the kit's import library instead of loading the DLL:
 * the call must reach the export. Its answers to two calls it can predict
 * (an owner that is no window, no outcome to write) are its exit code, so it
 * needs no runtime library of its own. */
#include "GlimReg.h"

int KitHostEntry(void)
{
    static const HostUserRecord host = {"Ada B Lovelace", "Analytical Engines", "TV-0001"};
    int outcome = 7;
    int notWindow = VIreVuvo_Register((HWND)1, &outcome, &host);
    int noOutcome = VIreVuvo_Register(0, 0, &host);
    if (notWindow != -1) return 1;
    if (noOutcome != -1) return 2;
    if (outcome != 7) return 3;
    return 0;
}
