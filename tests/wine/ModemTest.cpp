// Modem delivery: the problem and success dialogs on their own, and the Send
// road through the real export with the stand-in's scripted transfer.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "output/TransmitResult.h"
#include "resources/resource.h"
#include "tests/GoldenText.h"
#include "tests/driver/CardWalk.h"
#include "tests/driver/Fixture.h"
#include "tests/driver/UiDriver.h"

namespace {

const char kSuccessText[] =
    "Your copy of Glimmerbox is now registered!  Thank you for your time and we hope you "
    "enjoy our product.";

RegistrationRecord DialogRecord()
{
    RegistrationRecord r;
    memset(&r, 0, sizeof r);
    r.ModuleInstance = GetModuleHandleA(nullptr);
    CopyField(r.ProductName, "Glimmerbox");
    return r;
}

// Waits (bounded) until the condition holds, letting this thread's messages flow.
bool WaitUntil(const std::function<bool()> &condition, DWORD timeoutMs = 10000)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

TEST(TransmissionProblem, ShowsTheMessageOfTheCode)
{
    struct Row {
        int code;
        const char *text;
    };
    const Row rows[] = {
        {101, "File I/O error."},          {102, "Generic error."},
        {103, "Cannot find COM ports."},   {104, "Cannot find a modem."},
        {105, "Memory allocation error."}, {106, "Can't connect to server."},
        {107, "Can't log on to server."},  {108, "Can't transmit to server."},
        {109, "Can't hang up the phone."}, {110, "User Abort."},
        {INT_MAX, "Generic error."},       {-5, "Generic error."},
    };
    for (const Row &row : rows) {
        RegistrationRecord r = DialogRecord();
        Played played([&] { return ShowTransmissionProblem(nullptr, row.code, &r); });
        HWND dlg = WaitFor(dialogs::TransmissionProblem);
        ASSERT_NE(nullptr, dlg) << row.code;
        EXPECT_EQ(row.text, ui::ControlText(dlg, IDC_PROBLEM_TEXT)) << row.code;
        ui::Click(dlg, IDC_REGISTER_LATER);
        ASSERT_TRUE(played.Join()) << row.code;
    }
}

TEST(TransmissionProblem, EndsWithRetryPrintOrRegisterLater)
{
    enum Action { CLICK, CLOSE };
    struct Row {
        const char *name;
        Action action;
        int button;
        int result;
    };
    const Row rows[] = {
        {"Retry", CLICK, IDC_SEND, IDC_SEND},
        {"Print", CLICK, IDC_PRINT, IDC_PRINT},
        {"Register Later", CLICK, IDC_REGISTER_LATER, IDC_REGISTER_LATER},
        {"close is Register Later", CLOSE, 0, IDC_REGISTER_LATER},
    };
    for (const Row &row : rows) {
        RegistrationRecord r = DialogRecord();
        Played played([&] { return ShowTransmissionProblem(nullptr, 106, &r); });
        HWND dlg = WaitFor(dialogs::TransmissionProblem);
        ASSERT_NE(nullptr, dlg) << row.name;
        EXPECT_EQ(IDC_SEND, ui::FocusId(dlg)) << row.name;
        EXPECT_TRUE(ui::IsCentredOnDesktop(dlg)) << row.name;
        ui::PressEscape(dlg);
        EXPECT_FALSE(played.Join(300)) << row.name << ": Esc ended the dialog";
        if (row.action == CLICK)
            ui::Click(dlg, row.button);
        else
            ui::Close(dlg);
        ASSERT_TRUE(played.Join()) << row.name;
        EXPECT_EQ(row.result, played.Result()) << row.name;
    }
}

TEST(TransmissionSuccess, NamesTheProductAndEndsWithContinueOrClose)
{
    enum Action { CONTINUE, CLOSE };
    struct Row {
        const char *name;
        Action action;
        int result;
    };
    const Row rows[] = {
        {"Continue", CONTINUE, IDC_CONTINUE},
        {"close", CLOSE, IDC_REGISTER_LATER},
    };
    for (const Row &row : rows) {
        RegistrationRecord r = DialogRecord();
        Played played([&] { return RunTransmissionSuccess(nullptr, &r); });
        HWND dlg = WaitFor(dialogs::TransmissionSuccess);
        ASSERT_NE(nullptr, dlg) << row.name;
        EXPECT_EQ(kSuccessText, ui::ControlText(dlg, IDC_SUCCESS_TEXT)) << row.name;
        EXPECT_EQ(IDC_CONTINUE, ui::FocusId(dlg)) << row.name;
        EXPECT_TRUE(ui::IsCentredOnDesktop(dlg)) << row.name;
        ui::PressEscape(dlg);
        EXPECT_FALSE(played.Join(300)) << row.name << ": Esc ended the dialog";
        if (row.action == CONTINUE)
            ui::Click(dlg, IDC_CONTINUE);
        else
            ui::Close(dlg);
        ASSERT_TRUE(played.Join()) << row.name;
        EXPECT_EQ(row.result, played.Result()) << row.name;
    }
}

std::vector<std::string> Split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) {
        if (!part.empty() && part.back() == '\r')
            part.pop_back();
        parts.push_back(part);
    }
    return parts;
}

// A card folder whose stand-in transfers into an outbox and reports each step
// only when the test releases it; the host's window is made on the card's thread.
class ModemRoad {
public:
    // The card folder in subfolder of a fresh folder, if one is given.
    explicit ModemRoad(const std::string &subfolder = std::string()) : m_card(subfolder)
    {
        char name[64];
        snprintf(name, sizeof name, "GlimRegModemStep-%lu-%p", GetCurrentProcessId(),
                 static_cast<void *>(this));
        m_eventName = name;
        m_step = CreateEventA(nullptr, FALSE, FALSE, name);
        CreateDirectoryA(Outbox().c_str(), nullptr);
        CreateDirectoryA(Prints().c_str(), nullptr);
    }
    ~ModemRoad() { CloseHandle(m_step); }

    // The [Transfer] script, each further step released by Step() unless the
    // steps just follow each other; the machine the probe reports is fixed.
    void Script(const std::string &transfer, bool released = true)
    {
        const std::string pacing =
            released ? "StepMs=0\r\nStepEvent=" + m_eventName : std::string("StepMs=20");
        m_card.WriteFile("zeveze32.ini",
                         "[Transfer]\r\nOutbox=" + Outbox() + "\r\n" + pacing + "\r\n" + transfer +
                             "\r\n[Print]\r\nFolder=" + Prints() + "\r\n" + kFixedMachine);
    }
    // Lets the transfer take its next step.
    void Step() { SetEvent(m_step); }

    Played *Start()
    {
        m_user = MakeUser("Ann B Smith", "Harbor Graphics", "GB-200-0001");
        return new Played([this] {
            m_owner = CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                      nullptr, nullptr, nullptr, nullptr);
            const int r = m_card.Register(m_owner, &m_outcome, &m_user);
            DestroyWindow(m_owner);
            return r;
        });
    }
    HWND Owner() const { return m_owner; }
    int Outcome() const { return m_outcome; }
    CardFolder &Card() { return m_card; }

    std::string Outbox() const { return m_card.File("outbox"); }
    std::string Prints() const { return m_card.File("prints"); }
    std::vector<std::string> Events() const
    {
        return Split(m_card.ReadFile("outbox\\events.log"), '\n');
    }
    // One row per transfer, its 14 arguments.
    std::vector<std::vector<std::string>> Transfers() const
    {
        std::vector<std::vector<std::string>> rows;
        for (const std::string &line : Split(m_card.ReadFile("outbox\\transfer.log"), '\n'))
            // cppcheck-suppress useStlAlgorithm ; a loop of pushes reads plainer than transform
            rows.push_back(Split(line, '\t'));
        return rows;
    }
    std::string Sent(int n) const
    {
        char name[64];
        snprintf(name, sizeof name, "outbox\\record-%04d.txt", n);
        return m_card.ReadFile(name);
    }
    bool RecordFileExists() const
    {
        return GetFileAttributesA(m_card.File("eregreg.txt").c_str()) != INVALID_FILE_ATTRIBUTES;
    }

private:
    CardFolder m_card;
    std::string m_eventName;
    HANDLE m_step = nullptr;
    HostUserRecord m_user{};
    HWND m_owner = nullptr;
    int m_outcome = -1;
};

std::string Hex(const void *p)
{
    char text[32];
    snprintf(text, sizeof text, "%#llx",
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(p)));
    return text;
}

// The modem options as the user leaves them.
struct ModemChoice {
    const char *prefix;
    int port;  // list index; -1 leaves COM1
    bool noWait;
};

// Plays the modem options dialog; the failure, if any, is returned.
std::string PlayModemOptions(const ModemChoice &choice)
{
    HWND modem = WaitFor(dialogs::ModemOptions);
    if (!modem)
        return "the modem options did not show";
    std::string failure;
    // Each showing starts from the defaults.
    if (!ui::ControlText(modem, IDC_MODEM_PREFIX).empty() ||
        ui::ControlText(modem, IDC_MODEM_PORT) != "COM1:" ||
        !ui::IsChecked(modem, IDC_MODEM_WAIT_DIAL_TONE) ||
        !ui::IsChecked(modem, IDC_MODEM_DIAL_ONE))
        failure = "the modem options did not start from their defaults";
    ui::Type(modem, IDC_MODEM_PREFIX, choice.prefix);
    if (choice.port >= 0)
        ui::Pick(modem, IDC_MODEM_PORT, choice.port);
    if (choice.noWait)
        ui::Check(modem, IDC_MODEM_WAIT_DIAL_TONE, false);
    ui::Click(modem, IDC_CONTINUE);
    if (!ui::WaitForClose(modem))
        failure = "the modem options did not close";
    return failure;
}

// The record file the modem sends for the typed card below, of Ann B Smith of
// Harbor Graphics on the fixed machine, a line of TAB-terminated fields: the
// product code and the card, the list selections (a service typed by hand
// selects none), the hardware texts, the hardware codes and the 51 answers.
const char kSentRecord[] =
    "TVGB200\tAnn\tB\tSmith\tHarbor Graphics\t"
    "1 Main Street\t\tSpringfield\tOregon\t97000\t\t"
    "503-555-0100\t\tann@example.com\tInternet\t"
    "GB-200-0001\t\t\t"
    "1\t1\t1\t1\t0\t"
    "16000 KB\tLaser\tC (540)\tA (1.44M)\tD (CD)\t6.22\t3.11\t"
    "0\t2\t2\t1\t1\t1\t2\t4\t1\t1\t"
    "F\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\t"
    "F\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\t"
    "F\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\t"
    "\r\n";

// The same card with the configuration withheld: no hardware texts, blank codes.
const char kWithheldRecord[] =
    "TVGB200\tAnn\tB\tSmith\tHarbor Graphics\t"
    "1 Main Street\t\tSpringfield\tOregon\t97000\t\t"
    "503-555-0100\t\tann@example.com\tInternet\t"
    "GB-200-0001\t\t\t"
    "1\t1\t1\t1\t0\t"
    "\t\t\t\t\t\t\t"
    " \t \t \t \t \t \t \t \t \t \t"
    "F\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\t"
    "F\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\t"
    "F\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\t"
    "\r\n";

// The same card with its service saved by hand on an earlier run, not typed.
const char kSavedServiceRecord[] =
    "TVGB200\tAnn\tB\tSmith\tHarbor Graphics\t"
    "1 Main Street\t\tSpringfield\tOregon\t97000\t\t"
    "503-555-0100\t\tann@example.com\tFidonet\t"
    "GB-200-0001\t\t\t"
    "1\t1\t1\t1\t0\t"
    "16000 KB\tLaser\tC (540)\tA (1.44M)\tD (CD)\t6.22\t3.11\t"
    "0\t2\t2\t1\t1\t1\t2\t4\t1\t1\t"
    "F\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\t"
    "F\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\t"
    "F\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\tF\t"
    "\r\n";

// The required fields, a telephone number, an e-mail address and a service.
CardEntries TypedCard()
{
    CardEntries entries = RequiredEntries();
    entries.push_back({IDC_CARD_PHONE, "503-555-0100"});
    entries.push_back({IDC_CARD_EMAIL, "ann@example.com"});
    entries.push_back({IDC_CARD_SERVICE, "Internet"});
    return entries;
}

// Walks to the delivery choice and presses Send; the failure, if any.
std::string PressSend(const CardWalk::Page &hardware = nullptr,
                      const CardEntries &entries = TypedCard())
{
    CardWalk walk;
    walk.entries = entries;
    walk.hardware = hardware;
    walk.delivery = Press(IDC_SEND);
    return PlayPages(walk);
}

std::string ChooseSend(const ModemChoice &choice, const CardWalk::Page &hardware = nullptr,
                       const CardEntries &entries = TypedCard())
{
    const std::string failure = PressSend(hardware, entries);
    if (!failure.empty())
        return failure;
    return PlayModemOptions(choice);
}

bool TextBecomes(HWND dlg, int id, const std::string &text)
{
    return WaitUntil([&] { return ui::ControlText(dlg, id) == text; });
}

TEST(ModemRoad, SuccessTransfersTheTypedCardAndFinishes)
{
    ModemRoad road;
    road.Script("Result=0\r\nProgress=1,2,5");
    std::unique_ptr<Played> played(road.Start());
    ASSERT_EQ("", ChooseSend({"9", 2, true}));

    HWND status = WaitFor(dialogs::ModemStatus);
    ASSERT_NE(nullptr, status);
    EXPECT_TRUE(TextBecomes(status, IDC_MODEM_STATUS_TEXT, "Initializing modem..."));
    EXPECT_EQ(road.Owner(), GetWindow(status, GW_OWNER));
    EXPECT_TRUE(ui::WaitForFocus(status, IDCANCEL));
    EXPECT_TRUE(ui::IsCentredOnDesktop(status)) << "status window";
    EXPECT_TRUE(road.RecordFileExists()) << "the record file is there while it is sent";

    // A close request neither cancels the transfer nor closes the window.
    ui::Close(status);
    EXPECT_FALSE(ui::WaitForClose(status, 300));
    EXPECT_TRUE(IsWindowEnabled(ui::Control(status, IDCANCEL)));

    road.Step();
    EXPECT_TRUE(TextBecomes(status, IDC_MODEM_STATUS_TEXT, "Dialing..."));
    road.Step();

    HWND success = WaitFor(dialogs::TransmissionSuccess);
    ASSERT_NE(nullptr, success);
    EXPECT_FALSE(IsWindow(status)) << "the status window outlived the transfer";
    EXPECT_EQ(kSuccessText, ui::ControlText(success, IDC_SUCCESS_TEXT));
    EXPECT_FALSE(road.RecordFileExists());
    ui::Click(success, IDC_CONTINUE);

    ASSERT_TRUE(played->Join());
    EXPECT_EQ(0, played->Result());
    EXPECT_EQ(1, road.Outcome());
    EXPECT_FALSE(road.RecordFileExists());

    const std::vector<std::string> events = {"begin 1",    "transfer",   "progress 1",
                                             "progress 2", "progress 5", "result 0"};
    EXPECT_EQ(events, road.Events());
    EXPECT_TRUE(MatchesGolden(kSentRecord, road.Sent(1)));

    const auto transfers = road.Transfers();
    ASSERT_EQ(1u, transfers.size());
    const std::vector<std::string> &args = transfers[0];
    ASSERT_EQ(14u, args.size());
    EXPECT_EQ(Hex(road.Card().Library()), args[0]) << "module";
    EXPECT_EQ(Hex(road.Owner()), args[1]) << "owner";
    HMODULE callbackModule = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(strtoull(args[2].c_str(), nullptr, 0)),
                       &callbackModule);
    EXPECT_EQ(road.Card().Library(), callbackModule) << "the progress callback is the card's";
    const std::vector<std::string> rest(args.begin() + 3, args.end());
    const std::vector<std::string> expected = {
        "2", road.Card().File("eregreg.txt"), "9,1800-555-0142", "GB200", "2", "45", "3",
        "2400", "2", "200", "8"};
    EXPECT_EQ(expected, rest);
}

// What is sent is the card as the call built it, byte for byte: the
// configuration withheld on the hardware page (by OK or by closing it) leaves
// out every probed text and hardware code; a service typed by hand on an
// earlier run goes with selection number 0; a library installed deeper than
// the old 127-character file paths sends all the same.
TEST(ModemRoad, SentRecordIsTheCardByteForByte)
{
    struct Row {
        const char *name;
        std::string subfolder;
        CardWalk::Page hardware;   // unset: OK, the configuration sent
        const char *savedService;  // in the settings file, not typed; null: "Internet" typed
        const char *golden;
    };
    const Row rows[] = {
        {"configuration withheld by OK", "", WithholdConfiguration, nullptr, kWithheldRecord},
        {"configuration withheld, page closed", "", WithholdAndClose, nullptr, kWithheldRecord},
        {"a saved service that no entry begins", "", nullptr, "Fidonet", kSavedServiceRecord},
        {"library in a folder deeper than 127 characters",
         std::string(60, 'd') + "\\" + std::string(60, 'e'), nullptr, nullptr, kSentRecord},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ModemRoad road(row.subfolder);
        road.Script("Result=0\r\nProgress=1", false);
        CardEntries entries = TypedCard();
        if (row.savedService) {
            road.Card().WriteFile("GlimRg2.ini", std::string("[User Demographics]\r\nService=") +
                                                     row.savedService + "\r\n");
            entries.pop_back();  // the service is left as the card shows it
        }
        if (!row.subfolder.empty()) {
            EXPECT_LT(127u, road.Card().File("eregreg.txt").size());
        }
        std::unique_ptr<Played> played(road.Start());
        ASSERT_EQ("", ChooseSend({"", -1, false}, row.hardware, entries));
        HWND success = WaitFor(dialogs::TransmissionSuccess);
        ASSERT_NE(nullptr, success);
        ui::Click(success, IDC_CONTINUE);
        ASSERT_TRUE(played->Join());
        EXPECT_EQ(1, road.Outcome());
        EXPECT_FALSE(road.RecordFileExists());

        const bool withheld = static_cast<bool>(row.hardware);
        const std::string sent = road.Sent(1);
        EXPECT_TRUE(MatchesGolden(row.golden, sent));
        if (withheld) {
            for (const char *probed : {"Laser", "15360", "VGA", "6.22", "3.11"})
                EXPECT_EQ(std::string::npos, sent.find(probed)) << probed;
            EXPECT_NE(kSentRecord, sent) << "the configuration went all the same";
        }
        if (row.savedService) {
            EXPECT_NE(std::string::npos, sent.find(std::string("\t") + row.savedService + "\t"));
        }
    }
}

// Closing the modem options (Alt+F4, there is no Cancel) backs out of the
// Send: nothing is written or dialled, on the first try or after a Retry.
TEST(ModemRoad, ClosingTheModemOptionsDialsNothing)
{
    struct Row {
        const char *name;
        bool afterRetry;
    };
    const Row rows[] = {
        {"first try", false},
        {"after a failed attempt and Retry", true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ModemRoad road;
        road.Script(row.afterRetry ? "Progress=1\r\nResult=104" : "Result=0");
        std::unique_ptr<Played> played(road.Start());
        if (row.afterRetry) {
            ASSERT_EQ("", ChooseSend({"9", -1, false}));
            HWND problem = WaitFor(dialogs::TransmissionProblem);
            ASSERT_NE(nullptr, problem);
            ui::Click(problem, IDC_SEND);
        } else {
            ASSERT_EQ("", PressSend());
        }
        HWND modem = WaitFor(dialogs::ModemOptions);
        ASSERT_NE(nullptr, modem);
        ui::Close(modem);
        // The call ends by itself: a status window or dialog would keep it waiting.
        ASSERT_TRUE(played->Join());
        EXPECT_EQ(0, played->Result());
        EXPECT_EQ(0, road.Outcome());
        EXPECT_EQ(row.afterRetry ? 1u : 0u, road.Transfers().size());
        EXPECT_FALSE(road.RecordFileExists());
    }
}

// After a failed attempt the user retries, prints or registers later.
TEST(ModemRoad, FailureShowsTheMessageAndLeadsOn)
{
    enum Choice { RETRY, PRINT, LATER };
    struct Row {
        const char *name;
        int code;
        const char *message;
        Choice choice;
        int outcome;
    };
    const Row rows[] = {
        {"Retry, then sent", 101, "File I/O error.", RETRY, 1},
        {"Print", INT_MAX, "Generic error.", PRINT, 1},
        {"Register Later", -5, "Generic error.", LATER, 0},
    };
    for (const Row &row : rows) {
        ModemRoad road;
        road.Script("Progress=1\r\nResult=" + std::to_string(row.code));
        std::unique_ptr<Played> played(road.Start());
        ASSERT_EQ("", ChooseSend({"9", -1, true})) << row.name;

        HWND problem = WaitFor(dialogs::TransmissionProblem);
        ASSERT_NE(nullptr, problem) << row.name;
        EXPECT_EQ(row.message, ui::ControlText(problem, IDC_PROBLEM_TEXT)) << row.name;
        EXPECT_EQ(nullptr, WaitFor(dialogs::ModemStatus, 0)) << row.name;
        EXPECT_FALSE(road.RecordFileExists()) << row.name;

        switch (row.choice) {
        case RETRY: {
            road.Script("Progress=1,2,3\r\nResult=0", false);
            ui::Click(problem, IDC_SEND);
            EXPECT_EQ("", PlayModemOptions({"", -1, false})) << row.name;
            HWND success = WaitFor(dialogs::TransmissionSuccess);
            ASSERT_NE(nullptr, success) << row.name;
            ui::Click(success, IDC_CONTINUE);
            break;
        }
        case PRINT: {
            ui::Click(problem, IDC_PRINT);
            HWND reminder = WaitFor(dialogs::Reminder);
            ASSERT_NE(nullptr, reminder) << row.name;
            ui::Click(reminder, IDC_CONTINUE);
            break;
        }
        case LATER:
            ui::Click(problem, IDC_REGISTER_LATER);
            break;
        }
        ASSERT_TRUE(played->Join()) << row.name;
        EXPECT_EQ(row.outcome, road.Outcome()) << row.name;
        EXPECT_FALSE(road.RecordFileExists()) << row.name;

        const auto transfers = road.Transfers();
        ASSERT_EQ(row.choice == RETRY ? 2u : 1u, transfers.size()) << row.name;
        EXPECT_EQ("9,1800-555-0142", transfers[0].at(5)) << row.name;
        EXPECT_EQ("8", transfers[0].at(13)) << row.name;
        if (row.choice == RETRY) {
            // Written afresh from the second showing's defaults.
            EXPECT_EQ("1800-555-0142", transfers[1].at(5)) << row.name;
            EXPECT_EQ("0", transfers[1].at(13)) << row.name;
            EXPECT_EQ(road.Sent(1), road.Sent(2)) << row.name;
        }
        if (row.choice == PRINT) {
            EXPECT_FALSE(road.Card().ReadFile("prints\\card-0001.txt").empty()) << row.name;
        }
    }
}

TEST(ModemRoad, CancelIsPassedOnOnceAtTheNextProgressCall)
{
    ModemRoad road;
    road.Script("Result=0\r\nProgress=1,0,2");
    std::unique_ptr<Played> played(road.Start());
    ASSERT_EQ("", ChooseSend({"", -1, false}));

    HWND status = WaitFor(dialogs::ModemStatus);
    ASSERT_NE(nullptr, status);
    ASSERT_TRUE(TextBecomes(status, IDC_MODEM_STATUS_TEXT, "Initializing modem..."));
    HWND cancel = ui::Control(status, IDCANCEL);
    ui::Click(status, IDCANCEL);
    // Disabled before the transfer takes another step; the library not yet told.
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(cancel); }));
    const std::vector<std::string> before = {"begin 1", "transfer", "progress 1"};
    EXPECT_EQ(before, road.Events());

    // Code 0 leaves the status line alone but passes the request on.
    road.Step();
    EXPECT_TRUE(WaitUntil([&] { return road.Events().size() == 5; }));
    EXPECT_EQ("Initializing modem...", ui::ControlText(status, IDC_MODEM_STATUS_TEXT));
    EXPECT_TRUE(IsWindow(status));

    road.Step();
    HWND problem = WaitFor(dialogs::TransmissionProblem);
    ASSERT_NE(nullptr, problem);
    EXPECT_EQ("User Abort.", ui::ControlText(problem, IDC_PROBLEM_TEXT));
    EXPECT_FALSE(road.RecordFileExists());
    ui::Click(problem, IDC_REGISTER_LATER);

    ASSERT_TRUE(played->Join());
    EXPECT_EQ(0, road.Outcome());
    const std::vector<std::string> events = {"begin 1",    "transfer", "progress 1",
                                             "progress 0", "cancel",   "result 110"};
    EXPECT_EQ(events, road.Events());
}

// A record file that cannot be written is told like a failed transfer, and
// the user goes on from the problem dialog; nothing is dialled.
TEST(ModemRoad, RecordFileThatCannotBeWrittenIsReported)
{
    struct Row {
        const char *name;
        int button;
        int outcome;
    };
    const Row rows[] = {
        {"Print", IDC_PRINT, 1},
        {"Register Later", IDC_REGISTER_LATER, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ModemRoad road;
        road.Script("Result=0");
        // A folder holds the record file's name, so the file cannot be created.
        ASSERT_TRUE(CreateDirectoryA(road.Card().File("eregreg.txt").c_str(), nullptr));
        std::unique_ptr<Played> played(road.Start());
        ASSERT_EQ("", ChooseSend({"9", -1, false}));

        HWND problem = WaitFor(dialogs::TransmissionProblem);
        ASSERT_NE(nullptr, problem);
        EXPECT_EQ("File I/O error.", ui::ControlText(problem, IDC_PROBLEM_TEXT));
        EXPECT_EQ(nullptr, WaitFor(dialogs::ModemStatus, 0));
        ui::Click(problem, row.button);
        if (row.button == IDC_PRINT) {
            HWND reminder = WaitFor(dialogs::Reminder);
            ASSERT_NE(nullptr, reminder);
            ui::Click(reminder, IDC_CONTINUE);
        }

        ASSERT_TRUE(played->Join());
        EXPECT_EQ(0, played->Result());
        EXPECT_EQ(row.outcome, road.Outcome());
        EXPECT_TRUE(road.Events().empty()) << "something was dialled";
        EXPECT_TRUE(road.Transfers().empty());
        EXPECT_EQ(row.button == IDC_PRINT, !road.Card().ReadFile("prints\\card-0001.txt").empty());
    }
}

}  // namespace
