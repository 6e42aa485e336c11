// The framework's text and queue of texts: searching, cutting, appending and
// comparing, and the queue's order.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/CStringPrint.h"

namespace {

TEST(CString, Find)
{
    struct Row {
        const char *text;
        const char *sought;
        int start;
        int found;
    };
    const Row rows[] = {
        {"ann@harbor", "@", 0, 3},
        {"ann@harbor", "@", 3, 3},
        {"ann@harbor", "@", 4, -1},
        {"a%1b%1", "%1", 0, 1},
        {"a%1b%1", "%1", 2, 4},
        {"a%1b%1", "%1", 5, -1},
        {"a%1b%1", "%1", 60, -1},
        {"a%1b%1", "%1", -3, 1},
        {"abc", "abcd", 0, -1},
        {"abc", "abc", 0, 0},
        {"abc", "", 2, 2},
        {"abc", "", 3, 3},
        {"abc", "", 4, -1},
        {"", "x", 0, -1},
        {"aab", "ab", 0, 1},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.found, CString(row.text).Find(row.sought, row.start))
            << '"' << row.text << "\" \"" << row.sought << "\" from " << row.start;
}

TEST(CString, MidLeftAndDelete)
{
    struct Row {
        const char *text;
        int index;
        int count;
        const char *mid;      // Mid(index)
        const char *left;     // Left(index)
        const char *deleted;  // after Delete(index, count)
    };
    const Row rows[] = {
        {"abcdef", 0, 2, "abcdef", "", "cdef"},
        {"abcdef", 2, 3, "cdef", "ab", "abf"},
        {"abcdef", 5, 9, "f", "abcde", "abcde"},
        {"abcdef", 6, 1, "", "abcdef", "abcdef"},
        {"abcdef", 9, 1, "", "abcdef", "abcdef"},
        {"abcdef", -2, 1, "abcdef", "", "bcdef"},
        {"abcdef", 1, 0, "bcdef", "a", "abcdef"},
        {"abcdef", 1, -4, "bcdef", "a", "abcdef"},
        {"", 0, 1, "", "", ""},
    };
    for (const Row &row : rows) {
        const CString text(row.text);
        EXPECT_EQ(row.mid, text.Mid(row.index)) << row.text << " Mid " << row.index;
        EXPECT_EQ(row.left, text.Left(row.index)) << row.text << " Left " << row.index;
        CString cut(row.text);
        EXPECT_EQ(static_cast<int>(strlen(row.deleted)), cut.Delete(row.index, row.count))
            << row.text << " Delete " << row.index << ", " << row.count;
        EXPECT_EQ(row.deleted, cut) << row.text << " Delete " << row.index << ", " << row.count;
        EXPECT_EQ(strlen(row.deleted), strlen(cut.GetString())) << "the text stays terminated";
    }
}

TEST(CString, AppendingAndJoining)
{
    CString a("HELO ");
    a += "harbor";
    a += '.';
    a += CString("example");
    a += "";
    a += static_cast<const char *>(nullptr);
    EXPECT_EQ("HELO harbor.example", a);
    EXPECT_EQ(19, a.GetLength());

    EXPECT_EQ(CString("MAIL FROM: <ann>\r\n"), "MAIL FROM: <" + CString("ann") + ">" + "\r\n");
    EXPECT_EQ("ab", CString("a") + CString("b"));
    EXPECT_EQ("a\n", CString("a") + '\n');
    EXPECT_EQ("250", CString("250 OK", 3));

    // Text from the string itself, through a growth of its buffer.
    CString twice("0123456789abcdef");
    twice += twice;
    twice += twice.GetString() + 30;
    EXPECT_EQ("0123456789abcdef0123456789abcdefef", twice);
    twice = twice.GetString() + 32;
    EXPECT_EQ("ef", twice);

    // Piece by piece past many growths, as a long received line is kept.
    CString grown;
    std::string expected;
    for (int i = 0; i < 1000; ++i) {
        grown += static_cast<char>('a' + i % 26);
        expected += static_cast<char>('a' + i % 26);
    }
    EXPECT_EQ(expected, ToStd(grown));
}

TEST(CString, EmptyCopyMoveAndCompare)
{
    CString empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_STREQ("", empty.GetString());
    EXPECT_STREQ("", static_cast<const char *>(empty));
    EXPECT_EQ("", empty);

    CString text("250 OK");
    CString copy(text);
    CString moved(std::move(copy));
    EXPECT_EQ(text, moved);
    EXPECT_TRUE(copy.IsEmpty()) << "a moved-from string is empty";
    copy = moved;
    const CString &same = copy;
    copy = same;
    EXPECT_EQ("250 OK", copy);
    moved.Empty();
    EXPECT_TRUE(moved.IsEmpty());
    EXPECT_EQ(0, moved.GetLength());
    EXPECT_EQ("250 OK", text) << "copies share nothing";

    // Each operator and each order of its operands.
    EXPECT_TRUE(text == "250 OK");
    EXPECT_TRUE("250 OK" == text);
    EXPECT_TRUE(text == CString("250 OK"));
    EXPECT_TRUE(text != "250 OK ");
    EXPECT_TRUE("250" != text);
    EXPECT_TRUE(text != CString("251 OK"));
    EXPECT_TRUE(CString("a\0b", 3) != CString("a\0c", 3)) << "compared by length, not terminator";

    struct Row {
        const char *text;
        const char *prefix;
        bool starts;
    };
    const Row rows[] = {
        {"250 OK", "2", true}, {"250 OK", "25", true}, {"251 OK", "25", true},
        {"354 go", "2", false}, {"2", "25", false}, {"", "2", false}, {"", "", true},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.starts, CString(row.text).StartsWith(row.prefix)) << row.text << " " << row.prefix;
}

TEST(CStringList, KeepsItsOrder)
{
    CStringList list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(0, list.GetCount());
    list.AddTail("one");
    const CString two("two");
    list.AddTail(two);
    list.AddTail(CString("three"));
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ("one", list.GetHead());
    EXPECT_EQ("three", list.GetTail());

    list.GetHead().Delete(0, 1);
    EXPECT_EQ("ne", list.RemoveHead());
    EXPECT_EQ("two", list.RemoveHead());
    list.AddTail("four");
    EXPECT_EQ(2, list.GetCount());
    EXPECT_EQ("three", list.RemoveHead());
    EXPECT_EQ("four", list.RemoveHead());
    EXPECT_TRUE(list.IsEmpty());

    // Emptied, then used again; the destructor frees what is left.
    list.AddTail("five");
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(0, list.GetCount());
    list.AddTail("six");
    list.AddTail("seven");
    EXPECT_EQ("six", list.GetHead());
    EXPECT_EQ("seven", list.GetTail());
}

}  // namespace
