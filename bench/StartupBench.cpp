// The start-up benchmark: how long the card takes from the host's call to its
// first dialog on screen, against the bare showing of that same dialog.
//   StartupBench [RUNS]     (GLIMREG_DIST names the folder of the DLLs)
//
// Both kinds run on this one thread, in one process, with the library loaded
// once beforehand from a private copy (so no settings file of anyone's is
// read or written):
//   card  VIreVuvo_Register(NULL, ...): configuration, settings file, host
//         fields, then the intro dialog (the hardware is probed later, by
//         the hardware step);
//   bare  DialogBoxParam of the intro's template from the same module with a
//         dialog procedure that does nothing.
// The clock (QueryPerformanceCounter) starts just before the call and stops
// when the intro becomes visible: a hook on this thread (WH_CALLWNDPROCRET)
// sees the intro's WM_WINDOWPOSCHANGED with SWP_SHOWWINDOW once the window
// procedure has handled it. The hook then posts WM_CLOSE, which both
// procedures answer by ending the dialog (the card's intro as Register Later,
// which writes nothing). Each kind has one warm-up run, not counted; the
// counted runs alternate card and bare, so a busy moment of the machine falls
// on both alike.
// Two cases, since the card reads every key of the settings file one by one:
// the first call (no settings file) and a card put off at the delivery choice
// (the file holds all the card's and the questionnaire's keys).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "include/GlimReg.h"
#include "resources/resource.h"
#include "tests/driver/Fixture.h"

namespace {

const char kIntroCaption[] = "Electronic Registration Card";
const UINT kWatchdogMs = 10000;  // a dialog that never shows ends the run as failed
const double kGoal = 1.2;        // the card's median at most this times its floor's

LARGE_INTEGER g_start, g_shown;
bool g_seen = false;
bool g_timedOut = false;

bool IsIntro(HWND window)
{
    char caption[64] = "";
    GetWindowTextA(window, caption, sizeof caption);
    return GetDlgItem(window, IDC_INTRO_PRODUCT_TEXT) && GetDlgItem(window, IDC_REGISTER_NOW) &&
           strcmp(caption, kIntroCaption) == 0;
}

LRESULT CALLBACK ShownHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto *sent = reinterpret_cast<const CWPRETSTRUCT *>(lParam);
    if (code == HC_ACTION && !g_seen && sent->message == WM_WINDOWPOSCHANGED &&
        (reinterpret_cast<const WINDOWPOS *>(sent->lParam)->flags & SWP_SHOWWINDOW)) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);  // before the check, which is not the card's time
        if (IsIntro(sent->hwnd)) {
            g_shown = now;
            g_seen = true;
            PostMessageA(sent->hwnd, WM_CLOSE, 0, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A named callback: on 32-bit Windows a lambda does not convert to the stdcall WNDENUMPROC.
BOOL CALLBACK PostClose(HWND w, LPARAM)
{
    PostMessageA(w, WM_CLOSE, 0, 0);
    return TRUE;
}

void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD)
{
    g_timedOut = true;
    EnumThreadWindows(GetCurrentThreadId(), PostClose, 0);
}

INT_PTR CALLBACK BareProc(HWND dlg, UINT msg, WPARAM, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_CLOSE:
        EndDialog(dlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Times one call of show from the start to the intro on screen; negative on failure.
template <typename Show>
double TimeOne(Show show)
{
    g_seen = false;
    g_timedOut = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, kWatchdogMs, Watchdog);
    QueryPerformanceCounter(&g_start);
    show();
    KillTimer(nullptr, timer);
    // Whatever the watchdog or the close left queued stays out of the next run.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    return g_seen && !g_timedOut ? Seconds(g_start, g_shown) : -1.0;
}

// The settings file of a card put off at the delivery choice: what the card
// page and the questionnaire save.
const char *const kSavedCard[][2] = {
    {"First Name", "Ann"},
    {"Initial", "B"},
    {"Last Name", "Smith"},
    {"Company", "Harbor Graphics"},
    {"Address1", "12 Quay Street"},
    {"Address2", "Unit 4"},
    {"City", "Portsmouth"},
    {"State", "NH"},
    {"Zip", "03801"},
    {"Country", "USA"},
    {"Phone", "603 555 0100"},
    {"Fax", "603 555 0101"},
    {"Purchase Type", "Upgrade"},
    {"Computers at Site", "2 - 5"},
    {"I have used", "1 yr. - 2 yrs."},
    {"How did you hear", "Review"},
    {"Service", "Internet"},
    {"Email Address", "ann@harbor.example"},
    {"Purchased From", "Bay Software"},
    {"Purchase Date", "03/14/96"},
    {"Serial Number", "GB-200-0001"},
};

std::string SavedSettings()
{
    std::string text = "[User Demographics]\r\n";
    for (const auto &key : kSavedCard)
        text += std::string(key[0]) + "=" + key[1] + "\r\n";
    text += "[Market Research]\r\nDoNotSendMarketResearch=0\r\n";
    for (int q = 1; q <= 51; ++q)
        text += "Question" + std::to_string(q) + "=" + std::to_string(q % 3 == 0) + "\r\n";
    return text;
}

// The floor for a card put off: what the card must do before it shows, the
// same profile reads of the same settings file (the 21 card keys, the opt-out
// and the 51 answers, one call each), then the bare dialog.
int ReadLikeTheCard(const std::string &path)
{
    char value[128];
    int answers = 0;
    for (const auto &key : kSavedCard)
        GetPrivateProfileStringA("User Demographics", key[0], "", value, sizeof value, path.c_str());
    answers += GetPrivateProfileIntA("Market Research", "DoNotSendMarketResearch", 0, path.c_str());
    for (int q = 1; q <= 51; ++q)
        answers += GetPrivateProfileIntA("Market Research", ("Question" + std::to_string(q)).c_str(),
                                         0, path.c_str());
    return answers;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void Report(const char *what, const std::vector<double> &v)
{
    printf("    %-22s median %8.3f ms   min %8.3f   max %8.3f\n", what, Median(v) * 1000,
           *std::min_element(v.begin(), v.end()) * 1000,
           *std::max_element(v.begin(), v.end()) * 1000);
}

}  // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? atoi(argv[1]) : 50;
    if (runs < 1 || DistFolder().empty()) {
        fprintf(stderr, "usage: StartupBench [RUNS]  (with GLIMREG_DIST set)\n");
        return 2;
    }
    CardFolder folder;
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    HMODULE lib = folder.Library();
    QueryPerformanceCounter(&after);
    auto reg = lib ? reinterpret_cast<VIreVuvo_RegisterProc>(reinterpret_cast<void *>(
                         GetProcAddress(lib, "VIreVuvo_Register")))
                   : nullptr;
    if (!reg) {
        fprintf(stderr, "StartupBench: cannot load GlimReg.dll from %s\n", folder.Path().c_str());
        return 1;
    }

    const HostUserRecord user = MakeUser("Ann B Smith", "Harbor Graphics", "GB-200-0001");
    int outcome = -1, result = 0;
    auto card = [&] { result = reg(nullptr, &outcome, &user); };
    auto bare = [&] {
        DialogBoxParamA(lib, MAKEINTRESOURCEA(IDD_INTRO), nullptr, BareProc, 0);
    };
    const std::string settingsPath = folder.SettingsPath();
    auto floor = [&] {
        if (ReadLikeTheCard(settingsPath) < 0)
            return;
        DialogBoxParamA(lib, MAKEINTRESOURCEA(IDD_INTRO), nullptr, BareProc, 0);
    };

    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, ShownHook, nullptr, GetCurrentThreadId());
    if (!hook) {
        fprintf(stderr, "StartupBench: no hook (%lu)\n", GetLastError());
        return 1;
    }
    printf("from the call to the intro on screen (%d runs of each kind, after one warm-up of "
           "each):\n", runs);
    const struct {
        const char *title;
        std::string settings;  // empty: no settings file
    } cases[] = {
        {"no settings file (the first call)", ""},
        {"a card put off (the settings file holds all its keys)", SavedSettings()},
    };
    for (const auto &c : cases) {
        if (!c.settings.empty())
            folder.WriteFile("GlimRg2.ini", c.settings);
        const bool putOff = !c.settings.empty();
        std::vector<double> cards, bares, floors;
        bool ok = true;
        for (int i = 0; i <= runs && ok; ++i) {  // round 0 is the warm-up
            outcome = -1;
            const double t = TimeOne(card);
            ok = t >= 0 && result == 0 && outcome == 0;
            const double b = TimeOne(bare);
            ok = ok && b >= 0;
            const double f = putOff ? TimeOne(floor) : b;
            ok = ok && f >= 0;
            if (i > 0) {
                cards.push_back(t);
                bares.push_back(b);
                floors.push_back(f);
            }
        }
        if (!ok) {
            fprintf(stderr, "StartupBench: a run did not show the intro or did not end as "
                            "Register Later (result %d, outcome %d)\n", result, outcome);
            return 1;
        }
        // Register Later from the intro writes nothing.
        if (c.settings.empty() ? folder.HasSettingsFile()
                               : folder.ReadFile("GlimRg2.ini") != c.settings) {
            fprintf(stderr, "StartupBench: the settings file was written\n");
            return 1;
        }
        printf("%s:\n", c.title);
        Report("VIreVuvo_Register", cards);
        Report("bare DialogBoxParam", bares);
        if (putOff)
            Report("73 reads + bare dialog", floors);
        const double ratio = Median(cards) / Median(floors);
        printf("    ratio to the bare dialog %.2f; to the floor (%s) %.2f: goal <= %.1f %s\n",
               Median(cards) / Median(bares),
               putOff ? "the same reads, then the bare dialog" : "the bare dialog", ratio, kGoal,
               ratio <= kGoal ? "met" : "MISSED");
    }
    UnhookWindowsHookEx(hook);
    printf("loading GlimReg.dll (once, before the runs, not in the figures): %.3f ms\n",
           Seconds(before, after) * 1000);
    return 0;
}
