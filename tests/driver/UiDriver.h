// The UI driver: plays the user against the library's dialogs from a second thread.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// What a message box showed: text, caption, buttons, icon and default button.
struct MessageBoxSeen {
    std::string text;
    std::string caption;
    std::vector<int> buttons;  // IDOK, IDYES, IDNO, ... in the order found
    int defaultButton = 0;     // id of the default button
    bool questionIcon = false;
    bool stopIcon = false;
    bool warningIcon = false;
    bool informationIcon = false;
};

namespace ui {

// The process whose windows the waits look for: this one unless set (the demo
// plays the user in a host program's windows). Windows of other programs on
// the same desktop are never taken for the card's.
void WatchProcess(DWORD processId);

// Waits (bounded) for a top-level window of the watched process with the caption.
// Returns null when none shows up in time.
HWND WaitForWindow(const char *caption, DWORD timeoutMs = 10000);
// Waits for a top-level window with the caption that has a control with this id
// (several of the card's dialogs share one caption).
HWND WaitForDialog(const char *caption, int controlId, DWORD timeoutMs = 10000);
// Waits until the window is gone (destroyed or hidden).
bool WaitForClose(HWND window, DWORD timeoutMs = 10000);
// A message box of this process (a #32770 window with an IDOK/IDYES/IDNO... button
// and no control ids of our own): waits for one whose caption matches, any if null.
HWND WaitForMessageBox(const char *caption = nullptr, DWORD timeoutMs = 10000);

std::string Text(HWND window);
std::string ControlText(HWND dialog, int id);
HWND Control(HWND dialog, int id);

// Types characters one by one as WM_CHAR to the control, as a user would.
void Type(HWND dialog, int id, const std::string &text);
// Replaces the control's text at once (WM_SETTEXT), as a paste would: no keystrokes.
void SetText(HWND dialog, int id, const std::string &text);
// Moves the caret of an edit control to the position, selecting nothing.
void SetCaret(HWND dialog, int id, int position);
// Clicks a button (BM_CLICK, so the button's own handling runs).
void Click(HWND dialog, int id);
// Picks the list entry with this index (CB_SETCURSEL and the selection notification).
void Pick(HWND dialog, int id, int index);
// Sets a check box or radio button as a click would.
void Check(HWND dialog, int id, bool checked);
bool IsChecked(HWND dialog, int id);
// Whether the window sits in the middle of the desktop, as the card's dialogs
// place themselves (at 0 on a side where it is larger than the desktop).
bool IsCentredOnDesktop(HWND window);
// Presses Enter (or Shift+Enter) in the control that has the focus.
void PressEnter(HWND dialog, bool shift = false);
// Presses Esc in the dialog.
void PressEscape(HWND dialog);
// Sends the close request (WM_CLOSE) to the window.
void Close(HWND window);
// The control that has the keyboard focus in the dialog's thread.
HWND Focus(HWND dialog);
int FocusId(HWND dialog);
// The id of the dialog's control that holds the focus, also when the focus is
// in a child of it (the edit part of a combo box); 0 if none.
int FocusedControlId(HWND dialog);
// Waits (bounded) until the dialog's control id holds the focus.
bool WaitForFocus(HWND dialog, int id, DWORD timeoutMs = 5000);

// Reads a message box and answers it with the button id.
MessageBoxSeen ReadMessageBox(HWND box);
void Answer(HWND box, int button);

}  // namespace ui

// Runs work (the export or a dialog) on a second thread with its own message
// loops while the test thread plays the user; Join gives work's result.
class Played {
public:
    explicit Played(std::function<int()> work);
    ~Played();
    // Waits for the work to end (bounded); false on timeout.
    bool Join(DWORD timeoutMs = 20000);
    int Result() const { return m_result; }
    DWORD ThreadId() const { return m_threadId; }

private:
    static DWORD WINAPI Run(void *self);
    std::function<int()> m_work;
    HANDLE m_thread = nullptr;
    DWORD m_threadId = 0;
    int m_result = -9999;
};
