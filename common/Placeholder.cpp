// Placeholder substitution for paths, dialog texts and reports.
#include "Placeholder.h"

#include <cstring>

#include "../platform/CString.h"

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

namespace {

// The value of the placeholder starting at at, or null when none starts there.
const char *ValueAt(const char *at, const char *const *values, int count)
{
    if (at[0] != '%' || at[1] < '1' || at[1] > '9')
        return nullptr;
    const int digit = at[1] - '0';
    return digit <= count ? values[digit - 1] : nullptr;
}

}  // namespace

int ExpandPlaceholders(char *text, size_t capacity, const char *const *values, int count)
{
    // Read from a copy, so the result is written over the text it comes from.
    const CString source(text);
    const char *s = source.GetString();

    // Measured first: a result that does not fit leaves the text as it was.
    size_t length = 0;
    for (const char *at = s; *at;) {
        const char *value = ValueAt(at, values, count);
        length += value ? strlen(value) : 1;
        at += value ? 2 : 1;
    }
    if (length > capacity)
        return 0;

    char *out = text;
    for (const char *at = s; *at;) {
        if (const char *value = ValueAt(at, values, count)) {
            const size_t n = strlen(value);
            memcpy(out, value, n);
            out += n;
            at += 2;
        } else {
            *out++ = *at++;
        }
    }
    *out = '\0';
    return 1;
}
