// What a mail reader makes of a quoted-printable body: soft breaks joined,
// =XX turned back into its byte. Strict: lower-case or missing hex digits and
// a bare CR or LF fail the decoding.
#pragma once
#include <string>

inline int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// False when the text is not strictly quoted-printable.
inline bool DecodeQuotedPrintable(const std::string &text, std::string &decoded)
{
    decoded.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n')
            return false;  // a hard line break: the body was one line
        if (text[i] != '=') {
            decoded += text[i];
            continue;
        }
        if (text.compare(i + 1, 2, "\r\n") == 0) {
            i += 2;  // a soft break
            continue;
        }
        const int high = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
        if (high < 0 || low < 0)
            return false;
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}
