// The export's argument checks, through the real GlimReg.dll.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "resources/resource.h"
#include "tests/driver/CardWalk.h"
#include "tests/driver/Fixture.h"
#include "tests/driver/UiDriver.h"
#include "wizard/Settings.h"

namespace {

TEST(Entry, OwnerThatIsNotAWindowIsRejected)
{
    CardFolder folder;
    int outcome = 77;
    HostUserRecord user = MakeUser("Ann B Smith", "", "");
    EXPECT_EQ(-1, folder.Register(reinterpret_cast<HWND>(0x1234), &outcome, &user));
    EXPECT_EQ(77, outcome);
    EXPECT_FALSE(folder.HasSettingsFile());
}

TEST(Entry, UnwritableOutcomeIsRejected)
{
    CardFolder folder;
    HostUserRecord user = MakeUser("Ann B Smith", "", "");
    static const int readOnly = 5;
    EXPECT_EQ(-1, folder.Register(nullptr, const_cast<int *>(&readOnly), &user));
    EXPECT_EQ(-1, folder.Register(nullptr, nullptr, &user));
    EXPECT_FALSE(folder.HasSettingsFile());
}

// Walks a call of the export to the delivery choice, where the user picks
// Register Later; entries left out leave the required-information page to fill.
int RegisterLaterAtDelivery(CardFolder &folder, const HostUserRecord &user,
                            const CardEntries &entries = RequiredEntries())
{
    CardWalk walk;
    walk.entries = entries;
    if (entries.empty())
        walk.required = FillEmptyRequired;
    const WalkResult r = WalkCard(folder, user, walk);
    EXPECT_EQ("", r.failure);
    EXPECT_EQ(0, r.result);
    return r.outcome;
}

std::string Key(const CardFolder &folder, const char *section, const char *key)
{
    char value[256];
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value,
                             folder.SettingsPath().c_str());
    return value;
}

TEST(Entry, HostValuesReplaceTheSavedOnesAndTheRestComesBack)
{
    CardFolder folder;
    folder.WriteFile("GlimRg2.ini",
                     "[User Demographics]\r\nFirst Name=Old\r\nInitial=Q\r\nLast Name=Name\r\n"
                     "Company=Old Co\r\nCity=Springfield\r\nZip=97000\r\nFax=555-0100\r\n"
                     "Serial Number=OLD-1\r\n");
    HostUserRecord user = MakeUser("Ann B Smith", "Harbor Graphics", "GB-200-0001");
    EXPECT_EQ(0, RegisterLaterAtDelivery(folder, user, {}));

    const char *demo = "User Demographics";
    EXPECT_EQ("Ann", Key(folder, demo, "First Name"));
    EXPECT_EQ("B", Key(folder, demo, "Initial"));
    EXPECT_EQ("Smith", Key(folder, demo, "Last Name"));
    EXPECT_EQ("Harbor Graphics", Key(folder, demo, "Company"));
    EXPECT_EQ("GB-200-0001", Key(folder, demo, "Serial Number"));
    EXPECT_EQ("Springfield", Key(folder, demo, "City"));
    EXPECT_EQ("97000", Key(folder, demo, "Zip"));
    EXPECT_EQ("555-0100", Key(folder, demo, "Fax"));
    // The settings file lies beside the library, and holds all 52 answers.
    EXPECT_EQ("0", Key(folder, "Market Research", "Question51"));
    EXPECT_EQ("0", Key(folder, "Market Research", "DoNotSendMarketResearch"));
}

TEST(Entry, EmptyHostValuesEmptyTheFields)
{
    CardFolder folder;
    folder.WriteFile("GlimRg2.ini",
                     "[User Demographics]\r\nFirst Name=Old\r\nCompany=Old Co\r\n"
                     "Serial Number=OLD-1\r\n");
    HostUserRecord user = MakeUser("", "", "");
    EXPECT_EQ(0, RegisterLaterAtDelivery(folder, user, {}));
    EXPECT_EQ("", Key(folder, "User Demographics", "Company"));
    EXPECT_EQ("", Key(folder, "User Demographics", "Serial Number"));
}

TEST(Entry, HostFieldsWithoutTerminatorsAndLineBreaksAreTamed)
{
    CardFolder folder;
    HostUserRecord user;
    memset(&user, 'x', sizeof user);  // no terminator anywhere
    memcpy(user.company, "Acme\tGraphics\r\nInc", 18);  // no terminator either
    EXPECT_EQ(0, RegisterLaterAtDelivery(folder, user, {}));
    EXPECT_EQ(std::string(49, 'x'), Key(folder, "User Demographics", "First Name"));
    EXPECT_EQ(std::string(49, 'x'), Key(folder, "User Demographics", "Serial Number"));
    const std::string company = Key(folder, "User Demographics", "Company");
    EXPECT_EQ("Acme Graphics  Inc" + std::string(63 - 18, 'x'), company);
}

TEST(Entry, OwnedByTheHostWindow)
{
    CardFolder folder;
    HostUserRecord user = MakeUser("Ann Smith", "", "");
    int outcome = 7;
    HWND owner = nullptr;
    HWND seenOwner = nullptr;
    Played run([&] {
        owner = CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, nullptr, nullptr);
        const int r = folder.Register(owner, &outcome, &user);
        DestroyWindow(owner);
        return r;
    });
    HWND intro = WaitFor(dialogs::Intro);
    ASSERT_TRUE(intro);
    seenOwner = GetWindow(intro, GW_OWNER);
    ui::Click(intro, IDC_REGISTER_LATER);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(0, run.Result());
    EXPECT_EQ(0, outcome);
    EXPECT_EQ(owner, seenOwner);
}

// The library's folder goes into the settings path as it is named: a "%1" or
// "%2" in it is never taken for a placeholder.
TEST(Entry, SettingsFileLandsBesideTheLibraryWhateverItsFolderIsCalled)
{
    const char *const folders[] = {"Save 100%1", "Save %2 more"};
    for (const char *name : folders) {
        SCOPED_TRACE(name);
        CardFolder folder(name);
        HostUserRecord user = MakeUser("Ann B Smith", "", "");
        EXPECT_EQ(0, RegisterLaterAtDelivery(folder, user));
        EXPECT_TRUE(folder.HasSettingsFile());
        EXPECT_EQ("Ann", Key(folder, "User Demographics", "First Name"));
        EXPECT_EQ("0", Key(folder, "Market Research", "Question51"));
    }
}

TEST(Entry, PathsFollowTheLibrarysOwnFolder)
{
    struct Row {
        const char *name;
        const char *string2;  // null: as shipped
        bool inTemp;
        bool tempTooLong;     // the temporary folder does not fit the card's buffer
    };
    const Row rows[] = {
        {"as shipped", nullptr, false, false},
        {"a name beginning with the placeholder", "%1eregreg.txt", true, false},
        {"a placeholder in the middle", "reg%1.txt", true, false},
        {"a temporary folder too long to read: left empty", "%1eregreg.txt", true, true},
    };
    char systemTemp[MAX_PATH];
    GetTempPathA(sizeof systemTemp, systemTemp);
    for (const Row &r : rows) {
        CardFolder folder;
        if (r.string2) {
            ASSERT_TRUE(RewriteString(folder.File("GlimReg.dll"), IDS_RECORD_FILE, r.string2));
        }
        RegistrationRecord rec;
        memset(&rec, 0, sizeof rec);
        rec.ModuleInstance = folder.Library();
        ASSERT_TRUE(rec.ModuleInstance) << r.name;
        const std::string temp = r.tempTooLong ? "" : systemTemp;
        if (r.tempTooLong) {
            // 257 characters: within the system's limit, over the card's 255.
            const std::string tooLong = "C:\\" + std::string(200, 't') + "\\" + std::string(53, 'u');
            SetEnvironmentVariableA("TMP", tooLong.c_str());
            char seen[MAX_PATH];
            EXPECT_LT(255u, GetTempPathA(sizeof seen, seen)) << r.name;
        }
        LoadConfiguration(&rec);
        if (r.tempTooLong)
            SetEnvironmentVariableA("TMP", std::string(systemTemp, strlen(systemTemp) - 1).c_str());
        EXPECT_EQ(folder.SettingsPath(), rec.SettingsPath) << r.name;
        if (!r.inTemp) {
            EXPECT_EQ(folder.File("eregreg.txt"), rec.RecordFilePath) << r.name;
        } else {
            std::string expected = r.string2;
            expected.replace(expected.find("%1"), 2, temp);
            EXPECT_EQ(expected, rec.RecordFilePath) << r.name;
        }
    }
}

}  // namespace
