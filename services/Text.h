// Writing a text into a caller's buffer of the given width (the terminator included).
#pragma once
#include <cstring>
#include <string>

inline void WriteText(char *dest, int width, const std::string &text)
{
    if (!dest || width <= 0)
        return;
    const size_t n = text.size() < static_cast<size_t>(width - 1) ? text.size() : width - 1;
    memcpy(dest, text.data(), n);
    dest[n] = '\0';
}
