// The settings file through the real profile functions: the card's 21 keys and
// the questionnaire's 52, cut values, garbage, and files that cannot be written.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/driver/Fixture.h"
#include "wizard/Settings.h"

namespace {

struct SettingsRecord {
    RegistrationRecord rec;
    explicit SettingsRecord(const std::string &path)
    {
        memset(&rec, 0, sizeof rec);
        CopyField(rec.SettingsPath, path.c_str());
        CopyField(rec.DemographicsSection, "User Demographics");
        CopyField(rec.ResearchSection, "Market Research");
    }
};

// A distinct value for each key, as long as its field allows.
std::string ValueFor(const CardKey &k)
{
    std::string v = std::string(k.key) + " value";
    if (v.size() > k.width - 1)
        v.resize(k.width - 1);
    return v;
}

TEST(Settings, CardRoundTripWritesTheKeysInOrder)
{
    CardFolder folder;
    SettingsRecord out(folder.SettingsPath());
    for (const CardKey *k = kCardKeys; k->key; ++k)
        CopyField(CardField(&out.rec, *k), k->width, ValueFor(*k).c_str());
    SaveCard(&out.rec);

    std::string expected = "[User Demographics]\r\n";
    for (const CardKey *k = kCardKeys; k->key; ++k)
        expected += std::string(k->key) + "=" + ValueFor(*k) + "\r\n";
    EXPECT_EQ(expected, folder.ReadFile("GlimRg2.ini"));

    SettingsRecord in(folder.SettingsPath());
    LoadCard(&in.rec);
    int keys = 0;
    for (const CardKey *k = kCardKeys; k->key; ++k, ++keys)
        EXPECT_EQ(ValueFor(*k), CardField(&in.rec, *k)) << k->key;
    EXPECT_EQ(21, keys);
}

TEST(Settings, EmptyFieldsAreWrittenEmptyNotDeleted)
{
    CardFolder folder;
    SettingsRecord rec(folder.SettingsPath());
    CopyField(rec.rec.Zip, "97000");
    CopyField(rec.rec.Fax, "555-0100");
    SaveCard(&rec.rec);
    rec.rec.Zip[0] = '\0';
    SaveCard(&rec.rec);
    const std::string file = folder.ReadFile("GlimRg2.ini");
    EXPECT_NE(std::string::npos, file.find("\r\nZip=\r\n"));
    EXPECT_NE(std::string::npos, file.find("\r\nFax=555-0100\r\n"));
}

TEST(Settings, QuestionnaireRoundTrip)
{
    CardFolder folder;
    SettingsRecord out(folder.SettingsPath());
    out.rec.DoNotSendMarketResearch = 1;
    for (int q = 0; q < QUESTION_COUNT; ++q)
        out.rec.Question[q] = (q % 3 == 0) ? 1 : 0;
    SaveQuestionnaire(&out.rec);

    const std::string file = folder.ReadFile("GlimRg2.ini");
    EXPECT_EQ(0u, file.find("[Market Research]\r\nDoNotSendMarketResearch=1\r\nQuestion1=1\r\n"
                            "Question2=0\r\nQuestion3=0\r\nQuestion4=1\r\n"));
    EXPECT_NE(std::string::npos, file.find("\r\nQuestion51=0\r\n"));

    SettingsRecord in(folder.SettingsPath());
    LoadQuestionnaire(&in.rec);
    EXPECT_EQ(0, memcmp(&out.rec.DoNotSendMarketResearch, &in.rec.DoNotSendMarketResearch, 52));
}

TEST(Settings, HandWrittenFileIsReadSafely)
{
    CardFolder folder;
    const std::string longName(300, 'n');
    folder.WriteFile("GlimRg2.ini",
                     "garbage line without equals\r\n"
                     "[User Demographics]\r\n"
                     "First Name=" + longName + "\r\n"
                     "Initial=XYZ\r\n"
                     "=no key\r\n"
                     "Zip=12345-6789-0000-1111\r\n"
                     "[Market Research]\r\n"
                     "Question1=256\r\n"
                     "Question2=257\r\n"
                     "Question3=-1\r\n"
                     "Question4=abc\r\n");
    SettingsRecord rec(folder.SettingsPath());
    memset(rec.rec.Company, 'q', sizeof rec.rec.Company);
    LoadCard(&rec.rec);
    LoadQuestionnaire(&rec.rec);
    EXPECT_EQ(std::string(49, 'n'), rec.rec.FirstName);
    EXPECT_STREQ("X", rec.rec.Initial);
    EXPECT_STREQ("12345-6789-0000", rec.rec.Zip);
    EXPECT_STREQ("", rec.rec.Company) << "a missing key reads as empty";
    EXPECT_EQ(0, rec.rec.Question[0]) << "only the low eight bits of 256";
    EXPECT_EQ(1, rec.rec.Question[1]);
    EXPECT_EQ(255, rec.rec.Question[2]);
    EXPECT_EQ(0, rec.rec.Question[3]);
    EXPECT_EQ(0, rec.rec.Question[50]) << "a missing key reads as 0";
    EXPECT_EQ(0, rec.rec.DoNotSendMarketResearch);

    // A byte read from -1 is written back as the signed byte it holds.
    SaveQuestionnaire(&rec.rec);
    EXPECT_NE(std::string::npos, folder.ReadFile("GlimRg2.ini").find("\r\nQuestion3=-1\r\n"));
}

TEST(Settings, MissingFileReadsEmptyAndUnwritableFileIsIgnored)
{
    CardFolder folder;
    // A file not there, in a folder that is, and in one that is not.
    for (const char *name : {"GlimRg2.ini", "no such folder\\GlimRg2.ini"}) {
        SCOPED_TRACE(name);
        SettingsRecord rec(folder.File(name));
        memset(rec.rec.City, 'q', sizeof rec.rec.City);
        rec.rec.DoNotSendMarketResearch = 1;
        rec.rec.Question[7] = 9;
        LoadCard(&rec.rec);
        LoadQuestionnaire(&rec.rec);
        EXPECT_STREQ("", rec.rec.City);
        EXPECT_EQ(0, rec.rec.DoNotSendMarketResearch);
        EXPECT_EQ(0, rec.rec.Question[7]);
    }
    SettingsRecord rec(folder.File("no such folder\\GlimRg2.ini"));
    CopyField(rec.rec.City, "Springfield");
    SaveCard(&rec.rec);  // loses the data silently; nothing to crash on
    SaveQuestionnaire(&rec.rec);
    EXPECT_STREQ("Springfield", rec.rec.City);
}

TEST(Configuration, StringsAndPathsFromTheModule)
{
    RegistrationRecord rec;
    memset(&rec, 0, sizeof rec);
    rec.ModuleInstance = GetModuleHandleA(nullptr);
    LoadConfiguration(&rec);

    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string dir = exe;
    dir.erase(dir.find_last_of('\\') + 1);

    EXPECT_EQ(dir + "GlimRg2.ini", rec.SettingsPath);
    EXPECT_EQ(dir + "eregreg.txt", rec.RecordFilePath);
    EXPECT_STREQ("Glimmerbox", rec.ProductName);
    EXPECT_STREQ("Tarvolen Corporation", rec.VendorName);
    EXPECT_STREQ("User Demographics", rec.DemographicsSection);
    EXPECT_STREQ("Market Research", rec.ResearchSection);
    EXPECT_EQ(5u, strlen(rec.ProductCode));
    EXPECT_STREQ("TV", rec.ProductCodePrefix);
    EXPECT_EQ(12u, strlen(rec.ModemNumber));
}

}  // namespace
