// The dotted line under each text entry, read from a real (virtual) display.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "pages/CardForm.h"
#include "resources/resource.h"
#include "tests/driver/CardWalk.h"
#include "tests/driver/UiDriver.h"

namespace {

// The bottom pixel row of the control's window from its left client edge on,
// as 'D' (dark) and 'L' (light) characters.
std::string BottomRow(HWND control, int width)
{
    RECT window;
    GetWindowRect(control, &window);
    POINT origin = {0, 0};
    ClientToScreen(control, &origin);
    HDC screen = GetDC(nullptr);
    std::string row;
    for (int x = 0; x < width; ++x) {
        const COLORREF c = GetPixel(screen, origin.x + x, window.bottom - 1);
        const int light = GetRValue(c) + GetGValue(c) + GetBValue(c);
        row += light < 3 * 128 ? 'D' : 'L';
    }
    ReleaseDC(nullptr, screen);
    return row;
}

// Whether the control's own device context reaches the bottom row of its
// window (the edit class draws through its parent's clipping). Wine clips
// such a context to the client area, so the line cannot show there.
bool CanDrawOnBottomRow(HWND control)
{
    RECT window;
    GetWindowRect(control, &window);
    POINT corner = {window.right, window.bottom};
    ScreenToClient(control, &corner);
    HDC dc = GetDC(control);
    const bool reachable = GetPixel(dc, 0, corner.y - 1) != CLR_INVALID;
    ReleaseDC(control, dc);
    return reachable;
}

TEST(DottedLine, BottomRowOfEveryTextEntryAlternatesTwoDarkTwoLight)
{
    RegistrationRecord rec;
    memset(&rec, 0, sizeof rec);
    rec.ModuleInstance = GetModuleHandleA(nullptr);
    CopyField(rec.Company, "Harbor Graphics");
    Played page([&] { return RunCardForm(nullptr, &rec); });
    HWND dlg = WaitFor(dialogs::CardForm);
    ASSERT_NE(nullptr, dlg);

    const bool reachable = CanDrawOnBottomRow(ui::Control(dlg, IDC_CARD_FIRST_NAME));
    const int entries[] = {IDC_CARD_FIRST_NAME, IDC_CARD_COMPANY, IDC_CARD_ZIP, IDC_CARD_EMAIL,
                           IDC_CARD_PURCHASE_DATE};
    for (int id : entries) {
        if (!reachable)
            break;
        HWND edit = ui::Control(dlg, id);
        RECT window;
        GetWindowRect(edit, &window);
        POINT origin = {0, 0};
        ClientToScreen(edit, &origin);
        // From the left client edge to two pixels short of the window's right edge.
        const int width = window.right - origin.x - 1;
        ASSERT_GT(width, 8) << "control " << id;
        std::string expected;
        for (int x = 0; x < width; ++x)
            expected += x % 4 < 2 ? 'D' : 'L';

        // The line follows the control's own painting; wait (bounded) for both
        // to reach the display.
        RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        std::string row;
        const DWORD start = GetTickCount();
        do {
            row = BottomRow(edit, width);
            if (row == expected)
                break;
            Sleep(20);
        } while (GetTickCount() - start < 5000);
        EXPECT_EQ(expected, row) << "control " << id;
    }

    ui::Click(dlg, IDC_REGISTER_LATER);
    ASSERT_TRUE(page.Join());
    if (!reachable)
        GTEST_SKIP() << "this platform clips an edit's device context to its client area; "
                        "the bottom row of the window cannot be drawn";
}

}  // namespace
