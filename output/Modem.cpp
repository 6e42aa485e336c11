// Modem delivery: one transfer attempt with its modeless status window and cancel.
#include "Modem.h"

#include "../common/Centre.h"
#include "../common/RecordDialog.h"
#include "../resources/resource.h"
#include "../services/Services.h"
#include "RecordFile.h"

namespace {

enum { STATUS_TEXT_WIDTH = 88 };

// The library's fixed arguments, passed in its own order and meaning.
const int kBeginOne = 1;
const int kTransferArg4 = 2;
const int kTransferArg8 = 2;
const int kTransferArg9 = 45;
const int kBaudRate = 2400;
const int kTransferArg12 = 2;
const int kTransferArg13 = 200;
const int kNoDialToneWaitFlag = 8;

// One transfer runs at a time: its status window (null while none runs or when
// it could not be created), the user's cancel request not yet passed on, and
// the library's latest status text.
HWND g_statusWindow;
bool g_cancelRequested;
char g_statusText[STATUS_TEXT_WIDTH];

INT_PTR CALLBACK StatusProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        KeepDialogRecord(dlg, lParam);
        SetFocus(GetDlgItem(dlg, IDCANCEL));
        CentreOnDesktop(dlg);
        return FALSE;  // the focus is already set
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            // Only recorded here: the library hears of it at its next progress
            // call. A disabled Cancel (Esc after the click) asks no second time.
            HWND cancel = GetDlgItem(dlg, IDCANCEL);
            if (IsWindowEnabled(cancel)) {
                g_cancelRequested = true;
                EnableWindow(cancel, FALSE);
            }
        }
        return TRUE;
    case WM_CLOSE:
        // The window stays until the transfer returns: only Cancel stops it.
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void CALLBACK ModemProgress(int status)
{
    if (status != 0) {
        ZvStatusText(status, g_statusText, STATUS_TEXT_WIDTH);
        g_statusText[STATUS_TEXT_WIDTH - 1] = '\0';  // whatever the library wrote
        if (g_statusWindow)
            SetDlgItemTextA(g_statusWindow, IDC_MODEM_STATUS_TEXT, g_statusText);
    }
    if (g_cancelRequested) {
        g_cancelRequested = false;
        ZvCancelTransfer();
    }
}

int TransmitByModem(HWND owner, RegistrationRecord *rec)
{
    // The flow has just written the file; this write's result is not needed.
    WriteRecordFile(rec);

    // Cleared before the window exists, so that no click on its Cancel is lost.
    g_cancelRequested = false;
    g_statusWindow = CreateDialogParamA(rec->ModuleInstance, MAKEINTRESOURCEA(IDD_MODEM_STATUS),
                                        owner, StatusProc, reinterpret_cast<LPARAM>(rec));
    ZvTransferBegin(kBeginOne);

    // Returns when the transfer has ended and the file is no longer needed.
    const int result = ZvTransfer(rec->ModuleInstance, owner, ModemProgress, kTransferArg4,
                                  rec->RecordFilePath, rec->DialString, rec->ProductCode,
                                  kTransferArg8, kTransferArg9, rec->ModemPort + 1, kBaudRate,
                                  kTransferArg12, kTransferArg13,
                                  rec->NoDialToneWait == 1 ? kNoDialToneWaitFlag : 0);

    if (g_statusWindow)
        DestroyWindow(g_statusWindow);
    g_statusWindow = nullptr;
    g_cancelRequested = false;
    DeleteCardFile(rec->RecordFilePath);
    return result;
}
