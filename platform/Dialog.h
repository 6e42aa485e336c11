// A modal dialog object around a dialog template, in place of the framework's.
#pragma once
#include <windows.h>

class CDialog {
public:
    CDialog(HINSTANCE instance, UINT templateId, HWND parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog &) = delete;
    CDialog &operator=(const CDialog &) = delete;

    // Runs the dialog: the result it ended with, or -1 when it cannot be created.
    INT_PTR DoModal();

    HWND m_hWnd = nullptr;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();      // ends the dialog with IDOK
    virtual void OnCancel();  // ends the dialog with IDCANCEL
    virtual void DoDataExchange() {}
    // After the window is gone, its last message.
    virtual void PostNcDestroy() {}
    // The dialog's own messages: true when handled, with the message's result.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT &result);

    void EndDialog(int result);
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

private:
    static INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

    HINSTANCE m_hInstance;
    UINT m_nIDTemplate;
    HWND m_pParentWnd;
};
