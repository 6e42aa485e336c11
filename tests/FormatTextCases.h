// The bounded formatter's cases, run by the native tests and under Wine: the
// C library and msvcrt.dll differ just where a text fills or overflows its room.
#pragma once
#include <gtest/gtest.h>

#include <cstring>

#include "platform/FormatText.h"

inline void CheckFormatTextCases()
{
    struct Row {
        size_t width;
        const char *text;
        const char *expected;
    };
    const Row texts[] = {
        {8, "abc", "abc"},
        {4, "abc", "abc"},  // fills the room: the terminator is still written
        {3, "abc", "ab"},
        {2, "abc", "a"},
        {1, "abc", ""},
        {8, "", ""},
    };
    for (const Row &row : texts) {
        char dest[16];
        memset(dest, 'z', sizeof dest);
        const int n = FormatText(dest, row.width, "%s", row.text);
        EXPECT_STREQ(row.expected, dest) << row.text << " in " << row.width;
        EXPECT_EQ(static_cast<int>(strlen(row.expected)), n) << row.text << " in " << row.width;
        EXPECT_EQ('z', dest[row.width]) << row.text << " in " << row.width << ": nothing past the width";
    }

    char untouched[2] = "z";
    EXPECT_EQ(0, FormatText(untouched, 0, "%s", "abc"));
    EXPECT_STREQ("z", untouched);

    // The sum of the two memory sizes, as the probe writes it.
    struct Number {
        long long value;
        const char *expected;
    };
    const Number numbers[] = {
        {0, "0 KB"},
        {4294967294LL, "4294967294 KB"},
        {-4294967296LL, "-4294967296 KB"},
    };
    for (const Number &row : numbers) {
        char dest[20];
        FormatText(dest, sizeof dest, FORMAT_INT64 " KB", row.value);
        EXPECT_STREQ(row.expected, dest);
    }

    char error[40];
    EXPECT_EQ(26, FormatText(error, sizeof error, "Error: %d -- %s %d", 10061, "Socket", 564));
    EXPECT_STREQ("Error: 10061 -- Socket 564", error);
}
