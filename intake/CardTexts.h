// The texts the card shows: its five lists, in the order the card form lists
// them, and the questionnaire's labels. Generated at build time from the
// card's own resources (GenerateTexts.cpp).
#pragma once
#include <cstddef>

#include "common/Record.h"

enum CardListId {
    LIST_PURCHASE_TYPE,
    LIST_COMPUTERS_AT_SITE,
    LIST_I_HAVE_USED,
    LIST_HOW_DID_YOU_HEAR,
    LIST_SERVICE,
    LIST_COUNT
};

struct CardList {
    const char *name;
    const char *const *texts;
    size_t count;
};

extern const CardList kCardLists[LIST_COUNT];
extern const char *const kQuestionLabels[QUESTION_COUNT];
