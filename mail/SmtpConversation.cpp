// The registration mail's SMTP conversation.
#include "SmtpConversation.h"

#include "QuotedPrintable.h"

namespace {

const char kCrLf[] = "\r\n";
const char kSubject[] = "Subject:  Tarvolen Product Registration E-Mail#### \r\n";

CString Exchange(SmtpChannel &channel, const CString &command)
{
    channel.SendText(command);
    return ReadReply(channel);
}

// Every failure ends the session politely; the reply to QUIT does not matter.
SmtpResult Fail(SmtpChannel &channel, SmtpOutcome outcome, const CString &argument = "")
{
    Exchange(channel, CString("QUIT") + kCrLf);
    return {outcome, argument};
}

// A line shorter than four characters ends its reply too.
bool Continues(const CString &line) { return line.GetLength() >= 4 && line.GetString()[3] == '-'; }

}  // namespace

CString HeloArgument(const CString &email)
{
    const int at = email.Find("@");
    return at < 0 ? CString() : email.Mid(at + 1);
}

CString ReadReply(SmtpChannel &channel)
{
    // The deadline bounds the whole reply: a server dribbling continuation
    // lines must not hold one step for a minute per line.
    const unsigned long start = channel.Milliseconds();
    for (int lines = 1; lines <= SMTP_REPLY_LINES; ++lines) {
        const unsigned long elapsed = channel.Milliseconds() - start;
        if (elapsed >= SMTP_REPLY_DEADLINE_MS)
            return CString();
        CString line = channel.ReadLine(SMTP_REPLY_DEADLINE_MS - elapsed);
        if (line.IsEmpty() || !Continues(line))
            return line;
    }
    return CString();
}

SmtpResult RunSmtpConversation(SmtpChannel &channel, const CString &email,
                               const CString &mailbox, const CString &body, unsigned codePage)
{
    const CString site = HeloArgument(email);
    // The greeting is not examined, but one that never ended leaves the
    // connection out of step: it ends as a closed connection does.
    if (ReadReply(channel).IsEmpty())
        return Fail(channel, SMTP_SITE_REFUSED, site);

    // HELO takes any positive completion (a 220 as well as a 250); the sender
    // and the recipient need 250 or 251.
    if (!Exchange(channel, "HELO " + site + kCrLf).StartsWith("2"))
        return Fail(channel, SMTP_SITE_REFUSED, site);
    if (!Exchange(channel, "MAIL FROM: <" + email + ">" + kCrLf).StartsWith("25"))
        return Fail(channel, SMTP_SENDER_REFUSED, email);
    if (!Exchange(channel, "RCPT TO: <" + mailbox + ">" + kCrLf).StartsWith("25"))
        return Fail(channel, SMTP_RECIPIENT_REFUSED);

    // A body that fits one mail line goes as it is; a longer one is encoded.
    CString header = kSubject;
    CString text = body;
    if (NeedsQuotedPrintable(body)) {
        header += QuotedPrintableHeader(body, codePage);
        text = EncodeQuotedPrintable(body);
    }
    header += kCrLf;  // the empty line that ends the header

    // The card counts as mailed only when the server invited the data and then
    // took it: a 3xx reply to DATA, a 2xx reply to the end of data.
    if (!Exchange(channel, CString("DATA ") + kCrLf).StartsWith("3"))
        return Fail(channel, SMTP_NOT_ACCEPTED);
    channel.SendText("To: " + mailbox + kCrLf);
    channel.SendText("From: " + email + kCrLf);
    channel.SendText(header);
    channel.SendText(text);
    if (!Exchange(channel, CString(kCrLf) + "." + kCrLf).StartsWith("2"))
        return Fail(channel, SMTP_NOT_ACCEPTED);

    Exchange(channel, CString("QUIT") + kCrLf);
    return {SMTP_DELIVERED, ""};
}
