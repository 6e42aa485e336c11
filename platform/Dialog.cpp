// The modal dialog object: the template's window calls back into its object.
#include "Dialog.h"

CDialog::CDialog(HINSTANCE instance, UINT templateId, HWND parent)
    : m_hInstance(instance), m_nIDTemplate(templateId), m_pParentWnd(parent)
{
}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal()
{
    return DialogBoxParamA(m_hInstance, MAKEINTRESOURCEA(m_nIDTemplate), m_pParentWnd,
                           DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::OnInitDialog()
{
    DoDataExchange();
    return TRUE;
}

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT &) { return false; }

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

INT_PTR CALLBACK CDialog::DialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CDialog *self;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog *>(lParam);
        SetWindowLongPtrA(dlg, DWLP_USER, lParam);
        self->m_hWnd = dlg;
        return self->OnInitDialog();
    }
    self = reinterpret_cast<CDialog *>(GetWindowLongPtrA(dlg, DWLP_USER));
    if (!self)
        return FALSE;
    switch (msg) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: self->OnOK(); return TRUE;
        case IDCANCEL: self->OnCancel(); return TRUE;
        default: return FALSE;
        }
    case WM_NCDESTROY:
        SetWindowLongPtrA(dlg, DWLP_USER, 0);
        self->PostNcDestroy();
        self->m_hWnd = nullptr;
        return FALSE;
    default: {
        LRESULT result = 0;
        if (!self->OnMessage(msg, wParam, lParam, result))
            return FALSE;
        SetWindowLongPtrA(dlg, DWLP_MSGRESULT, result);
        return TRUE;
    }
    }
}
