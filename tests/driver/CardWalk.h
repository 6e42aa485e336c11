// A whole call through the real export, page by page: each page the card shows
// is awaited by its caption and played by the test's action for it.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "Fixture.h"

struct CardWalk {
    using Page = std::function<void(HWND page)>;
    // Each action plays its page to the end (the default presses the page's
    // button for going on). Pages not built yet are left out of the walk.
    Page intro;          // default: Register Now
    Page card;           // default: the required fields typed in, OK
    Page questionnaire;  // default: OK
    Page hardware;       // default: OK
    Page delivery;       // default: Register Later
};

struct WalkResult {
    std::string failure;  // empty when every page showed and closed in turn
    int result = -9999;   // the export's result
    int outcome = -1;     // the outcome flag the export wrote
};

// Plays the pages of a call in progress (of this process, or of the process
// the driver watches) in the order the card shows them; the failure, if any.
std::string PlayPages(const CardWalk &walk);

// Calls the export of folder's GlimReg.dll for user on a second thread and
// plays the pages in the order the card shows them.
WalkResult WalkCard(CardFolder &folder, const HostUserRecord &user, const CardWalk &walk);

// The pages' captions, as the walk looks for them.
extern const char kIntroCaption[];
extern const char kQuestionnaireCaption[];
extern const char kHardwareCaption[];
extern const char kDeliveryCaption[];
