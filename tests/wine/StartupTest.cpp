// Module start-up through the real GlimReg.dll: Windows Sockets started by the
// load and ended by the unload, however often a host does both.
#include <gtest/gtest.h>

#include <winsock.h>

#include "platform/SocketInit.h"
#include "tests/driver/Fixture.h"

namespace {

// Whether this process has Windows Sockets started: a socket can be made.
bool SocketsStarted()
{
    const SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET)
        return WSAGetLastError() != WSANOTINITIALISED;
    closesocket(s);
    return true;
}

TEST(Startup, LoadStartsSocketsAndUnloadEndsThem)
{
    if (SocketsStarted())
        GTEST_SKIP() << "this process started Windows Sockets itself";
    CardFolder folder;
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        ASSERT_NE(nullptr, folder.Library());
        EXPECT_TRUE(SocketsStarted());
        folder.Unload();
        EXPECT_FALSE(SocketsStarted());
    }
}

// Two copies of the library start and end their own: the first one freed
// leaves the second one's sockets working.
TEST(Startup, EachLoadedCopyKeepsItsOwnStart)
{
    if (SocketsStarted())
        GTEST_SKIP() << "this process started Windows Sockets itself";
    CardFolder first, second;
    ASSERT_NE(nullptr, first.Library());
    ASSERT_NE(nullptr, second.Library());
    first.Unload();
    EXPECT_TRUE(SocketsStarted());
    second.Unload();
    EXPECT_FALSE(SocketsStarted());
}

// A second start-up within the module succeeds at once, without starting
// Windows Sockets again: one end then leaves nothing started.
TEST(Startup, SecondStartIsAtOnceAndOneEndEndsIt)
{
    if (SocketsStarted())
        GTEST_SKIP() << "this process started Windows Sockets itself";
    EXPECT_TRUE(AfxSocketInit());
    EXPECT_TRUE(AfxSocketInit());
    EXPECT_TRUE(SocketsStarted());
    AfxSocketTerm();
    EXPECT_FALSE(SocketsStarted());
    AfxSocketTerm();  // nothing left to end
    EXPECT_FALSE(SocketsStarted());
}

}  // namespace
