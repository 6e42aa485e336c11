// VIreVuvo_Register: the library's one entry point for the host.
#include <windows.h>

#include <cstring>

#include "../common/Record.h"
#include "../include/GlimReg.h"
#include "NameSplit.h"
#include "RegCardApp.h"
#include "Settings.h"
#include "Steps.h"

namespace {

// Fills the record in its fixed order and runs the wizard; true when finished.
bool RunCard(HWND owner, int *outcome, const HostUserRecord *host, RegistrationRecord *rec)
{
    rec->ModuleInstance = g_moduleInstance;
    rec->ModemPort = 0;
    LoadConfiguration(rec);
    *outcome = 0;
    CopyField(rec->HardwareCodes, "XXXXXXXXXX");
    LoadCard(rec);

    // The host's values replace whatever the settings file held.
    char name[sizeof host->userName];
    TakeHostField(name, sizeof name, host->userName, sizeof host->userName);
    SplitUserName(name, rec->FirstName, sizeof rec->FirstName, rec->Initial,
                  sizeof rec->Initial, rec->LastName, sizeof rec->LastName);
    TakeHostField(rec->Company, sizeof rec->Company, host->company, sizeof host->company);
    TakeHostField(rec->SerialNumber, sizeof rec->SerialNumber, host->serialNumber,
                  sizeof host->serialNumber);

    LoadQuestionnaire(rec);
    // The hardware is probed by the hardware step, the first to need it, so
    // the intro is not kept waiting for the machine's drives and ports.

    WizardSteps steps(owner, rec);
    return RunFlow(steps);
}

}  // namespace

extern "C" int __cdecl VIreVuvo_Register(HWND owner, int *outcome, const HostUserRecord *host)
{
    if (owner && !IsWindow(owner))
        return -1;
    if (IsBadWritePtr(outcome, sizeof *outcome))
        return -1;
    // The host's record is read on the way in: a missing one would crash the host.
    if (IsBadReadPtr(host, sizeof *host))
        return -1;

    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(RegistrationRecord));
    if (!memory)
        return -1;
    auto *rec = static_cast<RegistrationRecord *>(GlobalLock(memory));
    if (!rec) {
        GlobalFree(memory);
        return -1;
    }

    // No exception may reach the host: a failure inside the card ends it unfinished.
    bool finished = false;
    try {
        finished = RunCard(owner, outcome, host, rec);
    } catch (...) {
        finished = false;
    }
    if (finished)
        *outcome = 1;

    GlobalUnlock(memory);
    GlobalFree(memory);
    return 0;
}
