// Walking the card: its dialogs as the driver finds them, and a whole call
// through the real export played page by page, each page by the walk's action
// for it.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Fixture.h"

// A dialog of the card: its caption, and a control only it has where several
// dialogs share one caption (0: the caption alone tells it).
struct CardDialog {
    const char *name;  // as a failure names it
    const char *caption;
    int control;
};

namespace dialogs {
extern const CardDialog Intro;
extern const CardDialog CardForm;
extern const CardDialog RequiredInfo;
extern const CardDialog MarketResearch;
extern const CardDialog Hardware;
extern const CardDialog DeliveryChoice;
extern const CardDialog Reminder;
extern const CardDialog EmailProgress;
extern const CardDialog ModemOptions;
extern const CardDialog ModemStatus;
extern const CardDialog TransmissionProblem;
extern const CardDialog TransmissionSuccess;
}  // namespace dialogs

// Waits (bounded) for the dialog among the watched process's windows.
HWND WaitFor(const CardDialog &dialog, DWORD timeoutMs = 10000);

// Control id on the card form and the text to type into it.
typedef std::vector<std::pair<int, std::string>> CardEntries;

// The required fields filled with plain values.
CardEntries RequiredEntries();

struct CardWalk {
    using Page = std::function<void(HWND page)>;
    // Typed on the card form by its default action, each over what the field held.
    CardEntries entries = RequiredEntries();
    // Each action plays its page to the end; unset, the page is left the way
    // noted.
    Page intro;          // Register Now
    Page card;           // the entries typed, OK
    Page required;       // unset: the page must not show; set: it must
    Page questionnaire;  // OK
    Page hardware;       // OK
    Page delivery;       // Register Later
    // The last page the walk plays, for an action on it that ends the call
    // (null: the delivery choice).
    const CardDialog *last = nullptr;
};

// Actions for the walk's pages.
CardWalk::Page Press(int button);
// The card form: the entries typed over what each field held, then OK.
CardWalk::Page TypeEntries(const CardEntries &entries);
// The required-information page: every empty required field typed in, OK.
void FillEmptyRequired(HWND page);
// The hardware page: the "Do NOT send" box ticked, then OK, or the page closed.
void WithholdConfiguration(HWND page);
void WithholdAndClose(HWND page);

struct WalkResult {
    std::string failure;  // empty when every page showed and closed in turn
    int result = -9999;   // the export's result
    int outcome = -1;     // the outcome flag the export wrote
};

// Plays the pages of a call in progress (of this process, or of the process
// the driver watches) in the order the card shows them, up to the last page
// played and closed; the failure, if any.
std::string PlayPages(const CardWalk &walk);

// Calls the export of folder's GlimReg.dll for user (no owner) on a second
// thread, plays the pages, and waits for the call to return.
WalkResult WalkCard(CardFolder &folder, const HostUserRecord &user, const CardWalk &walk);
