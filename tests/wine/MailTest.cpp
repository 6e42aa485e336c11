// E-mail delivery through the real export: the whole card played by the UI
// driver, the mail sent to a real SMTP server on a loopback address, and what
// the server received compared byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "output/Render.h"
#include "pages/Probe.h"
#include "resources/resource.h"
#include "tests/driver/Fixture.h"
#include "tests/driver/UiDriver.h"
#include "tests/driver/Walk.h"
#include "wizard/Settings.h"

namespace {

const char kProgressCaption[] = "E-Mail Progress";
const char kConnecting[] = "Connecting to the Tarvolen e-mail server...";
const char kComplete[] = "Transfer complete!\n\nPress OK to continue.";
const char kNotAccepted[] =
    "The Tarvolen e-mail server did not accept the registration!\n\n"
    "Please try again later or use a different registration method.";
const char kMailbox[] = "registration@tarvolen.example";
const char kEmail[] = "ann@harbor.example";

// The test server's addresses, one per behaviour (tests/e2e/smtp_server.py).
const char kNormal[] = "127.0.25.1";
const char kRefuseHelo[] = "127.0.25.2";
const char kRefuseMail[] = "127.0.25.3";
const char kRefuseRcpt[] = "127.0.25.4";
const char kRefuseData[] = "127.0.25.5";
const char kWideCard[] = "127.0.25.6";
const char kNeverAccepts[] = "127.0.25.7";
const char kClosed[] = "127.0.25.8";

std::string ServerFolder(const char *address)
{
    char root[MAX_PATH] = "";
    GetEnvironmentVariableA("GLIMREG_SMTP", root, sizeof root);
    return std::string(root) + "\\" + address;
}

std::vector<std::string> Sessions(const std::string &folder, const char *pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do
            names.push_back(folder + "\\" + found.cFileName);
        while (FindNextFileA(h, &found));
        FindClose(h);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadAll(const std::string &path)
{
    std::string bytes;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return bytes;
    char chunk[4096];
    DWORD n = 0;
    while (ReadFile(f, chunk, sizeof chunk, &n, nullptr) && n > 0)
        bytes.append(chunk, n);
    CloseHandle(f);
    return bytes;
}

// What the server recorded of one session: its commands (without the
// duration line) and the message it took, if any.
struct Session {
    std::string commands;
    std::string message;
    bool seen = false;
};

// The dialog closes the connection when it goes: the server writes its
// record then, so the record is awaited (bounded).
Session AwaitSession(const std::string &folder)
{
    Session s;
    const DWORD start = GetTickCount();
    std::vector<std::string> found;
    while ((found = Sessions(folder, "session-*.txt")).empty() && GetTickCount() - start < 10000)
        Sleep(20);
    if (found.size() != 1)
        return s;
    s.seen = true;
    s.commands = ReadAll(found[0]);
    s.commands.erase(s.commands.find("duration "));
    const std::string eml = found[0].substr(0, found[0].size() - 4) + ".eml";
    s.message = ReadAll(eml);
    return s;
}

// Polls the status text until it is the expected one (bounded); gives the last.
std::string AwaitStatus(HWND dlg, const std::string &expected)
{
    std::string text;
    const DWORD start = GetTickCount();
    while ((text = ui::ControlText(dlg, IDC_EMAIL_STATUS)) != expected &&
           GetTickCount() - start < 15000)
        Sleep(20);
    return text;
}

// A card folder whose library mails to host, with the server's record of
// that address emptied.
class MailRoad {
public:
    explicit MailRoad(const std::string &host) : m_folder(ServerFolder(host.c_str()))
    {
        m_rewritten = RewriteString(m_card.File("GlimReg.dll"), IDS_MAIL_HOST, host);
        for (const char *pattern : {"session-*.txt", "session-*.eml"})
            for (const std::string &f : Sessions(m_folder, pattern))
                DeleteFileA(f.c_str());
        m_user = MakeUser("Ann B Smith", "Harbor Graphics", "GB-200-0001");
    }

    // Walks the card with the entries and chooses E-Mail; the progress dialog.
    HWND ChooseEmail(const CardEntries &entries)
    {
        m_call.reset(new Played([this] { return m_card.Register(nullptr, &m_outcome, &m_user); }));
        HWND delivery = WalkToDelivery(entries);
        if (!delivery)
            return nullptr;
        ui::Click(delivery, IDC_EMAIL);
        return ui::WaitForWindow(kProgressCaption);
    }

    bool Ended() { return m_call->Join(); }
    // Every card key the saves wrote, as "key=value" lines, and the number of
    // questionnaire keys; a key lost would be missing from them.
    std::string SavedCard() const
    {
        std::string lines;
        for (const CardKey *k = kCardKeys; k->key; ++k) {
            char value[256] = "?";
            GetPrivateProfileStringA("User Demographics", k->key, "(missing)", value,
                                     sizeof value, m_card.SettingsPath().c_str());
            lines += std::string(k->key) + "=" + value + "\n";
        }
        return lines;
    }
    int SavedAnswers() const
    {
        char keys[4096] = "";
        GetPrivateProfileStringA("Market Research", nullptr, "", keys, sizeof keys,
                                 m_card.SettingsPath().c_str());
        int n = 0;
        for (const char *k = keys; *k; k += strlen(k) + 1)
            ++n;
        return n;
    }
    int Outcome() const { return m_outcome; }
    bool Rewritten() const { return m_rewritten; }
    Session Received() const { return AwaitSession(m_folder); }

    // The mail body as the library renders it from the card the walk saved.
    std::string ExpectedBody()
    {
        RegistrationRecord rec;
        memset(&rec, 0, sizeof rec);
        rec.ModuleInstance = m_card.Library();
        LoadConfiguration(&rec);
        CopyField(rec.HardwareCodes, "XXXXXXXXXX");
        LoadCard(&rec);
        // The Service list opens on its blank "no answer" entry, which the
        // settings file cannot keep: the profile functions drop a lone blank.
        if (!rec.Service[0])
            CopyField(rec.Service, " ");
        LoadQuestionnaire(&rec);
        ProbeHardware(&rec);
        char body[MAIL_BODY_WIDTH];
        BuildMailBody(&rec, body, sizeof body);
        return body;
    }

private:
    CardFolder m_card;
    std::string m_folder;
    bool m_rewritten = false;
    HostUserRecord m_user{};
    int m_outcome = -1;
    std::unique_ptr<Played> m_call;
};

CardEntries WithEmail(const char *email)
{
    CardEntries entries = RequiredEntries();
    entries.push_back({IDC_CARD_EMAIL, email});
    return entries;
}

std::string Commands(const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &l : lines)
        text += l + "\n";
    return text;
}

TEST(MailRoad, MailAcceptedFinishesTheRegistration)
{
    MailRoad road(kNormal);
    ASSERT_TRUE(road.Rewritten());
    HWND dlg = road.ChooseEmail(WithEmail(kEmail));
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ(kComplete, AwaitStatus(dlg, kComplete));
    EXPECT_TRUE(IsWindowEnabled(ui::Control(dlg, IDOK)));
    EXPECT_FALSE(IsWindowEnabled(ui::Control(dlg, IDCANCEL)));
    ui::Click(dlg, IDOK);

    ASSERT_TRUE(road.Ended());
    EXPECT_EQ(1, road.Outcome());
    const Session s = road.Received();
    ASSERT_TRUE(s.seen);
    EXPECT_EQ(Commands({"HELO harbor.example", "MAIL FROM: <ann@harbor.example>",
                        "RCPT TO: <registration@tarvolen.example>", "DATA", "QUIT"}),
              s.commands);
    const std::string body = road.ExpectedBody();
    EXPECT_EQ(0u, body.find("TV"));
    EXPECT_NE(std::string::npos, body.find("\tAnn\tB\tSmith\tHarbor Graphics\t1 Main Street\t"));
    EXPECT_EQ(std::string("To: ") + kMailbox + "\r\nFrom: " + kEmail +
                  "\r\nSubject:  Tarvolen Product Registration E-Mail#### \r\n\r\n" + body + "\r\n",
              s.message);
}

// Each refusal leaves its text, OK disabled and Cancel enabled; Cancel ends
// the card unfinished, and the session always ends with QUIT.
TEST(MailRoad, RefusalsLeaveTheirTextAndTheCardUnfinished)
{
    struct Row {
        const char *name;
        const char *host;
        const char *email;
        std::string text;
        std::vector<std::string> commands;
    };
    const std::string tail = "\n\nIf not, press Cancel and re-enter your registration information.";
    const Row rows[] = {
        {"HELO refused", kRefuseHelo, kEmail,
         "The Tarvolen server does not recognize your site name!\n"
         "Is this your site name: 'harbor.example'?" + tail,
         {"HELO harbor.example", "QUIT"}},
        {"an address without an at sign: an empty HELO argument", kNormal, "ann.harbor",
         "The Tarvolen server does not recognize your site name!\nIs this your site name: ''?" + tail,
         {"HELO", "QUIT"}},
        {"MAIL refused", kRefuseMail, kEmail,
         "The Tarvolen mail server does not recognize your email address!\n"
         "Is this your e-mail address: 'ann@harbor.example'?" + tail,
         {"HELO harbor.example", "MAIL FROM: <ann@harbor.example>", "QUIT"}},
        {"RCPT refused", kRefuseRcpt, kEmail,
         "The Tarvolen electronic registration email address cannot be found!\n\n"
         "Please try again later or use a different registration method.",
         {"HELO harbor.example", "MAIL FROM: <ann@harbor.example>",
          "RCPT TO: <registration@tarvolen.example>", "QUIT"}},
        {"DATA refused", kRefuseData, kEmail, kNotAccepted,
         {"HELO harbor.example", "MAIL FROM: <ann@harbor.example>",
          "RCPT TO: <registration@tarvolen.example>", "DATA", "QUIT"}},
    };
    for (const Row &row : rows) {
        MailRoad road(row.host);
        ASSERT_TRUE(road.Rewritten()) << row.name;
        HWND dlg = road.ChooseEmail(WithEmail(row.email));
        ASSERT_NE(nullptr, dlg) << row.name;
        EXPECT_EQ(row.text, AwaitStatus(dlg, row.text)) << row.name;
        EXPECT_FALSE(IsWindowEnabled(ui::Control(dlg, IDOK))) << row.name;
        EXPECT_TRUE(IsWindowEnabled(ui::Control(dlg, IDCANCEL))) << row.name;
        ui::Click(dlg, IDCANCEL);
        ASSERT_TRUE(road.Ended()) << row.name;
        EXPECT_EQ(0, road.Outcome()) << row.name;
        const Session s = road.Received();
        EXPECT_EQ(Commands(row.commands), s.commands) << row.name;
        EXPECT_EQ("", s.message) << row.name;
    }
}

// Every text field typed to its width: the one-line body passes the server's
// line limit, the server refuses the data at its end, and the card must not
// count as mailed.
TEST(MailRoad, BodyRefusedAtTheEndOfDataIsNotCountedAsMailed)
{
    struct Field {
        int id;
        size_t width;
        char c;
    };
    const Field fields[] = {
        {IDC_CARD_FIRST_NAME, 50, 'W'}, {IDC_CARD_INITIAL, 2, 'W'},   {IDC_CARD_LAST_NAME, 50, 'W'},
        {IDC_CARD_COMPANY, 100, 'W'},   {IDC_CARD_ADDRESS1, 100, 'W'}, {IDC_CARD_ADDRESS2, 100, 'W'},
        {IDC_CARD_CITY, 50, 'W'},       {IDC_CARD_STATE, 50, 'W'},    {IDC_CARD_ZIP, 16, '9'},
        {IDC_CARD_COUNTRY, 50, 'W'},    {IDC_CARD_PHONE, 32, '9'},    {IDC_CARD_FAX, 32, '9'},
        {IDC_CARD_PURCHASED_FROM, 100, 'W'}, {IDC_CARD_PURCHASE_DATE, 32, '9'},
    };
    CardEntries entries;
    for (const Field &f : fields)
        // cppcheck-suppress useStlAlgorithm ; a loop of pushes reads plainer than transform
        entries.push_back({f.id, std::string(f.width - 1, f.c)});
    entries.push_back({IDC_CARD_EMAIL, "ann@" + std::string(95, 'w')});

    MailRoad road(kWideCard);
    ASSERT_TRUE(road.Rewritten());
    HWND dlg = road.ChooseEmail(entries);
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ(kNotAccepted, AwaitStatus(dlg, kNotAccepted));
    EXPECT_FALSE(IsWindowEnabled(ui::Control(dlg, IDOK)));
    ui::Click(dlg, IDCANCEL);
    ASSERT_TRUE(road.Ended());
    EXPECT_EQ(0, road.Outcome());
    EXPECT_GT(road.ExpectedBody().size(), 1001u) << "the body must pass the server's line limit";
    const Session s = road.Received();
    EXPECT_EQ(Commands({"HELO " + std::string(95, 'w'), "MAIL FROM: <ann@" + std::string(95, 'w') + ">",
                        "RCPT TO: <registration@tarvolen.example>", "DATA", "QUIT"}),
              s.commands);
    EXPECT_EQ("", s.message);
}

TEST(MailRoad, HostNameThatDoesNotResolveIsUnreachable)
{
    MailRoad road("mail.nowhere.invalid");
    ASSERT_TRUE(road.Rewritten());
    HWND dlg = road.ChooseEmail(WithEmail(kEmail));
    ASSERT_NE(nullptr, dlg);
    const std::string text =
        "The Tarvolen e-mail host 'mail.nowhere.invalid' is unreachable!\n\n"
        "Please try again later or use a different registration method.";
    EXPECT_EQ(text, AwaitStatus(dlg, text));
    EXPECT_FALSE(IsWindowEnabled(ui::Control(dlg, IDOK)));
    ui::Click(dlg, IDCANCEL);
    ASSERT_TRUE(road.Ended());
    EXPECT_EQ(0, road.Outcome());
}

TEST(MailRoad, RefusedConnectionShowsTheSocketErrorAndKeepsConnecting)
{
    MailRoad road(kClosed);
    ASSERT_TRUE(road.Rewritten());
    HWND dlg = road.ChooseEmail(WithEmail(kEmail));
    ASSERT_NE(nullptr, dlg);
    HWND box = ui::WaitForMessageBox("GlimReg");
    ASSERT_NE(nullptr, box);
    const MessageBoxSeen seen = ui::ReadMessageBox(box);
    EXPECT_EQ("Error: 10061 -- Socket 564", seen.text);
    EXPECT_TRUE(seen.stopIcon);
    EXPECT_EQ(std::vector<int>{IDOK}, seen.buttons);
    ui::Answer(box, IDOK);
    EXPECT_EQ(kConnecting, ui::ControlText(dlg, IDC_EMAIL_STATUS));
    EXPECT_FALSE(IsWindowEnabled(ui::Control(dlg, IDOK)));
    ui::Click(dlg, IDCANCEL);
    ASSERT_TRUE(road.Ended());
    EXPECT_EQ(0, road.Outcome());
}

TEST(MailRoad, CancelBeforeTheConnectionCompletes)
{
    MailRoad road(kNeverAccepts);
    ASSERT_TRUE(road.Rewritten());
    HWND dlg = road.ChooseEmail(WithEmail(kEmail));
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ(kConnecting, ui::ControlText(dlg, IDC_EMAIL_STATUS));
    EXPECT_FALSE(IsWindowEnabled(ui::Control(dlg, IDOK)));
    ui::Click(dlg, IDCANCEL);
    ASSERT_TRUE(road.Ended());
    EXPECT_EQ(0, road.Outcome());
}

// Hostile servers: each row must end with a clear outcome within the bounded
// waits; socket error boxes that show on the way are answered and counted.
TEST(MailRoad, HostileServersEndClearly)
{
    const char kConnected[] =
        "Connected to the Tarvolen E-Mail server!\n\nTransfering registration data...";
    struct Row {
        const char *name;
        const char *host;
        bool delivered;
    };
    const Row rows[] = {
        {"a greeting line of 1 MB", "127.0.25.10", false},
        {"NUL bytes after every reply", "127.0.25.11", true},
        {"every reply split byte by byte", "127.0.25.12", true},
        {"reset after the greeting", "127.0.25.21", false},
        {"reset after the HELO reply", "127.0.25.22", false},
        {"reset after the MAIL reply", "127.0.25.23", false},
        {"reset after the RCPT reply", "127.0.25.24", false},
        {"reset after the DATA reply", "127.0.25.25", false},
        // The server took the mail before the connection went: it is mailed.
        {"reset after the end-of-data reply", "127.0.25.26", true},
        {"reset after the QUIT reply", "127.0.25.27", true},
    };
    for (const Row &row : rows) {
        MailRoad road(row.host);
        ASSERT_TRUE(road.Rewritten()) << row.name;
        HWND dlg = road.ChooseEmail(WithEmail(kEmail));
        ASSERT_NE(nullptr, dlg) << row.name;

        std::string text;
        int boxes = 0;
        const DWORD start = GetTickCount();
        for (;;) {
            if (HWND box = ui::WaitForMessageBox("GlimReg", 0)) {
                const MessageBoxSeen seen = ui::ReadMessageBox(box);
                ++boxes;
                ui::Answer(box, seen.buttons.empty() ? IDOK : seen.buttons.front());
                ui::WaitForClose(box);
            }
            text = ui::ControlText(dlg, IDC_EMAIL_STATUS);
            if (text != kConnecting && text != kConnected)
                break;
            ASSERT_LT(GetTickCount() - start, 90000u) << row.name << ": no outcome";
            Sleep(20);
        }
        const bool okEnabled = IsWindowEnabled(ui::Control(dlg, IDOK));
        EXPECT_EQ(row.delivered, text == kComplete) << row.name << ": " << text;
        EXPECT_EQ(row.delivered, okEnabled) << row.name;
        ui::Click(dlg, okEnabled ? IDOK : IDCANCEL);
        ASSERT_TRUE(road.Ended()) << row.name;
        EXPECT_EQ(row.delivered ? 1 : 0, road.Outcome()) << row.name;
        // Whatever the server did, the card the user typed stays saved whole.
        const std::string saved = road.SavedCard();
        EXPECT_EQ(std::string::npos, saved.find("=(missing)")) << row.name << "\n" << saved;
        EXPECT_NE(std::string::npos, saved.find("\nEmail Address=" + std::string(kEmail) + "\n"))
            << row.name;
        EXPECT_NE(std::string::npos, saved.find("First Name=Ann\n")) << row.name;
        EXPECT_EQ(QUESTION_COUNT + 1, road.SavedAnswers()) << row.name;
        printf("  %s: \"%s\", %d error box(es), %lu ms\n", row.name,
               text.substr(0, text.find('\n')).c_str(), boxes,
               static_cast<unsigned long>(GetTickCount() - start));
    }
}

}  // namespace
