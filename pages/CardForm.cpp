// The card form and the required-information page over their field tables.
#include "CardForm.h"

#include <cstring>

#include "../common/Centre.h"
#include "../common/Placeholder.h"
#include "../common/RecordDialog.h"
#include "../common/StringTable.h"
#include "../platform/ModuleString.h"
#include "../resources/resource.h"
#include "InputFilter.h"

namespace {

struct ListFill {
    int control;
    int first;
    int last;
};

// The card form's lists, filled in this order.
const ListFill kCardLists[] = {
    {IDC_CARD_PURCHASE_TYPE, IDS_PURCHASE_TYPE_FIRST, IDS_PURCHASE_TYPE_LAST},
    {IDC_CARD_COMPUTERS, IDS_COMPUTERS_FIRST, IDS_COMPUTERS_LAST},
    {IDC_CARD_USED, IDS_USED_FIRST, IDS_USED_LAST},
    {IDC_CARD_HEARD, IDS_HEARD_FIRST, IDS_HEARD_LAST},
    {IDC_CARD_SERVICE, IDS_SERVICE_FIRST, IDS_SERVICE_LAST},
};

// Whether the list has an edit part, in which the user can type an entry of
// their own (the Service list); the drop-down lists have none.
bool HasEditPart(HWND control)
{
    return (GetWindowLongA(control, GWL_STYLE) & (CBS_DROPDOWN | CBS_SIMPLE)) !=
           CBS_DROPDOWNLIST;
}

void BindList(HWND control, RegistrationRecord *rec, const FieldRow &row)
{
    // An empty field leaves the list and its index as they are.
    const char *text = RowText(rec, row);
    if (text[0] == '\0')
        return;
    const LRESULT found = SendMessageA(control, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text));
    if (found == CB_ERR && HasEditPart(control)) {
        // A text typed by hand comes back as the user left it: in the edit
        // part, no entry selected, so the next collect keeps it.
        SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SetWindowTextA(control, text);
    }
    // A drop-down list whose text begins no entry keeps the fill's first entry.
    *RowIndex(rec, row) = static_cast<int8_t>(SendMessageA(control, CB_GETCURSEL, 0, 0));
}

bool IsButton(HWND control)
{
    char cls[16];
    return GetClassNameA(control, cls, sizeof cls) > 0 && lstrcmpiA(cls, "BUTTON") == 0;
}

INT_PTR CALLBACK CardFormProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: {
        RegistrationRecord *rec = KeepDialogRecord(dlg, lParam);
        for (const ListFill &list : kCardLists)
            FillComboFromStrings(dlg, rec->ModuleInstance, list.control, list.first, list.last, 0);
        BindFields(dlg, kCardFormTable);
        SetFocus(GetDlgItem(dlg, IDC_CARD_FIRST_NAME));
        CentreOnDesktop(dlg);
        return FALSE;  // the focus is already set
    }
    case WM_COMMAND:
        // The whole command value: notifications of the fields are not commands.
        switch (wParam) {
        case IDOK:  // Enter: the page has no default button
            AdvanceField(dlg, GetKeyState(VK_SHIFT) < 0);
            return TRUE;
        case IDC_REGISTER_NOW: {
            CollectFields(dlg, kCardFormTable);
            const bool missing = FirstMissingRow(DialogRecord(dlg), kCardFormTable) != nullptr;
            ReleaseFields(dlg, kCardFormTable);
            EndDialog(dlg, missing ? 1 : 0);
            return TRUE;
        }
        case IDC_REGISTER_LATER:
            CollectFields(dlg, kCardFormTable);
            ReleaseFields(dlg, kCardFormTable);
            EndDialog(dlg, IDC_REGISTER_LATER);
            return TRUE;
        }
        return FALSE;  // Esc and the close request leave the page open
    }
    return FALSE;
}

INT_PTR CALLBACK RequiredInfoProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: {
        RegistrationRecord *rec = KeepDialogRecord(dlg, lParam);
        BindFields(dlg, kRequiredInfoTable);
        // The first empty required field, else the first field: never no focus.
        const FieldRow *missing = FirstMissingRow(rec, kRequiredInfoTable);
        SetFocus(GetDlgItem(dlg, (missing ? missing : kRequiredInfoTable)->controlId));
        CentreOnDesktop(dlg);
        return FALSE;
    }
    case WM_COMMAND:
        switch (wParam) {
        case IDOK:
            AdvanceField(dlg, GetKeyState(VK_SHIFT) < 0);
            return TRUE;
        case IDC_REGISTER_NOW: {
            CollectFields(dlg, kRequiredInfoTable);
            // The page stays open, filters installed, until every required field is filled.
            if (const FieldRow *missing = FirstMissingRow(DialogRecord(dlg), kRequiredInfoTable)) {
                ReportMissingField(dlg, missing->labelId);
                SetFocus(GetDlgItem(dlg, missing->controlId));
                return TRUE;
            }
            ReleaseFields(dlg, kRequiredInfoTable);
            EndDialog(dlg, IDC_REGISTER_NOW);
            return TRUE;
        }
        case IDC_REGISTER_LATER:
            CollectFields(dlg, kRequiredInfoTable);
            ReleaseFields(dlg, kRequiredInfoTable);
            EndDialog(dlg, IDC_REGISTER_LATER);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

int RunPage(HWND owner, RegistrationRecord *rec, int id, DLGPROC proc)
{
    if (!rec)
        return -1;
    return RunDialog(owner, rec->ModuleInstance, id, proc, reinterpret_cast<LPARAM>(rec));
}

}  // namespace

void BindFields(HWND dialog, const FieldRow *table)
{
    RegistrationRecord *rec = DialogRecord(dialog);
    if (!rec || !table)
        return;
    rec->FieldTable = table;
    for (const FieldRow *row = table; row->controlId != 0; ++row) {
        HWND control = GetDlgItem(dialog, row->controlId);
        if (!control)
            continue;
        MarkLabel(dialog, rec, *row);
        switch (row->kind) {
        case FieldKind::DisplayOnly:
            SetWindowTextA(control, RowText(rec, *row));
            break;
        case FieldKind::TextEntry:
            SendMessageA(control, EM_LIMITTEXT, row->capacity - 1, 0);
            InstallFilter(dialog, rec, *row);
            // Shown as stored: the text is set, not typed, so no filter applies.
            SetWindowTextA(control, RowText(rec, *row));
            break;
        case FieldKind::ListChoice:
            BindList(control, rec, *row);
            break;
        }
    }
}

void CollectFields(HWND dialog, const FieldRow *table)
{
    RegistrationRecord *rec = DialogRecord(dialog);
    if (!rec || !table)
        return;
    for (const FieldRow *row = table; row->controlId != 0; ++row) {
        HWND control = GetDlgItem(dialog, row->controlId);
        // A missing control must not wipe its field.
        if (!control || row->kind == FieldKind::DisplayOnly)
            continue;
        char *text = RowText(rec, *row);
        if (GetWindowTextA(control, text, static_cast<int>(row->capacity)) <= 0)
            text[0] = '\0';
        BlankSeparators(text);
        if (row->kind == FieldKind::ListChoice)
            *RowIndex(rec, *row) = static_cast<int8_t>(SendMessageA(control, CB_GETCURSEL, 0, 0));
    }
}

void ReportMissingField(HWND dialog, int labelId)
{
    RegistrationRecord *rec = DialogRecord(dialog);
    if (!rec)
        return;
    char label[255];
    GetDlgItemTextA(dialog, labelId, label, sizeof label);
    const size_t length = strlen(label);
    if (length > 0 && label[length - 1] == ':')
        label[length - 1] = '\0';

    char text[256];
    LoadModuleString(rec->ModuleInstance, IDS_MISSING_FIELD, text);
    SubstitutePlaceholder(1, text, label, sizeof text - 1);
    MessageBoxA(dialog, text, rec->ProductName, MB_OK);
}

void AdvanceField(HWND dialog, bool backwards)
{
    // The focus may sit in a child of a field (the edit part of the Service
    // list); the tab order is that of the dialog's own children.
    HWND start = GetFocus();
    while (start && GetParent(start) != dialog && (GetWindowLongA(start, GWL_STYLE) & WS_CHILD))
        start = GetParent(start);
    if (!start || GetParent(start) != dialog)
        return;

    HWND next = start;
    do {
        next = GetNextDlgTabItem(dialog, next, backwards);
    } while (next && next != start && IsButton(next));
    if (next)
        SetFocus(next);
}

int RunCardForm(HWND owner, RegistrationRecord *rec)
{
    return RunPage(owner, rec, IDD_CARD_FORM, CardFormProc);
}

int RunRequiredInfo(HWND owner, RegistrationRecord *rec)
{
    return RunPage(owner, rec, IDD_REQUIRED_INFO, RequiredInfoProc);
}
