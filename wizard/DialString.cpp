// Composing the dial string so that it never overruns its field.
#include "DialString.h"

#include <string>

#include "Record.h"

void ComposeDialString(char *dest, size_t width, const char *prefix, bool dialOne,
                       const char *modemNumber)
{
    std::string tail = dialOne ? "1" : "";
    tail += modemNumber;

    std::string text;
    const size_t room = width > 0 ? width - 1 : 0;
    if (prefix[0] != '\0' && tail.size() + 1 < room) {
        std::string cut(prefix);
        const size_t prefixRoom = room - tail.size() - 1;  // one place for the comma
        if (cut.size() > prefixRoom)
            cut.resize(prefixRoom);
        text = cut + ",";
    }
    text += tail;
    CopyField(dest, width, text.c_str());
}
