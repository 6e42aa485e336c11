// The hardware probe: name tables, the drive walk with its bounded lists, and
// the ten hardware codes.
#include "ProbeLogic.h"

#include <cstdint>
#include <cstring>

#include "../platform/FormatText.h"

namespace {

// A value takes the first entry whose mask shares a bit with it; the last
// entry (mask 0) is taken when none does.
struct NameEntry {
    uint32_t mask;
    const char *name;
    char code;
};

const NameEntry kCpuTable[] = {
    {0x02, "Unknown", '0'}, {0x10, "80286", '1'}, {0x20, "80386", '2'},
    {0x40, "80486", '3'},   {0x80, "80586", '4'}, {0, "Unknown", '0'},
};

const NameEntry kCoprocessorTable[] = {
    {0x01, "Present", '1'},
    {0, "Absent", '2'},
};

const NameEntry kFloppyTable[] = {
    {0x04, "(360K)", 0}, {0x08, "(1.2M)", 0}, {0x10, "(720K)", 0},
    {0x20, "(1.44M)", 0}, {0, "", 0},
};

const NameEntry kMouseTable[] = {
    {0x01, "None", '2'},   {0x02, "Present", '1'}, {0x04, "Serial", '4'},
    {0x08, "Bus", '3'},    {0x10, "InPort", '5'},  {0x20, "PS/2", '6'},
    {0x40, "HP", '7'},     {0, "None", '2'},
};

template <size_t N> const NameEntry &LookUp(const NameEntry (&table)[N], int value)
{
    for (size_t i = 0; i + 1 < N; ++i)
        if (table[i].mask & static_cast<uint32_t>(value))
            return table[i];
    return table[N - 1];
}

// The drive types the library reports.
enum : int {
    kDrive360K = 4,
    kDrive12M = 8,
    kDrive720K = 16,
    kDrive144M = 32,
    kDriveCdRom = 5,
    kDriveHardDisk = 128,
};

// A drive walk never needs more steps than there are drive letters; the bound
// keeps a library that never answers -1 from holding the card forever.
const int kMaxDrives = 26;

// Hardware code positions, counted from 1 as the card's readers know them.
enum CodePosition {
    kCodeCpu = 1,
    kCodeCoprocessor,
    kCodeDisplay,
    kCodeHardDisks,
    kCodeFloppies,
    kCodeParallel,
    kCodeSerial,
    kCodeMouse,
    kCodeSendConfiguration,
    kCodeCdRoms,
};

char &Code(RegistrationRecord *rec, CodePosition position)
{
    return rec->HardwareCodes[position - 1];
}

// A count as one digit, stopping at "9"; a negative count reads as "0".
char CountDigit(long long n)
{
    if (n < 0)
        return '0';
    return static_cast<char>('0' + (n < 9 ? n : 9));
}

void CountUp(char &code)
{
    if (code < '9')
        ++code;
}

// Adds entry after a blank separator, or leaves it out when the list,
// separator and entry together would not fit in the field.
template <size_t N> void AppendDrive(char (&list)[N], const char *entry)
{
    const size_t used = strlen(list);
    const size_t separator = used ? 1 : 0;
    const size_t length = strlen(entry);
    if (used + separator + length > N - 1)
        return;
    if (separator)
        list[used] = ' ';
    memcpy(list + used + separator, entry, length + 1);
}

void WalkDrives(RegistrationRecord *rec, ProbeServices &services)
{
    rec->FloppyDrives[0] = '\0';
    rec->HardDrives[0] = '\0';
    rec->OtherDrives[0] = '\0';
    Code(rec, kCodeHardDisks) = '0';
    Code(rec, kCodeFloppies) = '0';
    Code(rec, kCodeCdRoms) = '0';

    int hardDisks = 0;
    int d = services.NextDrive(-1);
    for (int steps = 0; d != -1 && steps < kMaxDrives; ++steps, d = services.NextDrive(d)) {
        int type = 0, number = 0;
        services.DriveInfo(d, &type, &number);
        const char letter = static_cast<char>('A' + d);
        char entry[40];
        switch (type) {
        case kDrive360K:
        case kDrive12M:
        case kDrive720K:
        case kDrive144M:
            CountUp(Code(rec, kCodeFloppies));
            FormatText(entry, sizeof entry, "%c %s", letter, LookUp(kFloppyTable, type).name);
            AppendDrive(rec->FloppyDrives, entry);
            break;
        case kDriveCdRom:
            CountUp(Code(rec, kCodeCdRoms));
            FormatText(entry, sizeof entry, "%c (CD)", letter);
            AppendDrive(rec->OtherDrives, entry);
            break;
        case kDriveHardDisk:
            ++hardDisks;
            CountUp(Code(rec, kCodeHardDisks));
            // Only the first three hard disks carry their number.
            if (hardDisks <= 3)
                FormatText(entry, sizeof entry, "%c (%d)", letter, number);
            else
                FormatText(entry, sizeof entry, "%c ", letter);
            AppendDrive(rec->HardDrives, entry);
            break;
        default:
            FormatText(entry, sizeof entry, "%c ", letter);
            AppendDrive(rec->OtherDrives, entry);
            break;
        }
    }
}

}  // namespace

void ProbeHardware(RegistrationRecord *rec, ProbeServices &services)
{
    const int processor = services.Processor();
    const NameEntry &cpu = LookUp(kCpuTable, processor);
    CopyField(rec->CPU, cpu.name);
    Code(rec, kCodeCpu) = cpu.code;
    const NameEntry &coprocessor = LookUp(kCoprocessorTable, processor);
    CopyField(rec->Coprocessor, coprocessor.name);
    Code(rec, kCodeCoprocessor) = coprocessor.code;

    const long long memory =
        static_cast<long long>(services.MemorySize(1)) + services.MemorySize(2);
    FormatText(rec->Memory, sizeof rec->Memory, FORMAT_INT64 " KB", memory);

    rec->DisplayType[0] = '\0';
    const int displayClass = services.Display(rec->DisplayType);
    rec->DisplayType[sizeof rec->DisplayType - 1] = '\0';
    Code(rec, kCodeDisplay) = CountDigit(displayClass);

    WalkDrives(rec, services);

    const int parallel = services.Ports(2);
    FormatText(rec->ParallelPorts, sizeof rec->ParallelPorts, "%d", parallel);
    Code(rec, kCodeParallel) = CountDigit(parallel);

    CopyField(rec->SerialPorts, "2");
    Code(rec, kCodeSerial) = '2';

    const NameEntry &mouse = LookUp(kMouseTable, services.Mouse());
    CopyField(rec->Mouse, mouse.name);
    Code(rec, kCodeMouse) = mouse.code;

    // The library is handed one less than each field's width, as it always was.
    rec->Printer[0] = '\0';
    services.Printer(rec->Printer, sizeof rec->Printer - 1);
    rec->Printer[sizeof rec->Printer - 1] = '\0';
    rec->DOSVersion[0] = '\0';
    services.Version(1, rec->DOSVersion, sizeof rec->DOSVersion - 1);
    rec->DOSVersion[sizeof rec->DOSVersion - 1] = '\0';
    rec->WindowsVersion[0] = '\0';
    services.Version(2, rec->WindowsVersion, sizeof rec->WindowsVersion - 1);
    rec->WindowsVersion[sizeof rec->WindowsVersion - 1] = '\0';

    Code(rec, kCodeSendConfiguration) = '1';
    rec->HardwareCodes[sizeof rec->HardwareCodes - 1] = '\0';
    rec->SendConfiguration = 1;
}
