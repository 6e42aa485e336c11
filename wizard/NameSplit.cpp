// Splitting the host's user name, and taking the host's fields safely.
#include "NameSplit.h"


namespace {

void Append(char *dest, size_t width, size_t &len, char c)
{
    if (len + 1 < width)
        dest[len++] = c;
}

}  // namespace

void SplitUserName(const char *name, char *first, size_t firstWidth, char *initial,
                   size_t initialWidth, char *last, size_t lastWidth)
{
    size_t firstLen = 0;
    first[0] = '\0';
    initial[0] = '\0';
    last[0] = '\0';

    int blanks = 0;
    for (const char *c = name; *c; ++c)
        if (*c == ' ')
            ++blanks;

    bool blankSeen = false;
    const char *s = name;
    while (*s) {
        if (*s != ' ') {
            Append(first, firstWidth, firstLen, *s++);
            continue;
        }
        if (blankSeen || blanks < 2) {
            ++s;
            break;
        }
        if (s[1] != '\0' && s[2] == ' ') {
            // A lone letter between two blanks is the middle initial.
            if (initialWidth > 1) {
                initial[0] = s[1];
                initial[1] = '\0';
            }
            s += 3;
            break;
        }
        blankSeen = true;
        Append(first, firstWidth, firstLen, *s++);
    }
    first[firstLen] = '\0';

    size_t lastLen = 0;
    for (; *s; ++s)
        Append(last, lastWidth, lastLen, *s);
    last[lastLen] = '\0';
}

void TakeHostField(char *dest, size_t width, const char *host, size_t hostWidth)
{
    if (width == 0)
        return;
    size_t len = 0;
    for (size_t i = 0; i + 1 < hostWidth && host[i] && len + 1 < width; ++i) {
        char c = host[i];
        // A TAB would shift every later field of the positional record; a line
        // break would end the mail early.
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
        dest[len++] = c;
    }
    dest[len] = '\0';
}
