// Print delivery and the record file: the files written, the Reminder dialog,
// and the print road through the real export with the stand-in's print folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "output/Print.h"
#include "output/RecordFile.h"
#include "resources/resource.h"
#include "tests/GoldenText.h"
#include "tests/driver/CardWalk.h"
#include "tests/driver/Fixture.h"
#include "tests/driver/UiDriver.h"

namespace {

RegistrationRecord TestRecord(const std::string &recordFile)
{
    RegistrationRecord r;
    memset(&r, 0, sizeof r);
    r.ModuleInstance = GetModuleHandleA(nullptr);
    CopyField(r.ProductCode, "GB200");
    CopyField(r.ProductCodePrefix, "TV");
    CopyField(r.ProductName, "Glimmerbox");
    CopyField(r.FirstName, "Ann");
    CopyField(r.LastName, "Smith");
    CopyField(r.HardwareCodes, "4031112311");
    CopyField(r.RecordFilePath, recordFile.c_str());
    r.SendConfiguration = 1;
    return r;
}

// The record line of TestRecord: its product code, names and hardware codes,
// every list on its first entry, nothing answered.
const char kTestRecordLine[] =
    "TVGB200\tAnn\t\tSmith\t\t"
    "\t\t\t\t\t\t"
    "\t\t\t\t"
    "\t\t\t"
    "1\t1\t1\t1\t1\t"
    "\t\t\t\t\t\t\t"
    "4\t0\t3\t1\t1\t1\t2\t3\t1\t1\t"
    "F\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\t"
    "F\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\t"
    "F\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\t"
    "\r\n";

std::vector<std::string> FilesIn(const std::string &dir, const char *pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir + "\\" + pattern).c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do
            names.push_back(found.cFileName);
        while (FindNextFileA(h, &found));
        FindClose(h);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(RecordFile, WritesTheRecordLineOverAnyEarlierFile)
{
    CardFolder folder;
    const std::string path = folder.File("eregreg.txt");
    folder.WriteFile("eregreg.txt", std::string(5000, 'x'));
    RegistrationRecord r = TestRecord(path);
    const RegistrationRecord before = r;

    EXPECT_EQ(0, WriteRecordFile(&r));
    const std::string written = folder.ReadFile("eregreg.txt");
    EXPECT_TRUE(MatchesGolden(kTestRecordLine, written));
    EXPECT_EQ(0u, written.rfind("TVGB200\tAnn\t\tSmith\t", 0));
    EXPECT_EQ(0, memcmp(&before, &r, sizeof r));
}

TEST(RecordFile, FolderThatCannotBeWrittenGivesOne)
{
    CardFolder folder;
    CreateDirectoryA(folder.File("taken").c_str(), nullptr);
    struct Row {
        const char *name;
        std::string path;
    };
    const Row rows[] = {
        {"missing folder", folder.File("missing\\eregreg.txt")},
        {"path names a folder", folder.File("taken")},
        {"empty path", ""},
    };
    for (const Row &row : rows) {
        RegistrationRecord r = TestRecord(row.path);
        EXPECT_EQ(1, WriteRecordFile(&r)) << row.name;
    }
    EXPECT_FALSE(Exists(folder.File("missing")));
}

TEST(PrintCard, TemporaryFolderThatCannotBeUsedGivesOne)
{
    CardFolder folder;
    char saved[MAX_PATH] = "";
    GetEnvironmentVariableA("TMP", saved, sizeof saved);
    SetEnvironmentVariableA("TMP", folder.File("missing").c_str());
    RegistrationRecord r = TestRecord("");
    EXPECT_EQ(1, PrintCard(&r));
    SetEnvironmentVariableA("TMP", saved);
    EXPECT_FALSE(Exists(folder.File("missing")));
}

// The Reminder dialog on its own, run from the test program's resources.
TEST(PrintReminder, EndsWithPrintOrContinue)
{
    enum Action { CLICK_PRINT, CLICK_CONTINUE, CLOSE };
    struct Row {
        const char *name;
        Action action;
        int result;
    };
    const Row rows[] = {
        {"Print", CLICK_PRINT, IDC_PRINT},
        {"Continue", CLICK_CONTINUE, IDC_CONTINUE},
        {"close counts as Continue", CLOSE, IDC_CONTINUE},
    };
    for (const Row &row : rows) {
        RegistrationRecord r = TestRecord("");
        Played played([&] { return RunPrintReminder(nullptr, &r); });
        HWND dlg = WaitFor(dialogs::Reminder);
        ASSERT_NE(nullptr, dlg) << row.name;
        EXPECT_EQ("To register your copy of Glimmerbox, please either:",
                  ui::ControlText(dlg, IDC_REMINDER_TEXT))
            << row.name;
        EXPECT_EQ(IDC_CONTINUE, ui::FocusId(dlg)) << row.name;
        EXPECT_TRUE(ui::IsCentredOnDesktop(dlg)) << row.name;
        switch (row.action) {
        case CLICK_PRINT: ui::Click(dlg, IDC_PRINT); break;
        case CLICK_CONTINUE: ui::Click(dlg, IDC_CONTINUE); break;
        case CLOSE: ui::Close(dlg); break;
        }
        ASSERT_TRUE(played.Join()) << row.name;
        EXPECT_EQ(row.result, played.Result()) << row.name;
    }
}

// A card folder whose stand-in services library "prints" by copying into a
// folder of its own, with a temporary folder of its own so that no other
// test's print files are seen.
class PrintRoad {
public:
    // temp: the temporary folder inside the card folder, one or more levels.
    explicit PrintRoad(const std::string &temp = "temp") : m_temp(temp)
    {
        CreateDirectoryA(Prints().c_str(), nullptr);
        for (size_t end = m_temp.find('\\'); end != std::string::npos;
             end = m_temp.find('\\', end + 1))
            CreateDirectoryA(m_card.File(m_temp.substr(0, end).c_str()).c_str(), nullptr);
        CreateDirectoryA(Temp().c_str(), nullptr);
        for (const char *name : {"TMP", "TEMP"}) {
            char saved[MAX_PATH] = "";
            GetEnvironmentVariableA(name, saved, sizeof saved);
            m_saved.push_back(saved);
            SetEnvironmentVariableA(name, Temp().c_str());
        }
        ScriptPrint("Folder=" + Prints());
    }
    ~PrintRoad()
    {
        SetEnvironmentVariableA("TMP", m_saved[0].c_str());
        SetEnvironmentVariableA("TEMP", m_saved[1].c_str());
    }

    void ScriptPrint(const std::string &lines)
    {
        m_card.WriteFile("zeveze32.ini", "[Print]\r\n" + lines + "\r\n");
    }
    std::string Prints() const { return m_card.File("prints"); }
    std::string Temp() const { return m_card.File(m_temp.c_str()); }
    std::vector<std::string> Printed() const
    {
        std::vector<std::string> texts;
        for (const std::string &name : FilesIn(Prints(), "*"))
            if (name != "." && name != "..")
                texts.push_back(m_card.ReadFile(("prints\\" + name).c_str()));
        return texts;
    }
    std::vector<std::string> TempPrintFiles() const { return FilesIn(Temp(), "reg*.tmp"); }

    // Starts the export on a second thread with the host's user.
    Played *Start()
    {
        GetLocalTime(&m_started);
        m_user = MakeUser("Ann B Smith", "Harbor Graphics", "GB-200-0001");
        return new Played([this] { return m_card.Register(nullptr, &m_outcome, &m_user); });
    }
    int Outcome() const { return m_outcome; }
    const SYSTEMTIME &Started() const { return m_started; }

private:
    CardFolder m_card;
    std::string m_temp;
    std::vector<std::string> m_saved;
    HostUserRecord m_user{};
    int m_outcome = -1;
    SYSTEMTIME m_started{};
};

// The printout of a walk that types the required fields, for Ann B Smith of
// Harbor Graphics: bare line feeds, dated the day it was printed (MM/DD/YY).
const char kPrintedCard[] =
    "\n"
    "    Glimmerbox\n"
    "    Registration Card                       Today's date: MM/DD/YY\n"
    "\n"
    "    Please mail this Electronic Registration Card in the enclosed\n"
    "    postage pre-paid envelope to:\n"
    "\n"
    "\t\t\tTarvolen Corporation\n"
    "\t\t\t1400 Quarry Lane, Suite 210\n"
    "\t\t\tMillbrook, OR 97499\n"
    "\n"
    "    or, FAX this sheet (NO COVER SHEET REQUIRED) to:  \n"
    "                       (503) 555-0188\n"
    "\n"
    "            Product code: TVGB200\n"
    "           Serial Number: GB-200-0001\n"
    "                    Name: Ann B Smith\n"
    "                 Company: Harbor Graphics\n"
    "\n"
    "                Address1: 1 Main Street\n"
    "                Address2: \n"
    "                    City: Springfield\n"
    "                   State: Oregon\n"
    "                Zip Code: 97000\n"
    "                 Country: \n"
    "\n"
    "                   Phone: \n"
    "                     Fax: \n"
    "           Email Address:   \n"
    "\n"
    "           Purchase Date: \n"
    "          Purchased From: \n"
    "           Purchase Type: New Purchase\n"
    "\t\tComputers at Site:  \n"
    "       How did you hear?:  \n"
    "     Host App Experience:  \n"
    "            Publications: 01F 02F 03F 04F 05F 06F\n"
    "              Software 1: 07F 08F 09F 10F 11F 12F 13F 14F 15F\n"
    "              Software 2: 16F 17F 18F 19F 20F 21F 22F 23F 24F\n"
    "              Software 3: 25F 26F 27F 28F 29F 30F 31F 32F 33F\n"
    "              Software 4: 34F 35F 36F 37F 38F 39F 41F 42F 43F\n"
    "              Software 5: 44F 45F 46F 47F 48F 49F 50F 51F 52F\n";

std::string PrintedOn(const SYSTEMTIME &day)
{
    char date[16];
    snprintf(date, sizeof date, "%02d/%02d/%02d", day.wMonth, day.wDay, day.wYear % 100);
    std::string card = kPrintedCard;
    card.replace(card.find("MM/DD/YY"), 8, date);
    return card;
}

// The printout is the golden dated the day the call started or today: a card
// printed across midnight carries either.
::testing::AssertionResult IsThePrintedCard(const std::string &printed, const PrintRoad &road)
{
    if (printed == PrintedOn(road.Started()))
        return ::testing::AssertionSuccess();
    SYSTEMTIME today;
    GetLocalTime(&today);
    return MatchesGolden(PrintedOn(today), printed);
}

// Walks to the delivery choice and presses Print; the failure, if any.
std::string ChoosePrint()
{
    CardWalk walk;
    walk.delivery = Press(IDC_PRINT);
    return PlayPages(walk);
}

// A temporary folder deeper than the old 127-character file paths prints the
// same card, byte for byte, and keeps no print file either.
TEST(PrintRoad, PrintThenContinueFinishesTheRegistration)
{
    struct Row {
        const char *name;
        std::string temp;
    };
    const Row rows[] = {
        {"temporary folder", "temp"},
        {"temporary folder deeper than 127 characters",
         "temp\\" + std::string(60, 't') + "\\" + std::string(60, 'u')},
    };
    std::string first;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        PrintRoad road(row.temp);
        std::unique_ptr<Played> played(road.Start());
        ASSERT_EQ("", ChoosePrint());
        HWND reminder = WaitFor(dialogs::Reminder);
        ASSERT_NE(nullptr, reminder);
        EXPECT_EQ(1u, road.Printed().size()) << "printed before the reminder";
        EXPECT_TRUE(road.TempPrintFiles().empty());
        ui::Click(reminder, IDC_CONTINUE);

        ASSERT_TRUE(played->Join());
        EXPECT_EQ(0, played->Result());
        EXPECT_EQ(1, road.Outcome());
        const std::vector<std::string> printed = road.Printed();
        ASSERT_EQ(1u, printed.size());
        EXPECT_TRUE(IsThePrintedCard(printed[0], road));
        EXPECT_TRUE(road.TempPrintFiles().empty());
        if (first.empty()) {
            first = printed[0];
        } else {
            EXPECT_EQ(first, printed[0]);
        }
    }
}

TEST(PrintRoad, PrintInTheReminderPrintsAgainWithoutASecondReminder)
{
    PrintRoad road;
    std::unique_ptr<Played> played(road.Start());
    ASSERT_EQ("", ChoosePrint());
    HWND reminder = WaitFor(dialogs::Reminder);
    ASSERT_NE(nullptr, reminder);
    ui::Click(reminder, IDC_PRINT);

    // The call ends by itself: a second reminder would keep it waiting.
    ASSERT_TRUE(played->Join());
    EXPECT_EQ(0, played->Result());
    EXPECT_EQ(1, road.Outcome());
    const std::vector<std::string> printed = road.Printed();
    ASSERT_EQ(2u, printed.size());
    EXPECT_TRUE(IsThePrintedCard(printed[0], road)) << "first printout";
    EXPECT_EQ(printed[0], printed[1]);
    EXPECT_TRUE(road.TempPrintFiles().empty());
}

// Any failed print ends the call unfinished, printed once: a result that
// reads as Print does not print again, one that reads as E-Mail opens no mail.
TEST(PrintRoad, FailedPrintEndsUnfinishedWithoutReminder)
{
    struct Row {
        const char *name;
        bool copied;  // the stand-in copies into its folder before it fails
        int result;
    };
    const Row rows[] = {
        {"failure 3", false, 3},
        {"failure that reads as Print", true, IDC_PRINT},
        {"failure that reads as E-Mail", true, IDC_EMAIL},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        PrintRoad road;
        const std::string result = "Result=" + std::to_string(row.result);
        road.ScriptPrint(row.copied ? "Folder=" + road.Prints() + "\r\n" + result : result);
        std::unique_ptr<Played> played(road.Start());
        ASSERT_EQ("", ChoosePrint());

        // The call ends by itself: a reminder or a mail dialog would keep it waiting.
        ASSERT_TRUE(played->Join());
        EXPECT_EQ(0, played->Result());
        EXPECT_EQ(0, road.Outcome());
        EXPECT_EQ(row.copied ? 1u : 0u, road.Printed().size());
        EXPECT_TRUE(road.TempPrintFiles().empty());
    }
}

TEST(PrintRoad, FailureAfterAnEarlierSuccessStillFinishes)
{
    PrintRoad road;
    std::unique_ptr<Played> played(road.Start());
    ASSERT_EQ("", ChoosePrint());
    HWND reminder = WaitFor(dialogs::Reminder);
    ASSERT_NE(nullptr, reminder);
    road.ScriptPrint("Result=7");
    ui::Click(reminder, IDC_PRINT);

    ASSERT_TRUE(played->Join());
    EXPECT_EQ(1, road.Outcome());
    EXPECT_EQ(1u, road.Printed().size());
    EXPECT_TRUE(road.TempPrintFiles().empty());
}

}  // namespace
