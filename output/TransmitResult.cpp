// The dialogs after a transfer: the problem dialog with its message, and the success dialog.
#include "TransmitResult.h"

#include "../common/Centre.h"
#include "../common/DialogText.h"
#include "../common/RecordDialog.h"
#include "../resources/resource.h"
#include "TransferErrors.h"

namespace {

// The message the problem dialog shows; one dialog at a time.
char g_problemText[64];

INT_PTR CALLBACK ProblemProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dlg, IDC_PROBLEM_TEXT, reinterpret_cast<const char *>(lParam));
        CentreOnDesktop(dlg);
        return TRUE;  // the focus goes to Retry, the first button
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SEND:
        case IDC_PRINT:
        case IDC_REGISTER_LATER:
            EndDialog(dlg, LOWORD(wParam));
            return TRUE;
        default:
            return TRUE;  // Esc leaves the choice open
        }
    case WM_CLOSE:
        EndDialog(dlg, IDC_REGISTER_LATER);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK SuccessProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: {
        RegistrationRecord *rec = KeepDialogRecord(dlg, lParam);
        SubstituteControlText(dlg, IDC_SUCCESS_TEXT, rec->ProductName);
        CentreOnDesktop(dlg);
        return TRUE;  // the focus goes to Continue
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_CONTINUE)
            EndDialog(dlg, IDC_CONTINUE);
        return TRUE;
    case WM_CLOSE:
        EndDialog(dlg, IDC_REGISTER_LATER);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int ShowTransmissionProblem(HWND owner, int error, RegistrationRecord *rec)
{
    CopyField(g_problemText, TransferErrorText(error));
    return RunDialog(owner, rec->ModuleInstance, IDD_TRANSMIT_PROBLEM, ProblemProc,
                     reinterpret_cast<LPARAM>(g_problemText));
}

int RunTransmissionSuccess(HWND owner, RegistrationRecord *rec)
{
    return RunDialog(owner, rec->ModuleInstance, IDD_TRANSMIT_SUCCESS, SuccessProc,
                     reinterpret_cast<LPARAM>(rec));
}
