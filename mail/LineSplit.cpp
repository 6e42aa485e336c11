// Cutting received text into lines.
#include "LineSplit.h"

#include <cstring>

bool SplitReceivedText(const char *bytes, size_t n, std::deque<std::string> &lines,
                       std::string &partial, size_t limit)
{
    // A NUL inside the data ends it.
    const void *nul = memchr(bytes, '\0', n);
    const size_t end = nul ? static_cast<size_t>(static_cast<const char *>(nul) - bytes) : n;

    size_t start = 0;
    while (start < end) {
        const void *lf = memchr(bytes + start, '\n', end - start);
        if (!lf) {
            if (partial.size() + (end - start) > limit) {
                partial.clear();
                return false;
            }
            partial.append(bytes + start, end - start);
            break;
        }
        const size_t stop = static_cast<size_t>(static_cast<const char *>(lf) - bytes) + 1;
        std::string line;
        line.swap(partial);
        line.append(bytes + start, stop - start);
        lines.push_back(std::move(line));
        start = stop;
    }
    return true;
}
