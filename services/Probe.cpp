// The stand-in's hardware probe: reports this machine through Win32, and the
// [Probe] section of zeveze32.ini can present any other machine instead:
//   Cpu=0x42  Memory=640,15360  Display=VGA,2  Drives=A:32,C:128:540,D:5,E:2
//   Mouse=0x24  Printer=  Parallel=12  Dos=  Windows=
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "Ini.h"
#include "Services.h"
#include "Text.h"

namespace {

const char kSection[] = "Probe";

bool Overridden(const char *key) { return IniHas(kSection, key); }

// The drive types the card knows: floppies by size, CD-ROM, hard disk; 2 is any other.
enum : int {
    kFloppy144M = 32,
    kCdRom = 5,
    kHardDisk = 128,
    kOtherDrive = 2,
};

struct DriveSeen {
    int index;
    int type;
    int number;
};

int ClampToInt(unsigned long long n) { return n > INT_MAX ? INT_MAX : static_cast<int>(n); }

// "A:32,C:128:540": letter, type and the optional number of each drive.
std::vector<DriveSeen> DrivesFromIni()
{
    std::vector<DriveSeen> drives;
    const std::string list = IniString(kSection, "Drives", "");
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos)
            end = list.size();
        const std::string item = list.substr(start, end - start);
        start = end + 1;
        int type = 0, number = 0;
        char letter = 0;
        if (sscanf(item.c_str(), " %c:%i:%i", &letter, &type, &number) >= 2) {
            letter = static_cast<char>(toupper(static_cast<unsigned char>(letter)));
            if (letter >= 'A' && letter <= 'Z')
                drives.push_back({letter - 'A', type, number});
        }
    }
    return drives;
}

bool PresentOnThisMachine(int index) { return (GetLogicalDrives() & (1u << index)) != 0; }

// A floppy, CD-ROM or hard disk type says the drive is there, so the list of
// drives is asked only about the other types: under Wine each of the two
// questions is a round trip to another process.
DriveSeen DriveOfThisMachine(int index)
{
    const char root[] = {static_cast<char>('A' + index), ':', '\\', '\0'};
    switch (GetDriveTypeA(root)) {
    case DRIVE_REMOVABLE:
        // The first two letters are the floppy drives; any other removable drive is other.
        return {index, index < 2 ? kFloppy144M : kOtherDrive, 0};
    case DRIVE_CDROM:
        return {index, kCdRom, 0};
    case DRIVE_FIXED: {
        ULARGE_INTEGER total;
        total.QuadPart = 0;
        GetDiskFreeSpaceExA(root, nullptr, &total, nullptr);
        return {index, kHardDisk, ClampToInt(total.QuadPart / (1024 * 1024))};
    }
    default:
        return {index, PresentOnThisMachine(index) ? kOtherDrive : 0, 0};
    }
}

// Display classes by the screen's width and colour depth, first match wins.
struct DisplayClassRow {
    int minWidth;
    int minBits;
    const char *name;
    int displayClass;
};

const DisplayClassRow kDisplayClasses[] = {
    {1280, 8, "SXGA", 5},
    {1024, 8, "XGA", 4},
    {800, 8, "Super VGA", 3},
    {640, 4, "VGA", 2},
    {0, 0, "EGA", 1},
};

int DisplayOfThisMachine(std::string *text)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    int bits = 0;
    if (HDC screen = GetDC(nullptr)) {
        bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
        ReleaseDC(nullptr, screen);
    }
    const DisplayClassRow *end = std::end(kDisplayClasses);
    const DisplayClassRow *row =
        std::find_if(std::begin(kDisplayClasses), end, [&](const DisplayClassRow &r) {
            return width >= r.minWidth && bits >= r.minBits;
        });
    if (row == end) {
        *text = "Unknown";
        return 0;
    }
    char description[64];
    snprintf(description, sizeof description, "%s %dx%d, %d-bit colour", row->name, width,
             height, bits);
    *text = description;
    return row->displayClass;
}

// The processor class from the system's description of it.
int ProcessorOfThisMachine()
{
    SYSTEM_INFO info;
    GetNativeSystemInfo(&info);
    int bits = 0x02;  // not identified
    if (info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64)
        bits = 0x80;
    else if (info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_INTEL)
        bits = info.wProcessorLevel >= 5 ? 0x80 : info.wProcessorLevel == 4 ? 0x40 : 0x20;
    if (!IsProcessorFeaturePresent(PF_FLOATING_POINT_EMULATED))
        bits |= 0x01;
    return bits;
}

// The machine's memory in KB as the first 640 KB and the rest.
int MemoryOfThisMachine(int which)
{
    MEMORYSTATUSEX status;
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return 0;
    const unsigned long long total = status.ullTotalPhys / 1024;
    const unsigned long long conventional = total < 640 ? total : 640;
    return which == 1 ? ClampToInt(conventional) : ClampToInt(total - conventional);
}

// Ports the system names LPT1 to LPT9.
int ParallelPortsOfThisMachine()
{
    int count = 0;
    for (int i = 1; i <= 9; ++i) {
        char name[8], target[MAX_PATH];
        snprintf(name, sizeof name, "LPT%d", i);
        if (QueryDosDeviceA(name, target, sizeof target))
            ++count;
    }
    return count;
}

std::string PrinterOfThisMachine()
{
    char name[256];
    DWORD size = sizeof name;
    if (GetDefaultPrinterA(name, &size))
        return name;
    return "None";
}

std::string WindowsVersionOfThisMachine()
{
    OSVERSIONINFOA version;
    memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version))
        return "Windows";
    char text[64];
    snprintf(text, sizeof text, "Windows %lu.%lu (build %lu)", version.dwMajorVersion,
             version.dwMinorVersion, version.dwBuildNumber);
    return text;
}

std::string DosVersionOfThisMachine()
{
    // The command prompt of every Windows NT answers as DOS 5.00.
    return "MS-DOS 5.00";
}

}  // namespace

extern "C" {

int WINAPI ZvProcessor(void)
{
    return Overridden("Cpu") ? IniInt(kSection, "Cpu", 0) : ProcessorOfThisMachine();
}

int WINAPI ZvMemorySize(int which)
{
    if (which != 1 && which != 2)
        return 0;
    if (Overridden("Memory")) {
        int first = 0, second = 0;
        sscanf(IniString(kSection, "Memory", "").c_str(), "%d , %d", &first, &second);
        return which == 1 ? first : second;
    }
    return MemoryOfThisMachine(which);
}

int WINAPI ZvDisplay(char *display)
{
    std::string text;
    int displayClass = 0;
    if (Overridden("Display")) {
        // "VGA,2": the description, then the class after the last comma.
        text = IniString(kSection, "Display", "");
        const size_t comma = text.find_last_of(',');
        if (comma != std::string::npos) {
            displayClass = atoi(text.c_str() + comma + 1);
            text.erase(comma);
        }
    } else {
        displayClass = DisplayOfThisMachine(&text);
    }
    WriteText(display, 50, text);
    return displayClass;
}

// The card asks for the next drive and then about that one drive, so each
// call looks only at what it answers: asking every drive its type and size
// at each step made the walk cost the square of the drives (under Wine, a
// drive's type is a round trip to another process).
int WINAPI ZvNextDrive(int previous)
{
    // The drives in letter order, whatever order the script lists them in.
    int next = -1;
    if (Overridden("Drives")) {
        for (const DriveSeen &d : DrivesFromIni())
            if (d.index > previous && (next == -1 || d.index < next))
                next = d.index;
        return next;
    }
    // Each letter after the previous drive is asked by its device name: the
    // walk then asks about each letter once in all, where the list of drives
    // at every step is a round trip to Wine's mount manager each time.
    for (int i = previous < 0 ? 0 : previous + 1; i < 26 && next == -1; ++i) {
        const char name[] = {static_cast<char>('A' + i), ':', '\0'};
        char target[MAX_PATH];
        if (QueryDosDeviceA(name, target, sizeof target))
            next = i;
    }
    return next;
}

int WINAPI ZvDriveInfo(int drive, int *type, int *number)
{
    int t = 0, n = 0;
    if (Overridden("Drives")) {
        for (const DriveSeen &d : DrivesFromIni())
            if (d.index == drive) {
                t = d.type;
                n = d.number;
            }
    } else if (drive >= 0 && drive < 26) {
        const DriveSeen d = DriveOfThisMachine(drive);
        t = d.type;
        n = d.number;
    }
    if (type)
        *type = t;
    if (number)
        *number = n;
    return 0;
}

int WINAPI ZvMouse(void)
{
    if (Overridden("Mouse"))
        return IniInt(kSection, "Mouse", 0);
    return GetSystemMetrics(SM_MOUSEPRESENT) ? 0x02 : 0x01;
}

int WINAPI ZvPrinter(char *printer, int width)
{
    WriteText(printer, width,
              Overridden("Printer") ? IniString(kSection, "Printer", "") : PrinterOfThisMachine());
    return 0;
}

int WINAPI ZvPorts(int which)
{
    if (which != 2)
        return 0;
    return Overridden("Parallel") ? IniInt(kSection, "Parallel", 0) : ParallelPortsOfThisMachine();
}

int WINAPI ZvVersion(int which, char *text, int width)
{
    if (which == 1)
        WriteText(text, width,
                  Overridden("Dos") ? IniString(kSection, "Dos", "") : DosVersionOfThisMachine());
    else if (which == 2)
        WriteText(text, width,
                  Overridden("Windows") ? IniString(kSection, "Windows", "")
                                        : WindowsVersionOfThisMachine());
    else
        WriteText(text, width, "");
    return 0;
}
}
