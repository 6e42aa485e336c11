// Quoted-printable encoding of the mail body.
#include "QuotedPrintable.h"

#include <cstring>

#include "../platform/FormatText.h"

namespace {

const char kHex[] = "0123456789ABCDEF";
const char kFrom[] = "From ";

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t'; }

// Whether the byte may stand as itself inside a line.
bool IsLiteral(unsigned char c) { return IsBlank(c) || (c >= 33 && c <= 126 && c != '='); }

class Encoder {
public:
    explicit Encoder(const CString &body)
        : m_bytes(reinterpret_cast<const unsigned char *>(body.GetString())), m_n(body.GetLength())
    {
    }

    CString Run()
    {
        CString out;
        int column = 0;
        for (int i = 0; i < m_n; ++i) {
            int width = Width(i, column);
            if (column + width > Room(i)) {
                out += "=\r\n";
                column = 0;
                width = Width(i, column);
            }
            if (width == 1) {
                out += static_cast<char>(m_bytes[i]);
            } else {
                out += '=';
                out += kHex[m_bytes[i] >> 4];
                out += kHex[m_bytes[i] & 15];
            }
            column += width;
        }
        return out;
    }

private:
    // Where the line may reach after byte i: a soft break after it needs its "=".
    int Room(int i) const { return i == m_n - 1 ? ENCODED_LINE_WIDTH : ENCODED_LINE_WIDTH - 1; }

    // 1 when byte i goes as itself at this column, 3 when it goes as =XX.
    int Width(int i, int column) const
    {
        const unsigned char c = m_bytes[i];
        if (!IsLiteral(c))
            return 3;
        if (column == 0 && (c == '.' || StartsFrom(i)))
            return 3;
        if (!IsBlank(c))
            return 1;
        if (i == m_n - 1)
            return 3;  // a blank never ends a line
        // A literal blank needs the next byte on its line; another blank
        // there may take its three characters.
        const unsigned char next = m_bytes[i + 1];
        const int nextWidth = IsLiteral(next) && !IsBlank(next) ? 1 : 3;
        return column + 1 + nextWidth <= Room(i + 1) ? 1 : 3;
    }

    bool StartsFrom(int i) const
    {
        const int n = static_cast<int>(sizeof kFrom - 1);
        return m_n - i >= n && memcmp(m_bytes + i, kFrom, n) == 0;
    }

    const unsigned char *m_bytes;
    int m_n;
};

}  // namespace

bool NeedsQuotedPrintable(const CString &body) { return body.GetLength() > MAIL_LINE_LIMIT; }

CString QuotedPrintableHeader(const CString &body, unsigned codePage)
{
    bool ascii = true;
    for (int i = 0; i < body.GetLength() && ascii; ++i)
        ascii = static_cast<unsigned char>(body.GetString()[i]) < 0x80;
    char charset[32] = "us-ascii";
    if (!ascii)
        FormatText(charset, sizeof charset, "windows-%u", codePage);
    return CString("MIME-Version: 1.0\r\n") + "Content-Type: text/plain; charset=" + charset +
           "\r\nContent-Transfer-Encoding: quoted-printable\r\n";
}

CString EncodeQuotedPrintable(const CString &body) { return Encoder(body).Run(); }
