// Stand-in for the closed registration-services library: product prefix,
// hardware probe, modem transfer and printing, scripted by zeveze32.ini.
#include <windows.h>

#include <cstring>
#include <string>

#include "../output/Services.h"
#include "Ini.h"

namespace {

void WriteText(char *dest, int width, const std::string &text)
{
    if (!dest || width <= 0)
        return;
    const size_t n = text.size() < static_cast<size_t>(width - 1) ? text.size() : width - 1;
    memcpy(dest, text.data(), n);
    dest[n] = '\0';
}

}  // namespace

extern "C" {

int WINAPI ZvProductPrefix(char *prefix)
{
    WriteText(prefix, 10, IniString("Product", "Prefix", "TV"));
    return 0;
}

int WINAPI ZvProcessor(void) { return 0x02; }
int WINAPI ZvMemorySize(int) { return 0; }
int WINAPI ZvDisplay(char *display)
{
    WriteText(display, 50, "");
    return 0;
}
int WINAPI ZvNextDrive(int) { return -1; }
int WINAPI ZvDriveInfo(int, int *type, int *number)
{
    if (type)
        *type = 0;
    if (number)
        *number = 0;
    return 0;
}
int WINAPI ZvMouse(void) { return 0; }
int WINAPI ZvPrinter(char *printer, int width)
{
    WriteText(printer, width, "None");
    return 0;
}
int WINAPI ZvPorts(int) { return 0; }
int WINAPI ZvVersion(int, char *text, int width)
{
    WriteText(text, width, "");
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
