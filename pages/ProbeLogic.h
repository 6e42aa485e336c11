// The hardware probe over an interface of the services library, so the name
// tables, the drive walk and the codes run and are tested without Windows.
#pragma once
#include "../common/Record.h"

// The probing functions of zeveze32.dll, one per ordinal; widths count the terminator.
class ProbeServices {
public:
    virtual ~ProbeServices() = default;
    virtual int Processor() = 0;                                // 8
    virtual int MemorySize(int which) = 0;                      // 9
    virtual int Display(char *display) = 0;                     // 10
    virtual int NextDrive(int previous) = 0;                    // 11
    virtual int DriveInfo(int drive, int *type, int *number) = 0;  // 12
    virtual int Mouse() = 0;                                    // 13
    virtual int Printer(char *printer, int width) = 0;          // 14
    virtual int Ports(int which) = 0;                           // 16
    virtual int Version(int which, char *text, int width) = 0;  // 17
};

// Fills the thirteen hardware texts and the ten hardware codes, and sets
// Send Configuration to 1.
void ProbeHardware(RegistrationRecord *rec, ProbeServices &services);
