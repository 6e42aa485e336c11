// Test fixtures: a private folder holding copies of the shipped DLLs.
#pragma once
#include <windows.h>

#include <string>

#include "include/GlimReg.h"

HostUserRecord MakeUser(const char *name, const char *company, const char *serial);

// A fresh temporary folder with GlimReg.dll and zeveze32.dll copied in, so each
// test has its own settings file, record file and services script.
class CardFolder {
public:
    CardFolder();
    // The copies in subfolder (one or more levels, made as needed) of a fresh
    // folder: a deep folder, or one named with a "%".
    explicit CardFolder(const std::string &subfolder);
    ~CardFolder();
    CardFolder(const CardFolder &) = delete;
    CardFolder &operator=(const CardFolder &) = delete;

    const std::string &Path() const { return m_path; }
    std::string File(const char *name) const { return m_path + "\\" + name; }

    // Loads the folder's GlimReg.dll (once) and calls its export.
    int Register(HWND owner, int *outcome, const HostUserRecord *user);
    HMODULE Library();

    std::string SettingsPath() const { return File("GlimRg2.ini"); }
    bool HasSettingsFile() const;
    std::string ReadFile(const char *name) const;
    void WriteFile(const char *name, const std::string &bytes) const;
    void Unload();

private:
    std::string m_root;  // the fresh folder, removed whole
    std::string m_path;
    HMODULE m_lib = nullptr;
};

// The stand-in's [Probe] section presenting one machine, whatever machine runs
// the tests, so that what the card sends can be written out in full.
extern const char kFixedMachine[];

// Rewrites one entry of a module's string table in place (the module must not
// be loaded), as the tests do to point a copy of the library elsewhere.
bool RewriteString(const std::string &modulePath, int id, const std::string &text);

// Directory of the shipped binaries (GLIMREG_DIST), with a trailing backslash.
std::string DistFolder();
