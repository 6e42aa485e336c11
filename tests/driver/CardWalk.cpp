// Walking a whole call through the real export, page by page.
#include "CardWalk.h"

#include "UiDriver.h"
#include "Walk.h"
#include "resources/resource.h"

const char kIntroCaption[] = "Electronic Registration Card";
const char kQuestionnaireCaption[] = "Market Research";
const char kHardwareCaption[] = "Hardware Configuration";
const char kDeliveryCaption[] = "Electronic Registration Card";

namespace {

CardWalk::Page Press(int button)
{
    return [button](HWND page) { ui::Click(page, button); };
}

void FillRequired(HWND card)
{
    for (const auto &e : RequiredEntries()) {
        SetDlgItemTextA(card, e.first, "");
        ui::Type(card, e.first, e.second);
    }
    ui::Click(card, IDC_REGISTER_NOW);
}

struct WalkPage {
    const char *name;
    const char *caption;
    int control;  // a control only this page has, where pages share a caption
    const CardWalk::Page *play;
    CardWalk::Page fallback;
};

}  // namespace

std::string PlayPages(const CardWalk &walk)
{
    // The card form is filled completely, so the required-information page
    // does not show.
    const WalkPage pages[] = {
        {"intro", kIntroCaption, IDC_NEVER_REGISTER, &walk.intro, Press(IDC_REGISTER_NOW)},
        {"card form", kIntroCaption, IDC_CARD_FIRST_NAME, &walk.card, FillRequired},
        {"questionnaire", kQuestionnaireCaption, 0, &walk.questionnaire, Press(IDOK)},
        {"hardware page", kHardwareCaption, 0, &walk.hardware, Press(IDOK)},
        {"delivery choice", kDeliveryCaption, IDC_EMAIL, &walk.delivery, Press(IDC_REGISTER_LATER)},
    };
    for (const WalkPage &p : pages) {
        HWND page = ui::WaitForDialog(p.caption, p.control);
        if (!page)
            return std::string("the ") + p.name + " did not show";
        (*p.play ? *p.play : p.fallback)(page);
        if (!ui::WaitForClose(page))
            return std::string("the ") + p.name + " did not close";
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
        out.failure = "the export did not return after the delivery choice";
        return out;
    }
    out.result = call.Result();
    out.outcome = outcome;
    return out;
}
