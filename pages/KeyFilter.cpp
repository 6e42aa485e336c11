// The keystroke filters of the card's text entries, by filter class.
#include "KeyFilter.h"

#include <cstring>

namespace {

// C locale classes on the unsigned code: the blank, control characters and
// 0x80 to 0xFF are none of these and are never refused.
bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsGraphic(unsigned char c) { return c >= 0x21 && c <= 0x7E; }
bool IsOneOf(unsigned char c, const char *set) { return c != 0 && strchr(set, c) != nullptr; }

struct FilterRule {
    FilterClass filter;
    bool (*refuses)(unsigned char c);
    bool capitalises;
};

bool RefusesNothing(unsigned char) { return false; }
bool RefusesInPostalCode(unsigned char c)
{
    return IsGraphic(c) && !IsLetter(c) && !IsDigit(c) && c != '-';
}
bool RefusesInNameWords(unsigned char c) { return IsGraphic(c) && !IsLetter(c); }
bool RefusesInPhoneNumber(unsigned char c)
{
    return IsGraphic(c) && !IsDigit(c) && !IsOneOf(c, "-()/. xX");
}

const FilterRule kRules[] = {
    {FilterClass::FreeText, RefusesNothing, false},
    {FilterClass::PostalCode, RefusesInPostalCode, false},
    {FilterClass::NameWords, RefusesInNameWords, true},
    {FilterClass::CapitalWords, RefusesNothing, true},
    {FilterClass::PhoneNumber, RefusesInPhoneNumber, false},
};

}  // namespace

bool IsWordStart(const char *text, size_t length, size_t caret)
{
    if (caret == 0)
        return true;
    // A caret beyond what was read has no known character before it.
    if (caret > length)
        return false;
    return IsOneOf(static_cast<unsigned char>(text[caret - 1]), " -,.");
}

KeyAction DecideKey(FilterClass filter, unsigned char c, bool atWordStart)
{
    for (const FilterRule &rule : kRules) {
        if (rule.filter != filter)
            continue;
        if (rule.refuses(c))
            return KeyAction::Refuse;
        return rule.capitalises && atWordStart ? KeyAction::Capitalise : KeyAction::Pass;
    }
    return KeyAction::Pass;
}
