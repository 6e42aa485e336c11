// A card longer than a mail line may be, made fit for the wire: quoted-printable.
#pragma once
#include "../platform/CString.h"

enum {
    MAIL_LINE_LIMIT = 998,    // characters of a mail line, its CR LF not counted
    ENCODED_LINE_WIDTH = 76,  // characters of an encoded line, a soft break's "=" included
};

// Whether the body is too long to go as one mail line.
bool NeedsQuotedPrintable(const CString &body);

// The header lines that announce the encoded body, each ending in CR LF: the
// charset is us-ascii, or windows-<codePage> when a byte is 0x80 or above.
CString QuotedPrintableHeader(const CString &body, unsigned codePage);

// The body in quoted-printable: its lines joined by soft breaks ("=" CR LF),
// without a line end after the last. No line begins with "." or "From ", as
// the mail is sent without dot-stuffing and mailbox files mark "From ".
CString EncodeQuotedPrintable(const CString &body);
