// The hardware page and the probe: what the page shows and stores, the probe
// through the stand-in's script and on this machine.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "pages/Hardware.h"
#include "pages/Probe.h"
#include "resources/resource.h"
#include "services/Services.h"
#include "tests/driver/CardWalk.h"
#include "tests/driver/UiDriver.h"

namespace {

// A record as the probe leaves it, with a text of its own in every field.
RegistrationRecord ProbedRecord()
{
    RegistrationRecord rec;
    memset(&rec, 0, sizeof rec);
    rec.ModuleInstance = GetModuleHandleA(nullptr);
    CopyField(rec.VendorName, "Tarvolen Corporation");
    CopyField(rec.CPU, "80486");
    CopyField(rec.Coprocessor, "Present");
    CopyField(rec.Memory, "16000 KB");
    CopyField(rec.DisplayType, "VGA");
    CopyField(rec.HardDrives, "C (540)");
    CopyField(rec.FloppyDrives, "A (1.44M)");
    CopyField(rec.OtherDrives, "D (CD) E ");
    CopyField(rec.ParallelPorts, "1");
    CopyField(rec.Printer, "LaserWriter & Co on LPT1:");
    CopyField(rec.SerialPorts, "2");
    CopyField(rec.Mouse, "Serial");
    CopyField(rec.DOSVersion, "MS-DOS 6.22");
    CopyField(rec.WindowsVersion, "Windows 3.11");
    CopyField(rec.HardwareCodes, "3121112411");
    rec.SendConfiguration = 1;
    return rec;
}

struct Shown {
    int control;
    const char *text;
};

TEST(Hardware, PageShowsTheProbedTextsAndTheVendor)
{
    RegistrationRecord rec = ProbedRecord();
    Played page([&] { return RunHardware(nullptr, &rec); });
    HWND dlg = WaitFor(dialogs::Hardware);
    ASSERT_TRUE(dlg);

    const Shown shown[] = {
        {IDC_HARDWARE_CPU, "80486"},
        {IDC_HARDWARE_COPROCESSOR, "Present"},
        {IDC_HARDWARE_MEMORY, "16000 KB"},
        {IDC_HARDWARE_DISPLAY, "VGA"},
        {IDC_HARDWARE_HARD_DRIVES, "C (540)"},
        {IDC_HARDWARE_FLOPPY_DRIVES, "A (1.44M)"},
        {IDC_HARDWARE_OTHER_DRIVES, "D (CD) E "},
        {IDC_HARDWARE_PARALLEL, "1"},
        {IDC_HARDWARE_PRINTER, "LaserWriter & Co on LPT1:"},
        {IDC_HARDWARE_SERIAL, "2"},
        {IDC_HARDWARE_MOUSE, "Serial"},
        {IDC_HARDWARE_DOS_VERSION, "MS-DOS 6.22"},
        {IDC_HARDWARE_WINDOWS_VERSION, "Windows 3.11"},
    };
    for (const Shown &s : shown)
        EXPECT_EQ(s.text, ui::ControlText(dlg, s.control)) << "control " << s.control;
    EXPECT_EQ("Do NOT send my system configuration to Tarvolen Corporation.",
              ui::ControlText(dlg, IDC_HARDWARE_DO_NOT_SEND));
    EXPECT_FALSE(ui::IsChecked(dlg, IDC_HARDWARE_DO_NOT_SEND));
    EXPECT_TRUE(ui::IsCentredOnDesktop(dlg));
    // No close box, and OK is not the default button.
    EXPECT_FALSE(GetWindowLongA(dlg, GWL_STYLE) & WS_SYSMENU);
    EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongA(ui::Control(dlg, IDOK), GWL_STYLE) & 0x0F);

    ui::Click(dlg, IDOK);
    ASSERT_TRUE(page.Join());
    EXPECT_EQ(IDOK, page.Result());
}

// OK and a close request both store the box: the flow goes on to the delivery either way.
TEST(Hardware, OptOutIsStoredByOkAndByClose)
{
    struct Case {
        const char *name;
        bool withhold;
        void (*leave)(HWND);
        int result;
        int sendConfiguration;
        const char *codes;
    };
    const Case cases[] = {
        {"OK sends", false, [](HWND d) { ui::Click(d, IDOK); }, IDOK, 1, "3121112411"},
        {"OK withholds", true, [](HWND d) { ui::Click(d, IDOK); }, IDOK, 0, "3121112401"},
        {"Enter withholds", true, [](HWND d) { ui::PressEnter(d); }, IDOK, 0, "3121112401"},
        {"Esc is ignored, then OK", true,
         [](HWND d) {
             ui::PressEscape(d);
             if (IsWindowVisible(d))
                 ui::Click(d, IDOK);
         },
         IDOK, 0, "3121112401"},
        {"a close request withholds", true, [](HWND d) { ui::Close(d); }, IDC_REGISTER_LATER, 0,
         "3121112401"},
        {"a close request sends", false, [](HWND d) { ui::Close(d); }, IDC_REGISTER_LATER, 1,
         "3121112411"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RegistrationRecord rec = ProbedRecord();
        const RegistrationRecord before = rec;
        Played page([&] { return RunHardware(nullptr, &rec); });
        HWND dlg = WaitFor(dialogs::Hardware);
        ASSERT_TRUE(dlg);
        ui::Check(dlg, IDC_HARDWARE_DO_NOT_SEND, c.withhold);
        c.leave(dlg);
        ASSERT_TRUE(page.Join());
        EXPECT_EQ(c.result, page.Result());
        EXPECT_EQ(c.sendConfiguration, rec.SendConfiguration);
        EXPECT_STREQ(c.codes, rec.HardwareCodes);
        // The texts stay as probed; only the renderers leave them out.
        EXPECT_EQ(0, memcmp(&before, &rec, offsetof(RegistrationRecord, HardwareCodes)));
    }
}

TEST(Hardware, EscLeavesThePageOpen)
{
    RegistrationRecord rec = ProbedRecord();
    Played page([&] { return RunHardware(nullptr, &rec); });
    HWND dlg = WaitFor(dialogs::Hardware);
    ASSERT_TRUE(dlg);
    ui::PressEscape(dlg);
    ui::PressEscape(dlg);
    EXPECT_TRUE(IsWindowVisible(dlg));
    ui::Click(dlg, IDOK);
    ASSERT_TRUE(page.Join());
    EXPECT_EQ(IDOK, page.Result());
}

TEST(Hardware, EveryRunStartsWithTheOptOutCleared)
{
    RegistrationRecord rec = ProbedRecord();
    for (const bool withhold : {true, false}) {
        SCOPED_TRACE(withhold ? "first run withholds" : "second run sends");
        Played page([&] { return RunHardware(nullptr, &rec); });
        HWND dlg = WaitFor(dialogs::Hardware);
        ASSERT_TRUE(dlg);
        EXPECT_FALSE(ui::IsChecked(dlg, IDC_HARDWARE_DO_NOT_SEND));
        if (withhold)
            ui::Check(dlg, IDC_HARDWARE_DO_NOT_SEND, true);
        ui::Click(dlg, IDOK);
        ASSERT_TRUE(page.Join());
        EXPECT_EQ(withhold ? 0 : 1, rec.SendConfiguration);
        EXPECT_EQ(withhold ? '0' : '1', rec.HardwareCodes[8]);
    }
}

// The stand-in's script presents a machine; the card probes it and shows it.
const char kScriptedMachine[] =
    "[Probe]\r\n"
    "Cpu=0x42\r\n"
    "Memory=640,15360\r\n"
    "Display=VGA,2\r\n"
    "Drives=E:2,A:32,C:128:540,D:5\r\n"
    "Mouse=0x24\r\n"
    "Printer=\r\n"
    "Parallel=12\r\n"
    "Dos=\r\n"
    "Windows=\r\n";

TEST(Hardware, CardShowsTheScriptedMachine)
{
    CardFolder folder;
    folder.WriteFile("zeveze32.ini", kScriptedMachine);
    HostUserRecord user = MakeUser("Ann B Smith", "", "");
    const Shown expected[] = {
        {IDC_HARDWARE_CPU, "Unknown"},
        {IDC_HARDWARE_COPROCESSOR, "Absent"},
        {IDC_HARDWARE_MEMORY, "16000 KB"},
        {IDC_HARDWARE_DISPLAY, "VGA"},
        {IDC_HARDWARE_HARD_DRIVES, "C (540)"},
        {IDC_HARDWARE_FLOPPY_DRIVES, "A (1.44M)"},
        {IDC_HARDWARE_OTHER_DRIVES, "D (CD) E "},
        {IDC_HARDWARE_PARALLEL, "12"},
        {IDC_HARDWARE_PRINTER, ""},
        {IDC_HARDWARE_SERIAL, "2"},
        {IDC_HARDWARE_MOUSE, "Serial"},
        {IDC_HARDWARE_DOS_VERSION, ""},
        {IDC_HARDWARE_WINDOWS_VERSION, ""},
    };
    std::string seen[13];
    bool cleared = false;
    CardWalk walk;
    walk.hardware = [&](HWND dlg) {
        for (int i = 0; i < 13; ++i)
            seen[i] = ui::ControlText(dlg, expected[i].control);
        cleared = !ui::IsChecked(dlg, IDC_HARDWARE_DO_NOT_SEND);
        ui::Check(dlg, IDC_HARDWARE_DO_NOT_SEND, true);
        ui::Click(dlg, IDOK);
    };
    const WalkResult r = WalkCard(folder, user, walk);
    ASSERT_EQ("", r.failure);
    EXPECT_EQ(0, r.result);
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(expected[i].text, seen[i]) << "control " << expected[i].control;
    EXPECT_TRUE(cleared);

    // The opt-out lasts for one call: the next one starts cleared again.
    cleared = false;
    const WalkResult again = WalkCard(folder, user, walk);
    ASSERT_EQ("", again.failure);
    EXPECT_TRUE(cleared);
}

TEST(Hardware, ClosingThePageGoesOnToTheDeliveryChoice)
{
    CardFolder folder;
    HostUserRecord user = MakeUser("Ann B Smith", "", "");
    CardWalk walk;
    walk.hardware = [](HWND dlg) { ui::Close(dlg); };
    const WalkResult r = WalkCard(folder, user, walk);
    ASSERT_EQ("", r.failure);
    EXPECT_EQ(0, r.result);
    EXPECT_EQ(0, r.outcome);
}

bool IsDigits(const char *codes)
{
    if (strlen(codes) != 10)
        return false;
    for (const char *c = codes; *c; ++c)
        if (*c < '0' || *c > '9')
            return false;
    return true;
}

// The test program loads the stand-in beside it, with no script: this machine.
TEST(Hardware, StandInReportsThisMachine)
{
    RegistrationRecord rec;
    memset(&rec, 0, sizeof rec);
    CopyField(rec.HardwareCodes, "XXXXXXXXXX");
    ProbeHardware(&rec);

    EXPECT_STRNE("", rec.CPU);
    EXPECT_STRNE("0 KB", rec.Memory);
    EXPECT_NE(nullptr, strstr(rec.Memory, " KB"));
    EXPECT_STRNE("", rec.DisplayType);
    EXPECT_TRUE(rec.HardDrives[0] || rec.FloppyDrives[0] || rec.OtherDrives[0]);
    EXPECT_NE('0', rec.HardwareCodes[3]) << "a machine with no hard disk: " << rec.HardDrives;
    EXPECT_STRNE("", rec.Printer);
    EXPECT_STRNE("", rec.DOSVersion);
    EXPECT_STRNE("", rec.WindowsVersion);
    EXPECT_TRUE(IsDigits(rec.HardwareCodes)) << rec.HardwareCodes;
    EXPECT_EQ(1, rec.SendConfiguration);
    printf("this machine: %s / %s / %s / %s / hard %s / floppy %s / other %s / parallel %s / "
           "printer %s / mouse %s / %s / %s / codes %s\n",
           rec.CPU, rec.Coprocessor, rec.Memory, rec.DisplayType, rec.HardDrives,
           rec.FloppyDrives, rec.OtherDrives, rec.ParallelPorts, rec.Printer, rec.Mouse,
           rec.DOSVersion, rec.WindowsVersion, rec.HardwareCodes);
}

// The walk answers each step from the drive letters alone and asks only the
// drive it is told about: every present letter in order, nothing for the rest.
TEST(Hardware, StandInWalksThisMachinesLetters)
{
    const DWORD present = GetLogicalDrives();
    std::string walked, expected;
    for (int d = ZvNextDrive(-1), steps = 0; d != -1 && steps < 26; d = ZvNextDrive(d), ++steps)
        walked += static_cast<char>('A' + d);
    for (int i = 0; i < 26; ++i) {
        int type = -1, number = -1;
        ZvDriveInfo(i, &type, &number);
        if (present & (1u << i)) {
            expected += static_cast<char>('A' + i);
            EXPECT_NE(0, type) << static_cast<char>('A' + i);
        } else {
            EXPECT_EQ(0, type) << static_cast<char>('A' + i);
            EXPECT_EQ(0, number) << static_cast<char>('A' + i);
        }
    }
    EXPECT_EQ(expected, walked);
    EXPECT_EQ(-1, ZvNextDrive(25));
}

}  // namespace
