// In-place substitution of "%n" placeholders in string-table texts.
#pragma once
#include <cstddef>

// Replaces every "%" followed by the digit n in text (which has room for
// capacity characters plus the terminator) by value. Returns 1 when done,
// 0 when the text was already longer than capacity (nothing changed) or a
// replacement did not fit (the replacements made so far stay).
int SubstitutePlaceholder(int n, char *text, const char *value, size_t capacity);

// Replaces, in one pass over text, each "%" followed by a digit d from 1 to
// count by values[d - 1]; what was inserted is never scanned again, so a
// folder named with a "%1" or "%2" stays as it is. Returns 1 when done, 0 when
// the result would be longer than capacity characters (text unchanged).
int ExpandPlaceholders(char *text, size_t capacity, const char *const *values, int count);
