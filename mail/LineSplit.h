// Received text cut into lines: complete lines queued, the unfinished rest kept.
#pragma once
#include <cstddef>

#include "../platform/CString.h"

enum {
    PARTIAL_LINE_LIMIT = 4096,  // bytes of an unfinished line kept at most
};

// Walks the n received bytes up to the first NUL. Each piece ending in a line
// feed completes a line (the kept partial text, then the piece, line feed
// included) appended to lines; the rest is appended to partial. False when
// partial would grow beyond limit: partial is then emptied and the rest of
// the chunk dropped, as the line can never be delivered.
bool SplitReceivedText(const char *bytes, size_t n, CStringList &lines, CString &partial,
                       size_t limit = PARTIAL_LINE_LIMIT);
