// The market research page: the 51 questions and the opt-out box.
#pragma once
#include "../common/Record.h"

// Runs the page; the record's answers hold its check boxes however it is left.
// Gives 1, or -1 when the dialog cannot be created.
int RunMarketResearch(HWND owner, RegistrationRecord *rec);
