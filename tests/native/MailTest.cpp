// Received text cut into lines, and the registration mail's SMTP conversation
// against a scripted server.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "mail/LineSplit.h"
#include "mail/SmtpConversation.h"
#include "tests/CStringPrint.h"

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

// A server that answers from a script: what was sent, and each read as "<".
class ScriptedServer : public SmtpChannel {
public:
    explicit ScriptedServer(std::deque<std::string> replies) : m_replies(std::move(replies)) {}
    void SendText(const CString &text) override
    {
        m_sent.push_back(ToStd(text));
        m_transcript += ToStd(text);
    }
    CString ReadLine() override
    {
        m_transcript += "<";
        if (m_replies.empty())
            return "";  // closed or silent
        const CString line(m_replies.front().c_str());
        m_replies.pop_front();
        return line;
    }
    std::vector<std::string> m_sent;
    std::string m_transcript;

private:
    std::deque<std::string> m_replies;
};

const char kMailbox[] = "registration@tarvolen.example";
const char kBody[] = "TVGB200\tAnn\t\tSmith\t";
const char kSubject[] = "Subject:  Tarvolen Product Registration E-Mail#### \r\n\r\n";

std::deque<std::string> Willing()
{
    return {"220 mail ESMTP\r\n", "250 mail\r\n", "250 OK\r\n", "250 OK\r\n",
            "354 End data with <CR><LF>.<CR><LF>\r\n", "250 OK\r\n", "221 Bye\r\n"};
}

TEST(SmtpConversation, NormalRunSendsExactlyTheMail)
{
    ScriptedServer server(Willing());
    const SmtpResult result = RunSmtpConversation(server, "ann@harbor.example", kMailbox, kBody);
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
        EXPECT_EQ(SMTP_DELIVERED, RunSmtpConversation(server, row.email, kMailbox, kBody).outcome)
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
        const SmtpResult result = RunSmtpConversation(server, "ann@harbor.example", kMailbox, kBody);
        EXPECT_EQ(row.outcome, result.outcome) << row.name;
        EXPECT_EQ(row.argument, ToStd(result.argument)) << row.name;
        ASSERT_EQ(row.sent, server.m_sent.size()) << row.name;
        EXPECT_EQ("QUIT\r\n", server.m_sent.back()) << row.name;
        EXPECT_EQ("<QUIT\r\n<", server.m_transcript.substr(server.m_transcript.size() - 8))
            << row.name << ": QUIT's reply is read";
    }
}

// A reply of several lines is read one line per step, so later steps examine
// earlier lines.
TEST(SmtpConversation, MultiLineRepliesAreReadOneLinePerStep)
{
    ScriptedServer server({"220-mail.example\r\n", "220 ready\r\n", "250 hello\r\n",
                           "550 sender refused\r\n", "250 OK\r\n", "221 Bye\r\n"});
    const SmtpResult result = RunSmtpConversation(server, "ann@harbor.example", kMailbox, kBody);
    // HELO reads the greeting's second line, MAIL reads HELO's reply, and RCPT
    // reads the refusal meant for MAIL.
    EXPECT_EQ(SMTP_RECIPIENT_REFUSED, result.outcome);
    EXPECT_EQ(4u, server.m_sent.size());
}

}  // namespace
