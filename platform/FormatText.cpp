// Bounded formatting over the C runtime's formatter.
#include "FormatText.h"

#include <cstdio>

int FormatText(char *dest, size_t width, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const int n = FormatTextV(dest, width, format, args);
    va_end(args);
    return n;
}

int FormatTextV(char *dest, size_t width, const char *format, va_list args)
{
    if (width == 0)
        return 0;
    const size_t room = width - 1;
#ifdef _WIN32
    // msvcrt's formatter leaves the text unterminated when it fills the room
    // and returns -1 when it had to cut it: either way the room is full.
    const int n = _vsnprintf(dest, room, format, args);
    dest[room] = '\0';
    if (n < 0 || static_cast<size_t>(n) > room)
        return static_cast<int>(room);
    return n;
#else
    const int n = vsnprintf(dest, width, format, args);
    if (n < 0) {
        dest[0] = '\0';
        return -1;
    }
    return static_cast<size_t>(n) > room ? static_cast<int>(room) : n;
#endif
}
