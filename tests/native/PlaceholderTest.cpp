// Placeholder substitution: growth, shrinking, capacity and re-expansion.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "wizard/Placeholder.h"

namespace {

struct Case {
    const char *name;
    const char *text;
    const char *value;
    size_t capacity;
    int result;
    const char *expected;
};

const Case kCases[] = {
    {"empty value", "a%1b", "", 255, 1, "ab"},
    {"one character", "a%1b", "x", 255, 1, "axb"},
    {"two characters", "a%1b", "xy", 255, 1, "axyb"},
    {"three characters", "a%1b", "xyz", 255, 1, "axyzb"},
    {"two placeholders", "%1 and %1", "v", 255, 1, "v and v"},
    {"placeholder followed by a digit", "a%12", "x", 255, 1, "ax2"},
    {"other digit left alone", "a%2b", "x", 255, 1, "a%2b"},
    {"no placeholder", "plain", "x", 255, 1, "plain"},
    {"empty text", "", "x", 255, 1, ""},
    {"value holding its placeholder at the start", "a%1b", "%1", 255, 1, "a%1b"},
    {"exactly at capacity", "a%1b", "xyz", 5, 1, "axyzb"},
    {"one over capacity", "a%1b", "xyzw", 5, 0, "a%1b"},
    {"text already too long", "abcdef", "x", 5, 0, "abcdef"},
    {"second replacement does not fit", "%1-%1", "abc", 6, 0, "abc-%1"},
    {"trailing percent", "a%", "x", 255, 1, "a%"},
};

TEST(Placeholder, Table)
{
    for (const Case &c : kCases) {
        char text[300];
        strcpy(text, c.text);
        EXPECT_EQ(c.result, SubstitutePlaceholder(1, text, c.value, c.capacity)) << c.name;
        EXPECT_STREQ(c.expected, text) << c.name;
    }
}

TEST(Placeholder, ValueHoldingPlaceholderExpandsUntilCapacityStops)
{
    // A "%1" inside the value, not at its start, is expanded again.
    char text[64] = "[%1]";
    EXPECT_EQ(0, SubstitutePlaceholder(1, text, "x%1", 20));
    EXPECT_LE(strlen(text), 20u);
    EXPECT_EQ(0, strncmp(text, "[xxx", 4));
}

TEST(Placeholder, PathTemplate)
{
    char path[260] = "%1GlimRg%2.ini";
    ASSERT_EQ(1, SubstitutePlaceholder(1, path, "C:\\Apps\\Lib\\", 259));
    ASSERT_EQ(1, SubstitutePlaceholder(2, path, "2", 259));
    EXPECT_STREQ("C:\\Apps\\Lib\\GlimRg2.ini", path);
}

}  // namespace
