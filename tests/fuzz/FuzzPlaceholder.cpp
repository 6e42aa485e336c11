// Fuzz target: placeholder substitution and the paths' one-pass expansion
// with any text, value and capacity.
#include <cstdint>
#include <cstring>
#include <string>

#include "common/Placeholder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int digit = data[0] % 10;
    const size_t capacity = data[1];  // 0 to 255 characters
    std::string rest(reinterpret_cast<const char *>(data + 2), size - 2);
    const size_t cut = rest.find('\x01');
    std::string text = rest.substr(0, cut);
    std::string value = cut == std::string::npos ? "" : rest.substr(cut + 1);
    text.resize(strlen(text.c_str()));  // up to the first NUL, as a C string
    value.resize(strlen(value.c_str()));
    if (text.size() > 300)
        text.resize(300);

    // The buffer has exactly capacity + 1 bytes: ASan sees any overrun.
    const size_t room = (text.size() > capacity ? text.size() : capacity) + 1;
    char *buffer = new char[room];
    memcpy(buffer, text.c_str(), text.size() + 1);
    const int r = SubstitutePlaceholder(digit, buffer, value.c_str(), capacity);
    if (r == 1 && strlen(buffer) > capacity && text.size() <= capacity)
        __builtin_trap();

    // The one-pass expansion of the paths, with the value for "%1" and "%2".
    memcpy(buffer, text.c_str(), text.size() + 1);
    const char *const values[] = {value.c_str(), "2"};
    const int e = ExpandPlaceholders(buffer, capacity, values, 2);
    if (e == 1 && strlen(buffer) > capacity && text.size() <= capacity)
        __builtin_trap();
    if (e == 0 && text != buffer)
        __builtin_trap();
    delete[] buffer;
    return 0;
}
