// The market research page: shows the saved answers and stores the check
// boxes whichever way the page is left.
#include "MarketResearch.h"

#include "../common/Centre.h"
#include "../common/RecordDialog.h"
#include "../resources/resource.h"

namespace {

int QuestionControl(int index) { return IDC_RESEARCH_QUESTION_FIRST + index; }

void LoadAnswers(HWND dlg, const RegistrationRecord *rec)
{
    for (int i = 0; i < QUESTION_COUNT; ++i)
        SendDlgItemMessageA(dlg, QuestionControl(i), BM_SETCHECK, rec->Question[i], 0);
    SendDlgItemMessageA(dlg, IDC_RESEARCH_DO_NOT_SEND, BM_SETCHECK,
                        rec->DoNotSendMarketResearch, 0);
}

void StoreAnswers(HWND dlg, RegistrationRecord *rec)
{
    for (int i = 0; i < QUESTION_COUNT; ++i)
        rec->Question[i] = static_cast<uint8_t>(
            SendDlgItemMessageA(dlg, QuestionControl(i), BM_GETCHECK, 0, 0));
    rec->DoNotSendMarketResearch = static_cast<uint8_t>(
        SendDlgItemMessageA(dlg, IDC_RESEARCH_DO_NOT_SEND, BM_GETCHECK, 0, 0));
}

INT_PTR CALLBACK MarketResearchProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        LoadAnswers(dlg, KeepDialogRecord(dlg, lParam));
        CentreOnDesktop(dlg);
        return TRUE;  // the dialog manager gives the focus to OK
    case WM_COMMAND:
        // Compared on the whole command: OK, Esc and the close box all store;
        // the check boxes' own clicks are left to them.
        switch (wParam) {
        case IDOK:
        case IDCANCEL:
            StoreAnswers(dlg, DialogRecord(dlg));
            EndDialog(dlg, 1);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

int RunMarketResearch(HWND owner, RegistrationRecord *rec)
{
    return RunDialog(owner, rec->ModuleInstance, IDD_MARKET_RESEARCH, MarketResearchProc,
                     reinterpret_cast<LPARAM>(rec));
}
