// Stand-in for the closed registration-services library, scripted by
// zeveze32.ini: the product prefix here; the probe, the transfer and printing
// in Probe.cpp, Transfer.cpp and Print.cpp.
#include <windows.h>

#include <cstring>
#include <string>

#include "Ini.h"
#include "Services.h"
#include "Text.h"

extern "C" {

int WINAPI ZvProductPrefix(char *prefix)
{
    WriteText(prefix, 10, IniString("Product", "Prefix", "TV"));
    return 0;
}

}
