// A record with every text at its full width, for the renderers' bounds and
// the longest mail body.
#pragma once
#include <cstring>

#include "common/Record.h"

// Every text at its full width (a width counts the terminator), filled with
// the pattern repeated.
inline RegistrationRecord WidestRecord(const char *pattern = "w")
{
    RegistrationRecord r;
    memset(&r, 'w', sizeof r);
    const size_t n = strlen(pattern);
    auto fill = [pattern, n](char *field, size_t width) {
        for (size_t i = 0; i + 1 < width; ++i)
            field[i] = pattern[i % n];
        field[width - 1] = '\0';
    };
#define FULL(field) fill(r.field, sizeof r.field)
    FULL(CPU); FULL(Coprocessor); FULL(Memory); FULL(DisplayType); FULL(FloppyDrives);
    FULL(HardDrives); FULL(OtherDrives); FULL(ParallelPorts); FULL(SerialPorts); FULL(Mouse);
    FULL(Printer); FULL(DOSVersion); FULL(WindowsVersion); FULL(HardwareCodes);
    FULL(FirstName); FULL(Initial); FULL(LastName); FULL(Company); FULL(Address1);
    FULL(Address2); FULL(City); FULL(State); FULL(Zip); FULL(Country); FULL(Phone); FULL(Fax);
    FULL(PurchaseType); FULL(ComputersAtSite); FULL(IHaveUsed); FULL(HowDidYouHear);
    FULL(PurchasedFrom); FULL(PurchaseDate); FULL(SerialNumber); FULL(Service);
    FULL(EmailAddress); FULL(ProductCode); FULL(ProductCodePrefix); FULL(ProductName);
    FULL(VendorName); FULL(VendorStreet); FULL(VendorCity); FULL(VendorFax);
#undef FULL
    r.PurchaseTypeIndex = r.ComputersAtSiteIndex = r.IHaveUsedIndex = -128;  // widest number
    r.HowDidYouHearIndex = r.ServiceIndex = -128;
    r.SendConfiguration = 1;
    r.DoNotSendMarketResearch = 0;
    return r;
}
