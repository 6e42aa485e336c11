// Print delivery: the card in a temporary file, printed by the services library.
#include "Print.h"

#include "../common/Centre.h"
#include "../common/DialogText.h"
#include "../common/RecordDialog.h"
#include "../resources/resource.h"
#include "../services/Services.h"
#include "RecordFile.h"
#include "Render.h"

namespace {

const char kTempPrefix[] = "reg";
const UINT kTempDirWidth = 255;
const int kPrintOne = 1;

// The file being printed; one print runs at a time.
char g_printFile[MAX_PATH];

void Today(char *date, size_t width)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    FormatCardDate(now.wYear, now.wMonth, now.wDay, date, width);
}

INT_PTR CALLBACK ReminderProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: {
        RegistrationRecord *rec = KeepDialogRecord(dlg, lParam);
        SubstituteControlText(dlg, IDC_REMINDER_TEXT, rec->ProductName);
        SetFocus(GetDlgItem(dlg, IDC_CONTINUE));
        CentreOnDesktop(dlg);
        return FALSE;  // the focus is already set
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_PRINT:
        case IDC_CONTINUE:
            EndDialog(dlg, LOWORD(wParam));
            return TRUE;
        default:
            return TRUE;
        }
    case WM_CLOSE:
        EndDialog(dlg, IDC_CONTINUE);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int PrintCard(const RegistrationRecord *rec)
{
    char today[CARD_DATE_WIDTH];
    Today(today, sizeof today);

    char dir[kTempDirWidth + 1];
    const DWORD n = GetTempPathA(kTempDirWidth, dir);
    if (n == 0 || n >= kTempDirWidth)
        return 1;
    // Creates the file empty under a name no other print uses.
    if (!GetTempFileNameA(dir, kTempPrefix, 0, g_printFile))
        return 1;

    HANDLE file = CreateCardFile(g_printFile);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteCardFile(g_printFile);
        return 1;
    }
    const bool written = RenderPrintedCard(rec, today, {WritePieceToFile, &file});
    CloseHandle(file);
    if (!written) {
        DeleteCardFile(g_printFile);
        return 2;
    }

    // The library is done with the file when it returns.
    const int result = ZvPrintFile(g_printFile, kPrintOne);
    DeleteCardFile(g_printFile);
    return result;
}

int RunPrintReminder(HWND owner, RegistrationRecord *rec)
{
    return RunDialog(owner, rec->ModuleInstance, IDD_PRINT_REMINDER, ReminderProc,
                     reinterpret_cast<LPARAM>(rec));
}
