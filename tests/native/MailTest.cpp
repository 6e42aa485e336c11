// Received text cut into lines, and the registration mail's SMTP conversation
// against a scripted server.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <iterator>
#include <string>
#include <vector>

#include "mail/LineSplit.h"
#include "mail/QuotedPrintable.h"
#include "mail/SmtpConversation.h"
#include "output/Render.h"
#include "tests/CStringPrint.h"
#include "tests/QuotedPrintableDecode.h"
#include "tests/WidestRecord.h"

namespace {

using Lines = std::deque<std::string>;

// The queued lines, taken off the list.
Lines Take(CStringList &list)
{
    Lines lines;
    while (!list.IsEmpty())
        lines.push_back(ToStd(list.RemoveHead()));
    return lines;
}

TEST(LineSplit, CutsChunksIntoLines)
{
    struct Row {
        const char *name;
        std::vector<std::string> chunks;
        Lines lines;
        std::string partial;
    };
    const Row rows[] = {
        {"a reply in two chunks", {"25", "0 OK\r\n"}, {"250 OK\r\n"}, ""},
        {"two lines in one chunk", {"220 a\r\n250 b\r\n"}, {"220 a\r\n", "250 b\r\n"}, ""},
        {"a chunk ending mid-line", {"250 OK\r\n354 St"}, {"250 OK\r\n"}, "354 St"},
        {"the rest of a line completes it", {"354 St", "art\r\n2"}, {"354 Start\r\n"}, "2"},
        {"a NUL cuts the chunk", {std::string("250 OK\r\n25\0" "1 X\r\n", 15)}, {"250 OK\r\n"}, "25"},
        {"a NUL at the start", {std::string("\0" "250\r\n", 6)}, {}, ""},
        {"a bare line feed ends a line", {"a\nb\n"}, {"a\n", "b\n"}, ""},
        {"an empty line", {"\r\n"}, {"\r\n"}, ""},
        {"nothing", {""}, {}, ""},
    };
    for (const Row &row : rows) {
        CStringList lines;
        CString partial;
        for (const std::string &chunk : row.chunks)
            EXPECT_TRUE(SplitReceivedText(chunk.data(), chunk.size(), lines, partial)) << row.name;
        EXPECT_EQ(row.lines, Take(lines)) << row.name;
        EXPECT_EQ(row.partial, ToStd(partial)) << row.name;
    }
}

TEST(LineSplit, UnfinishedLineIsBounded)
{
    const std::string chunk(520, 'x');
    CStringList lines;
    lines.AddTail("220 kept\r\n");
    CString partial;
    size_t taken = 0;
    while (taken + chunk.size() <= PARTIAL_LINE_LIMIT) {
        ASSERT_TRUE(SplitReceivedText(chunk.data(), chunk.size(), lines, partial));
        taken += chunk.size();
    }
    EXPECT_EQ(taken, static_cast<size_t>(partial.GetLength()));
    EXPECT_FALSE(SplitReceivedText(chunk.data(), chunk.size(), lines, partial));
    EXPECT_TRUE(partial.IsEmpty());
    EXPECT_EQ(Lines{"220 kept\r\n"}, Take(lines));

    // Exactly the limit still completes its line.
    const std::string nearly(PARTIAL_LINE_LIMIT - 1, 'y');
    partial = nearly.c_str();
    ASSERT_TRUE(SplitReceivedText("z", 1, lines, partial));
    ASSERT_TRUE(SplitReceivedText("\n", 1, lines, partial));
    ASSERT_EQ(1, lines.GetCount());
    EXPECT_EQ(PARTIAL_LINE_LIMIT + 1, lines.GetHead().GetLength());
}

// A server that answers from a script on a clock of its own: what was sent,
// and each read as "<". A scripted line may come late: its delay runs from the
// read that waits for it.
struct Reply {
    // cppcheck-suppress unusedStructMember ; read through the server's queue
    std::string line;
    // cppcheck-suppress unusedStructMember ; read through the server's queue
    unsigned long delayMs;
};

class ScriptedServer : public SmtpChannel {
public:
    explicit ScriptedServer(const std::deque<std::string> &replies)
    {
        std::transform(replies.begin(), replies.end(), std::back_inserter(m_replies),
                       [](const std::string &line) { return Reply{line, 0}; });
    }
    explicit ScriptedServer(std::deque<Reply> replies) : m_replies(std::move(replies)) {}

    void SendText(const CString &text) override
    {
        m_sent.push_back(ToStd(text));
        m_transcript += ToStd(text);
    }
    CString ReadLine(unsigned long waitMs) override
    {
        m_transcript += "<";
        if (m_replies.empty() || m_replies.front().delayMs > waitMs) {
            // Closed, or silent for the whole wait.
            m_now += waitMs;
            if (!m_replies.empty())
                m_replies.front().delayMs -= waitMs;
            return "";
        }
        m_now += m_replies.front().delayMs;
        const CString line(m_replies.front().line.c_str());
        m_replies.pop_front();
        return line;
    }
    unsigned long Milliseconds() override { return m_now; }

    // Everything sent, as the server's side of the connection received it.
    std::string Received() const
    {
        std::string all;
        for (const std::string &text : m_sent)
            all += text;
        return all;
    }

    std::vector<std::string> m_sent;
    std::string m_transcript;
    unsigned long m_now = 0;

private:
    std::deque<Reply> m_replies;
};

const char kMailbox[] = "registration@tarvolen.example";
const char kBody[] = "TVGB200\tAnn\t\tSmith\t";
const char kSubject[] = "Subject:  Tarvolen Product Registration E-Mail#### \r\n\r\n";
const unsigned kCodePage = 1252;

std::deque<std::string> Willing()
{
    return {"220 mail ESMTP\r\n", "250 mail\r\n", "250 OK\r\n", "250 OK\r\n",
            "354 End data with <CR><LF>.<CR><LF>\r\n", "250 OK\r\n", "221 Bye\r\n"};
}

TEST(SmtpConversation, NormalRunSendsExactlyTheMail)
{
    ScriptedServer server(Willing());
    const SmtpResult result = RunSmtpConversation(server, "ann@harbor.example", kMailbox, kBody, kCodePage);
    EXPECT_EQ(SMTP_DELIVERED, result.outcome);
    EXPECT_EQ(std::string("<"
                          "HELO harbor.example\r\n<"
                          "MAIL FROM: <ann@harbor.example>\r\n<"
                          "RCPT TO: <registration@tarvolen.example>\r\n<"
                          "DATA \r\n<"
                          "To: registration@tarvolen.example\r\n"
                          "From: ann@harbor.example\r\n") +
                  kSubject + kBody + "\r\n.\r\n<QUIT\r\n<",
              server.m_transcript);
    // One send per command, header line and body.
    EXPECT_EQ(10u, server.m_sent.size());
    EXPECT_EQ(kBody, server.m_sent[7]);
}

TEST(SmtpConversation, AddressShapesTheGreetingSenderAndHeader)
{
    struct Row {
        const char *name;
        const char *email;
        const char *helo;
        const char *mail;
        const char *from;
    };
    const Row rows[] = {
        {"no at sign", "ann.harbor", "HELO \r\n", "MAIL FROM: <ann.harbor>\r\n", "From: ann.harbor\r\n"},
        {"several at signs", "a@b@c.example", "HELO b@c.example\r\n", "MAIL FROM: <a@b@c.example>\r\n",
         "From: a@b@c.example\r\n"},
        {"empty address", "", "HELO \r\n", "MAIL FROM: <>\r\n", "From: \r\n"},
        {"at sign last", "ann@", "HELO \r\n", "MAIL FROM: <ann@>\r\n", "From: ann@\r\n"},
    };
    for (const Row &row : rows) {
        ScriptedServer server(Willing());
        EXPECT_EQ(SMTP_DELIVERED, RunSmtpConversation(server, row.email, kMailbox, kBody, kCodePage).outcome)
            << row.name;
        ASSERT_EQ(10u, server.m_sent.size()) << row.name;
        EXPECT_EQ(row.helo, server.m_sent[0]) << row.name;
        EXPECT_EQ(row.mail, server.m_sent[1]) << row.name;
        EXPECT_EQ(row.from, server.m_sent[5]) << row.name;
    }
}

// Which replies each step takes, and what a refusal leaves. Replies are given
// from HELO's on; the greeting is always "220 mail".
TEST(SmtpConversation, RepliesDecideEachStep)
{
    struct Row {
        const char *name;
        std::deque<std::string> replies;
        SmtpOutcome outcome;
        std::string argument;
        size_t sent;  // commands and texts sent, QUIT included
    };
    const std::string ok = "250 OK\r\n", go = "354 go\r\n", bye = "221 Bye\r\n";
    const Row rows[] = {
        {"HELO taking 250", {ok, ok, ok, go, ok, bye}, SMTP_DELIVERED, "", 10},
        {"HELO taking 220", {"220 hi\r\n", ok, ok, go, ok, bye}, SMTP_DELIVERED, "", 10},
        {"HELO taking any 2", {"2\r\n", ok, ok, go, ok, bye}, SMTP_DELIVERED, "", 10},
        {"HELO refused", {"501 Syntax: HELO hostname\r\n", bye}, SMTP_SITE_REFUSED, "harbor.example", 2},
        {"HELO unanswered", {}, SMTP_SITE_REFUSED, "harbor.example", 2},
        {"MAIL taking 251", {ok, "251 forwarded\r\n", ok, go, ok, bye}, SMTP_DELIVERED, "", 10},
        {"MAIL refused with 550", {ok, "550 no\r\n", bye}, SMTP_SENDER_REFUSED, "ann@harbor.example", 3},
        {"MAIL refused with 451", {ok, "451 later\r\n", bye}, SMTP_SENDER_REFUSED, "ann@harbor.example", 3},
        {"MAIL refused with 220", {ok, "220 odd\r\n", bye}, SMTP_SENDER_REFUSED, "ann@harbor.example", 3},
        {"MAIL unanswered", {ok}, SMTP_SENDER_REFUSED, "ann@harbor.example", 3},
        {"RCPT taking 251", {ok, ok, "251 forwarded\r\n", go, ok, bye}, SMTP_DELIVERED, "", 10},
        {"RCPT refused with 550", {ok, ok, "550 unknown\r\n", bye}, SMTP_RECIPIENT_REFUSED, "", 4},
        {"RCPT refused with 451", {ok, ok, "451 later\r\n", bye}, SMTP_RECIPIENT_REFUSED, "", 4},
        // The server must invite the data and then take it.
        {"DATA refused: nothing of the mail is sent", {ok, ok, ok, "554 no data\r\n", bye},
         SMTP_NOT_ACCEPTED, "", 5},
        {"DATA unanswered", {ok, ok, ok}, SMTP_NOT_ACCEPTED, "", 5},
        {"end of data refused", {ok, ok, ok, go, "500 Line too long\r\n", bye}, SMTP_NOT_ACCEPTED, "", 10},
        {"end of data deferred", {ok, ok, ok, go, "451 try later\r\n", bye}, SMTP_NOT_ACCEPTED, "", 10},
        {"end of data unanswered", {ok, ok, ok, go}, SMTP_NOT_ACCEPTED, "", 10},
        {"QUIT's reply does not matter", {ok, ok, ok, go, ok, "500 what\r\n"}, SMTP_DELIVERED, "", 10},
        {"QUIT unanswered", {ok, ok, ok, go, ok}, SMTP_DELIVERED, "", 10},
    };
    for (const Row &row : rows) {
        std::deque<std::string> replies = row.replies;
        replies.push_front("220 mail\r\n");
        ScriptedServer server(replies);
        const SmtpResult result = RunSmtpConversation(server, "ann@harbor.example", kMailbox, kBody, kCodePage);
        EXPECT_EQ(row.outcome, result.outcome) << row.name;
        EXPECT_EQ(row.argument, ToStd(result.argument)) << row.name;
        ASSERT_EQ(row.sent, server.m_sent.size()) << row.name;
        EXPECT_EQ("QUIT\r\n", server.m_sent.back()) << row.name;
        EXPECT_EQ("<QUIT\r\n<", server.m_transcript.substr(server.m_transcript.size() - 8))
            << row.name << ": QUIT's reply is read";
    }
}

// Each step reads one whole reply: lines up to the first whose fourth
// character is not "-"; that line decides the step.
TEST(SmtpConversation, MultiLineRepliesAreReadWhole)
{
    ScriptedServer server({"220-mail.example ESMTP\r\n", "220 ready\r\n",
                           "250-mail.example\r\n", "250-SIZE 1000\r\n", "250 HELP\r\n",
                           "250-sender\r\n", "250 OK\r\n",
                           "250-recipient\r\n", "250 OK\r\n",
                           "354 go\r\n",
                           "250-queued\r\n", "250 OK\r\n",
                           "221-closing\r\n", "221 Bye\r\n"});
    const SmtpResult result = RunSmtpConversation(server, "ann@harbor.example", kMailbox, kBody, kCodePage);
    EXPECT_EQ(SMTP_DELIVERED, result.outcome);
    EXPECT_EQ(std::string("HELO harbor.example\r\n"
                          "MAIL FROM: <ann@harbor.example>\r\n"
                          "RCPT TO: <registration@tarvolen.example>\r\n"
                          "DATA \r\n"
                          "To: registration@tarvolen.example\r\n"
                          "From: ann@harbor.example\r\n") +
                  kSubject + kBody + "\r\n.\r\nQUIT\r\n",
              server.Received());
    // Each step reads all its reply's lines before the next command.
    EXPECT_EQ(std::string("<<HELO harbor.example\r\n<<<"
                          "MAIL FROM: <ann@harbor.example>\r\n<<"
                          "RCPT TO: <registration@tarvolen.example>\r\n<<"
                          "DATA \r\n<"
                          "To: registration@tarvolen.example\r\n"
                          "From: ann@harbor.example\r\n") +
                  kSubject + kBody + "\r\n.\r\n<<QUIT\r\n<<",
              server.m_transcript);
}

// The last line of a reply decides, whatever the lines before it said; a
// reply of up to 100 lines counts, a longer one fails its step as an empty
// reply does.
TEST(SmtpConversation, LastLineDecidesAndLongRepliesFail)
{
    const std::string ok = "250 OK\r\n", go = "354 go\r\n", bye = "221 Bye\r\n";
    auto lines = [](const char *code, int n, const std::string &last) {
        std::deque<std::string> reply(n - 1, std::string(code) + "-more\r\n");
        reply.push_back(last);
        return reply;
    };
    auto join = [](std::initializer_list<std::deque<std::string>> parts) {
        std::deque<std::string> all;
        for (const auto &p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    struct Row {
        const char *name;
        std::deque<std::string> replies;  // the greeting included
        SmtpOutcome outcome;
        size_t sent;
    };
    const Row rows[] = {
        {"HELO: 250- then 550", join({{"220 mail\r\n", "250-x\r\n", "550 no\r\n", bye}}),
         SMTP_SITE_REFUSED, 2},
        {"MAIL: 250- then 550", join({{"220 mail\r\n", ok, "250-x\r\n", "550 no\r\n", bye}}),
         SMTP_SENDER_REFUSED, 3},
        {"RCPT: 250- then 550", join({{"220 mail\r\n", ok, ok, "250-x\r\n", "550 no\r\n", bye}}),
         SMTP_RECIPIENT_REFUSED, 4},
        {"end of data: 250- then 554",
         join({{"220 mail\r\n", ok, ok, ok, go, "250-x\r\n", "554 no\r\n", bye}}), SMTP_NOT_ACCEPTED, 10},
        {"a greeting of 100 lines", join({lines("220", 100, "220 ready\r\n"), {ok, ok, ok, go, ok, bye}}),
         SMTP_DELIVERED, 10},
        // The greeting is not examined: one that never ends fails the HELO
        // step as a closed connection does, and HELO is not sent into it.
        {"a greeting of 101 lines", join({lines("220", 101, "220 ready\r\n"), {bye}}),
         SMTP_SITE_REFUSED, 1},
        {"a HELO reply of 100 lines", join({{"220 mail\r\n"}, lines("250", 100, ok), {ok, ok, go, ok, bye}}),
         SMTP_DELIVERED, 10},
        {"a HELO reply of 101 lines", join({{"220 mail\r\n"}, lines("250", 101, ok), {bye}}),
         SMTP_SITE_REFUSED, 2},
        {"a MAIL reply of 101 lines", join({{"220 mail\r\n", ok}, lines("250", 101, ok), {bye}}),
         SMTP_SENDER_REFUSED, 3},
        {"a RCPT reply of 101 lines", join({{"220 mail\r\n", ok, ok}, lines("250", 101, ok), {bye}}),
         SMTP_RECIPIENT_REFUSED, 4},
        {"an end-of-data reply of 101 lines", join({{"220 mail\r\n", ok, ok, ok, go}, lines("250", 101, ok), {bye}}),
         SMTP_NOT_ACCEPTED, 10},
        {"a reply ending in a continuation line", join({{"220 mail\r\n", "250-x\r\n"}}),
         SMTP_SITE_REFUSED, 2},
    };
    for (const Row &row : rows) {
        ScriptedServer server(row.replies);
        EXPECT_EQ(row.outcome,
                  RunSmtpConversation(server, "ann@harbor.example", kMailbox, kBody, kCodePage).outcome)
            << row.name;
        ASSERT_EQ(row.sent, server.m_sent.size()) << row.name;
        EXPECT_EQ("QUIT\r\n", server.m_sent.back()) << row.name;
    }
}

// The 60 s deadline bounds a whole reply: lines that each come well within a
// minute but together take longer fail the step.
TEST(SmtpConversation, DeadlineBoundsTheWholeReply)
{
    struct Row {
        const char *name;
        std::deque<Reply> replies;
        SmtpOutcome outcome;
        unsigned long endsBy;  // the clock when the conversation ended, at most
    };
    const Reply ok{"250 OK\r\n", 0}, go{"354 go\r\n", 0}, bye{"221 Bye\r\n", 0}, hi{"220 mail\r\n", 0};
    const Row rows[] = {
        {"HELO's lines in 57 s", {hi, {"250-a\r\n", 19000}, {"250-b\r\n", 19000}, {"250 c\r\n", 19000}, ok, ok, go, ok, bye},
         SMTP_DELIVERED, 57000},
        {"HELO's lines trickling past 60 s", {hi, {"250-a\r\n", 25000}, {"250-b\r\n", 25000}, {"250 c\r\n", 25000}, bye},
         SMTP_SITE_REFUSED, 60000 + 60000},
        {"the greeting trickling past 60 s", {{"220-a\r\n", 30000}, {"220-b\r\n", 30000}, {"220 c\r\n", 1}, bye},
         SMTP_SITE_REFUSED, 60000 + 60000},
        {"RCPT's reply silent", {hi, ok, ok, {"250 late\r\n", 60001}, bye}, SMTP_RECIPIENT_REFUSED, 60000 + 60000},
        {"the end of data's reply after 59 s", {hi, ok, ok, ok, go, {"250 OK\r\n", 59000}, bye},
         SMTP_DELIVERED, 59000},
    };
    for (const Row &row : rows) {
        ScriptedServer server(row.replies);
        EXPECT_EQ(row.outcome,
                  RunSmtpConversation(server, "ann@harbor.example", kMailbox, kBody, kCodePage).outcome)
            << row.name;
        EXPECT_LE(server.m_now, row.endsBy) << row.name;
        EXPECT_EQ("QUIT\r\n", server.m_sent.back()) << row.name;
    }
}

// A body of 998 characters goes exactly as it is; one of 999 gains the MIME
// header lines and goes quoted-printable, its charset named after the code
// page only when a byte is beyond ASCII.
TEST(SmtpConversation, LongBodyGoesQuotedPrintable)
{
    const std::string mime = "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=";
    const std::string qp = "\r\nContent-Transfer-Encoding: quoted-printable\r\n";
    const std::string subjectLine = "Subject:  Tarvolen Product Registration E-Mail#### \r\n";
    struct Row {
        const char *name;
        std::string body;
        unsigned codePage;
        std::string header;  // after the Subject line, up to the empty line
    };
    const std::string plain998(998, 'a');
    const Row rows[] = {
        {"998 characters", plain998, 1252, ""},
        {"998 characters beyond ASCII", std::string(998, '\xE9'), 1252, ""},
        {"999 characters", plain998 + "\t", 1252, mime + "us-ascii" + qp},
        {"999 characters, one beyond ASCII", plain998 + "\xE9", 1252, mime + "windows-1252" + qp},
        {"another code page", "\x80" + plain998, 1250, mime + "windows-1250" + qp},
    };
    for (const Row &row : rows) {
        ScriptedServer server(Willing());
        ASSERT_EQ(SMTP_DELIVERED,
                  RunSmtpConversation(server, "ann@harbor.example", kMailbox, row.body.c_str(), row.codePage)
                      .outcome)
            << row.name;
        ASSERT_EQ(10u, server.m_sent.size()) << row.name;
        EXPECT_EQ(subjectLine + row.header + "\r\n", server.m_sent[6]) << row.name;
        if (row.header.empty()) {
            EXPECT_EQ(row.body, server.m_sent[7]) << row.name;
        } else {
            std::string decoded;
            EXPECT_TRUE(DecodeQuotedPrintable(server.m_sent[7], decoded)) << row.name;
            EXPECT_EQ(row.body, decoded) << row.name;
        }
        EXPECT_EQ("\r\n.\r\n", server.m_sent[8]) << row.name;
    }
}

// The body's line checked as a mail reader and a mailbox file see it: it
// decodes back exactly, and every encoded line obeys the encoding's rules.
void ExpectSoundEncoding(const std::string &name, const std::string &body)
{
    const std::string encoded = ToStd(EncodeQuotedPrintable(body.c_str()));
    std::string decoded;
    EXPECT_TRUE(DecodeQuotedPrintable(encoded, decoded)) << name;
    EXPECT_EQ(body, decoded) << name;

    std::vector<std::string> lines;
    for (size_t at = 0;;) {
        const size_t end = encoded.find("\r\n", at);
        lines.push_back(encoded.substr(at, end == std::string::npos ? end : end - at));
        if (end == std::string::npos)
            break;
        at = end + 2;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string &line = lines[i];
        const std::string where = name + ", line " + std::to_string(i + 1) + ": " + line;
        const bool last = i + 1 == lines.size();
        EXPECT_LE(line.size(), 76u) << where;
        EXPECT_NE(0u, line.size()) << where;
        EXPECT_NE('.', line[0]) << where;
        EXPECT_NE(0u, line.rfind("From ", 0)) << where;
        // Before a soft break or at the body's end, a blank would be lost.
        const std::string text = last ? line : line.substr(0, line.size() - 1);
        if (!last) {
            EXPECT_EQ('=', line.back()) << where;
        }
        EXPECT_TRUE(text.empty() || (text.back() != ' ' && text.back() != '\t')) << where;
        for (size_t j = 0; j < text.size(); ++j) {
            const unsigned char c = static_cast<unsigned char>(text[j]);
            EXPECT_TRUE(c == ' ' || c == '\t' || (c >= 33 && c <= 126)) << where;
            if (c != '=')
                continue;
            // Every =XX whole on its line, in upper-case hex.
            ASSERT_LE(j + 3, text.size()) << where << ": an =XX split";
            EXPECT_GE(HexDigit(text[j + 1]), 0) << where;
            EXPECT_GE(HexDigit(text[j + 2]), 0) << where;
            j += 2;
        }
    }
}

TEST(QuotedPrintable, EncodedLinesKeepTheRules)
{
    std::string everyByte;
    for (int i = 0; everyByte.size() < 1200; ++i)
        everyByte += static_cast<char>(i % 255 + 1);
    const std::string card = []() {
        const RegistrationRecord r = WidestRecord();
        char body[MAIL_BODY_WIDTH];
        BuildMailBody(&r, body, sizeof body);
        return std::string(body);
    }();
    const std::string trickyCard = []() {
        const RegistrationRecord r = WidestRecord("From .=\xE9 ");
        char body[MAIL_BODY_WIDTH];
        BuildMailBody(&r, body, sizeof body);
        return std::string(body);
    }();
    struct Row {
        const char *name;
        std::string body;
    };
    const Row rows[] = {
        {"999 characters", std::string(998, 'x') + "\t"},
        {"the full-width card", card},
        {"the full-width card of dots, From, = and beyond ASCII", trickyCard},
        {"every byte but NUL", everyByte},
        {"blanks only", std::string(1100, ' ')},
        {"blanks and tabs alternating", [] { std::string b; while (b.size() < 1100) b += " \t"; return b; }()},
        {"dots only", std::string(1100, '.')},
        {"From at every place", [] { std::string b; while (b.size() < 1100) b += "From "; return b; }()},
        {"equals signs only", std::string(1100, '=')},
        {"a blank before every possible break",
         [] { std::string b; while (b.size() < 1100) b += std::string(74, 'y') + " "; return b; }()},
    };
    for (const Row &row : rows) {
        ASSERT_GT(row.body.size(), 998u) << row.name;
        ExpectSoundEncoding(row.name, row.body);
    }
    // The card ends with a TAB, so its last line ends "=09".
    const std::string encoded = ToStd(EncodeQuotedPrintable(card.c_str()));
    EXPECT_EQ("=09", encoded.substr(encoded.size() - 3));
    EXPECT_GT(card.size(), 998u);
}

TEST(QuotedPrintable, OnlyBodiesLongerThanAMailLineAreEncoded)
{
    EXPECT_FALSE(NeedsQuotedPrintable(std::string(998, 'a').c_str()));
    EXPECT_TRUE(NeedsQuotedPrintable(std::string(999, 'a').c_str()));
    EXPECT_EQ("MIME-Version: 1.0\r\nContent-Type: text/plain; charset=us-ascii\r\n"
              "Content-Transfer-Encoding: quoted-printable\r\n",
              ToStd(QuotedPrintableHeader(std::string(999, '\x7F').c_str(), 1252)));
    EXPECT_EQ("MIME-Version: 1.0\r\nContent-Type: text/plain; charset=windows-932\r\n"
              "Content-Transfer-Encoding: quoted-printable\r\n",
              ToStd(QuotedPrintableHeader((std::string(999, 'a') + "\x80").c_str(), 932)));
    // What each kind of byte becomes in the middle of a line.
    EXPECT_EQ("a=3Db=E9c\td e=0D=0Af=7F", ToStd(EncodeQuotedPrintable("a=b\xE9" "c\td e\r\nf\x7F")));
}

}  // namespace
