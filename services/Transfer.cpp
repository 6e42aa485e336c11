// Ordinals 23, 1, 24 and 5 of the stand-in: a simulated modem transfer. No
// vendor can be dialled from here, so [Transfer] in zeveze32.ini scripts it:
//   Result=0          the code the transfer returns (104 by default: no modem)
//   Progress=1,2,0,3  the status codes reported in order, one per step
//   StepMs=300        the pause before each further step, messages flowing
//   StepEvent=name    a named event that must also be set before each further step
//   Outbox=C:\out     where the record file is copied (record-NNNN.txt) and
//                     transfer.log (the arguments) and events.log are appended
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Ini.h"
#include "Services.h"
#include "Text.h"

namespace {

const char kSection[] = "Transfer";
const int kNoModem = 104;
const int kFileError = 101;
const int kUserAbort = 110;
const DWORD kDefaultStepMs = 300;
// A step event that is never set ends its wait after this long.
const DWORD kStepEventLimitMs = 30000;
const int kMaxCopies = 10000;

struct StatusText {
    int status;
    const char *text;
};

const StatusText kStatusTexts[] = {
    {1, "Initializing modem..."},
    {2, "Dialing..."},
    {3, "Connecting..."},
    {4, "Logging on..."},
    {5, "Transmitting registration..."},
    {6, "Hanging up..."},
    {7, "Transmission complete."},
};

// Set by ordinal 5; the running transfer stops at its next step.
bool g_stopAsked;

std::string Outbox()
{
    std::string dir = IniString(kSection, "Outbox", "");
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/')
        dir += '\\';
    return dir;
}

void AppendLine(const char *log, const std::string &line)
{
    const std::string dir = Outbox();
    if (dir.empty())
        return;
    if (FILE *f = fopen((dir + log).c_str(), "ab")) {
        fprintf(f, "%s\r\n", line.c_str());
        fclose(f);
    }
}

void Event(const std::string &what) { AppendLine("events.log", what); }

std::string Hex(const void *p)
{
    char text[32];
    snprintf(text, sizeof text, "%#llx",
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(p)));
    return text;
}

std::string Str(const char *s) { return s ? s : "(null)"; }

bool ReadWhole(const char *path, std::string *bytes)
{
    if (!path)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream all;
    all << in.rdbuf();
    *bytes = all.str();
    return true;
}

// Writes the record into the outbox under the first name not yet taken.
bool CopyToOutbox(const std::string &record)
{
    const std::string dir = Outbox();
    for (int n = 1; n < kMaxCopies; ++n) {
        char name[32];
        snprintf(name, sizeof name, "record-%04d.txt", n);
        HANDLE f = CreateFileA((dir + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS)
                continue;
            return false;
        }
        DWORD written = 0;
        const bool ok = WriteFile(f, record.data(), static_cast<DWORD>(record.size()), &written,
                                  nullptr) &&
                        written == record.size();
        CloseHandle(f);
        return ok;
    }
    return false;
}

std::vector<int> ProgressCodes()
{
    std::vector<int> codes;
    std::istringstream list(IniString(kSection, "Progress", "1"));
    std::string item;
    while (std::getline(list, item, ','))
        if (item.find_first_not_of(" \t") != std::string::npos)
            codes.push_back(static_cast<int>(strtol(item.c_str(), nullptr, 0)));
    return codes;
}

// Dispatches what is waiting, as the caller's own loop would; false once the
// thread was asked to quit (the request is put back for the caller).
bool KeepMessagesFlowing()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

// The pause between two steps: StepMs, then the step event if one is named.
void PauseBetweenSteps(DWORD ms, HANDLE stepEvent)
{
    const DWORD start = GetTickCount();
    while (KeepMessagesFlowing()) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    }
    if (!stepEvent)
        return;
    const DWORD waitStart = GetTickCount();
    while (KeepMessagesFlowing()) {
        const DWORD elapsed = GetTickCount() - waitStart;
        if (elapsed >= kStepEventLimitMs)
            return;
        if (MsgWaitForMultipleObjects(1, &stepEvent, FALSE, kStepEventLimitMs - elapsed,
                                      QS_ALLINPUT) == WAIT_OBJECT_0)
            return;
    }
}

int Finish(int result)
{
    Event("result " + std::to_string(result));
    return result;
}

}  // namespace

extern "C" {

int WINAPI ZvTransferBegin(int one)
{
    g_stopAsked = false;
    Event("begin " + std::to_string(one));
    return 0;
}

int WINAPI ZvTransfer(HINSTANCE module, HWND owner, ZvProgressProc progress, int a4,
                      const char *recordFile, const char *dialString, const char *productCode,
                      int a8, int a9, int comPort, int baud, int a12, int a13, int flags)
{
    g_stopAsked = false;
    std::string args = Hex(module) + "\t" + Hex(owner) + "\t" +
                       Hex(reinterpret_cast<const void *>(progress));
    for (const std::string &a :
         {std::to_string(a4), Str(recordFile), Str(dialString), Str(productCode),
          std::to_string(a8), std::to_string(a9), std::to_string(comPort), std::to_string(baud),
          std::to_string(a12), std::to_string(a13), std::to_string(flags)})
        args += "\t" + a;
    AppendLine("transfer.log", args);
    Event("transfer");

    // The file must be there, complete, when the transfer starts.
    std::string record;
    if (!ReadWhole(recordFile, &record))
        return Finish(kFileError);
    if (!Outbox().empty() && !CopyToOutbox(record))
        return Finish(kFileError);

    const DWORD stepMs = static_cast<DWORD>(IniInt(kSection, "StepMs", kDefaultStepMs));
    const std::string eventName = IniString(kSection, "StepEvent", "");
    HANDLE stepEvent =
        eventName.empty() ? nullptr : OpenEventA(SYNCHRONIZE, FALSE, eventName.c_str());

    const std::vector<int> codes = ProgressCodes();
    bool stopped = false;
    for (size_t i = 0; i < codes.size() && !stopped; ++i) {
        if (i > 0)
            PauseBetweenSteps(stepMs, stepEvent);
        stopped = g_stopAsked;
        if (stopped)
            break;
        Event("progress " + std::to_string(codes[i]));
        if (progress)
            progress(codes[i]);
    }
    if (stepEvent)
        CloseHandle(stepEvent);
    if (stopped || g_stopAsked)
        return Finish(kUserAbort);
    return Finish(IniInt(kSection, "Result", kNoModem));
}

int WINAPI ZvStatusText(int status, char *text, int width)
{
    std::string found = "Status " + std::to_string(status);
    for (const StatusText &s : kStatusTexts)
        if (s.status == status)
            found = s.text;
    WriteText(text, width, found);
    return 0;
}

int WINAPI ZvCancelTransfer(void)
{
    g_stopAsked = true;
    Event("cancel");
    return 0;
}

}
