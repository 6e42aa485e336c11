// The card form and the required-information page, driven as a user would.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "common/RecordDialog.h"
#include "pages/CardForm.h"
#include "pages/InputFilter.h"
#include "resources/resource.h"
#include "tests/driver/CardWalk.h"
#include "tests/driver/Fixture.h"
#include "tests/driver/UiDriver.h"

namespace {

// A record as the entry leaves it before the pages: zeroed, with the module
// (this test program carries the resources) and the product name.
struct TestRecord {
    RegistrationRecord rec;
    TestRecord()
    {
        memset(&rec, 0, sizeof rec);
        rec.ModuleInstance = GetModuleHandleA(nullptr);
        CopyField(rec.ProductName, "Glimmerbox");
    }
};

HFONT FontOf(HWND dialog, int id)
{
    return reinterpret_cast<HFONT>(SendMessageA(ui::Control(dialog, id), WM_GETFONT, 0, 0));
}

bool IsUnderlined(HWND dialog, int id)
{
    LOGFONTA description;
    HFONT font = FontOf(dialog, id);
    return font && GetObjectA(font, sizeof description, &description) == sizeof description &&
           description.lfUnderline != 0;
}

WNDPROC ProcedureOf(HWND dialog, int id)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(ui::Control(dialog, id), GWLP_WNDPROC));
}

const int kTextEntries[] = {
    IDC_CARD_FIRST_NAME, IDC_CARD_INITIAL, IDC_CARD_LAST_NAME, IDC_CARD_COMPANY,
    IDC_CARD_ADDRESS1, IDC_CARD_ADDRESS2, IDC_CARD_CITY, IDC_CARD_STATE,
    IDC_CARD_ZIP, IDC_CARD_COUNTRY, IDC_CARD_PHONE, IDC_CARD_FAX,
    IDC_CARD_EMAIL, IDC_CARD_PURCHASED_FROM, IDC_CARD_PURCHASE_DATE,
};
const int kRequiredLabels[] = {
    IDC_CARD_FIRST_NAME_LABEL, IDC_CARD_LAST_NAME_LABEL, IDC_CARD_ADDRESS1_LABEL,
    IDC_CARD_CITY_LABEL, IDC_CARD_STATE_LABEL, IDC_CARD_ZIP_LABEL,
};
const int kOptionalLabels[] = {
    IDC_CARD_SERIAL_LABEL, IDC_CARD_PURCHASE_TYPE_LABEL, IDC_CARD_SERVICE_LABEL,
    IDC_CARD_EMAIL_LABEL, IDC_CARD_USED_LABEL, IDC_CARD_HEARD_LABEL,
};

TEST(CardForm, TypedCharactersAreFilteredAndCapitalisedByField)
{
    struct Case {
        const char *name;
        int control;
        const char *typed;
        const char *shown;   // what the control shows
        size_t field;        // where collect stores it
        const char *stored;
    };
    const Case cases[] = {
        {"two words in First Name", IDC_CARD_FIRST_NAME, "ann marie", "Ann Marie",
         offsetof(RegistrationRecord, FirstName), "Ann Marie"},
        {"two words in Email Address", IDC_CARD_EMAIL, "ann marie", "ann marie",
         offsetof(RegistrationRecord, EmailAddress), "ann marie"},
        {"apostrophe, hyphen and digit in Last Name", IDC_CARD_LAST_NAME, "o'brien-2", "Obrien",
         offsetof(RegistrationRecord, LastName), "Obrien"},
        {"full stop in City", IDC_CARD_CITY, "st. louis", "St Louis",
         offsetof(RegistrationRecord, City), "St Louis"},
        {"word starts in Company", IDC_CARD_COMPANY, "harbor-graphics 2go.inc,ltd x4y",
         "Harbor-Graphics 2go.Inc,Ltd X4y", offsetof(RegistrationRecord, Company),
         "Harbor-Graphics 2go.Inc Ltd X4y"},
        {"number sign and full stop in Zip", IDC_CARD_ZIP, "k1a-0b#9. z", "K1A-0B9 Z",
         offsetof(RegistrationRecord, Zip), "K1A-0B9 Z"},
        {"plus, e and t in Phone", IDC_CARD_PHONE, "+1 (503) 555-0188 ext./X4",
         "1 (503) 555-0188 x./X4", offsetof(RegistrationRecord, Phone), "1 (503) 555-0188 x./X4"},
        {"one character in Initial", IDC_CARD_INITIAL, "bc", "B",
         offsetof(RegistrationRecord, Initial), "B"},
        {"backspace in State", IDC_CARD_STATE, "oregn\bon", "Oregon",
         offsetof(RegistrationRecord, State), "Oregon"},
        {"comma in Address2", IDC_CARD_ADDRESS2, "main st, apt 4", "Main St, Apt 4",
         offsetof(RegistrationRecord, Address2), "Main St  Apt 4"},
    };

    TestRecord t;
    Played page([&] { return RunCardForm(nullptr, &t.rec); });
    HWND dlg = WaitFor(dialogs::CardForm);
    ASSERT_NE(nullptr, dlg);
    for (const Case &c : cases) {
        ui::Type(dlg, c.control, c.typed);
        EXPECT_EQ(c.shown, ui::ControlText(dlg, c.control)) << c.name;
    }
    ui::Click(dlg, IDC_REGISTER_LATER);
    ASSERT_TRUE(page.Join());
    EXPECT_EQ(IDC_REGISTER_LATER, page.Result());
    for (const Case &c : cases)
        EXPECT_STREQ(c.stored, reinterpret_cast<const char *>(&t.rec) + c.field) << c.name;
}

TEST(CardForm, BoundTextIsShownAsStoredAndTheCaretDecidesCapitals)
{
    TestRecord t;
    CopyField(t.rec.FirstName, "ann marie");
    CopyField(t.rec.LastName, "o'brien-2");
    CopyField(t.rec.Company, "arbor graphics");
    CopyField(t.rec.City, "ondon");
    CopyField(t.rec.SerialNumber, "GB-200-0001");
    Played page([&] { return RunCardForm(nullptr, &t.rec); });
    HWND dlg = WaitFor(dialogs::CardForm);
    ASSERT_NE(nullptr, dlg);

    EXPECT_EQ("ann marie", ui::ControlText(dlg, IDC_CARD_FIRST_NAME));
    EXPECT_EQ("o'brien-2", ui::ControlText(dlg, IDC_CARD_LAST_NAME));
    EXPECT_EQ("GB-200-0001", ui::ControlText(dlg, IDC_CARD_SERIAL));
    EXPECT_TRUE(ui::WaitForFocus(dlg, IDC_CARD_FIRST_NAME));
    EXPECT_TRUE(ui::IsCentredOnDesktop(dlg));

    struct Case {
        const char *name;
        int control;
        int caret;
        const char *typed;
        const char *shown;
    };
    const Case cases[] = {
        {"start of a non-empty City", IDC_CARD_CITY, 0, "l", "London"},
        {"start of a non-empty Company", IDC_CARD_COMPANY, 0, "h", "Harbor graphics"},
        {"inside a word of Company", IDC_CARD_COMPANY, 8, "x", "Harbor gxraphics"},
        {"after a letter of First Name", IDC_CARD_FIRST_NAME, 3, "e", "anne marie"},
    };
    for (const Case &c : cases) {
        ui::SetCaret(dlg, c.control, c.caret);
        ui::Type(dlg, c.control, c.typed);
        EXPECT_EQ(c.shown, ui::ControlText(dlg, c.control)) << c.name;
    }
    ui::Click(dlg, IDC_REGISTER_LATER);
    ASSERT_TRUE(page.Join());
    EXPECT_STREQ("London", t.rec.City);
    EXPECT_STREQ("o'brien-2", t.rec.LastName);  // untouched text is stored as it was
}

TEST(CardForm, OkWithARequiredFieldEmptyLeadsToTheRequiredPageUntilAllAreFilled)
{
    TestRecord t;
    {
        Played form([&] { return RunCardForm(nullptr, &t.rec); });
        HWND dlg = WaitFor(dialogs::CardForm);
        ASSERT_NE(nullptr, dlg);
        ui::Type(dlg, IDC_CARD_COMPANY, "harbor graphics");
        ui::Click(dlg, IDC_REGISTER_NOW);
        ASSERT_TRUE(form.Join());
        EXPECT_EQ(1, form.Result());
    }
    EXPECT_STREQ("Harbor Graphics", t.rec.Company);

    Played page([&] { return RunRequiredInfo(nullptr, &t.rec); });
    HWND dlg = WaitFor(dialogs::RequiredInfo);
    ASSERT_NE(nullptr, dlg);
    EXPECT_TRUE(ui::WaitForFocus(dlg, IDC_CARD_FIRST_NAME));
    EXPECT_TRUE(ui::IsCentredOnDesktop(dlg));
    ui::Type(dlg, IDC_CARD_FIRST_NAME, "ann");
    ui::Type(dlg, IDC_CARD_LAST_NAME, "smith");
    ui::Type(dlg, IDC_CARD_ADDRESS1, "1 main st");
    ui::Type(dlg, IDC_CARD_STATE, "oregon");
    ui::Type(dlg, IDC_CARD_ZIP, "97499");

    ui::Click(dlg, IDC_REGISTER_NOW);
    HWND box = ui::WaitForMessageBox("Glimmerbox");
    ASSERT_NE(nullptr, box);
    const MessageBoxSeen seen = ui::ReadMessageBox(box);
    EXPECT_EQ("Please enter your City so that we can correctly process your registration.",
              seen.text);
    EXPECT_EQ(std::vector<int>{IDOK}, seen.buttons);
    ui::Answer(box, IDOK);
    EXPECT_TRUE(ui::WaitForFocus(dlg, IDC_CARD_CITY));
    EXPECT_TRUE(IsWindowVisible(dlg));
    // The filters stay installed while the page is open.
    EXPECT_EQ(reinterpret_cast<WNDPROC>(FieldFilterProc), ProcedureOf(dlg, IDC_CARD_CITY));

    ui::Type(dlg, IDC_CARD_CITY, "millbrook");
    ui::Click(dlg, IDC_REGISTER_NOW);
    ASSERT_TRUE(page.Join());
    EXPECT_EQ(IDC_REGISTER_NOW, page.Result());
    EXPECT_STREQ("Ann", t.rec.FirstName);
    EXPECT_STREQ("Millbrook", t.rec.City);
    EXPECT_STREQ("97499", t.rec.Zip);
    EXPECT_STREQ("Harbor Graphics", t.rec.Company);
}

TEST(CardForm, ListsSelectTheSavedTextAndStoreTheirEntries)
{
    TestRecord t;
    CopyField(t.rec.PurchaseType, "upg");
    CopyField(t.rec.HowDidYouHear, "user");
    CopyField(t.rec.IHaveUsed, "no such entry");
    CopyField(t.rec.Service, "Fidonet");
    Played page([&] { return RunCardForm(nullptr, &t.rec); });
    HWND dlg = WaitFor(dialogs::CardForm);
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ("Upgrade", ui::ControlText(dlg, IDC_CARD_PURCHASE_TYPE));
    EXPECT_EQ(1, t.rec.PurchaseTypeIndex);
    EXPECT_EQ(5, t.rec.HowDidYouHearIndex);
    EXPECT_EQ(0, t.rec.IHaveUsedIndex);
    // A service typed by hand comes back as typed, with no entry selected.
    EXPECT_EQ("Fidonet", ui::ControlText(dlg, IDC_CARD_SERVICE));
    EXPECT_EQ(CB_ERR, SendMessageA(ui::Control(dlg, IDC_CARD_SERVICE), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(-1, t.rec.ServiceIndex);
    ui::Click(dlg, IDC_REGISTER_NOW);
    ASSERT_TRUE(page.Join());
    EXPECT_EQ(1, page.Result());

    struct Case {
        const char *name;
        const char *stored;
        int8_t index;
        const char *expected;
        int expectedIndex;
    };
    const Case cases[] = {
        {"Purchase Type", t.rec.PurchaseType, t.rec.PurchaseTypeIndex, "Upgrade", 1},
        {"How did you hear", t.rec.HowDidYouHear, t.rec.HowDidYouHearIndex, "User Group", 5},
        {"I have used", t.rec.IHaveUsed, t.rec.IHaveUsedIndex, " ", 0},
        {"Service", t.rec.Service, t.rec.ServiceIndex, "Fidonet", -1},
    };
    for (const Case &c : cases) {
        EXPECT_STREQ(c.expected, c.stored) << c.name;
        EXPECT_EQ(c.expectedIndex, c.index) << c.name;
    }
}

// The control that had the focus when the page's opening had run, before the
// dialog manager's activation could pick one of its own.
int g_focusAfterOpening;

LRESULT CALLBACK AfterOpening(int code, WPARAM wParam, LPARAM lParam)
{
    const auto *sent = reinterpret_cast<const CWPRETSTRUCT *>(lParam);
    if (code == HC_ACTION && sent->message == WM_INITDIALOG)
        g_focusAfterOpening = GetDlgCtrlID(GetFocus());
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The required page opens on the first empty required field, and on its first
// field when none is empty: never with no field focused.
TEST(CardForm, RequiredPageFocusesTheFirstEmptyFieldElseTheFirst)
{
    struct Row {
        const char *name;
        const char *city;  // the other required fields filled
        int focus;
    };
    const Row rows[] = {
        {"City empty", "", IDC_CARD_CITY},
        {"none empty", "Millbrook", IDC_CARD_FIRST_NAME},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TestRecord t;
        CopyField(t.rec.FirstName, "Ann");
        CopyField(t.rec.LastName, "Smith");
        CopyField(t.rec.Address1, "1 Main St");
        CopyField(t.rec.City, row.city);
        CopyField(t.rec.State, "Oregon");
        CopyField(t.rec.Zip, "97499");
        g_focusAfterOpening = -1;
        Played page([&] {
            HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterOpening, nullptr,
                                           GetCurrentThreadId());
            const int r = RunRequiredInfo(nullptr, &t.rec);
            UnhookWindowsHookEx(hook);
            return r;
        });
        HWND dlg = WaitFor(dialogs::RequiredInfo);
        ASSERT_NE(nullptr, dlg);
        EXPECT_TRUE(ui::WaitForFocus(dlg, row.focus)) << ui::FocusedControlId(dlg);
        EXPECT_EQ(row.focus, g_focusAfterOpening);
        ui::Click(dlg, IDC_REGISTER_LATER);
        ASSERT_TRUE(page.Join());
    }
}

TEST(CardForm, UntouchedNewCardStoresTheFirstEntryOfEveryList)
{
    TestRecord t;
    Played page([&] { return RunCardForm(nullptr, &t.rec); });
    HWND dlg = WaitFor(dialogs::CardForm);
    ASSERT_NE(nullptr, dlg);
    ui::Click(dlg, IDC_REGISTER_LATER);
    ASSERT_TRUE(page.Join());
    EXPECT_EQ(IDC_REGISTER_LATER, page.Result());

    struct Case {
        const char *name;
        const char *stored;
        int8_t index;
        const char *expected;
    };
    const Case cases[] = {
        {"Purchase Type", t.rec.PurchaseType, t.rec.PurchaseTypeIndex, "New Purchase"},
        {"Computers at Site", t.rec.ComputersAtSite, t.rec.ComputersAtSiteIndex, " "},
        {"I have used", t.rec.IHaveUsed, t.rec.IHaveUsedIndex, " "},
        {"How did you hear", t.rec.HowDidYouHear, t.rec.HowDidYouHearIndex, " "},
        {"Service", t.rec.Service, t.rec.ServiceIndex, " "},
    };
    for (const Case &c : cases) {
        EXPECT_STREQ(c.expected, c.stored) << c.name;
        EXPECT_EQ(0, c.index) << c.name;
    }
    EXPECT_STREQ("", t.rec.FirstName);
    EXPECT_STREQ("", t.rec.EmailAddress);
}

TEST(CardForm, PastedTabsAndLineBreaksAreStoredAsBlanks)
{
    TestRecord t;
    Played page([&] { return RunCardForm(nullptr, &t.rec); });
    HWND dlg = WaitFor(dialogs::CardForm);
    ASSERT_NE(nullptr, dlg);
    ui::SetText(dlg, IDC_CARD_PURCHASED_FROM, "Harbor\tGraphics;Dealers");
    ui::SetText(dlg, IDC_CARD_SERVICE, "Fido\tnet:2");
    ui::SetText(dlg, IDC_CARD_EMAIL, "ann@example.com\r\nX");
    const std::string shownEmail = ui::ControlText(dlg, IDC_CARD_EMAIL);
    EXPECT_EQ("Harbor\tGraphics;Dealers", ui::ControlText(dlg, IDC_CARD_PURCHASED_FROM));
    ui::Click(dlg, IDC_REGISTER_LATER);
    ASSERT_TRUE(page.Join());
    EXPECT_STREQ("Harbor Graphics Dealers", t.rec.PurchasedFrom);
    EXPECT_STREQ("Fido net 2", t.rec.Service);
    // Whatever of the line break the control kept, none of it reaches the record.
    std::string expected = shownEmail;
    const auto lineBreak = [](char c) { return c == '\r' || c == '\n'; };
    std::replace_if(expected.begin(), expected.end(), lineBreak, ' ');
    EXPECT_EQ(expected, t.rec.EmailAddress);
    EXPECT_EQ(0, strncmp(t.rec.EmailAddress, "ann@example.com", 15));
}

TEST(CardForm, EnterMovesThroughTheFieldsSkippingTheButtons)
{
    const int order[] = {
        IDC_CARD_INITIAL, IDC_CARD_LAST_NAME, IDC_CARD_COMPANY, IDC_CARD_ADDRESS1,
        IDC_CARD_ADDRESS2, IDC_CARD_CITY, IDC_CARD_STATE, IDC_CARD_ZIP, IDC_CARD_COUNTRY,
        IDC_CARD_PHONE, IDC_CARD_FAX, IDC_CARD_SERVICE, IDC_CARD_EMAIL, IDC_CARD_COMPUTERS,
        IDC_CARD_USED, IDC_CARD_HEARD, IDC_CARD_PURCHASED_FROM, IDC_CARD_PURCHASE_DATE,
        IDC_CARD_PURCHASE_TYPE, IDC_CARD_FIRST_NAME,
    };
    TestRecord t;
    Played page([&] { return RunCardForm(nullptr, &t.rec); });
    HWND dlg = WaitFor(dialogs::CardForm);
    ASSERT_NE(nullptr, dlg);
    ASSERT_TRUE(ui::WaitForFocus(dlg, IDC_CARD_FIRST_NAME));
    for (int expected : order) {
        const int from = ui::FocusedControlId(dlg);
        ui::PressEnter(dlg);
        EXPECT_TRUE(ui::WaitForFocus(dlg, expected))
            << "Enter in " << from << " should reach " << expected << ", got "
            << ui::FocusedControlId(dlg);
    }
    ui::PressEnter(dlg, true);
    EXPECT_TRUE(ui::WaitForFocus(dlg, IDC_CARD_PURCHASE_TYPE)) << ui::FocusedControlId(dlg);
    // Esc and the close request do not end the page: Register Later, queued
    // behind them, is what ends it.
    ui::PressEscape(dlg);
    ui::Close(dlg);
    ui::Click(dlg, IDC_REGISTER_LATER);
    ASSERT_TRUE(page.Join());
    EXPECT_EQ(IDC_REGISTER_LATER, page.Result());
}

TEST(CardForm, RequiredLabelsAreUnderlinedAndEveryEntryIsFilteredWhileOpen)
{
    TestRecord t;
    Played page([&] { return RunCardForm(nullptr, &t.rec); });
    HWND dlg = WaitFor(dialogs::CardForm);
    ASSERT_NE(nullptr, dlg);
    for (int id : kRequiredLabels)
        EXPECT_TRUE(IsUnderlined(dlg, id)) << "label " << id;
    for (int id : kOptionalLabels)
        EXPECT_FALSE(IsUnderlined(dlg, id)) << "label " << id;
    for (int id : kTextEntries)
        EXPECT_EQ(reinterpret_cast<WNDPROC>(FieldFilterProc), ProcedureOf(dlg, id)) << "control " << id;
    EXPECT_NE(reinterpret_cast<WNDPROC>(FieldFilterProc), ProcedureOf(dlg, IDC_CARD_SERVICE));
    ui::Click(dlg, IDC_REGISTER_LATER);
    ASSERT_TRUE(page.Join());
    EXPECT_EQ(nullptr, t.rec.UnderlineFont);
    EXPECT_NE(nullptr, t.rec.EditProcedure);
}

INT_PTR CALLBACK KeepRecordProc(HWND dlg, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg == WM_INITDIALOG)
        KeepDialogRecord(dlg, lParam);
    return FALSE;
}

TEST(CardForm, ReleaseGivesBackTheDialogFontAndTheEditProcedure)
{
    // The walks on a modeless copy of each page, so the controls can be looked
    // at after the release and before the window goes.
    struct Case {
        const char *name;
        int dialog;
        const FieldRow *table;
    };
    const Case cases[] = {
        {"card form", IDD_CARD_FORM, kCardFormTable},
        {"required information", IDD_REQUIRED_INFO, kRequiredInfoTable},
    };
    TestRecord t;
    WNDPROC saved = nullptr;
    for (const Case &c : cases) {
        HWND dlg = CreateDialogParamA(t.rec.ModuleInstance, MAKEINTRESOURCEA(c.dialog), nullptr,
                                      KeepRecordProc, reinterpret_cast<LPARAM>(&t.rec));
        ASSERT_NE(nullptr, dlg) << c.name;
        const HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageA(dlg, WM_GETFONT, 0, 0));
        const WNDPROC original = ProcedureOf(dlg, IDC_CARD_FIRST_NAME);

        BindFields(dlg, c.table);
        EXPECT_EQ(c.table, t.rec.FieldTable) << c.name;
        EXPECT_NE(nullptr, t.rec.UnderlineFont) << c.name;
        if (!saved)
            saved = t.rec.EditProcedure;
        EXPECT_EQ(saved, t.rec.EditProcedure) << c.name << ": saved once per call";
        for (int id : kRequiredLabels)
            EXPECT_EQ(t.rec.UnderlineFont, FontOf(dlg, id)) << c.name << " label " << id;

        ReleaseFields(dlg, c.table);
        EXPECT_EQ(nullptr, t.rec.UnderlineFont) << c.name;
        for (int id : kRequiredLabels) {
            EXPECT_EQ(dialogFont, FontOf(dlg, id)) << c.name << " label " << id;
            EXPECT_FALSE(IsUnderlined(dlg, id)) << c.name << " label " << id;
        }
        for (int id : kTextEntries) {
            if (!ui::Control(dlg, id))
                continue;
            EXPECT_EQ(original, ProcedureOf(dlg, id)) << c.name << " control " << id;
        }
        DestroyWindow(dlg);
    }
}

TEST(CardForm, RegisterLaterWithEveryFieldEmptyWritesTheEmptyFields)
{
    CardFolder folder;
    CardWalk walk;
    walk.card = Press(IDC_REGISTER_LATER);
    walk.last = &dialogs::CardForm;
    const WalkResult r = WalkCard(folder, MakeUser("", "", ""), walk);
    ASSERT_EQ("", r.failure);
    EXPECT_EQ(0, r.result);
    EXPECT_EQ(0, r.outcome);
    EXPECT_EQ("[User Demographics]\r\n"
              "First Name=\r\n"
              "Initial=\r\n"
              "Last Name=\r\n"
              "Company=\r\n"
              "Address1=\r\n"
              "Address2=\r\n"
              "City=\r\n"
              "State=\r\n"
              "Zip=\r\n"
              "Country=\r\n"
              "Phone=\r\n"
              "Fax=\r\n"
              "Purchase Type=New Purchase\r\n"
              "Computers at Site=\r\n"
              "I have used=\r\n"
              "How did you hear=\r\n"
              "Service=\r\n"
              "Email Address=\r\n"
              "Purchased From=\r\n"
              "Purchase Date=\r\n"
              "Serial Number=\r\n",
              folder.ReadFile("GlimRg2.ini"));
}

std::string Saved(const CardFolder &folder, const char *key)
{
    char value[256] = "";
    GetPrivateProfileStringA("User Demographics", key, "(none)", value, sizeof value,
                             folder.SettingsPath().c_str());
    return value;
}

// A service typed by hand on an earlier run comes back in the Service box,
// nothing selected in its list, and Register Later keeps it.
TEST(CardForm, SavedServiceTypedByHandIsShownAndKept)
{
    CardFolder folder;
    folder.WriteFile("GlimRg2.ini", "[User Demographics]\r\nService=Fidonet\r\n");
    CardWalk walk;
    walk.card = [](HWND form) {
        EXPECT_EQ("Fidonet", ui::ControlText(form, IDC_CARD_SERVICE));
        EXPECT_EQ(CB_ERR, SendMessageA(ui::Control(form, IDC_CARD_SERVICE), CB_GETCURSEL, 0, 0));
        ui::Click(form, IDC_REGISTER_LATER);
    };
    walk.last = &dialogs::CardForm;
    const WalkResult r = WalkCard(folder, MakeUser("Ann Smith", "", ""), walk);
    ASSERT_EQ("", r.failure);
    EXPECT_EQ(0, r.outcome);
    EXPECT_EQ("Fidonet", Saved(folder, "Service"));
}

TEST(CardForm, TheWizardRunsBothPagesAndSavesTheCardAfterEach)
{
    CardFolder folder;
    CardWalk walk;
    walk.card = [](HWND form) {
        EXPECT_EQ("Harbor Graphics", ui::ControlText(form, IDC_CARD_COMPANY));
        EXPECT_EQ("GB-200-0001", ui::ControlText(form, IDC_CARD_SERIAL));
        ui::Type(form, IDC_CARD_LAST_NAME, "smith");
        ui::Click(form, IDC_REGISTER_NOW);
    };
    walk.required = [&folder](HWND page) {
        // The card form's fields are saved before the required page shows.
        EXPECT_EQ("Smith", Saved(folder, "Last Name"));
        EXPECT_EQ("", Saved(folder, "First Name"));
        EXPECT_EQ("Smith", ui::ControlText(page, IDC_CARD_LAST_NAME));
        EXPECT_EQ("GB-200-0001", ui::ControlText(page, IDC_CARD_SERIAL));
        EXPECT_TRUE(ui::WaitForFocus(page, IDC_CARD_FIRST_NAME));
        ui::Type(page, IDC_CARD_FIRST_NAME, "ann");
        ui::Type(page, IDC_CARD_CITY, "millbrook");
        ui::Click(page, IDC_REGISTER_LATER);
    };
    walk.last = &dialogs::RequiredInfo;
    const WalkResult r = WalkCard(folder, MakeUser("", "Harbor Graphics", "GB-200-0001"), walk);
    ASSERT_EQ("", r.failure);
    EXPECT_EQ(0, r.result);
    EXPECT_EQ(0, r.outcome);
    EXPECT_EQ("Ann", Saved(folder, "First Name"));
    EXPECT_EQ("Millbrook", Saved(folder, "City"));
    EXPECT_EQ("Harbor Graphics", Saved(folder, "Company"));
    EXPECT_EQ("New Purchase", Saved(folder, "Purchase Type"));
}

}  // namespace
