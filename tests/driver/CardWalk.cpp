// Walking a whole call through the real export, page by page.
#include "CardWalk.h"

#include "UiDriver.h"
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

struct WalkPage {
    const char *name;
    const char *caption;
    const CardWalk::Page *play;
    CardWalk::Page fallback;
};

}  // namespace

WalkResult WalkCard(CardFolder &folder, const HostUserRecord &user, const CardWalk &walk)
{
    // The card form (104) and the required-information page (105) join this
    // list between the intro and the questionnaire when they land.
    const WalkPage pages[] = {
        {"intro", kIntroCaption, &walk.intro, Press(IDC_REGISTER_NOW)},
        {"questionnaire", kQuestionnaireCaption, &walk.questionnaire, Press(IDOK)},
        {"hardware page", kHardwareCaption, &walk.hardware, Press(IDOK)},
        {"delivery choice", kDeliveryCaption, &walk.delivery, Press(IDC_REGISTER_LATER)},
    };

    WalkResult out;
    int outcome = -1;
    Played call([&] { return folder.Register(nullptr, &outcome, &user); });
    for (const WalkPage &p : pages) {
        HWND page = ui::WaitForWindow(p.caption);
        if (!page) {
            out.failure = std::string("the ") + p.name + " did not show";
            return out;
        }
        (*p.play ? *p.play : p.fallback)(page);
        if (!ui::WaitForClose(page)) {
            out.failure = std::string("the ") + p.name + " did not close";
            return out;
        }
    }
    if (!call.Join()) {
        out.failure = "the export did not return after the delivery choice";
        return out;
    }
    out.result = call.Result();
    out.outcome = outcome;
    return out;
}
