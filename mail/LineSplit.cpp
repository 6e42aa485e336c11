// Cutting received text into lines.
#include "LineSplit.h"

#include <cstring>
#include <utility>

bool SplitReceivedText(const char *bytes, size_t n, CStringList &lines, CString &partial,
                       size_t limit)
{
    // A NUL inside the data ends it.
    const void *nul = memchr(bytes, '\0', n);
    const size_t end = nul ? static_cast<size_t>(static_cast<const char *>(nul) - bytes) : n;

    size_t start = 0;
    while (start < end) {
        const void *lf = memchr(bytes + start, '\n', end - start);
        if (!lf) {
            if (static_cast<size_t>(partial.GetLength()) + (end - start) > limit) {
                partial.Empty();
                return false;
            }
            partial.Append(bytes + start, static_cast<int>(end - start));
            break;
        }
        const size_t stop = static_cast<size_t>(static_cast<const char *>(lf) - bytes) + 1;
        CString line(std::move(partial));
        partial.Empty();
        line.Append(bytes + start, static_cast<int>(stop - start));
        lines.AddTail(std::move(line));
        start = stop;
    }
    return true;
}
