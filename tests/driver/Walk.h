// Walking the card from the intro to the delivery choice, as a user who fills
// in what is asked and presses OK on every page.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Control id on the card form and the text to type into it.
typedef std::vector<std::pair<int, std::string>> CardEntries;

// The required fields filled with plain values.
CardEntries RequiredEntries();

// How the walk leaves the hardware page.
enum class HardwarePage {
    Send,              // OK, the box left clear
    Withhold,          // the "Do NOT send" box ticked, then OK
    WithholdAndClose,  // the box ticked, then the page closed (Alt+F4)
};

// Presses Register Now on the intro, types the entries on the card form, and
// leaves every page with OK until the delivery choice shows, the hardware page
// as asked. Returns the delivery dialog, or null when the road did not lead
// there in time.
HWND WalkToDelivery(const CardEntries &entries = RequiredEntries(),
                    HardwarePage hardwarePage = HardwarePage::Send);

// Dialogs of the card, found by caption and a control only they have.
HWND FindIntro(DWORD timeoutMs = 10000);
HWND FindDelivery(DWORD timeoutMs = 10000);
