// The registration mail's SMTP conversation, over any line channel.
#pragma once
#include "../platform/CString.h"

// Where the conversation sends its commands and reads its replies.
class SmtpChannel {
public:
    virtual ~SmtpChannel() = default;
    virtual void SendText(const CString &text) = 0;
    // The next reply line, waiting at most waitMs; "" when the connection
    // closed, failed or stayed silent that long.
    virtual CString ReadLine(unsigned long waitMs) = 0;
    // A millisecond clock, for the deadline of a whole reply.
    virtual unsigned long Milliseconds() = 0;
};

enum {
    SMTP_REPLY_DEADLINE_MS = 60000,  // one whole reply, all its lines together
    SMTP_REPLY_LINES = 100,          // lines of one reply at most
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

// One whole reply: lines are read until one whose fourth character is not
// "-"; that last line, or "" when the reply did not end within the deadline
// and the line bound.
CString ReadReply(SmtpChannel &channel);

// Greets, names sender and recipient, sends the header and body, and quits.
// A body longer than a mail line may be goes quoted-printable, its charset
// named after codePage when it holds bytes beyond ASCII.
SmtpResult RunSmtpConversation(SmtpChannel &channel, const CString &email,
                               const CString &mailbox, const CString &body,
                               unsigned codePage);
