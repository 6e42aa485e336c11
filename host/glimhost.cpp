// glimhost: a small host program that runs the registration card as Glimmerbox would.
//   glimhost [--name TEXT] [--company TEXT] [--serial TEXT] [--no-owner] [--calls N]
// --calls runs the card N times in this one process, a result line after each.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "../include/GlimReg.h"

namespace {

std::string OwnFolder()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path, n < MAX_PATH ? n : 0);
    const size_t slash = p.find_last_of("\\/");
    p.erase(slash == std::string::npos ? 0 : slash + 1);
    return p;
}

void Put(char (&field)[64], const char *value)
{
    strncpy(field, value, sizeof field - 1);
    field[sizeof field - 1] = '\0';
}

}  // namespace

int main(int argc, char **argv)
{
    HostUserRecord user = {};
    bool withOwner = true;
    long calls = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--name" && hasValue)
            Put(user.userName, argv[++i]);
        else if (arg == "--company" && hasValue)
            Put(user.company, argv[++i]);
        else if (arg == "--serial" && hasValue)
            Put(user.serialNumber, argv[++i]);
        else if (arg == "--no-owner")
            withOwner = false;
        else if (arg == "--calls" && hasValue && strtol(argv[i + 1], nullptr, 10) > 0)
            calls = strtol(argv[++i], nullptr, 10);
        else {
            fprintf(stderr,
                    "usage: glimhost [--name TEXT] [--company TEXT] [--serial TEXT] [--no-owner] "
                    "[--calls N]\n");
            return 2;
        }
    }

    HMODULE lib = LoadLibraryA((OwnFolder() + "GlimReg.dll").c_str());
    if (!lib) {
        fprintf(stderr, "glimhost: cannot load GlimReg.dll (error %lu)\n", GetLastError());
        return 1;
    }
    auto reg = reinterpret_cast<VIreVuvo_RegisterProc>(
        reinterpret_cast<void *>(GetProcAddress(lib, "VIreVuvo_Register")));
    if (!reg) {
        fprintf(stderr, "glimhost: GlimReg.dll has no VIreVuvo_Register\n");
        return 1;
    }

    HWND owner = nullptr;
    if (withOwner) {
        owner = CreateWindowExA(0, "STATIC", "Glimmerbox", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    }

    for (long call = 0; call < calls; ++call) {
        int outcome = -1;
        const int result = reg(owner, &outcome, &user);
        printf("result %d outcome %d\n", result, outcome);
        fflush(stdout);
    }

    if (owner)
        DestroyWindow(owner);
    FreeLibrary(lib);
    return 0;
}
