// The one record of a registration call: every step of the card reads and writes it.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
// The portable logic sees the record without <windows.h>; the handles keep their size.
typedef void *HINSTANCE;
typedef void *HFONT;
typedef intptr_t (*WNDPROC)(void *, unsigned, uintptr_t, intptr_t);
#endif

struct FieldRow;

// Widths count the terminator: a field of width 50 holds 49 characters.
struct RegistrationRecord {
    // Group A: hardware configuration, filled by the probe.
    char CPU[20];
    char Coprocessor[20];
    char Memory[20];
    char DisplayType[50];
    char FloppyDrives[50];
    char HardDrives[50];
    char OtherDrives[50];
    char ParallelPorts[6];
    char SerialPorts[6];
    char Mouse[20];
    char Printer[50];
    char DOSVersion[40];
    char WindowsVersion[40];
    char HardwareCodes[11];
    int32_t SendConfiguration;
    int32_t NoDialToneWait;

    // Group B: card fields, named by their settings keys.
    char FirstName[50];
    char Initial[2];
    char LastName[50];
    char Company[100];
    char Address1[100];
    char Address2[100];
    char City[50];
    char State[50];
    char Zip[16];
    char Country[50];
    char Phone[32];
    char Fax[32];
    char PurchaseType[20];
    char ComputersAtSite[20];
    char IHaveUsed[20];
    char HowDidYouHear[20];
    char PurchasedFrom[100];
    char PurchaseDate[32];
    char SerialNumber[50];
    char Service[50];
    char EmailAddress[100];
    int8_t PurchaseTypeIndex;
    int8_t ComputersAtSiteIndex;
    int8_t IHaveUsedIndex;
    int8_t HowDidYouHearIndex;
    int8_t ServiceIndex;

    // Group C: product configuration and paths.
    char ProductCode[10];
    char ProductCodePrefix[10];
    char RecordFilePath[260];
    char DemographicsSection[40];
    char ResearchSection[40];
    char SettingsPath[260];
    char ProductName[50];
    char VendorName[50];
    char VendorStreet[50];
    char VendorCity[50];
    char VendorFax[40];
    char ModemNumber[40];
    char DialString[50];

    // Group D: working state.
    HFONT UnderlineFont;
    HINSTANCE ModuleInstance;
    WNDPROC EditProcedure;
    const FieldRow *FieldTable;
    int32_t ModemPort;
    // The opt-out flag and the 51 answers form one block of 52 bytes.
    uint8_t DoNotSendMarketResearch;
    uint8_t Question[51];
};

enum { QUESTION_COUNT = 51 };

static_assert(offsetof(RegistrationRecord, Question) ==
                  offsetof(RegistrationRecord, DoNotSendMarketResearch) + 1,
              "the opt-out flag and the answers are one block");

// Bounded copy: at most width - 1 characters, always terminated.
inline void CopyField(char *dest, size_t width, const char *src)
{
    if (width == 0)
        return;
    size_t i = 0;
    if (src)
        for (; i + 1 < width && src[i]; ++i)
            dest[i] = src[i];
    dest[i] = '\0';
}

template <size_t N> inline void CopyField(char (&dest)[N], const char *src)
{
    CopyField(dest, N, src);
}
