// The export's argument checks, through the real GlimReg.dll.
#include <gtest/gtest.h>

#include "tests/driver/Fixture.h"

namespace {

TEST(Entry, OwnerThatIsNotAWindowIsRejected)
{
    CardFolder folder;
    int outcome = 77;
    HostUserRecord user = MakeUser("Ann B Smith", "", "");
    EXPECT_EQ(-1, folder.Register(reinterpret_cast<HWND>(0x1234), &outcome, &user));
    EXPECT_EQ(77, outcome);
    EXPECT_FALSE(folder.HasSettingsFile());
}

TEST(Entry, UnwritableOutcomeIsRejected)
{
    CardFolder folder;
    HostUserRecord user = MakeUser("Ann B Smith", "", "");
    static const int readOnly = 5;
    EXPECT_EQ(-1, folder.Register(nullptr, const_cast<int *>(&readOnly), &user));
    EXPECT_EQ(-1, folder.Register(nullptr, nullptr, &user));
    EXPECT_FALSE(folder.HasSettingsFile());
}

}  // namespace
