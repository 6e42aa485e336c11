// In-place substitution of "%n" placeholders in string-table texts.
#pragma once
#include <cstddef>

// Replaces every "%" followed by the digit n in text (which has room for
// capacity characters plus the terminator) by value. Returns 1 when done,
// 0 when the text was already longer than capacity (nothing changed) or a
// replacement did not fit (the replacements made so far stay).
int SubstitutePlaceholder(int n, char *text, const char *value, size_t capacity);
