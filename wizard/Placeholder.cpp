// Placeholder substitution for paths, dialog texts and reports.
#include "Placeholder.h"

#include <cstring>

int SubstitutePlaceholder(int n, char *text, const char *value, size_t capacity)
{
    size_t len = strlen(text);
    if (len > capacity)
        return 0;
    if (len == 0)
        return 1;

    const char digit = static_cast<char>('0' + n);
    const size_t valueLen = strlen(value);
    size_t i = 1;  // the second character of the pair under test
    while (i < len) {
        if (text[i - 1] == '%' && text[i] == digit) {
            const size_t p = i - 1;
            const size_t newLen = len + valueLen - 2;
            if (newLen > capacity)
                return 0;
            memmove(text + p + valueLen, text + p + 2, len - (p + 2) + 1);
            memcpy(text + p, value, valueLen);
            len = newLen;
            // Scanning resumes with the pair that starts one past the replaced
            // one, so a placeholder inside the value is expanded again.
            i = p + 2;
        } else {
            ++i;
        }
    }
    return 1;
}
