// The registration mail's SMTP conversation, over any line channel.
#pragma once
#include <string>

// Where the conversation sends its commands and reads its replies; an empty
// reply stands for a closed, failed or silent connection.
class SmtpChannel {
public:
    virtual ~SmtpChannel() = default;
    virtual void SendText(const std::string &text) = 0;
    virtual std::string ReadLine() = 0;
};

enum SmtpOutcome {
    SMTP_DELIVERED,          // the server took the mail
    SMTP_SITE_REFUSED,       // HELO refused
    SMTP_SENDER_REFUSED,     // MAIL FROM refused
    SMTP_RECIPIENT_REFUSED,  // RCPT TO refused
    SMTP_NOT_ACCEPTED,       // DATA or the end of data refused
};

struct SmtpResult {
    SmtpOutcome outcome;
    std::string argument;  // what the failure text names: the site or the sender
};

// The HELO argument: everything after the first at sign, or empty.
std::string HeloArgument(const std::string &email);

// Greets, names sender and recipient, sends the header and body, and quits.
SmtpResult RunSmtpConversation(SmtpChannel &channel, const std::string &email,
                               const std::string &mailbox, const std::string &body);
