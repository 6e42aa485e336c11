// Keystroke filters, underlined labels and dotted field lines of the card pages.
#include "InputFilter.h"

#include "../common/RecordDialog.h"
#include "KeyFilter.h"

namespace {

// Two pixels of text colour, two of background colour, on every row.
const WORD kDotPattern[8] = {0x3333, 0x3333, 0x3333, 0x3333, 0x3333, 0x3333, 0x3333, 0x3333};

// Draws the dotted line along the bottom row of the control's window, over
// whatever the control painted there.
void DrawDottedLine(HWND control)
{
    HDC dc = GetDC(control);
    if (!dc)
        return;

    HPEN windowPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOW));
    HGDIOBJ oldPen = SelectObject(dc, windowPen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));

    RECT window;
    GetWindowRect(control, &window);
    POINT corner = {window.right, window.bottom};
    ScreenToClient(control, &corner);
    Rectangle(dc, 0, 0, corner.x, corner.y);

    BITMAP bits = {};
    bits.bmWidth = 8;
    bits.bmHeight = 8;
    bits.bmWidthBytes = 2;
    bits.bmPlanes = 1;
    bits.bmBitsPixel = 1;
    bits.bmBits = const_cast<WORD *>(kDotPattern);
    HBITMAP pattern = CreateBitmapIndirect(&bits);
    HBRUSH dots = CreatePatternBrush(pattern);
    SelectObject(dc, dots);
    SelectObject(dc, GetStockObject(NULL_PEN));
    // Without a pen this fills the single row corner.y - 1.
    Rectangle(dc, 0, corner.y - 1, corner.x, corner.y + 1);

    SelectObject(dc, oldPen);
    DeleteObject(windowPen);
    SelectObject(dc, oldBrush);
    DeleteObject(dots);
    DeleteObject(pattern);
    ReleaseDC(control, dc);
}

// The character in upper case by the system's conversion; non-letters stay.
WPARAM UpperCharacter(unsigned char c)
{
    const ULONG_PTR converted =
        reinterpret_cast<ULONG_PTR>(CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(c))));
    return static_cast<unsigned char>(converted & 0xFF);
}

bool AtWordStart(HWND control)
{
    char text[255];
    const int length = GetWindowTextA(control, text, sizeof text);
    DWORD start = 0;
    SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return IsWordStart(text, length > 0 ? static_cast<size_t>(length) : 0, start);
}

}  // namespace

void MarkLabel(HWND dialog, RegistrationRecord *rec, const FieldRow &row)
{
    if (!rec->UnderlineFont) {
        // Without a readable dialog font there is no underlined font; the next
        // row tries again.
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
        LOGFONTA description;
        if (font && GetObjectA(font, sizeof description, &description) == sizeof description) {
            description.lfUnderline = 1;
            rec->UnderlineFont = CreateFontIndirectA(&description);
        }
    }
    if (row.labelId != 0)
        SendDlgItemMessageA(dialog, row.labelId, WM_SETFONT,
                            reinterpret_cast<WPARAM>(rec->UnderlineFont), FALSE);
}

void InstallFilter(HWND dialog, RegistrationRecord *rec, const FieldRow &row)
{
    HWND control = GetDlgItem(dialog, row.controlId);
    if (!control)
        return;
    // Every subclassed control is an edit, so one saved procedure serves all.
    if (!rec->EditProcedure)
        rec->EditProcedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC));
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FieldFilterProc));
}

void ReleaseFields(HWND dialog, const FieldRow *table)
{
    RegistrationRecord *rec = DialogRecord(dialog);
    if (!rec || !table)
        return;
    const WPARAM dialogFont = static_cast<WPARAM>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    for (const FieldRow *row = table; row->controlId != 0; ++row) {
        HWND control = GetDlgItem(dialog, row->controlId);
        if (!control)
            continue;
        if (row->labelId != 0)
            SendDlgItemMessageA(dialog, row->labelId, WM_SETFONT, dialogFont, FALSE);
        if (row->kind == FieldKind::TextEntry && rec->EditProcedure)
            SetWindowLongPtrA(control, GWLP_WNDPROC,
                              reinterpret_cast<LONG_PTR>(rec->EditProcedure));
    }
    if (rec->UnderlineFont) {
        DeleteObject(rec->UnderlineFont);
        rec->UnderlineFont = nullptr;
    }
}

LRESULT CALLBACK FieldFilterProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(control))
        return 0;
    RegistrationRecord *rec = DialogRecord(GetParent(control));
    if (!rec || !rec->EditProcedure)
        return 0;
    const FieldRow *row = FindFieldRow(rec->FieldTable, GetDlgCtrlID(control));
    if (!row || (msg != WM_PAINT && msg != WM_CHAR))
        return CallWindowProcA(rec->EditProcedure, control, msg, wParam, lParam);

    if (msg == WM_PAINT) {
        const LRESULT painted = CallWindowProcA(rec->EditProcedure, control, msg, wParam, lParam);
        DrawDottedLine(control);
        return painted;
    }

    const unsigned char c = static_cast<unsigned char>(wParam & 0xFF);
    switch (DecideKey(row->filter, c, AtWordStart(control))) {
    case KeyAction::Refuse:
        MessageBeep(0);
        return 0;
    case KeyAction::Capitalise:
        wParam = UpperCharacter(c);
        break;
    case KeyAction::Pass:
        break;
    }
    return CallWindowProcA(rec->EditProcedure, control, msg, wParam, lParam);
}
