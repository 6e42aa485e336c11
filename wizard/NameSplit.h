// The host's user name split into first name, initial and last name.
#pragma once
#include <cstddef>

// Splits name (terminated) into first, initial and last, each cut to its width.
void SplitUserName(const char *name, char *first, size_t firstWidth, char *initial,
                   size_t initialWidth, char *last, size_t lastWidth);

// Copies a host field of hostWidth bytes that may lack its terminator: at most
// hostWidth - 1 characters, TAB, CR and LF turned into blanks, cut to width.
void TakeHostField(char *dest, size_t width, const char *host, size_t hostWidth);
