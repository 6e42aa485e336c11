// Received mail: one RFC 5322 message, quoted-printable bodies, mbox files.
#pragma once
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

// What a card's mail carries besides its body.
struct MailCard {
    std::string line;        // the body: the card's one line, decoded, line end removed
    std::string messageId;   // empty when the message has none
    std::string receivedAt;  // "YYYY-MM-DD HH:MM:SS" UTC, empty when no date could be read
    std::string charset;     // lower case; empty when the message names none
};

// True when text opens like a message header ("Name: value").
bool LooksLikeHeader(std::string_view text);

// Reads one message. Returns an empty text on success, else why it is not a card's mail.
std::string ReadMail(std::string_view message, MailCard *mail);

// Decodes a quoted-printable text: soft breaks removed, =XX decoded; a line's
// trailing blanks (added in transport) dropped; a stray "=" kept as it is.
std::string DecodeQuotedPrintable(std::string_view text);

// The messages of an mbox file (each without its "From " line, ">From "
// unquoted), in order.
std::vector<std::string> SplitMbox(std::string_view mbox);

// An RFC 5322 date as "YYYY-MM-DD HH:MM:SS" UTC; empty when it cannot be read.
std::string ParseMailDate(std::string_view date);

// A moment as "YYYY-MM-DD HH:MM:SS" UTC, the one form every date is stored in.
std::string FormatUtc(time_t when);
