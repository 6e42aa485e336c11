// Intro, delivery choice and modem options: the dialogs that steer the wizard.
#include "FlowDialogs.h"

#include "../common/Centre.h"
#include "../common/DialogText.h"
#include "../common/RecordDialog.h"
#include "../common/StringTable.h"
#include "../resources/resource.h"
#include "DialString.h"

namespace {

INT_PTR CALLBACK IntroProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: {
        RegistrationRecord *rec = KeepDialogRecord(dlg, lParam);
        SubstituteControlText(dlg, IDC_INTRO_PRODUCT_TEXT, rec->ProductName);
        SubstituteControlText(dlg, IDC_INTRO_VENDOR_TEXT, rec->VendorName);
        SetFocus(GetDlgItem(dlg, IDC_REGISTER_NOW));
        CentreOnDesktop(dlg);
        return FALSE;  // the focus is already set
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_REGISTER_NOW:
        case IDC_REGISTER_LATER:
            EndDialog(dlg, LOWORD(wParam));
            return TRUE;
        case IDC_NEVER_REGISTER: {
            const char *text = LoadDialogString(DialogRecord(dlg)->ModuleInstance,
                                                IDS_NEVER_REGISTER_CONFIRM);
            if (MessageBoxA(dlg, text, "", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
                EndDialog(dlg, IDC_NEVER_REGISTER);
            return TRUE;
        }
        default:
            return TRUE;  // Esc and everything else leave the intro open
        }
    case WM_CLOSE:
        EndDialog(dlg, IDC_REGISTER_LATER);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK DeliveryProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: {
        RegistrationRecord *rec = KeepDialogRecord(dlg, lParam);
        SubstituteControlText(dlg, IDC_DELIVERY_TEXT, rec->ProductName);
        SetFocus(GetDlgItem(dlg, IDC_SEND));
        CentreOnDesktop(dlg);
        return FALSE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SEND:
        case IDC_PRINT:
        case IDC_EMAIL:
        case IDC_REGISTER_LATER:
            EndDialog(dlg, LOWORD(wParam));
            return TRUE;
        default:
            return TRUE;
        }
    case WM_CLOSE:
        EndDialog(dlg, IDC_REGISTER_LATER);
        return TRUE;
    }
    return FALSE;
}

void ContinueModemOptions(HWND dlg, RegistrationRecord *rec)
{
    const LRESULT port = SendDlgItemMessageA(dlg, IDC_MODEM_PORT, CB_GETCURSEL, 0, 0);
    rec->ModemPort = port < 0 ? 0 : static_cast<int32_t>(port);

    char prefix[256];
    GetDlgItemTextA(dlg, IDC_MODEM_PREFIX, prefix, sizeof prefix);
    const bool dialOne = IsDlgButtonChecked(dlg, IDC_MODEM_DIAL_ONE) == BST_CHECKED;
    ComposeDialString(rec->DialString, sizeof rec->DialString, prefix, dialOne,
                      rec->ModemNumber);

    rec->NoDialToneWait =
        IsDlgButtonChecked(dlg, IDC_MODEM_WAIT_DIAL_TONE) == BST_CHECKED ? 0 : 1;
}

INT_PTR CALLBACK ModemOptionsProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: {
        // Every showing starts from the defaults; earlier choices are not restored.
        RegistrationRecord *rec = reinterpret_cast<RegistrationRecord *>(lParam);
        FillComboFromStrings(dlg, rec->ModuleInstance, IDC_MODEM_PORT, IDS_MODEM_PORT_FIRST,
                             IDS_MODEM_PORT_LAST, 0);
        KeepDialogRecord(dlg, lParam);
        SetFocus(GetDlgItem(dlg, IDC_MODEM_PREFIX));
        CheckDlgButton(dlg, IDC_MODEM_WAIT_DIAL_TONE, BST_CHECKED);
        CheckRadioButton(dlg, IDC_MODEM_DIAL_ONE, IDC_MODEM_NO_DIAL_ONE, IDC_MODEM_DIAL_ONE);
        CentreOnDesktop(dlg);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_CONTINUE) {
            ContinueModemOptions(dlg, DialogRecord(dlg));
            EndDialog(dlg, IDC_CONTINUE);
        }
        return TRUE;  // Esc does nothing
    case WM_CLOSE:
        EndDialog(dlg, IDC_REGISTER_LATER);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int RunIntro(HWND owner, RegistrationRecord *rec)
{
    return RunDialog(owner, rec->ModuleInstance, IDD_INTRO, IntroProc,
                     reinterpret_cast<LPARAM>(rec));
}

int RunDeliveryChoice(HWND owner, RegistrationRecord *rec)
{
    return RunDialog(owner, rec->ModuleInstance, IDD_DELIVERY, DeliveryProc,
                     reinterpret_cast<LPARAM>(rec));
}

int RunModemOptions(HWND owner, RegistrationRecord *rec)
{
    return RunDialog(owner, rec->ModuleInstance, IDD_MODEM_OPTIONS, ModemOptionsProc,
                     reinterpret_cast<LPARAM>(rec));
}
