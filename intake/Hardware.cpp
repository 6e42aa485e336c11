// The probe keeps its name tables to itself; rather than copy them, the
// intake asks the probe what each code means by running it over a machine
// that reports one value at a time, and notes the code and name it writes.
#include "Hardware.h"

#include <cstring>

#include "pages/ProbeLogic.h"

namespace {

class OneValue : public ProbeServices {
public:
    explicit OneValue(int value) : m_value(value) {}
    int Processor() override { return m_value; }
    int MemorySize(int) override { return 0; }
    int Display(char *) override { return 0; }
    int NextDrive(int) override { return -1; }
    int DriveInfo(int, int *, int *) override { return 0; }
    int Mouse() override { return m_value; }
    int Printer(char *, int) override { return 0; }
    int Ports(int) override { return 0; }
    int Version(int, char *, int) override { return 0; }

private:
    int m_value;
};

// Name per code character; codes are digits.
struct CodeNames {
    char processor[10][sizeof(RegistrationRecord::CPU)];
    char coprocessor[10][sizeof(RegistrationRecord::Coprocessor)];
    char mouse[10][sizeof(RegistrationRecord::Mouse)];
};

void Note(char (*names)[20], char code, const char *name)
{
    if (code >= '0' && code <= '9' && names[code - '0'][0] == '\0')
        CopyField(names[code - '0'], 20, name);
}

const CodeNames &Names()
{
    static const CodeNames names = [] {
        CodeNames n;
        memset(&n, 0, sizeof n);
        // Every single bit, and none: each table entry answers one of them.
        for (int bit = -1; bit < 31; ++bit) {
            RegistrationRecord rec;
            memset(&rec, 0, sizeof rec);
            OneValue machine(bit < 0 ? 0 : 1 << bit);
            ProbeHardware(&rec, machine);
            Note(n.processor, rec.HardwareCodes[0], rec.CPU);
            Note(n.coprocessor, rec.HardwareCodes[1], rec.Coprocessor);
            Note(n.mouse, rec.HardwareCodes[7], rec.Mouse);
        }
        return n;
    }();
    return names;
}

const char *Name(const char (*names)[20], std::string_view code)
{
    if (code.size() != 1 || code[0] < '0' || code[0] > '9' || !names[code[0] - '0'][0])
        return nullptr;
    return names[code[0] - '0'];
}

int Digit(std::string_view code)
{
    return code.size() == 1 && code[0] >= '0' && code[0] <= '9' ? code[0] - '0' : -1;
}

}  // namespace

static_assert(sizeof(RegistrationRecord::CPU) == 20 && sizeof(RegistrationRecord::Coprocessor) == 20 &&
                  sizeof(RegistrationRecord::Mouse) == 20,
              "the name tables hold the probe's fields");

DecodedHardware DecodeHardware(const std::string_view codes[10])
{
    const CodeNames &n = Names();
    DecodedHardware d;
    d.processorClass = Name(n.processor, codes[0]);
    d.coprocessor = Name(n.coprocessor, codes[1]);
    d.displayClass = Digit(codes[2]);
    d.hardDisks = Digit(codes[3]);
    d.floppyDrives = Digit(codes[4]);
    d.parallelPorts = Digit(codes[5]);
    d.serialPorts = Digit(codes[6]);
    d.mouse = Name(n.mouse, codes[7]);
    d.cdRoms = Digit(codes[9]);
    return d;
}
