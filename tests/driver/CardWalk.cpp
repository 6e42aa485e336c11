// Walking a whole call through the real export, page by page.
#include "CardWalk.h"

#include "UiDriver.h"
#include "resources/resource.h"

namespace {

const char kCardCaption[] = "Electronic Registration Card";

// The required fields, on the card form and the required-information page alike.
const int kRequired[] = {IDC_CARD_FIRST_NAME, IDC_CARD_LAST_NAME, IDC_CARD_ADDRESS1,
                         IDC_CARD_CITY,       IDC_CARD_STATE,     IDC_CARD_ZIP};

}  // namespace

namespace dialogs {
const CardDialog Intro = {"intro", kCardCaption, IDC_NEVER_REGISTER};
const CardDialog CardForm = {"card form", kCardCaption, IDC_CARD_FIRST_NAME};
const CardDialog RequiredInfo = {"required-information page", "Required Information", 0};
const CardDialog MarketResearch = {"questionnaire", "Market Research", 0};
const CardDialog Hardware = {"hardware page", "Hardware Configuration", 0};
const CardDialog DeliveryChoice = {"delivery choice", kCardCaption, IDC_EMAIL};
const CardDialog Reminder = {"reminder", "Reminder", 0};
const CardDialog EmailProgress = {"e-mail progress", "E-Mail Progress", 0};
const CardDialog ModemOptions = {"modem options", "Outside Line Prefix", 0};
const CardDialog ModemStatus = {"modem status", "Modem Transmission Status", 0};
const CardDialog TransmissionProblem = {"transmission problem", "Transmission Problem", 0};
const CardDialog TransmissionSuccess = {"transmission success", "Transmission Successful", 0};
}  // namespace dialogs

HWND WaitFor(const CardDialog &dialog, DWORD timeoutMs)
{
    return dialog.control ? ui::WaitForDialog(dialog.caption, dialog.control, timeoutMs)
                          : ui::WaitForWindow(dialog.caption, timeoutMs);
}

CardEntries RequiredEntries()
{
    return {{IDC_CARD_FIRST_NAME, "Ann"}, {IDC_CARD_LAST_NAME, "Smith"},
            {IDC_CARD_ADDRESS1, "1 Main Street"}, {IDC_CARD_CITY, "Springfield"},
            {IDC_CARD_STATE, "Oregon"}, {IDC_CARD_ZIP, "97000"}};
}

CardWalk::Page Press(int button)
{
    return [button](HWND page) { ui::Click(page, button); };
}

CardWalk::Page TypeEntries(const CardEntries &entries)
{
    return [entries](HWND card) {
        for (const auto &e : entries) {
            SetDlgItemTextA(card, e.first, "");
            ui::Type(card, e.first, e.second);
        }
        ui::Click(card, IDC_REGISTER_NOW);
    };
}

void FillEmptyRequired(HWND page)
{
    for (int id : kRequired)
        if (ui::ControlText(page, id).empty())
            ui::Type(page, id, "Walk");
    ui::Click(page, IDC_REGISTER_NOW);
}

void WithholdConfiguration(HWND page)
{
    ui::Check(page, IDC_HARDWARE_DO_NOT_SEND, true);
    ui::Click(page, IDOK);
}

void WithholdAndClose(HWND page)
{
    ui::Check(page, IDC_HARDWARE_DO_NOT_SEND, true);
    ui::Close(page);
}

namespace {

// Waits (bounded) for the dialog; a failure names the one that showed instead.
HWND AwaitPage(const CardDialog &dialog, const CardDialog *instead, std::string *failure)
{
    const DWORD start = GetTickCount();
    do {
        if (HWND page = WaitFor(dialog, 50))
            return page;
        if (instead && WaitFor(*instead, 0)) {
            *failure = std::string("the ") + instead->name + " showed";
            return nullptr;
        }
    } while (GetTickCount() - start < 10000);
    *failure = std::string("the ") + dialog.name + " did not show";
    return nullptr;
}

// Plays one page to its end: the action, else the fallback, then its closing.
std::string Play(const CardDialog &dialog, const CardDialog *instead, const CardWalk::Page &play,
                 const CardWalk::Page &fallback)
{
    std::string failure;
    HWND page = AwaitPage(dialog, instead, &failure);
    if (!page)
        return failure;
    (play ? play : fallback)(page);
    if (!ui::WaitForClose(page))
        return std::string("the ") + dialog.name + " did not close";
    return std::string();
}

}  // namespace

std::string PlayPages(const CardWalk &walk)
{
    struct Step {
        const CardDialog &dialog;
        const CardDialog *instead;  // shows in its place when the card goes wrong
        const CardWalk::Page &play;
        CardWalk::Page fallback;
    };
    // The required-information page shows only when the walk leaves it a
    // field to fill; otherwise the questionnaire must come straight after the
    // card form.
    const bool required = static_cast<bool>(walk.required);
    const Step steps[] = {
        {dialogs::Intro, nullptr, walk.intro, Press(IDC_REGISTER_NOW)},
        {dialogs::CardForm, nullptr, walk.card, TypeEntries(walk.entries)},
        {dialogs::RequiredInfo, &dialogs::MarketResearch, walk.required, nullptr},
        {dialogs::MarketResearch, required ? nullptr : &dialogs::RequiredInfo, walk.questionnaire,
         Press(IDOK)},
        {dialogs::Hardware, nullptr, walk.hardware, Press(IDOK)},
        {dialogs::DeliveryChoice, nullptr, walk.delivery, Press(IDC_REGISTER_LATER)},
    };
    const CardDialog &last = walk.last ? *walk.last : dialogs::DeliveryChoice;
    for (const Step &step : steps) {
        if (&step.dialog == &dialogs::RequiredInfo && !required)
            continue;
        const std::string failure = Play(step.dialog, step.instead, step.play, step.fallback);
        if (!failure.empty() || &step.dialog == &last)
            return failure;
    }
    return std::string();
}

WalkResult WalkCard(CardFolder &folder, const HostUserRecord &user, const CardWalk &walk)
{
    WalkResult out;
    int outcome = -1;
    Played call([&] { return folder.Register(nullptr, &outcome, &user); });
    out.failure = PlayPages(walk);
    if (!out.failure.empty())
        return out;
    if (!call.Join()) {
        out.failure = "the export did not return after the last page";
        return out;
    }
    out.result = call.Result();
    out.outcome = outcome;
    return out;
}
