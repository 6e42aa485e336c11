// Keystroke filter decisions over every code, word starts, and the card's
// separator blanking.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "pages/FieldTables.h"
#include "pages/KeyFilter.h"

namespace {

const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
const char kDigits[] = "0123456789";
const char kPunctuation[] = "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";

std::string Without(std::string set, const char *removed)
{
    for (const char *r = removed; *r; ++r)
        set.erase(set.find(*r), 1);
    return set;
}

struct ClassCase {
    const char *name;
    FilterClass filter;
    std::string refused;  // every refused code; all others pass or are capitalised
    bool capitalises;
};

TEST(KeyFilter, EveryCodeOfEveryClass)
{
    const std::string letters = kLetters, digits = kDigits, punctuation = kPunctuation;
    const ClassCase cases[] = {
        {"FreeText", FilterClass::FreeText, "", false},
        {"PostalCode", FilterClass::PostalCode, Without(punctuation, "-"), false},
        {"NameWords", FilterClass::NameWords, digits + punctuation, true},
        {"CapitalWords", FilterClass::CapitalWords, "", true},
        {"PhoneNumber", FilterClass::PhoneNumber,
         Without(letters, "xX") + Without(punctuation, "-()/."), false},
    };
    for (const ClassCase &c : cases) {
        for (int code = 0; code < 256; ++code) {
            const bool refused = code != 0 && c.refused.find(static_cast<char>(code)) != std::string::npos;
            for (bool atStart : {false, true}) {
                const KeyAction expected = refused ? KeyAction::Refuse
                                           : c.capitalises && atStart ? KeyAction::Capitalise
                                                                      : KeyAction::Pass;
                EXPECT_EQ(expected, DecideKey(c.filter, static_cast<unsigned char>(code), atStart))
                    << c.name << " code 0x" << std::hex << code << (atStart ? " at a word start" : "");
            }
        }
    }
}

TEST(KeyFilter, NamedCases)
{
    struct Case {
        const char *name;
        FilterClass filter;
        unsigned char c;
        bool atStart;
        KeyAction expected;
    };
    const Case cases[] = {
        {"apostrophe in a name", FilterClass::NameWords, '\'', false, KeyAction::Refuse},
        {"hyphen in a name", FilterClass::NameWords, '-', false, KeyAction::Refuse},
        {"digit in a name", FilterClass::NameWords, '7', true, KeyAction::Refuse},
        {"blank in a name", FilterClass::NameWords, ' ', false, KeyAction::Pass},
        {"letter starting a name", FilterClass::NameWords, 'a', true, KeyAction::Capitalise},
        {"number sign in a postal code", FilterClass::PostalCode, '#', false, KeyAction::Refuse},
        {"full stop in a postal code", FilterClass::PostalCode, '.', false, KeyAction::Refuse},
        {"hyphen in a postal code", FilterClass::PostalCode, '-', false, KeyAction::Pass},
        {"blank in a postal code", FilterClass::PostalCode, ' ', false, KeyAction::Pass},
        {"letter starting a postal code", FilterClass::PostalCode, 'k', true, KeyAction::Pass},
        {"plus in a phone number", FilterClass::PhoneNumber, '+', false, KeyAction::Refuse},
        {"e in a phone number", FilterClass::PhoneNumber, 'e', false, KeyAction::Refuse},
        {"t in a phone number", FilterClass::PhoneNumber, 't', false, KeyAction::Refuse},
        {"x in a phone number", FilterClass::PhoneNumber, 'x', false, KeyAction::Pass},
        {"slash in a phone number", FilterClass::PhoneNumber, '/', false, KeyAction::Pass},
        {"backspace in a name", FilterClass::NameWords, 0x08, false, KeyAction::Pass},
        {"backspace in a phone number", FilterClass::PhoneNumber, 0x08, false, KeyAction::Pass},
        {"accented letter in a name", FilterClass::NameWords, 0xE9, false, KeyAction::Pass},
        {"accented letter starting a company", FilterClass::CapitalWords, 0xE9, true, KeyAction::Capitalise},
        {"accented letter in a postal code", FilterClass::PostalCode, 0xC4, false, KeyAction::Pass},
        {"0xFF in a phone number", FilterClass::PhoneNumber, 0xFF, false, KeyAction::Pass},
        {"letter starting an e-mail address", FilterClass::FreeText, 'a', true, KeyAction::Pass},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.expected, DecideKey(c.filter, c.c, c.atStart)) << c.name;
}

TEST(KeyFilter, WordStarts)
{
    struct Case {
        const char *name;
        const char *text;
        size_t caret;
        bool expected;
    };
    const Case cases[] = {
        {"empty field", "", 0, true},
        {"start of a non-empty field", "arbor", 0, true},
        {"after a blank", "ann ", 4, true},
        {"after a hyphen", "ann-", 4, true},
        {"after a comma", "a,", 2, true},
        {"after a full stop", "st.", 3, true},
        {"after a letter", "ann", 3, false},
        {"after a digit", "4", 1, false},
        {"after an apostrophe", "o'", 2, false},
        {"caret inside a word", "ann marie", 2, false},
        {"caret beyond the text read", "ann ", 9, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.expected, IsWordStart(c.text, strlen(c.text), c.caret)) << c.name;
}

TEST(FieldTables, BlankSeparators)
{
    struct Case {
        const char *name;
        const char *text;
        const char *expected;
    };
    const Case cases[] = {
        {"comma between words", "Main St, Apt 4", "Main St  Apt 4"},
        {"colon and semicolon", "a:b;c", "a b c"},
        {"tab, carriage return and line feed", "a\tb\r\nc", "a b  c"},
        {"nothing to blank", "Harbor Graphics", "Harbor Graphics"},
        {"empty", "", ""},
    };
    for (const Case &c : cases) {
        char text[64];
        strcpy(text, c.text);
        BlankSeparators(text);
        EXPECT_STREQ(c.expected, text) << c.name;
    }
}

TEST(FieldTables, FirstMissingRowLooksAtTheSixRequiredFieldsInOrder)
{
    static RegistrationRecord rec;
    memset(&rec, 0, sizeof rec);
    CopyField(rec.Company, "Harbor Graphics");
    const FieldRow *row = FirstMissingRow(&rec, kCardFormTable);
    ASSERT_NE(nullptr, row);
    EXPECT_EQ(FindFieldRow(kCardFormTable, row->controlId), row);
    EXPECT_EQ(offsetof(RegistrationRecord, FirstName), row->field);

    // A single blank counts as filled; the optional fields never count.
    CopyField(rec.FirstName, " ");
    CopyField(rec.LastName, "Smith");
    CopyField(rec.Address1, "1 Main St");
    CopyField(rec.State, "Oregon");
    CopyField(rec.Zip, "97499");
    row = FirstMissingRow(&rec, kRequiredInfoTable);
    ASSERT_NE(nullptr, row);
    EXPECT_EQ(offsetof(RegistrationRecord, City), row->field);
    CopyField(rec.City, "Millbrook");
    EXPECT_EQ(nullptr, FirstMissingRow(&rec, kCardFormTable));
    EXPECT_EQ(nullptr, FirstMissingRow(&rec, kRequiredInfoTable));
}

TEST(FieldTables, RowLookupStopsAtTheEndRow)
{
    EXPECT_EQ(nullptr, FindFieldRow(nullptr, 101));
    EXPECT_EQ(nullptr, FindFieldRow(kRequiredInfoTable, 105));  // Company is on the card form only
    EXPECT_EQ(nullptr, FindFieldRow(kCardFormTable, 0));
    ASSERT_NE(nullptr, FindFieldRow(kCardFormTable, 233));
    EXPECT_EQ(FilterClass::FreeText, FindFieldRow(kCardFormTable, 233)->filter);
}

}  // namespace
