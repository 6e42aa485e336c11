// The hardware probe against a scripted services library: name tables, the
// drive walk with its bounded lists, and the ten codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "pages/ProbeLogic.h"

namespace {

struct Drive {
    char letter;
    int type;
    int number;
};

// A machine as the services library would describe it; records the ordinals called.
class FakeServices : public ProbeServices {
public:
    int processor = 0x41;
    int memory1 = 640;
    int memory2 = 15360;
    std::string display = "VGA";
    int displayClass = 2;
    std::vector<Drive> drives;
    int mouse = 0x02;
    std::string printer = "LaserWriter on LPT1:";
    int parallel = 1;
    std::string dos = "MS-DOS 6.22";
    std::string windows = "Windows 3.11";

    std::vector<int> calls;
    int printerWidth = 0;
    std::vector<int> versionWidths;

    int Processor() override { return Called(8), processor; }
    int MemorySize(int which) override
    {
        Called(9);
        return which == 1 ? memory1 : which == 2 ? memory2 : 0;
    }
    int Display(char *text) override
    {
        Called(10);
        strcpy(text, display.c_str());
        return displayClass;
    }
    int NextDrive(int previous) override
    {
        Called(11);
        // The drives in the order given; the index is the letter's.
        size_t i = 0;
        if (previous != -1) {
            while (i < drives.size() && drives[i].letter - 'A' != previous)
                ++i;
            ++i;
        }
        return i < drives.size() ? drives[i].letter - 'A' : -1;
    }
    int DriveInfo(int drive, int *type, int *number) override
    {
        Called(12);
        for (const Drive &d : drives)
            if (d.letter - 'A' == drive) {
                *type = d.type;
                *number = d.number;
            }
        return 0;
    }
    int Mouse() override { return Called(13), mouse; }
    int Printer(char *text, int width) override
    {
        Called(14);
        printerWidth = width;
        CopyField(text, width, printer.c_str());
        return 0;
    }
    int Ports(int which) override { return Called(16), which == 2 ? parallel : 0; }
    int Version(int which, char *text, int width) override
    {
        Called(17);
        versionWidths.push_back(width);
        CopyField(text, width, (which == 1 ? dos : windows).c_str());
        return 0;
    }

private:
    void Called(int ordinal) { calls.push_back(ordinal); }
};

// A record as the entry hands it to the probe: codes "X", stale lists.
RegistrationRecord FreshRecord()
{
    RegistrationRecord rec;
    memset(&rec, 0, sizeof rec);
    CopyField(rec.HardwareCodes, "XXXXXXXXXX");
    CopyField(rec.FloppyDrives, "stale");
    CopyField(rec.HardDrives, "stale");
    CopyField(rec.OtherDrives, "stale");
    return rec;
}

RegistrationRecord Probe(FakeServices &services)
{
    RegistrationRecord rec = FreshRecord();
    ProbeHardware(&rec, services);
    return rec;
}

char CodeAt(const RegistrationRecord &rec, int position) { return rec.HardwareCodes[position - 1]; }

TEST(Probe, ProcessorAndCoprocessorFollowTheTablesInOrder)
{
    struct Case {
        int value;
        const char *cpu;
        const char *coprocessor;
        char cpuCode, coprocessorCode;
    };
    const Case cases[] = {
        {0x42, "Unknown", "Absent", '0', '2'},  // "not identified" comes before 80486
        {0x41, "80486", "Present", '3', '1'},
        {0x10, "80286", "Absent", '1', '2'},
        {0x21, "80386", "Present", '2', '1'},
        {0x81, "80586", "Present", '4', '1'},
        {0x30, "80286", "Absent", '1', '2'},  // first match in table order
        {0x00, "Unknown", "Absent", '0', '2'},
        {0x100, "Unknown", "Absent", '0', '2'},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        FakeServices services;
        services.processor = c.value;
        const RegistrationRecord rec = Probe(services);
        EXPECT_STREQ(c.cpu, rec.CPU);
        EXPECT_STREQ(c.coprocessor, rec.Coprocessor);
        EXPECT_EQ(c.cpuCode, CodeAt(rec, 1));
        EXPECT_EQ(c.coprocessorCode, CodeAt(rec, 2));
    }
}

TEST(Probe, MouseFollowsTheTableInOrder)
{
    struct Case {
        int value;
        const char *name;
        char code;
    };
    const Case cases[] = {
        {0x24, "Serial", '4'}, {0x01, "None", '2'},  {0x02, "Present", '1'},
        {0x08, "Bus", '3'},    {0x10, "InPort", '5'}, {0x20, "PS/2", '6'},
        {0x40, "HP", '7'},     {0x03, "None", '2'},  {0x00, "None", '2'},
        {0x80, "None", '2'},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        FakeServices services;
        services.mouse = c.value;
        const RegistrationRecord rec = Probe(services);
        EXPECT_STREQ(c.name, rec.Mouse);
        EXPECT_EQ(c.code, CodeAt(rec, 8));
    }
}

TEST(Probe, DriveWalkListsAndCounts)
{
    struct Case {
        const char *name;
        std::vector<Drive> drives;
        const char *floppy, *hard, *other;
        char hardCode, floppyCode, cdCode;
    };
    const Case cases[] = {
        {"no drives", {}, "", "", "", '0', '0', '0'},
        {"1.44M A, hard disk C, CD-ROM D",
         {{'A', 32, 0}, {'C', 128, 540}, {'D', 5, 0}},
         "A (1.44M)", "C (540)", "D (CD)", '1', '1', '1'},
        {"every floppy size and an unknown floppy bit",
         {{'A', 4, 0}, {'B', 8, 0}, {'C', 16, 0}, {'D', 32, 0}},
         "A (360K) B (1.2M) C (720K) D (1.44M)", "", "", '0', '4', '0'},
        {"five hard disks: the fourth and fifth as letter and blank",
         {{'C', 128, 100}, {'D', 128, 200}, {'E', 128, 300}, {'F', 128, 400}, {'G', 128, 500}},
         "", "C (100) D (200) E (300) F  G ", "", '5', '0', '0'},
        {"twelve hard disks stop at 9, and the list keeps what fits",
         {{'C', 128, 12345}, {'D', 128, 12345}, {'E', 128, 12345}, {'F', 128, 1},
          {'G', 128, 1}, {'H', 128, 1}, {'I', 128, 1}, {'J', 128, 1}, {'K', 128, 1},
          {'L', 128, 1}, {'M', 128, 1}, {'N', 128, 1}},
         "", "C (12345) D (12345) E (12345) F  G  H  I  J  K ", "", '9', '0', '0'},
        {"a type-2 drive is listed as other and not counted",
         {{'E', 2, 7}}, "", "", "E ", '0', '0', '0'},
        {"ten floppies stop at 9; the sixth no longer fits",
         {{'A', 32, 0}, {'B', 32, 0}, {'C', 32, 0}, {'D', 32, 0}, {'E', 32, 0},
          {'F', 32, 0}, {'G', 32, 0}, {'H', 32, 0}, {'I', 32, 0}, {'J', 32, 0}},
         "A (1.44M) B (1.44M) C (1.44M) D (1.44M) E (1.44M)", "", "", '0', '9', '0'},
        {"other drives at 42 characters still take a CD-ROM drive",
         {{'A', 2, 0}, {'B', 2, 0}, {'C', 2, 0}, {'D', 2, 0}, {'E', 5, 0}, {'F', 5, 0},
          {'G', 5, 0}, {'H', 5, 0}, {'I', 2, 0}, {'J', 5, 0}, {'K', 2, 0}},
         "", "", "A  B  C  D  E (CD) F (CD) G (CD) H (CD) I  J (CD)", '0', '0', '5'},
        {"other drives at 43 characters drop a CD-ROM drive but count it",
         {{'A', 2, 0}, {'B', 2, 0}, {'C', 2, 0}, {'D', 5, 0}, {'E', 5, 0}, {'F', 5, 0},
          {'G', 5, 0}, {'H', 5, 0}, {'I', 5, 0}, {'J', 2, 0}, {'K', 2, 0}, {'L', 2, 0},
          {'M', 5, 0}},
         "", "", "A  B  C  D (CD) E (CD) F (CD) G (CD) H (CD) J  K ", '0', '0', '7'},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FakeServices services;
        services.drives = c.drives;
        const RegistrationRecord rec = Probe(services);
        EXPECT_STREQ(c.floppy, rec.FloppyDrives);
        EXPECT_STREQ(c.hard, rec.HardDrives);
        EXPECT_STREQ(c.other, rec.OtherDrives);
        EXPECT_EQ(c.hardCode, CodeAt(rec, 4));
        EXPECT_EQ(c.floppyCode, CodeAt(rec, 5));
        EXPECT_EQ(c.cdCode, CodeAt(rec, 10));
    }
}

// A library that keeps answering the same drive: the walk still ends.
class EndlessDrives : public FakeServices {
public:
    int NextDrive(int previous) override
    {
        FakeServices::NextDrive(previous);
        return 2;
    }
};

TEST(Probe, DriveWalkEndsWhenTheLibraryNeverSaysNoMore)
{
    EndlessDrives services;
    services.drives = {{'C', 128, 1}};
    const RegistrationRecord rec = Probe(services);
    EXPECT_EQ('9', CodeAt(rec, 4));
    EXPECT_EQ(26, std::count(services.calls.begin(), services.calls.end(), 12));
}

TEST(Probe, ParallelPortsTextAndCode)
{
    struct Case {
        int ports;
        const char *text;
        char code;
    };
    const Case cases[] = {
        {0, "0", '0'}, {1, "1", '1'}, {9, "9", '9'}, {10, "10", '9'}, {12, "12", '9'},
        {1234567, "12345", '9'},  // the field holds five characters
        {-1, "-1", '0'},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.ports);
        FakeServices services;
        services.parallel = c.ports;
        const RegistrationRecord rec = Probe(services);
        EXPECT_STREQ(c.text, rec.ParallelPorts);
        EXPECT_EQ(c.code, CodeAt(rec, 6));
    }
}

TEST(Probe, TextsAndCodesOfAWholeMachine)
{
    FakeServices services;
    services.drives = {{'A', 32, 0}, {'C', 128, 540}, {'D', 5, 0}};
    services.processor = 0x41;
    services.mouse = 0x24;
    services.parallel = 1;
    const RegistrationRecord rec = Probe(services);

    EXPECT_STREQ("80486", rec.CPU);
    EXPECT_STREQ("Present", rec.Coprocessor);
    EXPECT_STREQ("16000 KB", rec.Memory);
    EXPECT_STREQ("VGA", rec.DisplayType);
    EXPECT_STREQ("1", rec.ParallelPorts);
    EXPECT_STREQ("2", rec.SerialPorts);
    EXPECT_STREQ("Serial", rec.Mouse);
    EXPECT_STREQ("LaserWriter on LPT1:", rec.Printer);
    EXPECT_STREQ("MS-DOS 6.22", rec.DOSVersion);
    EXPECT_STREQ("Windows 3.11", rec.WindowsVersion);
    EXPECT_STREQ("3121112411", rec.HardwareCodes);
    EXPECT_EQ(1, rec.SendConfiguration);

    // The library gets one less than each field's width, in this order of calls.
    EXPECT_EQ(49, services.printerWidth);
    EXPECT_EQ((std::vector<int>{39, 39}), services.versionWidths);
    EXPECT_EQ((std::vector<int>{8, 9, 9, 10, 11, 12, 11, 12, 11, 12, 11, 16, 13, 14, 17, 17}),
              services.calls);
}

TEST(Probe, NoCodeIsLeftUnset)
{
    struct Case {
        const char *name;
        int processor, displayClass, mouse, parallel;
    };
    const Case cases[] = {
        {"nothing identified", 0x00, 0, 0x00, 0},
        {"everything at its top", 0xFF, 9, 0x7F, 99},
        {"a display class out of range", 0x41, 12, 0x02, 1},
        {"a negative display class", 0x41, -3, 0x02, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FakeServices services;
        services.processor = c.processor;
        services.displayClass = c.displayClass;
        services.mouse = c.mouse;
        services.parallel = c.parallel;
        const RegistrationRecord rec = Probe(services);
        ASSERT_EQ(10u, strlen(rec.HardwareCodes));
        for (int i = 0; i < 10; ++i)
            EXPECT_TRUE(rec.HardwareCodes[i] >= '0' && rec.HardwareCodes[i] <= '9')
                << "position " << i + 1 << " is " << rec.HardwareCodes[i];
        EXPECT_EQ('2', CodeAt(rec, 7));
        EXPECT_EQ('1', CodeAt(rec, 9));
    }
}

TEST(Probe, MemoryIsTheSumOfBothSizes)
{
    struct Case {
        int first, second;
        const char *text;
    };
    const Case cases[] = {
        {640, 15360, "16000 KB"},
        {0, 0, "0 KB"},
        {2147483647, 2147483647, "4294967294 KB"},  // no overflow of the sum
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        FakeServices services;
        services.memory1 = c.first;
        services.memory2 = c.second;
        EXPECT_STREQ(c.text, Probe(services).Memory);
    }
}

TEST(Probe, LongLibraryTextsStayWithinTheirFields)
{
    FakeServices services;
    services.printer = std::string(80, 'p');
    services.dos = std::string(80, 'd');
    services.windows = std::string(80, 'w');
    const RegistrationRecord rec = Probe(services);
    EXPECT_EQ(std::string(48, 'p'), rec.Printer);
    EXPECT_EQ(std::string(38, 'd'), rec.DOSVersion);
    EXPECT_EQ(std::string(38, 'w'), rec.WindowsVersion);
}

}  // namespace
