// Centring arithmetic, dial-string composition and the sockets version decision.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/Centre.h"
#include "platform/SocketVersion.h"
#include "wizard/DialString.h"

namespace {

struct CentreCase {
    const char *name;
    CentreRect desktop, window;
    long x, y;
};

const CentreCase kCentres[] = {
    {"even differences", {0, 0, 800, 600}, {10, 20, 410, 320}, 200, 150},
    {"odd differences round toward zero", {0, 0, 801, 601}, {0, 0, 400, 300}, 200, 150},
    {"larger than the desktop", {0, 0, 640, 480}, {5, 5, 1005, 705}, 0, 0},
    {"desktop origin not added", {100, 50, 900, 650}, {0, 0, 400, 300}, 200, 150},
    {"one pixel wider gives zero, not minus one", {0, 0, 100, 100}, {0, 0, 101, 101}, 0, 0},
};

TEST(Centre, Table)
{
    for (const CentreCase &c : kCentres) {
        long x = -1, y = -1;
        CentredOrigin(c.desktop, c.window, &x, &y);
        EXPECT_EQ(c.x, x) << c.name;
        EXPECT_EQ(c.y, y) << c.name;
    }
}

struct DialCase {
    const char *name;
    std::string prefix;
    bool dialOne;
    const char *number;
    std::string expected;
};

TEST(DialString, Table)
{
    const std::string n = "800-555-0142";
    const DialCase cases[] = {
        {"prefix 9 with the defaults", "9", true, "800-555-0142", "9,1" + n},
        {"no prefix, no 1", "", false, "800-555-0142", n},
        {"no prefix, 1", "", true, "800-555-0142", "1" + n},
        {"prefix, no 1", "9", false, "800-555-0142", "9," + n},
        // 49 characters in all: the prefix gets 49 - 13 - 1 = 35.
        {"long prefix cut from its end", std::string(255, '7'), true, "800-555-0142",
         std::string(35, '7') + ",1" + n},
        {"prefix exactly fitting", std::string(35, '7'), true, "800-555-0142",
         std::string(35, '7') + ",1" + n},
        {"number leaves no room for a prefix", "9", true,
         "12345678901234567890123456789012345678901234567",
         "112345678901234567890123456789012345678901234567"},
        {"number longer than the field is cut", "9", true,
         "123456789012345678901234567890123456789012345678901234567890",
         "1123456789012345678901234567890123456789012345678"},
    };
    for (const DialCase &c : cases) {
        char dial[50];
        memset(dial, 'z', sizeof dial);
        ComposeDialString(dial, sizeof dial, c.prefix.c_str(), c.dialOne, c.number);
        EXPECT_EQ(c.expected, dial) << c.name;
        EXPECT_LE(strlen(dial), 49u) << c.name;
    }
}

TEST(SocketVersion, OnlyExactlyOneOneIsAccepted)
{
    struct Row {
        unsigned short granted;
        bool accepted;
    };
    const Row rows[] = {
        {0x0101, true}, {0x0001, false}, {0x0201, false}, {0x0202, false},
        {0x0100, false}, {0x0000, false}, {0x0102, false},
    };
    for (const Row &r : rows)
        EXPECT_EQ(r.accepted, SocketVersionAccepted(r.granted)) << std::hex << r.granted;
}

}  // namespace
