// A timeline of the mail session, for finding where its time goes. It is
// written only when GLIMREG_TRACE names a file; otherwise each trace point
// costs one test of a flag and changes nothing.
#pragma once
#include "FormatText.h"

bool TraceOn();
// One line, stamped with the microseconds since the first line of the process.
void TraceLine(const char *format, ...) FORMAT_TEXT_CHECK(1, 2);
// Closes the file, for a host that frees the library.
void TraceClose();

#define GLIMREG_TRACE(...)          \
    do {                            \
        if (TraceOn())              \
            TraceLine(__VA_ARGS__); \
    } while (0)
