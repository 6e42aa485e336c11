// Plays the wizard's road through the real export up to a given dialog.
#include "Walk.h"

#include "UiDriver.h"
#include "resources/resource.h"

const char kCardCaption[] = "Electronic Registration Card";

namespace {

struct Search {
    const char *caption;
    int controlId;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND w, LPARAM param)
{
    auto *s = reinterpret_cast<Search *>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != GetCurrentProcessId() || !IsWindowVisible(w) || !GetDlgItem(w, s->controlId))
        return TRUE;
    if (ui::Text(w) != s->caption)
        return TRUE;
    s->found = w;
    return FALSE;
}

}  // namespace

HWND WaitForDialog(const char *caption, int controlId, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        Search s{caption, controlId, nullptr};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&s));
        if (s.found || GetTickCount() - start > timeoutMs)
            return s.found;
        // Waits while pumping this thread's messages.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

HWND WalkToDelivery(DWORD timeoutMs)
{
    HWND intro = WaitForDialog(kCardCaption, IDC_REGISTER_NOW, timeoutMs);
    if (!intro)
        return nullptr;
    ui::Click(intro, IDC_REGISTER_NOW);
    if (!ui::WaitForClose(intro, timeoutMs))
        return nullptr;
    // The card form, the required page, the questionnaire and the hardware
    // page come here as they land; today the flow goes on past them.
    return WaitForDialog(kCardCaption, IDC_PRINT, timeoutMs);
}
