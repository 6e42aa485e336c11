// The session's timeline: lines appended to the file GLIMREG_TRACE names.
#include "Trace.h"

#include <windows.h>

namespace {

enum State { UNKNOWN, STARTING, OFF, ON };
volatile LONG g_state = UNKNOWN;
HANDLE g_file = INVALID_HANDLE_VALUE;
LARGE_INTEGER g_origin, g_frequency;
CRITICAL_SECTION g_section;

// The variable is read once: a trace that is off then costs one comparison.
void Start()
{
    // One thread opens the file; another one meanwhile traces nothing.
    if (InterlockedCompareExchange(&g_state, STARTING, UNKNOWN) != UNKNOWN)
        return;
    char path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("GLIMREG_TRACE", path, sizeof path);
    if (n == 0 || n >= sizeof path) {
        InterlockedExchange(&g_state, OFF);
        return;
    }
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        InterlockedExchange(&g_state, OFF);
        return;
    }
    QueryPerformanceFrequency(&g_frequency);
    QueryPerformanceCounter(&g_origin);
    InitializeCriticalSection(&g_section);
    g_file = file;
    InterlockedExchange(&g_state, ON);
    // Under Wine the counter is the system's monotonic clock: with its value at
    // the origin, a server's own log lines up with this timeline.
    TraceLine("origin " FORMAT_INT64 " us of the performance counter",
              g_origin.QuadPart * 1000000 / g_frequency.QuadPart);
}

}  // namespace

bool TraceOn()
{
    if (g_state == UNKNOWN)
        Start();
    return g_state == ON;
}

void TraceLine(const char *format, ...)
{
    if (!TraceOn())
        return;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const long long micros = (now.QuadPart - g_origin.QuadPart) * 1000000 / g_frequency.QuadPart;
    char line[256];
    int n = FormatText(line, sizeof line, FORMAT_INT64 " us  t%lu  ", micros,
                       GetCurrentThreadId());
    if (n < 0)
        n = 0;
    va_list args;
    va_start(args, format);
    const int m = FormatTextV(line + n, sizeof line - n - 2, format, args);
    va_end(args);
    if (m > 0)
        n += m;
    line[n++] = '\r';
    line[n++] = '\n';
    EnterCriticalSection(&g_section);
    DWORD written = 0;
    WriteFile(g_file, line, static_cast<DWORD>(n), &written, nullptr);
    LeaveCriticalSection(&g_section);
}

void TraceClose()
{
    if (g_state != ON)
        return;
    g_state = OFF;
    CloseHandle(g_file);
    g_file = INVALID_HANDLE_VALUE;
    DeleteCriticalSection(&g_section);
}
