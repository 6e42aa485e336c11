// The intro, delivery-choice and modem-options dialogs, played by the UI driver.
#include <gtest/gtest.h>

#include <cstring>

#include "resources/resource.h"
#include "tests/driver/CardWalk.h"
#include "tests/driver/Fixture.h"
#include "tests/driver/UiDriver.h"
#include "wizard/FlowDialogs.h"
#include "wizard/Settings.h"

namespace {

// A record as the entry prepares it, with the test program's own resources.
struct TestRecord {
    RegistrationRecord rec;
    TestRecord()
    {
        memset(&rec, 0, sizeof rec);
        rec.ModuleInstance = GetModuleHandleA(nullptr);
        LoadConfiguration(&rec);
    }
};

TEST(Intro, ShowsProductAndVendorAndIsCentred)
{
    TestRecord t;
    Played run([&] { return RunIntro(nullptr, &t.rec); });
    HWND intro = WaitFor(dialogs::Intro);
    ASSERT_TRUE(intro);
    EXPECT_EQ("Please take a moment and register your copy of Glimmerbox. As a registered user "
              "you will receive:",
              ui::ControlText(intro, IDC_INTRO_PRODUCT_TEXT));
    EXPECT_EQ("* free technical support from our friendly experts,\n* automatic notification of "
              "upgrades, and\n* special discounts on Tarvolen Corporation products.",
              ui::ControlText(intro, IDC_INTRO_VENDOR_TEXT));
    EXPECT_EQ(IDC_REGISTER_NOW, ui::FocusId(intro));
    EXPECT_TRUE(ui::IsCentredOnDesktop(intro));
    ui::Click(intro, IDC_REGISTER_NOW);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(IDC_REGISTER_NOW, run.Result());
}

TEST(Intro, EscapeDoesNothingAndCloseIsRegisterLater)
{
    TestRecord t;
    Played run([&] { return RunIntro(nullptr, &t.rec); });
    HWND intro = WaitFor(dialogs::Intro);
    ASSERT_TRUE(intro);
    ui::PressEscape(intro);
    EXPECT_FALSE(run.Join(300)) << "Esc ended the intro";
    EXPECT_TRUE(IsWindowVisible(intro));
    ui::Close(intro);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(IDC_REGISTER_LATER, run.Result());
}

TEST(Intro, NeverRegisterAsksAndNoKeepsTheIntroOpen)
{
    CardFolder folder;
    HostUserRecord user = MakeUser("Ann B Smith", "Acme", "GB-1");
    int outcome = 5;
    Played run([&] { return folder.Register(nullptr, &outcome, &user); });

    HWND intro = WaitFor(dialogs::Intro);
    ASSERT_TRUE(intro);
    ui::Click(intro, IDC_NEVER_REGISTER);
    HWND box = ui::WaitForMessageBox("");
    ASSERT_TRUE(box);
    const MessageBoxSeen seen = ui::ReadMessageBox(box);
    EXPECT_EQ("Are you sure you do not wish to register?  Only registered\nusers are eligible for "
              "free technical support, sofware\nupgrades, and other special offers.",
              seen.text);
    EXPECT_EQ("", seen.caption);
    EXPECT_TRUE(seen.questionIcon);
    EXPECT_EQ(IDNO, seen.defaultButton);
    EXPECT_EQ((std::vector<int>{IDYES, IDNO}), seen.buttons);
    ui::Answer(box, IDNO);
    ASSERT_TRUE(ui::WaitForClose(box));
    EXPECT_FALSE(run.Join(300)) << "No ended the intro";
    EXPECT_TRUE(IsWindowVisible(intro));

    ui::Click(intro, IDC_NEVER_REGISTER);
    box = ui::WaitForMessageBox("");
    ASSERT_TRUE(box);
    ui::Answer(box, IDYES);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(0, run.Result());
    EXPECT_EQ(1, outcome);
    EXPECT_FALSE(folder.HasSettingsFile()) << "Never Register saves nothing";
}

TEST(Intro, RegisterLaterWritesNothing)
{
    CardFolder folder;
    CardWalk walk;
    walk.intro = Press(IDC_REGISTER_LATER);
    walk.last = &dialogs::Intro;
    const WalkResult r = WalkCard(folder, MakeUser("Ann B Smith", "Acme", "GB-1"), walk);
    ASSERT_EQ("", r.failure);
    EXPECT_EQ(0, r.result);
    EXPECT_EQ(0, r.outcome);
    EXPECT_FALSE(folder.HasSettingsFile());
}

TEST(Delivery, ShowsProductFocusesSendAndEndsWithEachChoice)
{
    const int choices[] = {IDC_SEND, IDC_PRINT, IDC_EMAIL, IDC_REGISTER_LATER};
    for (int choice : choices) {
        TestRecord t;
        Played run([&] { return RunDeliveryChoice(nullptr, &t.rec); });
        HWND delivery = WaitFor(dialogs::DeliveryChoice);
        ASSERT_TRUE(delivery) << choice;
        EXPECT_EQ("Please choose a method to register Glimmerbox.",
                  ui::ControlText(delivery, IDC_DELIVERY_TEXT));
        EXPECT_EQ(IDC_SEND, ui::FocusId(delivery));
        EXPECT_TRUE(ui::IsCentredOnDesktop(delivery));
        ui::Click(delivery, choice);
        ASSERT_TRUE(run.Join()) << choice;
        EXPECT_EQ(choice, run.Result());
    }
}

TEST(Delivery, CloseIsRegisterLaterAndEscapeDoesNothing)
{
    TestRecord t;
    Played run([&] { return RunDeliveryChoice(nullptr, &t.rec); });
    HWND delivery = WaitFor(dialogs::DeliveryChoice);
    ASSERT_TRUE(delivery);
    ui::PressEscape(delivery);
    EXPECT_FALSE(run.Join(300));
    ui::Close(delivery);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(IDC_REGISTER_LATER, run.Result());
}

struct ModemCase {
    const char *name;
    const char *prefix;
    int port;         // -1: leave the default
    bool noDialOne;   // choose "Do NOT dial 1"
    bool noWait;      // clear "Wait for dial tone"
    const char *dial;
    int modemPort;
    int noDialToneWait;
};

const ModemCase kModemCases[] = {
    {"defaults", "", -1, false, false, "1800-555-0142", 0, 0},
    {"prefix 9 with the defaults", "9", -1, false, false, "9,1800-555-0142", 0, 0},
    {"no prefix, no 1, no wait, COM3", "", 2, true, true, "800-555-0142", 2, 1},
    {"prefix 81, COM9", "81", 8, false, true, "81,1800-555-0142", 8, 1},
};

TEST(ModemOptions, ContinueStoresPortDialStringAndDialToneChoice)
{
    for (const ModemCase &c : kModemCases) {
        TestRecord t;
        t.rec.ModemPort = 7;
        Played run([&] { return RunModemOptions(nullptr, &t.rec); });
        HWND modem = WaitFor(dialogs::ModemOptions);
        ASSERT_TRUE(modem) << c.name;
        // Every showing starts from the defaults.
        EXPECT_EQ("COM1:", ui::ControlText(modem, IDC_MODEM_PORT)) << c.name;
        EXPECT_TRUE(ui::IsChecked(modem, IDC_MODEM_WAIT_DIAL_TONE)) << c.name;
        EXPECT_TRUE(ui::IsChecked(modem, IDC_MODEM_DIAL_ONE)) << c.name;
        EXPECT_FALSE(ui::IsChecked(modem, IDC_MODEM_NO_DIAL_ONE)) << c.name;
        EXPECT_EQ(IDC_MODEM_PREFIX, ui::FocusId(modem)) << c.name;
        EXPECT_EQ(9, SendDlgItemMessageA(modem, IDC_MODEM_PORT, CB_GETCOUNT, 0, 0)) << c.name;

        ui::Type(modem, IDC_MODEM_PREFIX, c.prefix);
        if (c.port >= 0)
            ui::Pick(modem, IDC_MODEM_PORT, c.port);
        if (c.noDialOne)
            ui::Check(modem, IDC_MODEM_NO_DIAL_ONE, true);
        if (c.noWait)
            ui::Check(modem, IDC_MODEM_WAIT_DIAL_TONE, false);
        ui::Click(modem, IDC_CONTINUE);
        ASSERT_TRUE(run.Join()) << c.name;
        EXPECT_EQ(IDC_CONTINUE, run.Result()) << c.name;
        EXPECT_STREQ(c.dial, t.rec.DialString) << c.name;
        EXPECT_EQ(c.modemPort, t.rec.ModemPort) << c.name;
        EXPECT_EQ(c.noDialToneWait, t.rec.NoDialToneWait) << c.name;
    }
}

TEST(ModemOptions, CloseChangesNothing)
{
    TestRecord t;
    t.rec.ModemPort = 4;
    strcpy(t.rec.DialString, "unchanged");
    t.rec.NoDialToneWait = 1;
    Played run([&] { return RunModemOptions(nullptr, &t.rec); });
    HWND modem = WaitFor(dialogs::ModemOptions);
    ASSERT_TRUE(modem);
    EXPECT_TRUE(ui::IsCentredOnDesktop(modem));
    ui::Type(modem, IDC_MODEM_PREFIX, "9");
    ui::PressEscape(modem);
    EXPECT_FALSE(run.Join(300)) << "Esc ended the modem options";
    ui::Close(modem);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(IDC_REGISTER_LATER, run.Result());
    EXPECT_EQ(4, t.rec.ModemPort);
    EXPECT_STREQ("unchanged", t.rec.DialString);
    EXPECT_EQ(1, t.rec.NoDialToneWait);
}

TEST(StartUp, LoadingTheLibraryShowsNothing)
{
    CardFolder folder;
    ASSERT_TRUE(folder.Library());
    EXPECT_EQ(nullptr, ui::WaitForMessageBox(nullptr, 300));
}

}  // namespace
