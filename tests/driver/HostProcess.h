// A host program run as a child process, as the demo and the many-calls test
// run glimhost: its windows are the ones the driver watches, its output is
// read line by line.
#pragma once
#include <windows.h>

#include <string>

class HostProcess {
public:
    HostProcess() = default;
    ~HostProcess();
    HostProcess(const HostProcess &) = delete;
    HostProcess &operator=(const HostProcess &) = delete;

    // Starts folder\program with the arguments, in that folder (with or
    // without its trailing separator); the driver watches its windows from
    // then on.
    bool Start(const std::string &folder, const std::string &program,
               const std::string &arguments);
    HANDLE Process() const { return m_process; }
    DWORD Pid() const { return m_pid; }

    // The next line the program wrote, without its line end; false when none
    // came within waitMs or the program ended without one.
    bool NextLine(std::string *line, DWORD waitMs);

private:
    HANDLE m_process = nullptr;
    HANDLE m_output = nullptr;
    DWORD m_pid = 0;
    std::string m_text;
};
