// The registration mail's SMTP conversation.
#include "SmtpConversation.h"

namespace {

const char kCrLf[] = "\r\n";
const char kSubject[] = "Subject:  Tarvolen Product Registration E-Mail#### \r\n\r\n";

CString Exchange(SmtpChannel &channel, const CString &command)
{
    channel.SendText(command);
    return channel.ReadLine();
}

// Every failure ends the session politely; the reply to QUIT does not matter.
SmtpResult Fail(SmtpChannel &channel, SmtpOutcome outcome, const CString &argument = "")
{
    Exchange(channel, CString("QUIT") + kCrLf);
    return {outcome, argument};
}

}  // namespace

CString HeloArgument(const CString &email)
{
    const int at = email.Find("@");
    return at < 0 ? CString() : email.Mid(at + 1);
}

SmtpResult RunSmtpConversation(SmtpChannel &channel, const CString &email,
                               const CString &mailbox, const CString &body)
{
    channel.ReadLine();  // the greeting

    const CString site = HeloArgument(email);
    // HELO takes any positive completion (a 220 as well as a 250); the sender
    // and the recipient need 250 or 251.
    if (!Exchange(channel, "HELO " + site + kCrLf).StartsWith("2"))
        return Fail(channel, SMTP_SITE_REFUSED, site);
    if (!Exchange(channel, "MAIL FROM: <" + email + ">" + kCrLf).StartsWith("25"))
        return Fail(channel, SMTP_SENDER_REFUSED, email);
    if (!Exchange(channel, "RCPT TO: <" + mailbox + ">" + kCrLf).StartsWith("25"))
        return Fail(channel, SMTP_RECIPIENT_REFUSED);

    // The card counts as mailed only when the server invited the data and then
    // took it: a 3xx reply to DATA, a 2xx reply to the end of data.
    if (!Exchange(channel, CString("DATA ") + kCrLf).StartsWith("3"))
        return Fail(channel, SMTP_NOT_ACCEPTED);
    channel.SendText("To: " + mailbox + kCrLf);
    channel.SendText("From: " + email + kCrLf);
    channel.SendText(kSubject);
    channel.SendText(body);
    if (!Exchange(channel, CString(kCrLf) + "." + kCrLf).StartsWith("2"))
        return Fail(channel, SMTP_NOT_ACCEPTED);

    Exchange(channel, CString("QUIT") + kCrLf);
    return {SMTP_DELIVERED, ""};
}
