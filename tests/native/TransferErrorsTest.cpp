// The transfer error table: each code's message, and the generic one for the rest.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "output/TransferErrors.h"

namespace {

TEST(TransferErrors, EachCodeHasItsMessage)
{
    struct Row {
        int code;
        const char *text;
    };
    const Row rows[] = {
        {101, "File I/O error."},
        {102, "Generic error."},
        {103, "Cannot find COM ports."},
        {104, "Cannot find a modem."},
        {105, "Memory allocation error."},
        {106, "Can't connect to server."},
        {107, "Can't log on to server."},
        {108, "Can't transmit to server."},
        {109, "Can't hang up the phone."},
        {110, "User Abort."},
        {100, "Generic error."},
        {111, "Generic error."},
        {1, "Generic error."},
        {-5, "Generic error."},
        {-110, "Generic error."},
        {INT_MAX, "Generic error."},
        {INT_MIN, "Generic error."},
    };
    for (const Row &row : rows)
        EXPECT_STREQ(row.text, TransferErrorText(row.code)) << "code " << row.code;
}

}  // namespace
