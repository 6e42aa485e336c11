// Comparing what the card produced with a text written out in the test, byte
// for byte, with a failure a reader can follow: a record is one long line of
// TAB-terminated fields, so both texts are shown piece by piece (cut after
// each TAB and line feed, control characters spelled out) from the first
// piece that differs.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

inline std::vector<std::string> GoldenPieces(const std::string &text)
{
    std::vector<std::string> pieces(1);
    for (char c : text) {
        pieces.back() += c;
        if (c == '\t' || c == '\n')
            pieces.emplace_back();
    }
    if (pieces.back().empty())
        pieces.pop_back();
    return pieces;
}

inline std::string Spelled(const std::string &piece)
{
    std::string out = "\"";
    for (unsigned char c : piece) {
        if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '"' || c == '\\')
            out += std::string("\\") + static_cast<char>(c);
        else if (c < 0x20 || c >= 0x7F) {
            char hex[8];
            snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else
            out += static_cast<char>(c);
    }
    return out + "\"";
}

// Use as EXPECT_TRUE(MatchesGolden(golden, produced)).
inline ::testing::AssertionResult MatchesGolden(const std::string &golden,
                                               const std::string &produced)
{
    if (golden == produced)
        return ::testing::AssertionSuccess();
    const std::vector<std::string> want = GoldenPieces(golden), got = GoldenPieces(produced);
    size_t first = 0;
    while (first < want.size() && first < got.size() && want[first] == got[first])
        ++first;
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "the text differs from its golden (" << golden.size() << " bytes written out, "
            << produced.size() << " produced), from piece " << first + 1 << " on:\n";
    const size_t shown = 8;
    for (size_t i = first; i < first + shown && (i < want.size() || i < got.size()); ++i) {
        const std::string w = i < want.size() ? Spelled(want[i]) : "(none)";
        const std::string g = i < got.size() ? Spelled(got[i]) : "(none)";
        failure << "  piece " << i + 1 << (w == g ? "   same: " : " golden: ") << w << "\n";
        if (w != g)
            failure << "  piece " << i + 1 << "  found: " << g << "\n";
    }
    return failure;
}
