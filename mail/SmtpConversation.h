// The registration mail's SMTP conversation, over any line channel.
#pragma once
#include "../platform/CString.h"

// Where the conversation sends its commands and reads its replies; an empty
// reply stands for a closed, failed or silent connection.
class SmtpChannel {
public:
    virtual ~SmtpChannel() = default;
    virtual void SendText(const CString &text) = 0;
    virtual CString ReadLine() = 0;
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
    CString argument;  // what the failure text names: the site or the sender
};

// The HELO argument: everything after the first at sign, or empty.
CString HeloArgument(const CString &email);

// Greets, names sender and recipient, sends the header and body, and quits.
SmtpResult RunSmtpConversation(SmtpChannel &channel, const CString &email,
                               const CString &mailbox, const CString &body);
