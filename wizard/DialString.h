// The number handed to the modem: outside-line prefix, "1" and the vendor's number.
#pragma once
#include <cstddef>

// Composes prefix + "," (when a prefix is given), "1" (when dialOne) and the
// modem number into dest of width characters (terminator included). The number
// and the "1" stay whole; a prefix too long for the field is cut from its end,
// and dropped with its comma when nothing of it fits.
void ComposeDialString(char *dest, size_t width, const char *prefix, bool dialOne,
                       const char *modemNumber);
