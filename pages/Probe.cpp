// The hardware probe bound to the registration-services library.
#include "Probe.h"

#include "../services/Services.h"
#include "ProbeLogic.h"

namespace {

class LibraryProbeServices : public ProbeServices {
public:
    int Processor() override { return ZvProcessor(); }
    int MemorySize(int which) override { return ZvMemorySize(which); }
    int Display(char *display) override { return ZvDisplay(display); }
    int NextDrive(int previous) override { return ZvNextDrive(previous); }
    int DriveInfo(int drive, int *type, int *number) override
    {
        return ZvDriveInfo(drive, type, number);
    }
    int Mouse() override { return ZvMouse(); }
    int Printer(char *printer, int width) override { return ZvPrinter(printer, width); }
    int Ports(int which) override { return ZvPorts(which); }
    int Version(int which, char *text, int width) override
    {
        return ZvVersion(which, text, width);
    }
};

}  // namespace

void ProbeHardware(RegistrationRecord *rec)
{
    LibraryProbeServices services;
    ProbeHardware(rec, services);
}
