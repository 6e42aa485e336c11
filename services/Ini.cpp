// Reading the stand-in's script, zeveze32.ini, from the library's own folder.
#include "Ini.h"

#include <windows.h>

namespace {

// The library's folder does not change while it is loaded.
const std::string &IniPath()
{
    static const std::string path = [] {
        HMODULE self = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&IniPath), &self);
        char name[MAX_PATH];
        const DWORD n = GetModuleFileNameA(self, name, MAX_PATH);
        std::string p(name, n < MAX_PATH ? n : 0);
        const size_t slash = p.find_last_of("\\/");
        p.erase(slash == std::string::npos ? 0 : slash + 1);
        return p + "zeveze32.ini";
    }();
    return path;
}

// Whether a script was there at the library's first call. Unscripted, the
// stand-in answers every key with its default and never looks again: under
// Wine a look for a file that is not there is slow, and the card's start-up
// asks some twenty questions.
bool Scripted()
{
    static const bool scripted = GetFileAttributesA(IniPath().c_str()) != INVALID_FILE_ATTRIBUTES;
    return scripted;
}

const char kMissing[] = "\x01missing\x01";

}  // namespace

std::string IniString(const char *section, const char *key, const char *fallback)
{
    // A script is read afresh at every call, so one rewritten or removed
    // between calls counts; without it each key is the fallback at once,
    // where the profile functions would look for the file again every time.
    if (!Scripted())
        return fallback;
    const std::string &path = IniPath();
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return fallback;
    char value[1024];
    GetPrivateProfileStringA(section, key, fallback, value, sizeof value, path.c_str());
    return value;
}

int IniInt(const char *section, const char *key, int fallback)
{
    const std::string v = IniString(section, key, "");
    if (v.empty())
        return fallback;
    return static_cast<int>(strtol(v.c_str(), nullptr, 0));
}

bool IniHas(const char *section, const char *key)
{
    return IniString(section, key, kMissing) != kMissing;
}
