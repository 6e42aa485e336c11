// Walking the card's pages in order, leaving each the way a user would.
#include "Walk.h"

#include "UiDriver.h"

namespace {

const char kCardCaption[] = "Electronic Registration Card";
const int kOk = 1;
const int kCardOk = 161;
const int kFirstName = 101;
const int kNeverRegister = 223;
const int kEmail = 163;
const int kDoNotSend = 139;  // the hardware page's "Do NOT send" box

// The six required fields of the card and the required-information page.
const int kRequired[] = {101, 103, 106, 108, 109, 110};

}  // namespace

CardEntries RequiredEntries()
{
    return {{101, "Ann"}, {103, "Smith"}, {106, "1 Main Street"},
            {108, "Springfield"}, {109, "Oregon"}, {110, "97000"}};
}

HWND FindIntro(DWORD timeoutMs) { return ui::WaitForDialog(kCardCaption, kNeverRegister, timeoutMs); }

HWND FindDelivery(DWORD timeoutMs) { return ui::WaitForDialog(kCardCaption, kEmail, timeoutMs); }

HWND WalkToDelivery(const CardEntries &entries, HardwarePage hardwarePage)
{
    HWND intro = FindIntro();
    if (!intro)
        return nullptr;
    ui::Click(intro, kCardOk);
    ui::WaitForClose(intro);

    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 20000) {
        if (HWND delivery = FindDelivery(50))
            return delivery;
        if (HWND card = ui::WaitForDialog(kCardCaption, kFirstName, 50)) {
            for (const auto &e : entries) {
                SetDlgItemTextA(card, e.first, "");
                ui::Type(card, e.first, e.second);
            }
            ui::Click(card, kCardOk);
            ui::WaitForClose(card);
        } else if (HWND required = ui::WaitForWindow("Required Information", 50)) {
            for (int id : kRequired)
                if (ui::ControlText(required, id).empty())
                    ui::Type(required, id, "Walk");
            ui::Click(required, kCardOk);
            ui::WaitForClose(required);
        } else if (HWND research = ui::WaitForWindow("Market Research", 50)) {
            ui::Click(research, kOk);
            ui::WaitForClose(research);
        } else if (HWND hardware = ui::WaitForWindow("Hardware Configuration", 50)) {
            if (hardwarePage != HardwarePage::Send)
                ui::Check(hardware, kDoNotSend, true);
            if (hardwarePage == HardwarePage::WithholdAndClose)
                ui::Close(hardware);
            else
                ui::Click(hardware, kOk);
            ui::WaitForClose(hardware);
        }
    }
    return nullptr;
}
