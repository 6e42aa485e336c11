// Test fixtures: private folders with copies of the shipped DLLs.
#include "Fixture.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

const char kFixedMachine[] = "[Probe]\r\n"
                             "Cpu=0x42\r\n"
                             "Memory=640,15360\r\n"
                             "Display=VGA,2\r\n"
                             "Drives=A:32,C:128:540,D:5\r\n"
                             "Mouse=0x24\r\n"
                             "Printer=Laser\r\n"
                             "Parallel=1\r\n"
                             "Dos=6.22\r\n"
                             "Windows=3.11\r\n";

HostUserRecord MakeUser(const char *name, const char *company, const char *serial)
{
    HostUserRecord user;
    memset(&user, 0, sizeof user);
    strncpy(user.userName, name, sizeof user.userName - 1);
    strncpy(user.company, company, sizeof user.company - 1);
    strncpy(user.serialNumber, serial, sizeof user.serialNumber - 1);
    return user;
}

std::string DistFolder()
{
    char dist[MAX_PATH] = "";
    GetEnvironmentVariableA("GLIMREG_DIST", dist, sizeof dist);
    std::string d = dist;
    if (!d.empty() && d.back() != '\\')
        d += '\\';
    return d;
}

namespace {

void RemoveTree(const std::string &dir)
{
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string full = dir + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(dir.c_str());
}

}  // namespace

CardFolder::CardFolder() : CardFolder(std::string()) {}

CardFolder::CardFolder(const std::string &subfolder)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static int counter = 0;
    char name[64];
    snprintf(name, sizeof name, "glimreg-%lu-%d", GetCurrentProcessId(), ++counter);
    m_root = std::string(temp) + name;
    m_path = m_root;
    CreateDirectoryA(m_path.c_str(), nullptr);
    size_t start = 0;
    while (start < subfolder.size()) {
        size_t end = subfolder.find('\\', start);
        if (end == std::string::npos)
            end = subfolder.size();
        m_path += "\\" + subfolder.substr(start, end - start);
        CreateDirectoryA(m_path.c_str(), nullptr);
        start = end + 1;
    }
    for (const char *dll : {"GlimReg.dll", "zeveze32.dll"})
        CopyFileA((DistFolder() + dll).c_str(), File(dll).c_str(), FALSE);
}

CardFolder::~CardFolder()
{
    Unload();
    RemoveTree(m_root);
}

HMODULE CardFolder::Library()
{
    // The library's own folder is searched first for its zeveze32.dll, so the
    // folder's copy (and its zeveze32.ini) serves this card.
    if (!m_lib)
        m_lib = LoadLibraryExA(File("GlimReg.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return m_lib;
}

void CardFolder::Unload()
{
    if (m_lib)
        FreeLibrary(m_lib);
    m_lib = nullptr;
}

int CardFolder::Register(HWND owner, int *outcome, const HostUserRecord *user)
{
    HMODULE lib = Library();
    if (!lib)
        return -1000;
    auto reg = reinterpret_cast<VIreVuvo_RegisterProc>(
        reinterpret_cast<void *>(GetProcAddress(lib, "VIreVuvo_Register")));
    if (!reg)
        return -1001;
    return reg(owner, outcome, user);
}

bool CardFolder::HasSettingsFile() const
{
    return GetFileAttributesA(SettingsPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string CardFolder::ReadFile(const char *name) const
{
    std::ifstream in(File(name), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void CardFolder::WriteFile(const char *name, const std::string &bytes) const
{
    std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool RewriteString(const std::string &modulePath, int id, const std::string &text)
{
    // A string table block holds 16 strings, each a length and UTF-16 text.
    const int block = id / 16 + 1;
    const WORD lang = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    std::wstring entries[16];
    HMODULE data = LoadLibraryExA(modulePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!data)
        return false;
    for (int i = 0; i < 16; ++i) {
        const WCHAR *p = nullptr;
        const int n = LoadStringW(data, (block - 1) * 16 + i, reinterpret_cast<LPWSTR>(&p), 0);
        if (n > 0 && p)
            entries[i].assign(p, n);
    }
    FreeLibrary(data);
    entries[id % 16].assign(text.begin(), text.end());

    std::wstring blob;
    for (const std::wstring &e : entries) {
        blob += static_cast<wchar_t>(e.size());
        blob += e;
    }
    HANDLE update = BeginUpdateResourceA(modulePath.c_str(), FALSE);
    if (!update)
        return false;
    const BOOL ok = UpdateResourceA(update, RT_STRING, MAKEINTRESOURCEA(block), lang,
                                    const_cast<wchar_t *>(blob.data()),
                                    static_cast<DWORD>(blob.size() * sizeof(wchar_t)));
    return EndUpdateResourceA(update, !ok) && ok;
}
