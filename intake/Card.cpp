#include "Card.h"

#include <algorithm>

namespace {

#define LONGEST(field) (sizeof(RegistrationRecord::field) - 1)

}  // namespace

const TextColumn kCardTexts[CARD_TEXT_COUNT] = {
    {"product_code", "product code", LONGEST(ProductCodePrefix) + LONGEST(ProductCode)},
    {"first_name", "First Name", LONGEST(FirstName)},
    {"initial", "Initial", LONGEST(Initial)},
    {"last_name", "Last Name", LONGEST(LastName)},
    {"company", "Company", LONGEST(Company)},
    {"address1", "Address1", LONGEST(Address1)},
    {"address2", "Address2", LONGEST(Address2)},
    {"city", "City", LONGEST(City)},
    {"state", "State", LONGEST(State)},
    {"zip", "Zip", LONGEST(Zip)},
    {"country", "Country", LONGEST(Country)},
    {"phone", "Phone", LONGEST(Phone)},
    {"fax", "Fax", LONGEST(Fax)},
    {"email_address", "Email Address", LONGEST(EmailAddress)},
    {"service", "Service", LONGEST(Service)},
    {"serial_number", "Serial Number", LONGEST(SerialNumber)},
    {"purchase_date", "Purchase Date", LONGEST(PurchaseDate)},
    {"purchased_from", "Purchased From", LONGEST(PurchasedFrom)},
};

const TextColumn kHardwareTexts[CARD_HARDWARE_TEXTS] = {
    {"memory", "Memory", LONGEST(Memory)},
    {"printer", "Printer", LONGEST(Printer)},
    {"hard_drives", "Hard Drives", LONGEST(HardDrives)},
    {"floppy_drives", "Floppy Drives", LONGEST(FloppyDrives)},
    {"other_drives", "Other Drives", LONGEST(OtherDrives)},
    {"dos_version", "DOS Version", LONGEST(DOSVersion)},
    {"windows_version", "Windows Version", LONGEST(WindowsVersion)},
};

const char *const kListColumns[LIST_COUNT] = {
    "purchase_type", "computers_at_site", "i_have_used", "how_did_you_hear", "service_selected",
};

const char *ListText(CardListId list, int selection)
{
    if (selection < 1 || static_cast<size_t>(selection) > kCardLists[list].count)
        return nullptr;
    return kCardLists[list].texts[selection - 1];
}

namespace {

std::string Number(long long n) { return std::to_string(n); }

std::string CheckText(std::string_view text, const TextColumn &c)
{
    if (text.size() > c.longest)
        return std::string(c.label) + " is " + Number(static_cast<long long>(text.size())) +
               " characters, at most " + Number(static_cast<long long>(c.longest)) + " fit";
    const auto control = std::find_if(text.begin(), text.end(), [](char ch) {
        return static_cast<unsigned char>(ch) < 32 || ch == 127;
    });
    if (control != text.end())
        return std::string(c.label) + " holds the control character " +
               Number(static_cast<unsigned char>(*control));
    return std::string();
}

// A selection number as the card writes it: a signed byte plus one, in decimal.
bool ParseSelection(std::string_view text, int *n)
{
    if (text.empty() || text.size() > 4)
        return false;
    size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size())
        return false;
    int value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    *n = text[0] == '-' ? -value : value;
    return true;
}

}  // namespace

std::string ParseCard(std::string_view line, Card *card)
{
    size_t start = 0;
    int count = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\t')
            continue;
        if (count < CARD_FIELD_COUNT)
            card->field[count] = line.substr(start, i - start);
        ++count;
        start = i + 1;
    }
    if (start != line.size())
        ++count;  // a last field without its TAB
    if (count != CARD_FIELD_COUNT || start != line.size())
        return (start != line.size() ? "unterminated last field, " : "") + Number(count) +
               " fields, 91 expected";

    for (int i = 0; i < CARD_TEXT_COUNT; ++i) {
        std::string why = CheckText(card->field[i], kCardTexts[i]);
        if (!why.empty())
            return why;
    }
    for (int l = 0; l < LIST_COUNT; ++l) {
        int n = 0;
        if (!ParseSelection(card->field[POS_SELECTIONS + l], &n))
            return std::string("the ") + kCardLists[l].name + " selection is not a number";
        if (n < 0 || static_cast<size_t>(n) > kCardLists[l].count)
            return std::string("the ") + kCardLists[l].name + " selection " + Number(n) +
                   " is not on its list of " + Number(static_cast<long long>(kCardLists[l].count));
        card->selection[l] = n;
    }

    bool anyHardware = false;
    for (int i = 0; i < CARD_HARDWARE_TEXTS; ++i) {
        std::string why = CheckText(card->field[POS_HARDWARE + i], kHardwareTexts[i]);
        if (!why.empty())
            return why;
        anyHardware = anyHardware || !card->field[POS_HARDWARE + i].empty();
    }
    for (int i = 0; i < CARD_CODE_COUNT; ++i) {
        const std::string_view code = card->field[POS_CODES + i];
        if (code.size() != 1 || static_cast<unsigned char>(code[0]) < 32)
            return "hardware code " + Number(i + 1) + " is not one character";
        anyHardware = anyHardware || code[0] != ' ';
    }
    card->configurationSent = anyHardware;

    int blanks = 0;
    for (int q = 0; q < QUESTION_COUNT; ++q) {
        const std::string_view mark = card->field[POS_MARKS + q];
        if (mark != "T" && mark != "F" && mark != " ")
            return "answer mark " + Number(q + 1) + " is not T, F or a blank";
        blanks += mark == " ";
        card->ticked[q] = mark == "T";
    }
    if (blanks != 0 && blanks != QUESTION_COUNT)
        return Number(blanks) + " answer marks are blank, the rest not";
    card->declined = blanks == QUESTION_COUNT;
    return std::string();
}
