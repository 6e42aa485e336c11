// The UI driver: finds the library's windows and plays the user from the test thread.
#include "UiDriver.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

// Waits while dispatching this thread's messages, so a window of the test
// thread (an owner, say) never blocks the dialogs' thread.
void Pump(DWORD ms)
{
    const DWORD end = GetTickCount() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        const DWORD now = GetTickCount();
        if (static_cast<LONG>(end - now) <= 0)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    }
}

struct Search {
    const char *caption;
    bool messageBox;
    HWND found;
    int controlId;
};

bool IsMessageBoxWindow(HWND w)
{
    char cls[16];
    GetClassNameA(w, cls, sizeof cls);
    if (strcmp(cls, "#32770") != 0)
        return false;
    // A message box has its buttons with the standard ids and a text; our
    // own dialogs never use the ids 6 and 7 (Yes, No) nor end in a lone OK.
    static const int kIds[] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO};
    int buttons = 0, children = 0;
    for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        ++children;
        if (std::find(std::begin(kIds), std::end(kIds), GetDlgCtrlID(c)) != std::end(kIds))
            ++buttons;
    }
    return buttons > 0 && children <= buttons + 3;
}

DWORD g_watched = 0;  // 0: this process

BOOL CALLBACK FindTopLevel(HWND w, LPARAM param)
{
    auto *s = reinterpret_cast<Search *>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != (g_watched ? g_watched : GetCurrentProcessId()) || !IsWindowVisible(w))
        return TRUE;
    if (s->messageBox && !IsMessageBoxWindow(w))
        return TRUE;
    if (s->caption && ui::Text(w) != s->caption)
        return TRUE;
    if (s->controlId && !GetDlgItem(w, s->controlId))
        return TRUE;
    s->found = w;
    return FALSE;
}

HWND WaitFor(const char *caption, bool messageBox, DWORD timeoutMs, int controlId = 0)
{
    const DWORD start = GetTickCount();
    for (;;) {
        Search s{caption, messageBox, nullptr, controlId};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&s));
        if (s.found)
            return s.found;
        if (GetTickCount() - start > timeoutMs)
            return nullptr;
        Pump(10);
    }
}

void PostKey(HWND dialog, UINT vk, bool shift)
{
    HWND target = ui::Focus(dialog);
    if (!target)
        target = dialog;
    const DWORD self = GetCurrentThreadId();
    const DWORD other = GetWindowThreadProcessId(dialog, nullptr);
    BYTE saved[256] = {};
    if (shift) {
        // Shift is read from the keyboard state the two threads share while attached.
        AttachThreadInput(self, other, TRUE);
        GetKeyboardState(saved);
        BYTE state[256];
        memcpy(state, saved, sizeof state);
        state[VK_SHIFT] = 0x80;
        SetKeyboardState(state);
    }
    PostMessageA(target, WM_KEYDOWN, vk, 1);
    if (vk == VK_RETURN || vk == VK_ESCAPE)
        PostMessageA(target, WM_CHAR, vk == VK_RETURN ? '\r' : 0x1B, 1);
    PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
    if (shift) {
        // Hold Shift until the key has moved the focus (or the dialog ended),
        // bounded for a key that moves nothing.
        const DWORD start = GetTickCount();
        do
            Pump(10);
        while (IsWindowVisible(dialog) && ui::Focus(dialog) == target &&
               GetTickCount() - start < 2000);
        SetKeyboardState(saved);
        AttachThreadInput(self, other, FALSE);
    }
}

// A named callback: on 32-bit Windows a lambda does not convert to the stdcall WNDENUMPROC.
BOOL CALLBACK PostClose(HWND w, LPARAM)
{
    PostMessageA(w, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

namespace ui {

void WatchProcess(DWORD processId) { g_watched = processId; }

HWND WaitForWindow(const char *caption, DWORD timeoutMs)
{
    return WaitFor(caption, false, timeoutMs);
}

HWND WaitForDialog(const char *caption, int controlId, DWORD timeoutMs)
{
    return WaitFor(caption, false, timeoutMs, controlId);
}

HWND WaitForMessageBox(const char *caption, DWORD timeoutMs)
{
    return WaitFor(caption, true, timeoutMs);
}

bool WaitForClose(HWND window, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Pump(10);
    }
    return true;
}

std::string Text(HWND window)
{
    char text[4096] = "";
    // WM_GETTEXT waits for the window's thread; it is pumping its modal loop.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_BLOCK, 5000, nullptr);
    return text;
}

HWND Control(HWND dialog, int id) { return GetDlgItem(dialog, id); }

std::string ControlText(HWND dialog, int id) { return Text(Control(dialog, id)); }

void Type(HWND dialog, int id, const std::string &text)
{
    HWND control = Control(dialog, id);
    for (unsigned char c : text)
        SendMessageA(control, WM_CHAR, c, 1);
}

void SetText(HWND dialog, int id, const std::string &text)
{
    SendMessageA(Control(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SetCaret(HWND dialog, int id, int position)
{
    SendMessageA(Control(dialog, id), EM_SETSEL, position, position);
}

void Click(HWND dialog, int id)
{
    // Posted, so a click that opens a nested modal loop does not block the driver.
    PostMessageA(Control(dialog, id), BM_CLICK, 0, 0);
    Pump(20);
}

void Pick(HWND dialog, int id, int index)
{
    HWND combo = Control(dialog, id);
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void Check(HWND dialog, int id, bool checked)
{
    if (IsChecked(dialog, id) != checked)
        SendMessageA(Control(dialog, id), BM_CLICK, 0, 0);
}

bool IsChecked(HWND dialog, int id)
{
    return SendMessageA(Control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsCentredOnDesktop(HWND window)
{
    RECT d, w;
    GetWindowRect(GetDesktopWindow(), &d);
    GetWindowRect(window, &w);
    const long x = ((d.right - d.left) - (w.right - w.left)) / 2;
    const long y = ((d.bottom - d.top) - (w.bottom - w.top)) / 2;
    return w.left == (x < 0 ? 0 : x) && w.top == (y < 0 ? 0 : y);
}

void PressEnter(HWND dialog, bool shift)
{
    PostKey(dialog, VK_RETURN, shift);
    Pump(50);
}

void PressEscape(HWND dialog)
{
    PostKey(dialog, VK_ESCAPE, false);
    Pump(50);
}

void Close(HWND window)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    Pump(20);
}

HWND Focus(HWND dialog)
{
    GUITHREADINFO info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

int FocusId(HWND dialog)
{
    HWND f = Focus(dialog);
    return f ? GetDlgCtrlID(f) : 0;
}

int FocusedControlId(HWND dialog)
{
    HWND f = Focus(dialog);
    while (f && GetParent(f) != dialog)
        f = GetParent(f);
    return f ? GetDlgCtrlID(f) : 0;
}

bool WaitForFocus(HWND dialog, int id, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (FocusedControlId(dialog) != id) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Pump(10);
    }
    return true;
}

MessageBoxSeen ReadMessageBox(HWND box)
{
    MessageBoxSeen seen;
    seen.caption = Text(box);
    const HICON question = LoadIcon(nullptr, IDI_QUESTION);
    const HICON stop = LoadIcon(nullptr, IDI_HAND);
    const HICON warning = LoadIcon(nullptr, IDI_EXCLAMATION);
    const HICON information = LoadIcon(nullptr, IDI_ASTERISK);
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32];
        GetClassNameA(c, cls, sizeof cls);
        const LONG style = GetWindowLongA(c, GWL_STYLE);
        if (_stricmp(cls, "Button") == 0) {
            const int id = GetDlgCtrlID(c);
            if (!IsWindowVisible(c))
                continue;
            seen.buttons.push_back(id);
            if ((style & 0x0F) == BS_DEFPUSHBUTTON)
                seen.defaultButton = id;
        } else if (_stricmp(cls, "Static") == 0) {
            if ((style & SS_TYPEMASK) == SS_ICON) {
                const HICON icon = reinterpret_cast<HICON>(SendMessageA(c, STM_GETICON, 0, 0));
                seen.questionIcon |= icon && icon == question;
                seen.stopIcon |= icon && icon == stop;
                seen.warningIcon |= icon && icon == warning;
                seen.informationIcon |= icon && icon == information;
            } else {
                const std::string t = Text(c);
                if (!t.empty())
                    seen.text = t;
            }
        }
    }
    return seen;
}

void Answer(HWND box, int button)
{
    Click(box, button);
}

}  // namespace ui

Played::Played(std::function<int()> work) : m_work(std::move(work))
{
    m_thread = CreateThread(nullptr, 0, Run, this, 0, &m_threadId);
}

Played::~Played()
{
    if (!m_thread)
        return;
    if (WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT) {
        // A failed test may leave a dialog open: close whatever the thread shows.
        for (int i = 0; i < 200 && WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT; ++i) {
            EnumThreadWindows(m_threadId, PostClose, 0);
            Pump(25);
        }
        if (WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT)
            TerminateThread(m_thread, 1);
    }
    CloseHandle(m_thread);
}

bool Played::Join(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Pump(10);
    }
    return true;
}

DWORD WINAPI Played::Run(void *self)
{
    auto *p = static_cast<Played *>(self);
    p->m_result = p->m_work();
    return 0;
}
