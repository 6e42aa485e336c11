// Composing the dial string so that it never overruns its field.
#include "DialString.h"

#include <cstring>

namespace {

// Appends up to length characters of text after the used ones, never past room.
size_t Put(char *dest, size_t used, size_t room, const char *text, size_t length)
{
    const size_t n = length < room - used ? length : room - used;
    memcpy(dest + used, text, n);
    return used + n;
}

}  // namespace

void ComposeDialString(char *dest, size_t width, const char *prefix, bool dialOne,
                       const char *modemNumber)
{
    if (width == 0)
        return;
    const size_t room = width - 1;
    const size_t numberLength = strlen(modemNumber);
    const size_t tailLength = (dialOne ? 1 : 0) + numberLength;

    size_t used = 0;
    if (prefix[0] != '\0' && tailLength + 1 < room) {
        const size_t prefixRoom = room - tailLength - 1;  // one place for the comma
        used = Put(dest, used, prefixRoom, prefix, strlen(prefix));
        used = Put(dest, used, room, ",", 1);
    }
    if (dialOne)
        used = Put(dest, used, room, "1", 1);
    used = Put(dest, used, room, modemNumber, numberLength);
    dest[used] = '\0';
}
