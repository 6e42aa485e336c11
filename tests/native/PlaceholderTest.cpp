// Placeholder substitution: growth, shrinking, capacity and re-expansion.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/Placeholder.h"

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

// The paths' templates: "%1" and "%2" replaced in one pass, what was inserted
// never scanned again.
TEST(Placeholder, PathExpansionTable)
{
    struct Case {
        const char *name;
        const char *text;
        const char *folder;  // the value of "%1"; "%2" stands for "2"
        size_t capacity;
        int result;
        const char *expected;
    };
    const Case kPaths[] = {
        {"settings path", "%1GlimRg%2.ini", "C:\\Apps\\Lib\\", 259, 1,
         "C:\\Apps\\Lib\\GlimRg2.ini"},
        {"folder holding %1", "%1GlimRg%2.ini", "C:\\Apps\\Save 100%1\\", 259, 1,
         "C:\\Apps\\Save 100%1\\GlimRg2.ini"},
        {"folder holding %2", "%1GlimRg%2.ini", "C:\\Apps\\Save %2\\", 259, 1,
         "C:\\Apps\\Save %2\\GlimRg2.ini"},
        {"other digits and a trailing percent left alone", "%3%%1%", "x", 259, 1, "%3%x%"},
        {"empty folder", "%1eregreg.txt", "", 259, 1, "eregreg.txt"},
        {"no placeholder", "eregreg.txt", "C:\\", 259, 1, "eregreg.txt"},
        {"exactly at capacity", "%1%2", "abc", 4, 1, "abc2"},
        {"one over capacity: unchanged", "%1%2", "abcd", 4, 0, "%1%2"},
        {"empty text", "", "x", 0, 1, ""},
    };
    for (const Case &c : kPaths) {
        char text[300];
        strcpy(text, c.text);
        const char *const values[] = {c.folder, "2"};
        EXPECT_EQ(c.result, ExpandPlaceholders(text, c.capacity, values, 2)) << c.name;
        EXPECT_STREQ(c.expected, text) << c.name;
    }
}

}  // namespace
