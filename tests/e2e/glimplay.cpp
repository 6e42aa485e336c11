// glimplay: plays a user through the registration card, as the demo shows it.
// It starts glimhost.exe from its own folder, the host that loads GlimReg.dll
// and calls its export, and plays the user in the host's windows with the UI
// driver, saving a picture of every dialog as it appears.
//   glimplay [--road email|print|send|later] [--shots FOLDER] [--interactive]
//            [--mail-host ADDRESS]
//            [--name TEXT] [--company TEXT] [--serial TEXT]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "include/GlimReg.h"
#include "resources/resource.h"
#include "tests/driver/CardWalk.h"
#include "tests/driver/Fixture.h"
#include "tests/driver/HostProcess.h"
#include "tests/driver/UiDriver.h"

namespace {

const int kSteps = 9;

std::string OwnFolder()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path, n < MAX_PATH ? n : 0);
    p.erase(p.find_last_of('\\') + 1);
    return p;
}

struct Options {
    std::string road = "email";
    std::string shots;
    std::string mailHost;  // the local server the card's copy is pointed at
    bool interactive = false;
    std::string name = "Ann B Smith", company = "Harbor Graphics", serial = "GB-200-0001";
};

class Player {
public:
    explicit Player(const Options &o) : m_o(o) {}

    void Step(int n, const std::string &what)
    {
        printf("[%d/%d] %s\n", n, kSteps, what.c_str());
        fflush(stdout);
    }

    // Lets the dialog paint, then saves its picture as NN-name.bmp.
    void Shot(HWND window, const char *name)
    {
        if (m_o.shots.empty() || !window)
            return;
        Sleep(400);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Sleep(200);
        RECT r;
        GetWindowRect(window, &r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        HDC screen = GetDC(nullptr);
        HDC mem = CreateCompatibleDC(screen);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 24;
        void *bits = nullptr;
        HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        SelectObject(mem, old);

        const DWORD stride = ((w * 3 + 3) & ~3);
        BITMAPFILEHEADER fh = {};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
        fh.bfSize = fh.bfOffBits + stride * h;
        char file[MAX_PATH];
        snprintf(file, sizeof file, "%s\\%02d-%s.bmp", m_o.shots.c_str(), ++m_shot, name);
        if (FILE *f = fopen(file, "wb")) {
            fwrite(&fh, sizeof fh, 1, f);
            fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f);
            fwrite(bits, stride * h, 1, f);
            fclose(f);
        }
        DeleteObject(bmp);
        DeleteDC(mem);
        ReleaseDC(nullptr, screen);
    }

    // Types the text keystroke by keystroke, as a user would.
    void Type(HWND dialog, int id, const std::string &text)
    {
        for (char c : text) {
            ui::Type(dialog, id, std::string(1, c));
            Sleep(5);
        }
    }

    bool Play();

private:
    bool Fail(const char *what)
    {
        fprintf(stderr, "glimplay: %s\n", what);
        return false;
    }

    const Options &m_o;
    int m_shot = 0;
};

bool Player::Play()
{
    // The roads by their option, the first also for an option not known.
    struct Road {
        const char *option;
        int button;
        const char *label;
    };
    static const Road kRoads[] = {{"email", IDC_EMAIL, "E-Mail"},
                                  {"print", IDC_PRINT, "Print"},
                                  {"send", IDC_SEND, "Send"},
                                  {"later", IDC_REGISTER_LATER, "Register Later"}};
    const Road *road = std::find_if(std::begin(kRoads), std::end(kRoads),
                                    [this](const Road &r) { return m_o.road == r.option; });
    if (road == std::end(kRoads))
        road = &kRoads[0];
    const int choice = road->button;

    CardWalk walk;
    walk.intro = [this](HWND intro) {
        Shot(intro, "intro");
        ui::Click(intro, IDC_REGISTER_NOW);
        Step(1, "intro: Register Now");
    };
    walk.card = [this](HWND card) {
        // Typed in lower case: the card capitalises names and places itself.
        const CardEntries typed = {
            {IDC_CARD_ADDRESS1, "1400 harbor point drive"}, {IDC_CARD_CITY, "millbrook"},
            {IDC_CARD_STATE, "oregon"}, {IDC_CARD_COUNTRY, "usa"},
            {IDC_CARD_PHONE, "(503) 555-0110"}, {IDC_CARD_EMAIL, "ann.smith@harbor.example"},
            {IDC_CARD_PURCHASED_FROM, "corner computers"}, {IDC_CARD_PURCHASE_DATE, "11/02/26"},
        };
        for (const auto &t : typed)
            Type(card, t.first, t.second);
        Shot(card, "card-form");
        ui::Click(card, IDC_REGISTER_NOW);
        Step(2, "card form: typed keystroke by keystroke, Zip left empty, OK");
    };
    walk.required = [this](HWND required) {
        Shot(required, "required-information");
        Type(required, IDC_CARD_ZIP, "97499");
        ui::Click(required, IDC_REGISTER_NOW);
        Step(3, "required information: Zip/Postal Code filled in, OK");
    };
    walk.questionnaire = [this](HWND research) {
        const int ticked[] = {IDC_RESEARCH_QUESTION_FIRST, IDC_RESEARCH_QUESTION_FIRST + 4,
                              IDC_RESEARCH_QUESTION_FIRST + 30};
        for (int id : ticked)
            ui::Check(research, id, true);
        Shot(research, "market-research");
        ui::Click(research, IDOK);
        Step(4, "market research: 3 questions ticked");
    };
    walk.hardware = [this](HWND hardware) {
        Shot(hardware, "hardware");
        const std::string machine = ui::ControlText(hardware, IDC_HARDWARE_CPU) + ", " +
                                    ui::ControlText(hardware, IDC_HARDWARE_MEMORY);
        ui::Click(hardware, IDOK);
        Step(5, "hardware configuration: " + machine + ", OK");
    };
    walk.delivery = [this, road](HWND delivery) {
        Shot(delivery, "delivery-choice");
        ui::Click(delivery, road->button);
        Step(6, std::string("delivery choice: ") + road->label);
    };
    const std::string failure = PlayPages(walk);
    if (!failure.empty())
        return Fail(failure.c_str());

    if (choice == IDC_REGISTER_LATER)
        return true;
    if (choice == IDC_PRINT) {
        HWND reminder = WaitFor(dialogs::Reminder, 20000);
        if (!reminder)
            return Fail("the reminder did not show");
        Shot(reminder, "reminder");
        ui::Click(reminder, IDC_CONTINUE);
        Step(7, "printed; reminder: Continue");
        return true;
    }
    if (choice == IDC_SEND) {
        HWND modem = WaitFor(dialogs::ModemOptions);
        if (!modem)
            return Fail("the modem options did not show");
        Type(modem, IDC_MODEM_PREFIX, "9");
        Shot(modem, "modem-options");
        ui::Click(modem, IDC_CONTINUE);
        Step(7, "modem options: prefix 9, Continue");
        if (HWND status = WaitFor(dialogs::ModemStatus, 20000))
            Shot(status, "modem-status");
        HWND done = WaitFor(dialogs::TransmissionSuccess, 60000);
        if (!done)
            return Fail("the transmission did not succeed");
        Shot(done, "transmission-successful");
        ui::Click(done, IDC_CONTINUE);
        Step(8, "transmission successful: Continue");
        return true;
    }
    HWND mail = WaitFor(dialogs::EmailProgress, 20000);
    if (!mail)
        return Fail("the e-mail progress did not show");
    const DWORD start = GetTickCount();
    while (!IsWindowEnabled(GetDlgItem(mail, IDOK)) && GetTickCount() - start < 60000)
        Sleep(50);
    Shot(mail, "email-progress");
    const std::string text = ui::ControlText(mail, IDC_EMAIL_STATUS);
    Step(7, "e-mail: " + text.substr(0, text.find('\n')));
    if (!IsWindowEnabled(GetDlgItem(mail, IDOK)))
        return Fail("the mail was not accepted");
    ui::Click(mail, IDOK);
    Step(8, "e-mail progress: OK");
    return true;
}

// The host's "result R outcome O" line; empty when it did not come in time.
std::string HostResult(HostProcess &host, DWORD waitMs)
{
    std::string line;
    while (host.NextLine(&line, waitMs))
        if (line.compare(0, 7, "result ") == 0)
            return line;
    return std::string();
}

}  // namespace

int main(int argc, char **argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool more = i + 1 < argc;
        if (arg == "--road" && more)
            o.road = argv[++i];
        else if (arg == "--shots" && more)
            o.shots = argv[++i];
        else if (arg == "--name" && more)
            o.name = argv[++i];
        else if (arg == "--company" && more)
            o.company = argv[++i];
        else if (arg == "--serial" && more)
            o.serial = argv[++i];
        else if (arg == "--mail-host" && more)
            o.mailHost = argv[++i];
        else if (arg == "--interactive")
            o.interactive = true;
    }

    if (!o.mailHost.empty() &&
        !RewriteString(OwnFolder() + "GlimReg.dll", IDS_MAIL_HOST, o.mailHost)) {
        fprintf(stderr, "glimplay: cannot point GlimReg.dll at %s\n", o.mailHost.c_str());
        return 1;
    }
    HostProcess host;
    if (!host.Start(OwnFolder(), "glimhost.exe",
                    "--name \"" + o.name + "\" --company \"" + o.company + "\" --serial \"" +
                        o.serial + "\"")) {
        fprintf(stderr, "glimplay: cannot start glimhost.exe beside glimplay.exe\n");
        return 1;
    }
    if (o.interactive) {
        // A person plays the card in the host's real windows.
        const std::string said = HostResult(host, INFINITE);
        printf("%s\n", said.c_str());
        return said.empty() ? 1 : 0;
    }

    Player player(o);
    const bool played = player.Play();
    const std::string said = HostResult(host, played ? 60000 : 3000);
    if (said.empty()) {
        fprintf(stderr, "glimplay: the card did not end\n");
        return 1;
    }
    player.Step(kSteps, "the host got: " + said);
    printf("%s\n", said.c_str());
    return played ? 0 : 1;
}
