// The three text forms of the card, byte for byte, and their bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "output/Render.h"
#include "tests/WidestRecord.h"

namespace {

const char kToday[] = "03/07/24";

// The record of a run with nothing typed, nothing selected, the configuration
// withheld and the questionnaire declined.
RegistrationRecord EmptyRecord()
{
    RegistrationRecord r;
    memset(&r, 0, sizeof r);
    CopyField(r.ProductCode, "GB200");
    CopyField(r.ProductCodePrefix, "TV");
    CopyField(r.ProductName, "Glimmerbox");
    CopyField(r.VendorName, "Tarvolen Corporation");
    CopyField(r.VendorStreet, "1400 Quarry Lane, Suite 210");
    CopyField(r.VendorCity, "Millbrook, OR 97499");
    CopyField(r.VendorFax, "(503) 555-0188");
    CopyField(r.HardwareCodes, "4031112301");
    r.PurchaseTypeIndex = r.ComputersAtSiteIndex = r.IHaveUsedIndex = -1;
    r.HowDidYouHearIndex = r.ServiceIndex = -1;
    r.SendConfiguration = 0;
    r.DoNotSendMarketResearch = 1;
    return r;
}

// A card filled in everywhere: every third answer checked, from the first.
RegistrationRecord FullRecord()
{
    RegistrationRecord r = EmptyRecord();
    CopyField(r.FirstName, "Ann");
    CopyField(r.Initial, "B");
    CopyField(r.LastName, "Smith");
    CopyField(r.Company, "Harbor Graphics");
    CopyField(r.Address1, "12 Pier Road");
    CopyField(r.Address2, "Unit 4");
    CopyField(r.City, "Portland");
    CopyField(r.State, "OR");
    CopyField(r.Zip, "97201");
    CopyField(r.Country, "USA");
    CopyField(r.Phone, "503-555-0100");
    CopyField(r.Fax, "503-555-0101");
    CopyField(r.EmailAddress, "ann@harbor.example");
    CopyField(r.Service, "Internet");
    CopyField(r.SerialNumber, "GB-200-0001");
    CopyField(r.PurchaseDate, "03/01/24");
    CopyField(r.PurchasedFrom, "Pixel Shop");
    CopyField(r.PurchaseType, "New Purchase");
    CopyField(r.ComputersAtSite, "2 - 5");
    CopyField(r.IHaveUsed, "1 yr. - 2 yrs.");
    CopyField(r.HowDidYouHear, "Review");
    r.PurchaseTypeIndex = 0;  // the first entry
    r.ComputersAtSiteIndex = 2;
    r.IHaveUsedIndex = 3;
    r.HowDidYouHearIndex = 1;
    r.ServiceIndex = 6;
    CopyField(r.CPU, "80486");
    CopyField(r.Memory, "16384 KB");
    CopyField(r.Printer, "HP LaserJet 4");
    CopyField(r.HardDrives, "C: 540");
    CopyField(r.FloppyDrives, "A: 3.5");
    CopyField(r.OtherDrives, "D (CD)");
    CopyField(r.DOSVersion, "6.22");
    CopyField(r.WindowsVersion, "3.11");
    CopyField(r.HardwareCodes, "4031112311");
    r.SendConfiguration = 1;
    r.DoNotSendMarketResearch = 0;
    for (int i = 0; i < QUESTION_COUNT; ++i)
        r.Question[i] = i % 3 == 0 ? 1 : 0;
    return r;
}

// Collects the pieces of a rendering, checking each fits its line buffer
// without being cut (a cut piece would fill the buffer exactly).
struct Collected {
    std::string text;
    std::vector<size_t> pieces;
};

bool CollectPiece(void *context, const char *piece, size_t length)
{
    Collected *c = static_cast<Collected *>(context);
    EXPECT_LT(length, RENDER_LINE_WIDTH - 1u);
    c->text.append(piece, length);
    c->pieces.push_back(length);
    return true;
}

PieceSink Collect(Collected *c) { return {CollectPiece, c}; }

// Counts the writes and fails the one numbered failing.
struct FailingWrites {
    int failing;
    int calls;
};

bool FailOne(void *context, const char *, size_t)
{
    FailingWrites *w = static_cast<FailingWrites *>(context);
    return ++w->calls != w->failing;
}

std::string RecordFile(const RegistrationRecord &r)
{
    Collected c;
    EXPECT_TRUE(RenderRecordFile(&r, Collect(&c)));
    return c.text;
}

std::string PrintedCard(const RegistrationRecord &r, const char *today = kToday)
{
    Collected c;
    EXPECT_TRUE(RenderPrintedCard(&r, today, Collect(&c)));
    EXPECT_EQ(10u, c.pieces.size());
    return c.text;
}

std::string MailBody(const RegistrationRecord &r)
{
    char body[MAIL_BODY_WIDTH];
    memset(body, '#', sizeof body);
    EXPECT_EQ(0, BuildMailBody(&r, body, sizeof body));
    EXPECT_NE(nullptr, memchr(body, '\0', sizeof body));
    return body;
}

std::string Repeat(const std::string &s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

size_t Count(const std::string &s, char c) { return std::count(s.begin(), s.end(), c); }

TEST(RecordFile, FullRecordGolden)
{
    const std::string expected =
        "TVGB200\tAnn\tB\tSmith\tHarbor Graphics\t"
        "12 Pier Road\tUnit 4\tPortland\tOR\t97201\tUSA\t"
        "503-555-0100\t503-555-0101\tann@harbor.example\tInternet\t"
        "GB-200-0001\t"
        "03/01/24\tPixel Shop\t"
        "1\t3\t4\t2\t7\t"
        "16384 KB\tHP LaserJet 4\tC: 540\t"
        "A: 3.5\tD (CD)\t6.22\t3.11\t"
        "4\t0\t3\t1\t1\t1\t2\t3\t1\t1\t" +
        Repeat("T\tF\tF\t", 17) + "\r\n";
    EXPECT_EQ(expected, RecordFile(FullRecord()));
}

TEST(RecordFile, EmptyRecordGolden)
{
    const std::string expected = "TVGB200\t" + std::string(17, '\t') + Repeat("0\t", 5) +
                                 std::string(7, '\t') + Repeat(" \t", 10) + Repeat(" \t", 51) +
                                 "\r\n";
    const std::string file = RecordFile(EmptyRecord());
    EXPECT_EQ(expected, file);
    EXPECT_EQ(91u, Count(file, '\t'));
}

TEST(RecordFile, EmptyPrefixGivesTheCodeAlone)
{
    RegistrationRecord r = FullRecord();
    r.ProductCodePrefix[0] = '\0';
    EXPECT_EQ(0u, RecordFile(r).rfind("GB200\tAnn\t", 0));
    EXPECT_NE(std::string::npos, PrintedCard(r).find("            Product code: GB200\n"));
}

TEST(RecordFile, ConfigurationWithheldBlanksTheHardwareButKeepsTheRecord)
{
    RegistrationRecord r = FullRecord();
    r.SendConfiguration = 0;
    r.HardwareCodes[8] = '0';  // the hardware page marks the choice in the ninth code
    const RegistrationRecord before = r;

    const std::string file = RecordFile(r);
    const std::string hardware = std::string(7, '\t') + Repeat(" \t", 10);
    EXPECT_NE(std::string::npos, file.find("\t7\t" + hardware + "T\tF\tF\t")) << file;
    EXPECT_EQ(std::string::npos, file.find("LaserJet"));
    EXPECT_EQ(0, memcmp(&before, &r, sizeof r)) << "rendering changed the record";
    EXPECT_STREQ("4031112301", r.HardwareCodes);
    EXPECT_STREQ("HP LaserJet 4", r.Printer);
}

TEST(RecordFile, SelectionNumbers)
{
    struct Row {
        const char *name;
        int8_t index;
        const char *written;
    };
    const Row rows[] = {
        {"no selection", -1, "0"},
        {"first entry", 0, "1"},
        {"second entry", 1, "2"},
        {"ninth entry", 8, "9"},
    };
    for (const Row &row : rows) {
        RegistrationRecord r = EmptyRecord();
        r.PurchaseTypeIndex = r.ComputersAtSiteIndex = r.IHaveUsedIndex = row.index;
        r.HowDidYouHearIndex = r.ServiceIndex = row.index;
        const std::string w = std::string(row.written) + "\t";
        EXPECT_NE(std::string::npos, RecordFile(r).find(std::string(17, '\t') + Repeat(w, 5)))
            << row.name;
    }
}

TEST(RecordFile, BreakingCharactersInsideFieldsAreWrittenAsBlanks)
{
    RegistrationRecord r = FullRecord();
    CopyField(r.FirstName, "A\tnn");
    CopyField(r.Address2, "Unit\r\n4");
    CopyField(r.Printer, "HP\tLaserJet");
    CopyField(r.EmailAddress, "ann@harbor.example\n");
    r.HardwareCodes[2] = '\t';
    const RegistrationRecord before = r;

    const std::string file = RecordFile(r);
    EXPECT_EQ(91u, Count(file, '\t'));
    EXPECT_EQ(1u, Count(file, '\r'));
    EXPECT_EQ(1u, Count(file, '\n'));
    EXPECT_NE(std::string::npos, file.find("\tA nn\t"));
    EXPECT_NE(std::string::npos, file.find("\tUnit  4\t"));
    EXPECT_NE(std::string::npos, file.find("\tHP LaserJet\t"));
    EXPECT_NE(std::string::npos, file.find("\tann@harbor.example \t"));
    EXPECT_NE(std::string::npos, file.find("\t4\t0\t \t1\t"));
    EXPECT_EQ(file.substr(0, file.size() - 2), MailBody(r));

    const std::string card = PrintedCard(r);
    EXPECT_NE(std::string::npos, card.find("Name: A nn B Smith\n"));
    EXPECT_NE(std::string::npos, card.find("Address2: Unit  4\n"));
    EXPECT_EQ(0, memcmp(&before, &r, sizeof r)) << "rendering changed the record";
}

TEST(RecordFile, ShortHardwareCodesAreWrittenAsBlanks)
{
    RegistrationRecord r = FullRecord();
    CopyField(r.HardwareCodes, "403");
    EXPECT_NE(std::string::npos, RecordFile(r).find("\t4\t0\t3\t" + Repeat(" \t", 7) + "T\t"));
}

TEST(RecordFile, WritingStopsAtTheFirstFailedWrite)
{
    const RegistrationRecord r = FullRecord();
    for (int failing = 1; failing <= 11; ++failing) {
        FailingWrites writes = {failing, 0};
        const bool ok = RenderRecordFile(&r, {FailOne, &writes});
        EXPECT_FALSE(ok) << "failing piece " << failing;
        EXPECT_EQ(failing, writes.calls) << "failing piece " << failing;
    }
    for (int failing = 1; failing <= 10; ++failing) {
        FailingWrites writes = {failing, 0};
        const bool ok = RenderPrintedCard(&r, kToday, {FailOne, &writes});
        EXPECT_FALSE(ok) << "failing piece " << failing;
        EXPECT_EQ(failing, writes.calls) << "failing piece " << failing;
    }
}

TEST(MailBody, IsTheRecordFileWithoutItsLineEnd)
{
    const RegistrationRecord rows[] = {FullRecord(), EmptyRecord()};
    for (const RegistrationRecord &r : rows) {
        const std::string file = RecordFile(r);
        ASSERT_EQ("\r\n", file.substr(file.size() - 2));
        EXPECT_EQ(file.substr(0, file.size() - 2), MailBody(r));
    }
}

TEST(MailBody, EmptiesTheBufferFirstAndKeepsWithinItsWidth)
{
    const RegistrationRecord r = FullRecord();
    const std::string whole = MailBody(r);

    char body[MAIL_BODY_WIDTH];
    strcpy(body, "left over");
    BuildMailBody(&r, body, sizeof body);
    EXPECT_EQ(whole, body);

    char small[24];
    memset(small, '#', sizeof small);
    EXPECT_EQ(0, BuildMailBody(&r, small, 16));
    EXPECT_EQ(whole.substr(0, 15), small);
    EXPECT_EQ('#', small[16]) << "wrote past the width";
}

const char kCardHead[] =
    "\n    Glimmerbox\n    Registration Card                       Today's date: 03/07/24\n\n"
    "    Please mail this Electronic Registration Card in the enclosed\n"
    "    postage pre-paid envelope to:\n\n"
    "\t\t\tTarvolen Corporation\n\t\t\t1400 Quarry Lane, Suite 210\n\t\t\tMillbrook, OR 97499\n\n"
    "    or, FAX this sheet (NO COVER SHEET REQUIRED) to:  \n"
    "                       (503) 555-0188\n\n";

TEST(PrintedCard, FullRecordGolden)
{
    const std::string expected =
        std::string(kCardHead) +
        "            Product code: TVGB200\n"
        "           Serial Number: GB-200-0001\n"
        "                    Name: Ann B Smith\n"
        "                 Company: Harbor Graphics\n"
        "\n"
        "                Address1: 12 Pier Road\n"
        "                Address2: Unit 4\n"
        "                    City: Portland\n"
        "                   State: OR\n"
        "                Zip Code: 97201\n"
        "                 Country: USA\n"
        "\n"
        "                   Phone: 503-555-0100\n"
        "                     Fax: 503-555-0101\n"
        "           Email Address: ann@harbor.example Internet\n"
        "\n"
        "           Purchase Date: 03/01/24\n"
        "          Purchased From: Pixel Shop\n"
        "           Purchase Type: New Purchase\n"
        "\t\tComputers at Site: 2 - 5\n"
        "       How did you hear?: Review\n"
        "     Host App Experience: 1 yr. - 2 yrs.\n"
        "            Publications: 01T 02F 03F 04T 05F 06F\n"
        "              Software 1: 07T 08F 09F 10T 11F 12F 13T 14F 15F\n"
        "              Software 2: 16T 17F 18F 19T 20F 21F 22T 23F 24F\n"
        "              Software 3: 25T 26F 27F 28T 29F 30F 31T 32F 33F\n"
        "              Software 4: 34T 35F 36F 37T 38F 39F 41T 42F 43F\n"
        "              Software 5: 44T 45F 46F 47T 48F 49F 50T 51F 52F\n";
    const std::string card = PrintedCard(FullRecord());
    EXPECT_EQ(expected, card);
    EXPECT_EQ(std::string::npos, card.find('\r'));
    EXPECT_EQ(std::string::npos, card.find("LaserJet")) << "the card carries no hardware";
}

TEST(PrintedCard, CaptionsEndInColumn25)
{
    const std::string card = PrintedCard(FullRecord());
    size_t start = card.find("            Product code:");
    ASSERT_NE(std::string::npos, start);
    int captions = 0;
    while (start < card.size()) {
        const size_t end = card.find('\n', start);
        const std::string line = card.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line[0] == '\t')
            continue;
        EXPECT_EQ(':', line[24]) << line;
        EXPECT_EQ(' ', line[25]) << line;
        EXPECT_NE(' ', line[23]) << line;
        ++captions;
    }
    EXPECT_EQ(24, captions);  // all but the Computers at Site line
}

TEST(PrintedCard, DeclinedQuestionnaireLeavesTheLabelsAlone)
{
    RegistrationRecord r = FullRecord();
    r.DoNotSendMarketResearch = 1;
    const std::string card = PrintedCard(r);
    const char *lines[] = {
        "            Publications: 01  02  03  04  05  06 \n",
        "              Software 1: 07  08  09  10  11  12  13  14  15 \n",
        "              Software 4: 34  35  36  37  38  39  41  42  43 \n",
        "              Software 5: 44  45  46  47  48  49  50  51  52 \n",
    };
    for (const char *line : lines)
        EXPECT_NE(std::string::npos, card.find(line)) << line;
    EXPECT_EQ(0, memcmp(card.c_str(), kCardHead, strlen(kCardHead)));
}

TEST(PrintedCard, EmptyInitialAndService)
{
    RegistrationRecord r = FullRecord();
    r.Initial[0] = '\0';
    r.Service[0] = '\0';
    const std::string card = PrintedCard(r);
    EXPECT_NE(std::string::npos, card.find("                    Name: Ann  Smith\n"));
    EXPECT_NE(std::string::npos, card.find("           Email Address: ann@harbor.example \n"));
}

TEST(PrintedCard, LabelsSkipForty)
{
    struct Row {
        int question;  // 1-based
        const char *mark;
    };
    const Row rows[] = {
        {1, " 01T "}, {6, " 06T\n"}, {7, " 07T "},  {39, " 39T "},
        {40, " 41T "}, {41, " 42T "}, {42, " 43T\n"}, {51, " 52T\n"},
    };
    for (const Row &row : rows) {
        RegistrationRecord r = FullRecord();
        memset(r.Question, 0, sizeof r.Question);
        r.Question[row.question - 1] = 1;
        const std::string card = PrintedCard(r);
        const std::string marks = card.substr(card.find("Publications:"));
        EXPECT_NE(std::string::npos, marks.find(row.mark)) << "Question" << row.question;
        EXPECT_EQ(1u, Count(marks, 'T')) << "Question" << row.question;
        EXPECT_EQ(std::string::npos, marks.find(" 40")) << "Question" << row.question;
    }
}

TEST(PrintedCard, DateFormat)
{
    struct Row {
        int year, month, day;
        const char *date;
    };
    const Row rows[] = {
        {2024, 3, 7, "03/07/24"},
        {1999, 12, 31, "12/31/99"},
        {2000, 1, 1, "01/01/00"},
        {2105, 10, 9, "10/09/05"},
    };
    for (const Row &row : rows) {
        char date[CARD_DATE_WIDTH];
        FormatCardDate(row.year, row.month, row.day, date, sizeof date);
        EXPECT_STREQ(row.date, date) << row.date;
    }
}

TEST(Bounds, EveryFieldAtFullWidth)
{
    const RegistrationRecord r = WidestRecord();
    // The texts of the record file: 9 + 9 for the code, then the card and the hardware.
    const size_t texts = 18 + 49 + 1 + 49 + 99 + 99 + 99 + 49 + 49 + 15 + 49 + 31 + 31 + 99 +
                         49 + 49 + 31 + 99 + 19 + 49 + 49 + 49 + 49 + 39 + 39;
    const size_t expected = texts + 5 * 4 + 10 + 51 + 91 + 2;  // "-127", codes, marks, TABs, CR LF

    const std::string file = RecordFile(r);
    EXPECT_EQ(expected, file.size());
    EXPECT_EQ(91u, Count(file, '\t'));
    EXPECT_NE(std::string::npos, file.find("\t" + std::string(99, 'w') + "\t"));

    const std::string body = MailBody(r);
    EXPECT_EQ(file.substr(0, file.size() - 2), body);
    EXPECT_LT(body.size(), MAIL_BODY_WIDTH - 1u) << "the longest body is never cut";

    const std::string card = PrintedCard(r);
    EXPECT_NE(std::string::npos, card.find("Company: " + std::string(99, 'w') + "\n"));
    EXPECT_NE(std::string::npos,
              card.find("\n                       " + std::string(39, 'w') + "\n\n"));
}

// Records of random bytes, terminators or not: the renderers read nothing past
// a field and write nothing past their buffers (the sanitizers watch), and the
// record keeps its 91 fields and its one line.
TEST(Bounds, RandomRecords)
{
    std::mt19937 random(20240307);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> kind(0, 3);
    const std::string blankCard = PrintedCard(EmptyRecord());
    for (int n = 0; n < 3000; ++n) {
        RegistrationRecord r;
        unsigned char *raw = reinterpret_cast<unsigned char *>(&r);
        const int k = kind(random);
        for (size_t i = 0; i < sizeof r; ++i) {
            // Mostly printable bytes with a sprinkling of TABs, line breaks and terminators.
            const int b = byte(random);
            raw[i] = k == 0 ? static_cast<unsigned char>(b)
                            : b < 8 ? "\t\r\n\0\t\r\n\0"[b] : static_cast<unsigned char>(32 + b % 95);
        }
        // cppcheck-suppress uninitvar ; every byte of r was set through raw above
        const RegistrationRecord before = r;

        const std::string file = RecordFile(r);
        ASSERT_EQ(91u, Count(file, '\t')) << "record " << n;
        ASSERT_EQ(1u, Count(file, '\n')) << "record " << n;
        ASSERT_EQ(1u, Count(file, '\r')) << "record " << n;
        ASSERT_EQ(file.substr(0, file.size() - 2), MailBody(r)) << "record " << n;

        const std::string card = PrintedCard(r, "12/31/99");
        ASSERT_EQ(Count(blankCard, '\n'), Count(card, '\n')) << "record " << n;
        ASSERT_EQ(Count(blankCard, '\t'), Count(card, '\t')) << "record " << n;
        ASSERT_EQ(0, memcmp(&before, &r, sizeof r)) << "record " << n;
    }
}

}  // namespace
