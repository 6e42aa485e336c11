// The three dialogs that steer the wizard: intro, delivery choice, modem options.
#pragma once
#include "../common/Record.h"

// Each gives the id of the control that ended it (162 on close), or -1 when
// the dialog cannot be created.
int RunIntro(HWND owner, RegistrationRecord *rec);          // 161, 162 or 223
int RunDeliveryChoice(HWND owner, RegistrationRecord *rec); // 123, 124, 162 or 163
int RunModemOptions(HWND owner, RegistrationRecord *rec);   // 145 or 162
