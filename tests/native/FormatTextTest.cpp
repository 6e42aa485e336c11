// The bounded formatter over the C library's.
#include "tests/FormatTextCases.h"

TEST(FormatText, CutsAtTheWidthAndAlwaysTerminates) { CheckFormatTextCases(); }
