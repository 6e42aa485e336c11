// glimintake against real files and real SQLite databases: cards rendered by
// the card's own renderers go in, and every column must give them back.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "intake/Card.h"
#include "intake/Intake.h"
#include "intake/Mail.h"
#include "intake/Sha256.h"
#include "intake/Store.h"
#include "resources/resource.h"
#include "tests/intake/CardFiles.h"

namespace {

using Row = std::map<std::string, std::optional<std::string>>;

// A fresh folder per test, removed afterwards.
class IntakeFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/glimintake-test-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        m_dir = pattern;
        m_db = m_dir + "/registrations.sqlite";
    }
    void TearDown() override { std::system(("rm -rf '" + m_dir + "'").c_str()); }

    std::string Write(const std::string &name, const std::string &bytes)
    {
        const std::string path = m_dir + "/" + name;
        std::system(("mkdir -p \"$(dirname '" + path + "')\"").c_str());
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // The tool itself, as the vendor runs it; its standard error in *err.
    int Run(const std::string &arguments, std::string *err = nullptr, std::string *out = nullptr)
    {
        const std::string errFile = m_dir + "/stderr.txt", outFile = m_dir + "/stdout.txt";
        const int status = std::system((std::string(GLIMINTAKE_BINARY) + " --db '" + m_db + "' " +
                                        arguments + " >'" + outFile + "' 2>'" + errFile + "'")
                                           .c_str());
        if (err)
            *err = Read(errFile);
        if (out)
            *out = Read(outFile);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static std::string Read(const std::string &path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }

    std::vector<Row> Query(const std::string &sql, const std::string &parameter = "")
    {
        sqlite3 *db = nullptr;
        std::vector<Row> rows;
        EXPECT_EQ(SQLITE_OK, sqlite3_open_v2(m_db.c_str(), &db, SQLITE_OPEN_READONLY, nullptr));
        sqlite3_stmt *s = nullptr;
        EXPECT_EQ(SQLITE_OK, sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr)) << sqlite3_errmsg(db);
        if (!parameter.empty())
            sqlite3_bind_text(s, 1, parameter.c_str(), -1, SQLITE_TRANSIENT);
        while (sqlite3_step(s) == SQLITE_ROW) {
            Row row;
            for (int c = 0; c < sqlite3_column_count(s); ++c) {
                if (sqlite3_column_type(s, c) == SQLITE_NULL)
                    row[sqlite3_column_name(s, c)] = std::nullopt;
                else
                    row[sqlite3_column_name(s, c)] = std::string(
                        static_cast<const char *>(sqlite3_column_blob(s, c)), sqlite3_column_bytes(s, c));
            }
            rows.push_back(row);
        }
        sqlite3_finalize(s);
        sqlite3_close(db);
        return rows;
    }

    long long Count(const std::string &table)
    {
        return std::stoll(*Query("SELECT count(*) AS n FROM " + table)[0]["n"]);
    }

    std::string m_dir, m_db;
};

const int kListCounts[5] = {
    IDS_PURCHASE_TYPE_LAST - IDS_PURCHASE_TYPE_FIRST + 1, IDS_COMPUTERS_LAST - IDS_COMPUTERS_FIRST + 1,
    IDS_USED_LAST - IDS_USED_FIRST + 1, IDS_HEARD_LAST - IDS_HEARD_FIRST + 1,
    IDS_SERVICE_LAST - IDS_SERVICE_FIRST + 1,
};

std::optional<std::string> Text(const char *t) { return t ? std::optional<std::string>(t) : std::nullopt; }

std::optional<std::string> Digit(char code, bool sent)
{
    return sent ? std::optional<std::string>(std::string(1, code)) : std::nullopt;
}

// Every column of row against the record it came from.
void ExpectCard(const RegistrationRecord &r, Row &row, const std::string &where)
{
    SCOPED_TRACE(where);
    const bool sent = r.SendConfiguration != 0;
    const std::map<std::string, std::optional<std::string>> expected = {
        {"product_code", std::string(r.ProductCodePrefix) + r.ProductCode},
        {"first_name", r.FirstName}, {"initial", r.Initial}, {"last_name", r.LastName},
        {"company", r.Company}, {"address1", r.Address1}, {"address2", r.Address2},
        {"city", r.City}, {"state", r.State}, {"zip", r.Zip}, {"country", r.Country},
        {"phone", r.Phone}, {"fax", r.Fax}, {"email_address", r.EmailAddress},
        {"service", r.Service}, {"serial_number", r.SerialNumber},
        {"purchase_date", r.PurchaseDate}, {"purchased_from", r.PurchasedFrom},
        {"purchase_type", Text(ListText(LIST_PURCHASE_TYPE, r.PurchaseTypeIndex + 1))},
        {"computers_at_site", Text(ListText(LIST_COMPUTERS_AT_SITE, r.ComputersAtSiteIndex + 1))},
        {"i_have_used", Text(ListText(LIST_I_HAVE_USED, r.IHaveUsedIndex + 1))},
        {"how_did_you_hear", Text(ListText(LIST_HOW_DID_YOU_HEAR, r.HowDidYouHearIndex + 1))},
        {"service_selected", Text(ListText(LIST_SERVICE, r.ServiceIndex + 1))},
        {"memory", sent ? Text(r.Memory) : std::nullopt},
        {"printer", sent ? Text(r.Printer) : std::nullopt},
        {"hard_drives", sent ? Text(r.HardDrives) : std::nullopt},
        {"floppy_drives", sent ? Text(r.FloppyDrives) : std::nullopt},
        {"other_drives", sent ? Text(r.OtherDrives) : std::nullopt},
        {"dos_version", sent ? Text(r.DOSVersion) : std::nullopt},
        {"windows_version", sent ? Text(r.WindowsVersion) : std::nullopt},
        {"hardware_codes", sent ? std::string(r.HardwareCodes, 10) : std::string(10, ' ')},
        {"processor_class", sent ? Text(r.CPU) : std::nullopt},
        {"coprocessor", sent ? Text(r.Coprocessor) : std::nullopt},
        {"mouse", sent ? Text(r.Mouse) : std::nullopt},
        {"display_class", Digit(r.HardwareCodes[2], sent)},
        {"hard_disk_count", Digit(r.HardwareCodes[3], sent)},
        {"floppy_drive_count", Digit(r.HardwareCodes[4], sent)},
        {"parallel_port_count", sent ? Text(r.ParallelPorts) : std::nullopt},
        {"serial_port_count", sent ? Text(r.SerialPorts) : std::nullopt},
        {"cd_rom_count", Digit(r.HardwareCodes[9], sent)},
        {"configuration_sent", sent ? "1" : "0"},
        {"questionnaire_declined", r.DoNotSendMarketResearch ? "1" : "0"},
    };
    for (const auto &e : expected) {
        ASSERT_TRUE(row.count(e.first)) << e.first;
        EXPECT_EQ(e.second, row[e.first]) << e.first;
    }
}

TEST_F(IntakeFolder, RoundTripThroughTheCardsOwnRenderers)
{
    std::mt19937 random(1996);
    std::vector<RegistrationRecord> records;
    for (int n = 0; n < 120; ++n) {
        const cardfiles::Choice choice = {n % 3 != 1, n % 4 == 2};
        records.push_back(cardfiles::RandomRecord(random, choice, kListCounts));
        const RegistrationRecord &r = records.back();
        char name[32];
        snprintf(name, sizeof name, "mail/%03d.eml", n);
        Write(name, cardfiles::MailMessage(r.EmailAddress, cardfiles::MailBody(r), n % 2 == 0));
        snprintf(name, sizeof name, "modem/record-%03d.txt", n);
        Write(name, cardfiles::RecordFile(r));
    }
    std::string err;
    ASSERT_EQ(0, Run("ingest '" + m_dir + "/mail' '" + m_dir + "/modem'", &err)) << err;
    EXPECT_EQ(0, Count("rejected")) << err;
    EXPECT_EQ(240, Count("registrations"));
    EXPECT_EQ(240 * QUESTION_COUNT, Count("answers"));

    for (size_t n = 0; n < records.size(); ++n) {
        const RegistrationRecord &r = records[n];
        char name[32];
        for (const char *form : {"mail/%03d.eml", "modem/record-%03d.txt"}) {
            snprintf(name, sizeof name, form, static_cast<int>(n));
            std::vector<Row> rows = Query("SELECT * FROM registrations WHERE file = ?1", m_dir + "/" + name);
            ASSERT_EQ(1u, rows.size()) << name;
            ExpectCard(r, rows[0], name);
            EXPECT_EQ(form[0] == 'm' && form[1] == 'a' ? "mail" : "modem", *rows[0]["channel"]);
            EXPECT_EQ(cardfiles::MailBody(r), *rows[0]["raw"]);

            const std::vector<Row> answers = Query(
                "SELECT a.question, a.text, a.ticked FROM answers a JOIN registrations r"
                " ON r.id = a.registration WHERE r.file = ?1 ORDER BY a.question",
                m_dir + "/" + name);
            ASSERT_EQ(static_cast<size_t>(QUESTION_COUNT), answers.size());
            for (int q = 0; q < QUESTION_COUNT; ++q) {
                Row a = answers[q];
                EXPECT_EQ(std::to_string(q + 1), *a["question"]);
                EXPECT_EQ(kQuestionLabels[q], *a["text"]);
                if (r.DoNotSendMarketResearch)
                    EXPECT_FALSE(a["ticked"].has_value()) << name << " question " << q + 1;
                else
                    EXPECT_EQ(r.Question[q] ? "1" : "0", a["ticked"].value_or("NULL"))
                        << name << " question " << q + 1;
            }
        }
    }
}

// The texts are the card's: the lists as its string table fills them (the
// Service list sorted, as its combo box shows it) and the questionnaire's labels.
TEST(IntakeTexts, ComeFromTheCardsResources)
{
    for (int l = 0; l < LIST_COUNT; ++l)
        EXPECT_EQ(static_cast<size_t>(kListCounts[l]), kCardLists[l].count) << kCardLists[l].name;
    EXPECT_STREQ("Upgrade", ListText(LIST_PURCHASE_TYPE, 2));
    EXPECT_STREQ("> 50", ListText(LIST_COMPUTERS_AT_SITE, 7));
    EXPECT_STREQ("Bundle", ListText(LIST_HOW_DID_YOU_HEAR, 9));
    EXPECT_EQ(nullptr, ListText(LIST_HOW_DID_YOU_HEAR, 0));
    EXPECT_EQ(nullptr, ListText(LIST_PURCHASE_TYPE, 3));
    for (size_t i = 1; i < kCardLists[LIST_SERVICE].count; ++i)
        EXPECT_LE(strcasecmp(kCardLists[LIST_SERVICE].texts[i - 1], kCardLists[LIST_SERVICE].texts[i]), 0);
    EXPECT_STREQ("PC Magazine", kQuestionLabels[0]);
    EXPECT_STREQ("MS Word", kQuestionLabels[39]);
    EXPECT_STREQ("Uninstaller", kQuestionLabels[50]);
}

struct BadInput {
    const char *name;
    std::string bytes;
    const char *reason;
};

TEST_F(IntakeFolder, BadInputsAreRejectedAndTheRunGoesOn)
{
    std::mt19937 random(7);
    const RegistrationRecord good = cardfiles::RandomRecord(random, {true, false}, kListCounts);
    const std::string record = cardfiles::RecordFile(good);
    const std::string body = cardfiles::MailBody(good);
    auto replaceField = [&](int position, const std::string &text) {
        std::string line = body;
        size_t start = 0;
        for (int i = 0; i < position; ++i)
            start = line.find('\t', start) + 1;
        line.replace(start, line.find('\t', start) - start, text);
        return line + "\r\n";
    };
    std::string mixedMarks = replaceField(POS_MARKS + 3, " ");
    std::string binary;
    while (binary.size() < 600) {
        const char c = static_cast<char>(1 + random() % 255);
        if (c != '\r' && c != '\n')
            binary += c;
    }
    binary += "\r\n";

    const BadInput bad[] = {
        {"ninety-fields.txt", record.substr(record.find('\t') + 1), "90 fields, 91 expected"},
        {"letter.txt", "Dear vendor,\r\n", "1 fields, 91 expected"},
        {"truncated-record.txt", record.substr(0, record.size() / 2), "no line end"},
        {"two-lines.txt", record + record, "not one line ending with CR LF"},
        {"truncated-mail.eml", "To: registration@tarvolen.example\r\nFrom: a@b\r\nSubj", "mail without a body"},
        {"cut-body.eml", cardfiles::MailMessage("a@b", body.substr(0, 300), false), "fields, 91 expected"},
        {"binary.bin", binary, "fields, 91 expected"},
        {"nul.txt", record.substr(0, 40) + std::string(3, '\0') + record.substr(40), "NUL byte at offset 40"},
        {"empty.txt", "", "empty"},
        {"wide-company.txt", replaceField(4, std::string(100, 'w')), "Company is 100 characters, at most 99 fit"},
        {"control.txt", replaceField(7, "Mill\x1b" "brook"), "City holds the control character 27"},
        {"selection.txt", replaceField(POS_SELECTIONS, "3"), "the Purchase Type selection 3 is not on its list of 2"},
        {"selection-text.txt", replaceField(POS_SELECTIONS + 4, "x"), "the Service selection is not a number"},
        {"mark.txt", replaceField(POS_MARKS, "Y"), "answer mark 1 is not T, F or a blank"},
        {"mixed-marks.txt", mixedMarks, "1 answer marks are blank, the rest not"},
        {"code.txt", replaceField(POS_CODES, "42"), "hardware code 1 is not one character"},
        {"base64.eml",
         "Content-Transfer-Encoding: base64\r\nSubject: x\r\n\r\nVFZHQjIwMA==\r\n", "unsupported transfer encoding base64"},
        {"html.eml", "Content-Type: text/html\r\n\r\n<p>\r\n", "not a plain text mail (text/html)"},
        {"header-garbage.eml", "Subject: card\r\nthis is no header\r\n\r\n" + body, "malformed header line"},
        {"two-line-body.eml", cardfiles::MailMessage("a@b", body + "\r\nP.S.", false), "more than one line"},
    };

    Write("good.txt", record);
    ASSERT_EQ(0, Run("ingest '" + m_dir + "/good.txt'"));
    ASSERT_EQ(1, Count("registrations"));
    for (const BadInput &b : bad)
        Write(std::string("bad/") + b.name, b.bytes);
    symlink("/nonexistent/card.txt", (m_dir + "/dangling.txt").c_str());

    std::string err;
    EXPECT_EQ(0, Run("ingest '" + m_dir + "/bad' '" + m_dir + "/dangling.txt'", &err));
    EXPECT_EQ(1, Count("registrations")) << "nothing else changed";
    EXPECT_EQ(QUESTION_COUNT, Count("answers"));
    EXPECT_EQ(static_cast<long long>(std::size(bad)) + 1, Count("rejected"));
    for (const BadInput &b : bad) {
        const std::string source = m_dir + "/bad/" + b.name;
        std::vector<Row> rows = Query("SELECT reason, raw FROM rejected WHERE source = ?1", source);
        ASSERT_EQ(1u, rows.size()) << b.name;
        EXPECT_NE(std::string::npos, rows[0]["reason"]->find(b.reason)) << b.name << ": " << *rows[0]["reason"];
        EXPECT_EQ(b.bytes, rows[0]["raw"].value_or("")) << b.name << ": the input is kept whole";
        EXPECT_NE(std::string::npos, err.find(source)) << b.name << " is named on standard error";
    }
    std::vector<Row> unreadable = Query("SELECT reason, raw FROM rejected WHERE source = ?1", m_dir + "/dangling.txt");
    ASSERT_EQ(1u, unreadable.size());
    EXPECT_EQ("unreadable: No such file or directory", *unreadable[0]["reason"]);
    EXPECT_FALSE(unreadable[0]["raw"].has_value());

    // Nothing readable at all is the one failure.
    EXPECT_EQ(1, Run("ingest '" + m_dir + "/nothing-here'", &err));
    EXPECT_NE(std::string::npos, err.find("unreadable: No such file or directory")) << err;
}

TEST_F(IntakeFolder, SameBytesTwiceAddNothingACardSentAgainIsARepeat)
{
    std::mt19937 random(11);
    const RegistrationRecord r = cardfiles::RandomRecord(random, {true, false}, kListCounts);
    RegistrationRecord other = cardfiles::RandomRecord(random, {false, true}, kListCounts);
    const std::string body = cardfiles::MailBody(r);
    Write("in/1.eml", cardfiles::MailMessage(r.EmailAddress, body, false));
    Write("in/2.txt", cardfiles::RecordFile(other));
    Write("in/bad.txt", "not a card\r\n");

    std::string err;
    ASSERT_EQ(0, Run("ingest '" + m_dir + "/in'", &err));
    ASSERT_EQ(2, Count("registrations"));
    ASSERT_EQ(1, Count("rejected"));
    ASSERT_EQ(0, Run("ingest '" + m_dir + "/in' '" + m_dir + "/in/1.eml'", &err));
    EXPECT_EQ(2, Count("registrations"));
    EXPECT_EQ(2 * QUESTION_COUNT, Count("answers"));
    EXPECT_EQ(1, Count("rejected"));
    EXPECT_NE(std::string::npos, err.find("0 new cards (0 repeats), 0 rejected, 4 ingested before")) << err;

    // The same card through a real mail server: its own trace headers in front.
    Write("again/3.eml",
          cardfiles::MailMessage(r.EmailAddress, body, true,
                                 "Received: from card.example (card.example [192.0.2.7])\r\n"
                                 "\tby mail.tarvolen.example; Thu, 10 Dec 2026 16:05:07 +0100\r\n"
                                 "Date: Thu, 10 Dec 2026 15:04:00 +0100\r\n"
                                 "Message-Id: <card-3@card.example>\r\n"));
    ASSERT_EQ(0, Run("ingest '" + m_dir + "/again'", &err)) << err;
    std::vector<Row> rows = Query("SELECT * FROM registrations WHERE serial_number = ?1 ORDER BY id", r.SerialNumber);
    ASSERT_EQ(2u, rows.size());
    EXPECT_FALSE(rows[0]["repeat_of"].has_value());
    EXPECT_EQ(rows[0]["id"], rows[1]["repeat_of"]);
    EXPECT_EQ("<card-3@card.example>", rows[1]["message_id"].value_or(""));
    EXPECT_EQ("2026-12-10 15:05:07", rows[1]["received_at"].value_or("")) << "the receiving server's date, in UTC";
    ExpectCard(r, rows[1], "the repeat");
}

TEST_F(IntakeFolder, AWalkLeavesTheDatabaseItselfAlone)
{
    std::mt19937 random(13);
    const RegistrationRecord r = cardfiles::RandomRecord(random, {true, false}, kListCounts);
    Write("cards/card.txt", cardfiles::RecordFile(r));
    m_db = m_dir + "/cards/registrations.sqlite";
    std::string err;
    ASSERT_EQ(0, Run("ingest '" + m_dir + "/cards'", &err)) << err;
    ASSERT_EQ(0, Run("ingest '" + m_dir + "/cards'", &err)) << err;
    EXPECT_EQ(1, Count("registrations"));
    EXPECT_EQ(0, Count("rejected")) << err;
}

TEST_F(IntakeFolder, MaildirAndMbox)
{
    std::mt19937 random(5);
    std::vector<RegistrationRecord> r;
    for (int n = 0; n < 4; ++n)
        r.push_back(cardfiles::RandomRecord(random, {true, n == 3}, kListCounts));
    Write("Maildir/new/1.host", cardfiles::MailMessage("a@b", cardfiles::MailBody(r[0]), true));
    Write("Maildir/cur/2.host:2,S", cardfiles::MailMessage("a@b", cardfiles::MailBody(r[1]), false));
    Write("Maildir/tmp/3.host", "still being delivered");

    // An mbox stores bare line feeds; a body line opening with "From " is quoted.
    auto lf = [](std::string m) {
        std::string out;
        for (char c : m)
            if (c != '\r')
                out += c;
        return out;
    };
    const std::string mbox = "From card@example Thu Dec 10 16:00:00 2026\n" +
                             lf(cardfiles::MailMessage("a@b", cardfiles::MailBody(r[2]), false)) +
                             "\nFrom card@example Thu Dec 10 16:01:00 2026\n" +
                             lf(cardfiles::MailMessage("a@b", cardfiles::MailBody(r[3]), true)) + "\n";
    Write("inbox.mbox", mbox);

    std::string err;
    ASSERT_EQ(0, Run("ingest '" + m_dir + "/Maildir' '" + m_dir + "/inbox.mbox'", &err)) << err;
    EXPECT_EQ(0, Count("rejected")) << err;
    ASSERT_EQ(4, Count("registrations"));
    std::vector<Row> rows = Query("SELECT * FROM registrations ORDER BY id");
    ExpectCard(r[0], rows[1], "Maildir new");  // cur/ sorts before new/
    ExpectCard(r[1], rows[0], "Maildir cur");
    ExpectCard(r[2], rows[2], "mbox message 1");
    ExpectCard(r[3], rows[3], "mbox message 2");
    EXPECT_EQ("1", rows[2]["part"].value_or(""));
    EXPECT_EQ("2", rows[3]["part"].value_or(""));

    // Each message of an mbox is known by its own bytes: a message added later is the only new one.
    Write("inbox.mbox", mbox + "From x Thu Dec 10 16:02:00 2026\n" +
                            lf(cardfiles::MailMessage("a@b", cardfiles::MailBody(r[0]), false)) + "\n");
    ASSERT_EQ(0, Run("ingest '" + m_dir + "/inbox.mbox'", &err)) << err;
    EXPECT_EQ(5, Count("registrations"));
}

TEST_F(IntakeFolder, TheCardsCodePageBecomesUtf8)
{
    std::mt19937 random(3);
    RegistrationRecord r = cardfiles::RandomRecord(random, {true, false}, kListCounts);
    CopyField(r.Company, "M\xfcller & S\xf6hne \x80");
    CopyField(r.City, "Z\xfcrich");
    Write("in/card.txt", cardfiles::RecordFile(r));
    Write("in/card.eml", cardfiles::MailMessage("a@b", cardfiles::MailBody(r), true));
    ASSERT_EQ(0, Run("ingest '" + m_dir + "/in'"));
    for (const char *name : {"in/card.txt", "in/card.eml"}) {
        std::vector<Row> rows = Query("SELECT company, city, raw FROM registrations WHERE file = ?1", m_dir + "/" + name);
        ASSERT_EQ(1u, rows.size()) << name;
        EXPECT_EQ("M\xc3\xbcller & S\xc3\xb6hne \xe2\x82\xac", *rows[0]["company"]) << name;
        EXPECT_EQ("Z\xc3\xbcrich", *rows[0]["city"]) << name;
        EXPECT_EQ(cardfiles::MailBody(r), *rows[0]["raw"]) << name << ": the raw record keeps its bytes";
    }
}

TEST_F(IntakeFolder, ReportAndCsv)
{
    std::mt19937 random(2);
    RegistrationRecord a = cardfiles::RandomRecord(random, {true, false}, kListCounts);
    RegistrationRecord b = cardfiles::RandomRecord(random, {false, true}, kListCounts);
    CopyField(a.ProductCodePrefix, "TV");
    CopyField(a.ProductCode, "GB200");
    CopyField(b.ProductCodePrefix, "TV");
    CopyField(b.ProductCode, "GB200");
    CopyField(a.Company, "Quarry, \"Lane\" Ltd");
    CopyField(a.SerialNumber, "SN-1");
    CopyField(b.SerialNumber, "SN-2");
    for (int q = 0; q < QUESTION_COUNT; ++q)
        a.Question[q] = q == 0;
    Write("in/a.eml", cardfiles::MailMessage("a@b", cardfiles::MailBody(a), false));
    Write("in/a-again.txt", cardfiles::RecordFile(a));
    Write("in/b.txt", cardfiles::RecordFile(b));
    ASSERT_EQ(0, Run("ingest '" + m_dir + "/in'"));

    std::string out, err;
    ASSERT_EQ(0, Run("report", &err, &out)) << err;
    EXPECT_EQ(0u, out.find("cards: 3, of them 1 repeats; 0 inputs rejected\n")) << out;
    EXPECT_NE(std::string::npos, out.find("  TVGB200                         3\n")) << out;
    EXPECT_NE(std::string::npos, out.find("  modem                           2\n")) << out;
    EXPECT_NE(std::string::npos, out.find("repeats by channel:\n  mail                            1\n")) << out;
    EXPECT_NE(std::string::npos, out.find("  (not sent)                      1\n")) << out;
    EXPECT_NE(std::string::npos, out.find("first cards: 1 answered, 1 declined")) << out;
    EXPECT_NE(std::string::npos, out.find("   1 PC Magazine                     1  100.0%\n")) << out;
    EXPECT_NE(std::string::npos, out.find("  51 Uninstaller                     0    0.0%\n")) << out;

    ASSERT_EQ(0, Run("export --csv", &err, &out)) << err;
    std::istringstream lines(out);
    std::string header, first;
    std::getline(lines, header);
    std::getline(lines, first);
    EXPECT_EQ(0u, header.find("id,channel,file,part,message_id,received_at,repeat_of,product_code,first_name")) << header;
    EXPECT_EQ(std::string::npos, header.find("raw"));
    EXPECT_NE(std::string::npos, first.find(",\"Quarry, \"\"Lane\"\" Ltd\",")) << first;
    EXPECT_EQ(4, std::count(out.begin(), out.end(), '\n'));
}

// Quoted-printable as mail servers and clients really write it.
TEST(IntakeMail, QuotedPrintableDecoding)
{
    const struct {
        const char *encoded, *decoded;
    } cases[] = {
        {"TV=\r\nGB200=09", "TVGB200\t"},
        {"a=3Db=3db", "a=b=b"},                   // lower-case hex too
        {"ends with blank=20\r\n", "ends with blank \r\n"},
        {"transport added  \t\r\nnext", "transport added\r\nnext"},
        {"=2E at line start=\n=46rom here", ". at line startFrom here"},
        {"stray = kept and =ZZ too", "stray = kept and =ZZ too"},
        {"high =FC=E9", "high \xfc\xe9"},
        {"last soft break=", "last soft break"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.decoded, DecodeQuotedPrintable(c.encoded)) << c.encoded;

    // The test encoder keeps to the line limit and comes back whole.
    std::mt19937 random(9);
    for (int n = 0; n < 200; ++n) {
        std::string body;
        const int length = std::uniform_int_distribution<int>(0, 1900)(random);
        for (int i = 0; i < length; ++i) {
            static const char kSome[] = "\t .=F-rom\xe9" "ab";
            body += kSome[random() % (sizeof kSome - 1)];
        }
        const std::string encoded = cardfiles::QuotedPrintable(body);
        std::istringstream lines(encoded);
        for (std::string line; std::getline(lines, line);)
            ASSERT_LE(line.size(), 77u) << "76 characters and the CR";
        ASSERT_EQ(body, DecodeQuotedPrintable(encoded)) << n;
    }
}

TEST(IntakeMail, MailDates)
{
    const struct {
        const char *date, *utc;
    } cases[] = {
        {"Thu, 10 Dec 2026 16:05:07 +0100", "2026-12-10 15:05:07"},
        {" 1 Jan 2027 00:30:00 +0200 (CEST)", "2026-12-31 22:30:00"},
        {"Mon, 3 Mar 97 09:15 -0500", "1997-03-03 14:15:00"},
        {"Fri, 31 Dec 2027 23:59:59 GMT", "2027-12-31 23:59:59"},
        {"yesterday", ""},
        {"32 Dec 2026 10:00:00 +0000", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.utc, ParseMailDate(c.date)) << c.date;
}

TEST(IntakeMail, Sha256KnownDigests)
{
    auto hex = [](const Digest &d) {
        std::string s;
        char two[3];
        for (uint8_t b : d) {
            snprintf(two, sizeof two, "%02x", b);
            s += two;
        }
        return s;
    };
    EXPECT_EQ("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855", hex(Sha256("")));
    EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad", hex(Sha256("abc")));
    // 56 bytes: the length no longer fits the first padding block.
    EXPECT_EQ("248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1",
              hex(Sha256("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")));
}

}  // namespace
