// A host program run as a child process, its output read through a pipe.
#include "HostProcess.h"

#include <vector>

#include "UiDriver.h"

HostProcess::~HostProcess()
{
    if (m_process) {
        if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_process, 1);
        CloseHandle(m_process);
        ui::WatchProcess(0);
    }
    if (m_output)
        CloseHandle(m_output);
}

bool HostProcess::Start(const std::string &folder, const std::string &program,
                        const std::string &arguments)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE write = nullptr;
    if (!CreatePipe(&m_output, &write, &inherit, 0))
        return false;
    SetHandleInformation(m_output, HANDLE_FLAG_INHERIT, 0);
    std::string dir = folder;
    if (!dir.empty() && (dir.back() == '\\' || dir.back() == '/'))
        dir.pop_back();
    const std::string command = "\"" + dir + "\\" + program + "\" " + arguments;
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = write;
    start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    const BOOL ok = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   dir.c_str(), &start, &started);
    CloseHandle(write);
    if (!ok)
        return false;
    CloseHandle(started.hThread);
    m_process = started.hProcess;
    m_pid = started.dwProcessId;
    ui::WatchProcess(m_pid);
    return true;
}

bool HostProcess::NextLine(std::string *line, DWORD waitMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const size_t end = m_text.find('\n');
        if (end != std::string::npos) {
            line->assign(m_text, 0, end);
            m_text.erase(0, end + 1);
            if (!line->empty() && line->back() == '\r')
                line->pop_back();
            return true;
        }
        DWORD waiting = 0;
        if (!PeekNamedPipe(m_output, nullptr, 0, nullptr, &waiting, nullptr))
            return false;  // the program ended and its output is read
        if (waiting == 0) {
            if (waitMs != INFINITE && GetTickCount() - start > waitMs)
                return false;
            Sleep(10);
            continue;
        }
        char bytes[256];
        DWORD n = 0;
        if (!ReadFile(m_output, bytes, sizeof bytes, &n, nullptr))
            return false;
        m_text.append(bytes, n);
    }
}
