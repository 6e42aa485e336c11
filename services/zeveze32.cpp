// Stand-in for the closed registration-services library: product prefix,
// modem transfer and printing, scripted by zeveze32.ini (the probe is in Probe.cpp).
#include <windows.h>

#include <cstring>
#include <string>

#include "../output/Services.h"
#include "Ini.h"
#include "Text.h"

extern "C" {

int WINAPI ZvProductPrefix(char *prefix)
{
    WriteText(prefix, 10, IniString("Product", "Prefix", "TV"));
    return 0;
}

int WINAPI ZvTransferBegin(int) { return 0; }

int WINAPI ZvTransfer(HINSTANCE, HWND, ZvProgressProc, int, const char *, const char *,
                      const char *, int, int, int, int, int, int, int)
{
    return IniInt("Transfer", "Result", 104);  // no modem is configured
}

int WINAPI ZvStatusText(int, char *text, int width)
{
    WriteText(text, width, "");
    return 0;
}

int WINAPI ZvCancelTransfer(void) { return 0; }

}
