// The market research page: its layout, the saved answers it shows, and what
// it stores however it is left, through the real dialog and the real export.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "resources/resource.h"
#include "tests/driver/CardWalk.h"
#include "tests/driver/UiDriver.h"
#include "pages/MarketResearch.h"

namespace {

const char kSection[] = "Market Research";

RegistrationRecord PageRecord()
{
    RegistrationRecord rec;
    memset(&rec, 0, sizeof rec);
    rec.ModuleInstance = GetModuleHandleA(nullptr);
    return rec;
}

// Where each question's check box stands, in dialog units, and what it reads.
struct QuestionBox {
    const char *label;
    int x, y;
};

const QuestionBox kQuestions[QUESTION_COUNT] = {
    {"PC Magazine", 10, 31}, {"PC Computing", 69, 31}, {"Windows", 132, 31},
    {"Adobe", 180, 31}, {"X-Ray", 220, 31}, {"Publish", 257, 31},
    {"QuarkXPress", 10, 62}, {"PageMaker", 10, 72}, {"Photoshop", 10, 82},
    {"Illustrator", 10, 92}, {"FreeHand", 10, 102}, {"Corel Draw", 10, 112},
    {"Corel Photo-Paint", 10, 122}, {"Corel Motion 3D", 10, 132}, {"Corel Dream 3D", 10, 142},
    {"Corel Presents", 80, 62}, {"Ventura Publisher", 80, 72}, {"MS Publisher", 80, 82},
    {"Harvard Graphics", 80, 92}, {"PhotoStyler", 80, 102}, {"Painter", 80, 112},
    {"xRes", 80, 122}, {"PhotoDeluxe", 80, 132}, {"Canvas", 80, 142},
    {"HiJaak", 152, 62}, {"Director", 152, 72}, {"Premiere", 152, 82},
    {"Acrobat Exchange", 152, 92}, {"Extreme 3-D", 152, 102}, {"Strata Studio Pro", 152, 112},
    {"Ray Dream", 152, 122}, {"PageMill", 152, 132}, {"KPT", 152, 142},
    {"KPT Convolver", 232, 62}, {"KPT Vector FX", 232, 72}, {"Andromeda", 232, 82},
    {"Scan Prep Pro", 232, 92}, {"Netscape", 232, 102}, {"MS Internet Explorer", 232, 112},
    {"MS Word", 232, 122}, {"WordPerfect", 232, 132}, {"MS Excel", 232, 142},
    {"Lotus 1-2-3", 313, 62}, {"Quatro Pro", 313, 72}, {"MS Works", 313, 82},
    {"MS Access", 313, 92}, {"Quicken", 313, 102}, {"Visio", 313, 112},
    {"PC Tools", 313, 122}, {"Norton Utilities", 313, 132}, {"Uninstaller", 313, 143},
};

// The check box of question n (from 1).
int CheckBoxOf(int n) { return IDC_RESEARCH_QUESTION_FIRST + n - 1; }

// A control's top-left corner in the dialog's client pixels.
POINT Origin(HWND dlg, int id)
{
    RECT r;
    GetWindowRect(ui::Control(dlg, id), &r);
    POINT p = {r.left, r.top};
    ScreenToClient(dlg, &p);
    return p;
}

POINT DialogUnits(HWND dlg, int x, int y)
{
    RECT r = {x, y, x, y};
    MapDialogRect(dlg, &r);
    return {r.left, r.top};
}

TEST(MarketResearch, PageShowsTheQuestionsWhereTheyBelong)
{
    RegistrationRecord rec = PageRecord();
    Played page([&] { return RunMarketResearch(nullptr, &rec); });
    HWND dlg = WaitFor(dialogs::MarketResearch);
    ASSERT_TRUE(dlg);

    for (int n = 1; n <= QUESTION_COUNT; ++n) {
        const QuestionBox &q = kQuestions[n - 1];
        SCOPED_TRACE(q.label);
        const int id = CheckBoxOf(n);
        EXPECT_EQ(q.label, ui::ControlText(dlg, id));
        EXPECT_EQ(BS_AUTOCHECKBOX, GetWindowLongA(ui::Control(dlg, id), GWL_STYLE) & 0x0F);
        const POINT at = Origin(dlg, id), want = DialogUnits(dlg, q.x, q.y);
        EXPECT_EQ(want.x, at.x);
        EXPECT_EQ(want.y, at.y);
    }
    EXPECT_EQ("Do NOT send market research information to Tarvolen.",
              ui::ControlText(dlg, IDC_RESEARCH_DO_NOT_SEND));
    // OK is the default button and has the focus; the close box is there.
    EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongA(ui::Control(dlg, IDOK), GWL_STYLE) & 0x0F);
    EXPECT_EQ(IDOK, ui::FocusId(dlg));
    EXPECT_TRUE(GetWindowLongA(dlg, GWL_STYLE) & WS_SYSMENU);
    EXPECT_TRUE(ui::IsCentredOnDesktop(dlg));

    ui::Click(dlg, IDOK);
    ASSERT_TRUE(page.Join());
    EXPECT_EQ(1, page.Result());
}

// The 52 keys as the settings file holds them, "missing" for an absent key.
std::string SavedKey(const CardFolder &folder, const std::string &key)
{
    char value[32];
    GetPrivateProfileStringA(kSection, key.c_str(), "missing", value, sizeof value,
                             folder.SettingsPath().c_str());
    return value;
}

std::string QuestionKey(int n) { return "Question" + std::to_string(n); }

TEST(MarketResearch, FreshFileShowsNothingCheckedAndSavesAllKeysAsZero)
{
    CardFolder folder;
    HostUserRecord user = MakeUser("Ann B Smith", "Harbor Graphics", "GB-200-0001");
    int checked = -1;
    CardWalk walk;
    walk.questionnaire = [&](HWND dlg) {
        checked = 0;
        for (int id = IDC_RESEARCH_QUESTION_FIRST; id <= IDC_RESEARCH_DO_NOT_SEND; ++id)
            checked += ui::IsChecked(dlg, id);
        ui::Click(dlg, IDOK);
    };
    const WalkResult r = WalkCard(folder, user, walk);
    ASSERT_EQ("", r.failure);
    EXPECT_EQ(0, checked);
    EXPECT_EQ("0", SavedKey(folder, "DoNotSendMarketResearch"));
    for (int n = 1; n <= QUESTION_COUNT; ++n)
        EXPECT_EQ("0", SavedKey(folder, QuestionKey(n))) << QuestionKey(n);
}

TEST(MarketResearch, SavedAnswersShowAndAreStoredHoweverThePageIsLeft)
{
    struct Case {
        const char *name;
        void (*leave)(HWND);
    };
    const Case cases[] = {
        {"OK", [](HWND dlg) { ui::Click(dlg, IDOK); }},
        {"Enter", [](HWND dlg) { ui::PressEnter(dlg); }},
        {"Esc", [](HWND dlg) { ui::PressEscape(dlg); }},
        {"close box", [](HWND dlg) { ui::Close(dlg); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CardFolder folder;
        folder.WriteFile("GlimRg2.ini",
                         "[Market Research]\r\nQuestion1=1\r\nQuestion51=1\r\n");
        HostUserRecord user = MakeUser("Ann B Smith", "", "");
        bool shownAsSaved = false;
        CardWalk walk;
        walk.questionnaire = [&](HWND dlg) {
            shownAsSaved = ui::IsChecked(dlg, CheckBoxOf(1)) &&
                           ui::IsChecked(dlg, CheckBoxOf(51)) &&
                           !ui::IsChecked(dlg, CheckBoxOf(9)) &&
                           !ui::IsChecked(dlg, IDC_RESEARCH_DO_NOT_SEND);
            ui::Check(dlg, CheckBoxOf(1), false);
            ui::Check(dlg, CheckBoxOf(9), true);  // Photoshop
            ui::Check(dlg, IDC_RESEARCH_DO_NOT_SEND, true);
            c.leave(dlg);
        };
        const WalkResult r = WalkCard(folder, user, walk);
        ASSERT_EQ("", r.failure);
        EXPECT_TRUE(shownAsSaved);

        // The opt-out does not stop the answers from being saved as checked.
        EXPECT_EQ("1", SavedKey(folder, "DoNotSendMarketResearch"));
        for (int n = 1; n <= QUESTION_COUNT; ++n)
            EXPECT_EQ(n == 9 || n == 51 ? "1" : "0", SavedKey(folder, QuestionKey(n)))
                << QuestionKey(n);
    }
}

}  // namespace
