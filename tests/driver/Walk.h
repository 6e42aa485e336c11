// Plays the wizard's road through the real export up to a given dialog.
#pragma once
#include <windows.h>

// The caption shared by the intro, the card pages and the delivery choice.
extern const char kCardCaption[];

// Waits (bounded) for a visible top-level dialog of this process with the
// caption and a control with the id; null when none shows up in time.
HWND WaitForDialog(const char *caption, int controlId, DWORD timeoutMs = 10000);

// Presses Register Now on the intro, then walks the pages between (as they
// exist in this library) up to the delivery choice, which it returns, or null
// when the road does not get there.
HWND WalkToDelivery(DWORD timeoutMs = 10000);
