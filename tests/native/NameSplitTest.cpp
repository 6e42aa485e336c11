// The host's user name split into first name, initial and last name, and the
// host fields taken safely.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "wizard/NameSplit.h"

namespace {

struct SplitCase {
    const char *name;
    const char *first;
    const char *initial;
    const char *last;
};

const SplitCase kSplits[] = {
    {"Ann Smith", "Ann", "", "Smith"},
    {"Ann B Smith", "Ann", "B", "Smith"},
    {"Mary Ann Smith", "Mary Ann", "", "Smith"},
    {"Ann B. Smith", "Ann B.", "", "Smith"},
    {"Smith", "Smith", "", ""},
    {"A B C D", "A", "B", "C D"},
    {"Ann B", "Ann", "", "B"},
    {"Ann  Smith", "Ann ", "", "Smith"},
    {"", "", "", ""},
    {" Ann", "", "", "Ann"},
    {"Ann ", "Ann", "", ""},
    {"Mary Ann B Smith", "Mary Ann", "", "B Smith"},
};

TEST(NameSplit, Examples)
{
    for (const SplitCase &c : kSplits) {
        char first[50], initial[2], last[50];
        memset(first, 'q', sizeof first);
        SplitUserName(c.name, first, sizeof first, initial, sizeof initial, last, sizeof last);
        EXPECT_STREQ(c.first, first) << '"' << c.name << '"';
        EXPECT_STREQ(c.initial, initial) << '"' << c.name << '"';
        EXPECT_STREQ(c.last, last) << '"' << c.name << '"';
    }
}

TEST(NameSplit, LongPartsAreCutToTheirFields)
{
    const std::string longFirst(60, 'f'), longLast(60, 'l');
    const std::string one = longFirst + " " + longLast;  // one blank: first and last
    char first[50], initial[2], last[50];
    SplitUserName(one.c_str(), first, sizeof first, initial, sizeof initial, last, sizeof last);
    EXPECT_EQ(std::string(49, 'f'), first);
    EXPECT_EQ(std::string(49, 'l'), last);
    EXPECT_STREQ("", initial);
}

TEST(HostField, ReadsAtMost63CharactersWithoutTerminator)
{
    char host[64];
    memset(host, 'x', sizeof host);  // the host forgot the terminator
    char wide[100];
    TakeHostField(wide, sizeof wide, host, sizeof host);
    EXPECT_EQ(std::string(63, 'x'), wide);
    char narrow[50];
    TakeHostField(narrow, sizeof narrow, host, sizeof host);
    EXPECT_EQ(std::string(49, 'x'), narrow);
}

TEST(HostField, ControlCharactersBecomeBlanks)
{
    char host[64] = "Acme\tGraphics\r\nInc;,:";
    char out[100];
    TakeHostField(out, sizeof out, host, sizeof host);
    EXPECT_STREQ("Acme Graphics  Inc;,:", out);
}

}  // namespace
