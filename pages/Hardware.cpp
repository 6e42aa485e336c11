// The hardware configuration page: shows the thirteen probed texts and lets
// the user withhold them for this call.
#include "Hardware.h"

#include <cstddef>

#include "../common/Centre.h"
#include "../common/DialogText.h"
#include "../common/RecordDialog.h"
#include "../resources/resource.h"

namespace {

struct HardwareText {
    int control;
    size_t offset;
};

#define HARDWARE_TEXT(control, field) {control, offsetof(RegistrationRecord, field)}

const HardwareText kHardwareTexts[] = {
    HARDWARE_TEXT(IDC_HARDWARE_CPU, CPU),
    HARDWARE_TEXT(IDC_HARDWARE_COPROCESSOR, Coprocessor),
    HARDWARE_TEXT(IDC_HARDWARE_MEMORY, Memory),
    HARDWARE_TEXT(IDC_HARDWARE_DISPLAY, DisplayType),
    HARDWARE_TEXT(IDC_HARDWARE_HARD_DRIVES, HardDrives),
    HARDWARE_TEXT(IDC_HARDWARE_FLOPPY_DRIVES, FloppyDrives),
    HARDWARE_TEXT(IDC_HARDWARE_OTHER_DRIVES, OtherDrives),
    HARDWARE_TEXT(IDC_HARDWARE_PARALLEL, ParallelPorts),
    HARDWARE_TEXT(IDC_HARDWARE_PRINTER, Printer),
    HARDWARE_TEXT(IDC_HARDWARE_SERIAL, SerialPorts),
    HARDWARE_TEXT(IDC_HARDWARE_MOUSE, Mouse),
    HARDWARE_TEXT(IDC_HARDWARE_DOS_VERSION, DOSVersion),
    HARDWARE_TEXT(IDC_HARDWARE_WINDOWS_VERSION, WindowsVersion),
};

// The ninth hardware code tells the card's readers whether the configuration is sent.
const size_t kSendConfigurationCode = 8;

void ShowHardware(HWND dlg, const RegistrationRecord *rec)
{
    for (const HardwareText &t : kHardwareTexts)
        SetDlgItemTextA(dlg, t.control, reinterpret_cast<const char *>(rec) + t.offset);
}

void StoreChoice(HWND dlg, RegistrationRecord *rec)
{
    const bool withheld = IsDlgButtonChecked(dlg, IDC_HARDWARE_DO_NOT_SEND) == BST_CHECKED;
    rec->SendConfiguration = withheld ? 0 : 1;
    rec->HardwareCodes[kSendConfigurationCode] = withheld ? '0' : '1';
}

INT_PTR CALLBACK HardwareProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: {
        RegistrationRecord *rec = KeepDialogRecord(dlg, lParam);
        ShowHardware(dlg, rec);
        SubstituteControlText(dlg, IDC_HARDWARE_DO_NOT_SEND, rec->VendorName);
        CentreOnDesktop(dlg);
        return TRUE;  // the opt-out box starts cleared on every run
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            StoreChoice(dlg, DialogRecord(dlg));
            EndDialog(dlg, IDOK);
        }
        return TRUE;  // Esc leaves the page open
    case WM_CLOSE:
        // The flow goes on to the delivery either way, so the user's opt-out must hold.
        StoreChoice(dlg, DialogRecord(dlg));
        EndDialog(dlg, IDC_REGISTER_LATER);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int RunHardware(HWND owner, RegistrationRecord *rec)
{
    return RunDialog(owner, rec->ModuleInstance, IDD_HARDWARE, HardwareProc,
                     reinterpret_cast<LPARAM>(rec));
}
