// The bounded formatter over msvcrt.dll's.
#include "tests/FormatTextCases.h"

TEST(FormatText, CutsAtTheWidthAndAlwaysTerminates) { CheckFormatTextCases(); }
