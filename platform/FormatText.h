// Bounded formatting through the C runtime's own formatter: on Windows the
// system's msvcrt.dll, so the library carries no formatter of its own.
#pragma once
#include <cstdarg>
#include <cstddef>

// The compiler checks each format against the formatter that runs it.
#ifdef _WIN32
#define FORMAT_TEXT_CHECK(string, first) __attribute__((__format__(ms_printf, string, first)))
// A 64-bit number as msvcrt.dll writes it; older ones do not know "%lld".
#define FORMAT_INT64 "%I64d"
#else
#define FORMAT_TEXT_CHECK(string, first) __attribute__((__format__(printf, string, first)))
#define FORMAT_INT64 "%lld"
#endif

// Formats into dest of width characters, terminator included, cutting the
// text at the end of dest; the text is always terminated. Returns the
// characters written, or -1 when the format could not be applied.
int FormatText(char *dest, size_t width, const char *format, ...) FORMAT_TEXT_CHECK(3, 4);
int FormatTextV(char *dest, size_t width, const char *format, va_list args) FORMAT_TEXT_CHECK(3, 0);
