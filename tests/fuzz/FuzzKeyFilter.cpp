// Fuzz target: the keystroke decision and the word-start rule on any text.
#include <cstdint>
#include <string>

#include "pages/KeyFilter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    const std::string text(reinterpret_cast<const char *>(data + 3), size - 3);
    const size_t caret = data[1] % (text.size() + 1);
    const bool start = IsWordStart(text.data(), text.size(), caret);
    DecideKey(static_cast<FilterClass>(data[0] % (static_cast<int>(FilterClass::PhoneNumber) + 1)), data[2], start);
    return 0;
}
