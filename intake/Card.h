// The card as it arrives: one line of 91 TAB-terminated fields, cut apart,
// checked against the record's widths and decoded.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "CardTexts.h"

enum {
    CARD_FIELD_COUNT = 91,
    CARD_TEXT_COUNT = 18,      // product code to Purchased From
    CARD_HARDWARE_TEXTS = 7,   // Memory to Windows Version
    CARD_CODE_COUNT = 10,
};

// Field positions (from 0) of the line.
enum CardPosition {
    POS_PRODUCT_CODE = 0,
    POS_SERIAL_NUMBER = 15,
    POS_SELECTIONS = 18,
    POS_HARDWARE = 23,
    POS_CODES = 30,
    POS_MARKS = 40,
};

// A text column: its name in the database and the widest text the card can
// send in it (the record's width less its terminator).
struct TextColumn {
    const char *column;
    const char *label;
    size_t longest;
};

// Fields 1 to 18, then the seven hardware texts (fields 24 to 30).
extern const TextColumn kCardTexts[CARD_TEXT_COUNT];
extern const TextColumn kHardwareTexts[CARD_HARDWARE_TEXTS];
// The database columns of the five list answers, in the record's order.
extern const char *const kListColumns[LIST_COUNT];

struct Card {
    std::string_view field[CARD_FIELD_COUNT];  // views into the parsed line
    int selection[LIST_COUNT];                 // 0: none, else from 1
    bool configurationSent;
    bool declined;
    bool ticked[QUESTION_COUNT];
};

// Cuts line (the fields without a line end) apart into card. Returns an empty
// text when it is a card, else why it is not.
std::string ParseCard(std::string_view line, Card *card);

// The list text of a selection, or nullptr for none.
const char *ListText(CardListId list, int selection);
