// Filling combo boxes from ranges of the string table.
#include "StringTable.h"

#include "../platform/ModuleString.h"

LRESULT FillComboFromStrings(HWND dialog, HINSTANCE instance, int control, int first,
                             int last, int select)
{
    LRESULT index = CB_ERR;
    for (int id = first; id <= last; ++id) {
        char text[64];
        LoadModuleString(instance, id, text);
        index = SendDlgItemMessageA(dialog, control, CB_ADDSTRING, 0,
                                    reinterpret_cast<LPARAM>(text));
        if (index < 0)
            return index;
    }
    SendDlgItemMessageA(dialog, control, CB_SETCURSEL, select, 0);
    return index;
}
