// Running a dialog of the module's templates.
#include "RecordDialog.h"

int RunDialog(HWND owner, HINSTANCE module, int templateId, DLGPROC proc, LPARAM param)
{
    // Every result the card's dialogs end with is a control id or -1.
    return static_cast<int>(
        DialogBoxParamA(module, MAKEINTRESOURCEA(templateId), owner, proc, param));
}
