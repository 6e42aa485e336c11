// The registration mail's SMTP conversation.
#include "SmtpConversation.h"

namespace {

const char kCrLf[] = "\r\n";
const char kSubject[] = "Subject:  Tarvolen Product Registration E-Mail#### \r\n\r\n";

bool StartsWith(const std::string &reply, const char *code)
{
    return reply.compare(0, std::char_traits<char>::length(code), code) == 0;
}

std::string Exchange(SmtpChannel &channel, const std::string &command)
{
    channel.SendText(command);
    return channel.ReadLine();
}

// Every failure ends the session politely; the reply to QUIT does not matter.
SmtpResult Fail(SmtpChannel &channel, SmtpOutcome outcome, const std::string &argument = "")
{
    Exchange(channel, std::string("QUIT") + kCrLf);
    return {outcome, argument};
}

}  // namespace

std::string HeloArgument(const std::string &email)
{
    const size_t at = email.find('@');
    return at == std::string::npos ? std::string() : email.substr(at + 1);
}

SmtpResult RunSmtpConversation(SmtpChannel &channel, const std::string &email,
                               const std::string &mailbox, const std::string &body)
{
    channel.ReadLine();  // the greeting

    const std::string site = HeloArgument(email);
    // HELO takes any positive completion (a 220 as well as a 250); the sender
    // and the recipient need 250 or 251.
    if (!StartsWith(Exchange(channel, "HELO " + site + kCrLf), "2"))
        return Fail(channel, SMTP_SITE_REFUSED, site);
    if (!StartsWith(Exchange(channel, "MAIL FROM: <" + email + ">" + kCrLf), "25"))
        return Fail(channel, SMTP_SENDER_REFUSED, email);
    if (!StartsWith(Exchange(channel, "RCPT TO: <" + mailbox + ">" + kCrLf), "25"))
        return Fail(channel, SMTP_RECIPIENT_REFUSED);

    // The card counts as mailed only when the server invited the data and then
    // took it: a 3xx reply to DATA, a 2xx reply to the end of data.
    if (!StartsWith(Exchange(channel, std::string("DATA ") + kCrLf), "3"))
        return Fail(channel, SMTP_NOT_ACCEPTED);
    channel.SendText("To: " + mailbox + kCrLf);
    channel.SendText("From: " + email + kCrLf);
    channel.SendText(kSubject);
    channel.SendText(body);
    if (!StartsWith(Exchange(channel, std::string(kCrLf) + "." + kCrLf), "2"))
        return Fail(channel, SMTP_NOT_ACCEPTED);

    Exchange(channel, std::string("QUIT") + kCrLf);
    return {SMTP_DELIVERED, ""};
}
