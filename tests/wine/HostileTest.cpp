// Hostile inputs through the real export: a damaged or unusable settings file,
// a missing temporary folder, a host record without terminators, an owner that
// is gone. Each row must end with a clear outcome, within the walk's bounded
// waits, and with every key a save writes still in the settings file.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "common/Record.h"
#include "resources/resource.h"
#include "tests/driver/CardWalk.h"
#include "tests/driver/Fixture.h"
#include "tests/driver/UiDriver.h"
#include "wizard/Settings.h"

namespace {

const char kDemographics[] = "User Demographics";
const char kResearch[] = "Market Research";

// What the walk types on the card form and what the host hands in.
const struct {
    const char *key;
    const char *value;
} kWalkValues[] = {
    {"First Name", "Ann"},        {"Last Name", "Smith"}, {"Address1", "1 Main Street"},
    {"City", "Springfield"},      {"State", "Oregon"},    {"Zip", "97000"},
    {"Company", "Harbor Graphics"}, {"Serial Number", "GB-200-0001"},
};

std::set<std::string> KeysOf(const std::string &file, const char *section)
{
    std::vector<char> names(64 * 1024);
    const DWORD n = GetPrivateProfileStringA(section, nullptr, "", names.data(),
                                             static_cast<DWORD>(names.size()), file.c_str());
    std::set<std::string> keys;
    for (const char *p = names.data(); p < names.data() + n && *p; p += strlen(p) + 1)
        keys.insert(p);
    return keys;
}

std::string Value(const std::string &file, const char *section, const char *key)
{
    char value[512];
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, file.c_str());
    return value;
}

// Every key the card's and the questionnaire's saves write.
std::vector<std::pair<const char *, std::string>> SavedKeys()
{
    std::vector<std::pair<const char *, std::string>> keys;
    for (const CardKey *k = kCardKeys; k->key; ++k)
        keys.push_back({kDemographics, k->key});
    keys.push_back({kResearch, "DoNotSendMarketResearch"});
    for (int q = 1; q <= QUESTION_COUNT; ++q)
        keys.push_back({kResearch, "Question" + std::to_string(q)});
    return keys;
}

// The settings file after a call that saved: every key there, the walk's and
// the host's values kept, no card value wider than its field.
void ExpectSaved(const CardFolder &folder, const std::string &row)
{
    const std::string file = folder.SettingsPath();
    const std::set<std::string> demographics = KeysOf(file, kDemographics);
    const std::set<std::string> research = KeysOf(file, kResearch);
    for (const auto &k : SavedKeys()) {
        const std::set<std::string> &have = k.first == kDemographics ? demographics : research;
        EXPECT_TRUE(have.count(k.second)) << row << ": key lost: [" << k.first << "] " << k.second;
    }
    for (const auto &v : kWalkValues)
        EXPECT_EQ(v.value, Value(file, kDemographics, v.key)) << row << ": " << v.key;
    for (const CardKey *k = kCardKeys; k->key; ++k)
        EXPECT_LT(Value(file, kDemographics, k->key).size(), k->width) << row << ": " << k->key;
}

std::string LongValue(char c) { return std::string(10000, c); }

// A settings file where every value is 10,000 characters long.
std::string LongValues()
{
    std::string text = "[User Demographics]\r\n";
    for (const CardKey *k = kCardKeys; k->key; ++k)
        text += std::string(k->key) + "=" + LongValue('v') + "\r\n";
    text += "[Market Research]\r\nDoNotSendMarketResearch=" + LongValue('9') + "\r\n";
    for (int q = 1; q <= QUESTION_COUNT; ++q)
        text += "Question" + std::to_string(q) + "=" + LongValue('1') + "\r\n";
    return text;
}

// Bytes of every value, NULs, lone carriage returns and brackets among them.
std::string Garbage(size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    for (char &c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return bytes;
}

const char kRepeated[] =
    "[User Demographics]\r\nFirst Name=One\r\nCity=First\r\n"
    "[Market Research]\r\nQuestion3=1\r\n"
    "[User Demographics]\r\nFirst Name=Two\r\nFax=555-0100\r\n"
    "[Market Research]\r\nQuestion3=0\r\nQuestion4=1\r\n";

// Sets TMP and TEMP for the life of the object.
class TempFolder {
public:
    explicit TempFolder(const std::string &path)
    {
        for (const char *name : {"TMP", "TEMP"}) {
            char saved[MAX_PATH] = "";
            GetEnvironmentVariableA(name, saved, sizeof saved);
            m_saved.push_back(saved);
            SetEnvironmentVariableA(name, path.c_str());
        }
    }
    ~TempFolder()
    {
        SetEnvironmentVariableA("TMP", m_saved[0].c_str());
        SetEnvironmentVariableA("TEMP", m_saved[1].c_str());
    }

private:
    std::vector<std::string> m_saved;
};

bool IsFolder(const std::string &path)
{
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(Hostile, DamagedSettingsFilesAreReadAndSavedWhole)
{
    struct Row {
        const char *name;
        std::string file;
    };
    const Row rows[] = {
        {"values of 10,000 characters", LongValues()},
        {"binary garbage", Garbage(8192, 1)},
        {"binary garbage after a UTF-16 mark", "\xFF\xFE" + Garbage(4097, 2)},
        {"garbage inside the sections",
         "[User Demographics]\r\n" + Garbage(2048, 3) + "\r\n[Market Research]\r\n" +
             Garbage(2048, 4)},
        {"a section repeated", kRepeated},
        {"keys missing", "[User Demographics]\r\n[Market Research]\r\nQuestion7=1\r\n"},
        {"no file at all", ""},
    };
    const HostUserRecord user = MakeUser("Ann B Smith", "Harbor Graphics", "GB-200-0001");
    for (const Row &row : rows) {
        CardFolder folder;
        if (!row.file.empty())
            folder.WriteFile("GlimRg2.ini", row.file);
        const WalkResult r = WalkCard(folder, user, CardWalk());
        ASSERT_EQ("", r.failure) << row.name;
        EXPECT_EQ(0, r.result) << row.name;
        EXPECT_EQ(0, r.outcome) << row.name << ": Register Later leaves the card unfinished";
        ExpectSaved(folder, row.name);
    }
}

TEST(Hostile, SavedAnswersOfAnEarlierFileAreKept)
{
    // Keys the walk does not touch keep what the file held.
    struct Row {
        const char *name;
        std::string file;
        const char *section;
        const char *key;
        std::string kept;
    };
    const Row rows[] = {
        {"keys missing", "[User Demographics]\r\n[Market Research]\r\nQuestion7=1\r\n",
         kResearch, "Question7", "1"},
        {"a section repeated: the first one counts", kRepeated, kResearch, "Question3", "1"},
        {"10,000 characters cut to the field", LongValues(), kDemographics, "Fax",
         std::string(sizeof(RegistrationRecord::Fax) - 1, 'v')},
    };
    const HostUserRecord user = MakeUser("Ann B Smith", "Harbor Graphics", "GB-200-0001");
    for (const Row &row : rows) {
        CardFolder folder;
        folder.WriteFile("GlimRg2.ini", row.file);
        const WalkResult r = WalkCard(folder, user, CardWalk());
        ASSERT_EQ("", r.failure) << row.name;
        EXPECT_EQ(row.kept, Value(folder.SettingsPath(), row.section, row.key)) << row.name;
    }
}

TEST(Hostile, SettingsFileThatCannotBeWrittenStillEndsTheCall)
{
    // The library's folder made read-only would be the natural row, but the
    // tests run as root, where a read-only attribute stops no write. The
    // nearest honest case: the settings file's place cannot be created, either
    // because a folder holds its name or because its folder does not exist.
    struct Row {
        const char *name;
        std::function<void(CardFolder &)> setup;
        std::string watched;  // must not come into being as a file
    };
    const Row rows[] = {
        {"settings path taken by a folder",
         [](CardFolder &f) { CreateDirectoryA(f.SettingsPath().c_str(), nullptr); }, ""},
        {"settings file in a folder that does not exist",
         [](CardFolder &f) {
             ASSERT_TRUE(RewriteString(f.File("GlimReg.dll"), IDS_SETTINGS_FILE,
                                       "%1locked\\GlimRg%2.ini"));
         },
         "locked"},
    };
    const HostUserRecord user = MakeUser("Ann B Smith", "Harbor Graphics", "GB-200-0001");
    for (const Row &row : rows) {
        CardFolder folder;
        row.setup(folder);
        const WalkResult r = WalkCard(folder, user, CardWalk());
        ASSERT_EQ("", r.failure) << row.name;
        EXPECT_EQ(0, r.result) << row.name;
        EXPECT_EQ(0, r.outcome) << row.name;
        if (row.watched.empty())
            EXPECT_TRUE(IsFolder(folder.SettingsPath())) << row.name;
        else
            EXPECT_FALSE(Exists(folder.File(row.watched.c_str()))) << row.name;
    }
}

TEST(Hostile, MissingTemporaryFolder)
{
    // The print road needs the temporary folder for its file: the print fails
    // and the card ends unfinished, without a reminder; nothing else needs it.
    enum Road { LATER, PRINT };
    struct Row {
        const char *name;
        Road road;
    };
    const Row rows[] = {
        {"Register Later", LATER},
        {"Print", PRINT},
    };
    const HostUserRecord user = MakeUser("Ann B Smith", "Harbor Graphics", "GB-200-0001");
    for (const Row &row : rows) {
        CardFolder folder;
        CreateDirectoryA(folder.File("prints").c_str(), nullptr);
        folder.WriteFile("zeveze32.ini", "[Print]\r\nFolder=" + folder.File("prints") + "\r\n");
        const std::string missing = folder.File("no-temp");
        TempFolder temp(missing);
        CardWalk walk;
        if (row.road == PRINT)
            walk.delivery = [](HWND page) { ui::Click(page, IDC_PRINT); };
        const WalkResult r = WalkCard(folder, user, walk);
        ASSERT_EQ("", r.failure) << row.name;
        EXPECT_EQ(0, r.result) << row.name;
        EXPECT_EQ(0, r.outcome) << row.name;
        EXPECT_FALSE(Exists(missing)) << row.name;
        WIN32_FIND_DATAA found;
        HANDLE h = FindFirstFileA(folder.File("prints\\*.*").c_str(), &found);
        int printed = 0;
        if (h != INVALID_HANDLE_VALUE) {
            do
                printed += found.cFileName[0] != '.';
            while (FindNextFileA(h, &found));
            FindClose(h);
        }
        EXPECT_EQ(0, printed) << row.name;
        ExpectSaved(folder, row.name);
    }
}

TEST(Hostile, HostRecordWithoutTerminators)
{
    struct Row {
        const char *name;
        unsigned char fill;
    };
    const Row rows[] = {
        {"printable", 'x'},
        {"high bytes", 0xE9},
        {"control characters", 0x01},
        {"brackets and equals signs", '['},
    };
    for (const Row &row : rows) {
        CardFolder folder;
        HostUserRecord user;
        memset(&user, row.fill, sizeof user);
        user.company[10] = '=';
        const WalkResult r = WalkCard(folder, user, CardWalk());
        ASSERT_EQ("", r.failure) << row.name;
        EXPECT_EQ(0, r.result) << row.name;
        EXPECT_EQ(0, r.outcome) << row.name;
        const std::string file = folder.SettingsPath();
        const std::set<std::string> keys = KeysOf(file, kDemographics);
        for (const CardKey *k = kCardKeys; k->key; ++k) {
            EXPECT_TRUE(keys.count(k->key)) << row.name << ": key lost: " << k->key;
            EXPECT_LT(Value(file, kDemographics, k->key).size(), k->width)
                << row.name << ": " << k->key;
        }
        EXPECT_EQ(QUESTION_COUNT + 1u, KeysOf(file, kResearch).size()) << row.name;
    }
}

TEST(Hostile, ArgumentsRejectedBeforeTheCardShows)
{
    // An owner destroyed before the call, and a host record that cannot be
    // read: -1, the outcome flag untouched, nothing saved.
    HWND gone = CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(gone);
    DestroyWindow(gone);
    void *unreadable = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
    ASSERT_TRUE(unreadable);
    static const HostUserRecord user = MakeUser("Ann B Smith", "", "");
    struct Row {
        const char *name;
        HWND owner;
        const HostUserRecord *host;
    };
    const Row rows[] = {
        {"owner destroyed before the call", gone, &user},
        {"no host record", nullptr, nullptr},
        {"host record in unreadable memory", nullptr,
         static_cast<const HostUserRecord *>(unreadable)},
    };
    for (const Row &row : rows) {
        CardFolder folder;
        int outcome = 77;
        EXPECT_EQ(-1, folder.Register(row.owner, &outcome, row.host)) << row.name;
        EXPECT_EQ(77, outcome) << row.name;
        EXPECT_FALSE(folder.HasSettingsFile()) << row.name;
    }
    VirtualFree(unreadable, 0, MEM_RELEASE);
}

// The mail server's hostile replies (a 1 MB line, NUL bytes, a reply split byte
// by byte, the connection reset after each of the seven replies) are a table of
// the e-mail road's tests, beside the mail server they need (MailTest.cpp).

}  // namespace
