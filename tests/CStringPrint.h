// Shows a CString in a failed expectation as the quoted, escaped text it holds.
#pragma once
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/CString.h"

inline std::string ToStd(const CString &text) { return std::string(text.GetString(), text.GetLength()); }

inline void PrintTo(const CString &text, std::ostream *out)
{
    *out << ::testing::PrintToString(ToStd(text));
}
