// RunDialog and LoadModuleString against the test program's own resources.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/RecordDialog.h"
#include "platform/ModuleString.h"
#include "resources/resource.h"

namespace {

const UINT WM_PROBE = WM_APP + 1;
const int kEndedWith = 4321;

// What a dialog saw of its owner and its parameter while it ran.
struct Probe {
    int initialisations = 0;
    LPARAM param = 0;
    HWND owner = nullptr;
    bool ownerEnabledMeanwhile = true;
};

// Looks at the owner once the dialog's own loop runs, then ends it.
INT_PTR CALLBACK ProbeProc(HWND dlg, UINT msg, WPARAM, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: {
        auto *probe = reinterpret_cast<Probe *>(lParam);
        SetWindowLongPtrA(dlg, DWLP_USER, lParam);
        ++probe->initialisations;
        probe->param = lParam;
        probe->owner = GetWindow(dlg, GW_OWNER);
        PostMessageA(dlg, WM_PROBE, 0, 0);
        return TRUE;
    }
    case WM_PROBE: {
        auto *probe = reinterpret_cast<Probe *>(GetWindowLongPtrA(dlg, DWLP_USER));
        probe->ownerEnabledMeanwhile = IsWindowEnabled(probe->owner) != FALSE;
        EndDialog(dlg, kEndedWith);
        return TRUE;
    }
    }
    return FALSE;
}

HINSTANCE TestModule() { return GetModuleHandleA(nullptr); }

TEST(RunDialog, OwnedByTheOwnerWhichIsDisabledUntilItEnds)
{
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 100, 100, nullptr,
                                 nullptr, TestModule(), nullptr);
    ASSERT_TRUE(owner);
    Probe probe;
    const int result = RunDialog(owner, TestModule(), IDD_TRANSMIT_PROBLEM, ProbeProc,
                                 reinterpret_cast<LPARAM>(&probe));
    EXPECT_EQ(kEndedWith, result);
    EXPECT_EQ(1, probe.initialisations);
    EXPECT_EQ(reinterpret_cast<LPARAM>(&probe), probe.param);
    EXPECT_EQ(owner, probe.owner);
    EXPECT_FALSE(probe.ownerEnabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(owner)) << "the owner stays disabled after the dialog";
    DestroyWindow(owner);
}

TEST(RunDialog, WithoutOwnerAndMissingTemplate)
{
    Probe probe;
    EXPECT_EQ(kEndedWith, RunDialog(nullptr, TestModule(), IDD_TRANSMIT_PROBLEM, ProbeProc,
                                    reinterpret_cast<LPARAM>(&probe)));
    EXPECT_EQ(nullptr, probe.owner);

    Probe unused;
    EXPECT_EQ(-1, RunDialog(nullptr, TestModule(), 9999, ProbeProc,
                            reinterpret_cast<LPARAM>(&unused)));
    EXPECT_EQ(0, unused.initialisations);
}

TEST(LoadModuleString, CutToTheWidthAndEmptyOnFailure)
{
    const std::string whole =
        "Please enter your %1 so that we can correctly process your registration.";
    struct Row {
        UINT id;
        size_t width;
        std::string expected;
    };
    const Row rows[] = {
        {IDS_MISSING_FIELD, 256, whole},
        {IDS_MISSING_FIELD, whole.size() + 1, whole},
        {IDS_MISSING_FIELD, 7, "Please"},
        {IDS_MISSING_FIELD, 1, ""},
        {9999, 256, ""},  // no such string
    };
    for (const Row &row : rows) {
        char text[300];
        memset(text, 'x', sizeof text);
        const int n = LoadModuleString(TestModule(), row.id, text, row.width);
        EXPECT_EQ(row.expected, text) << "string " << row.id << ", width " << row.width;
        EXPECT_EQ(static_cast<int>(row.expected.size()), n)
            << "string " << row.id << ", width " << row.width;
        EXPECT_EQ('x', text[row.width]) << "written past the width " << row.width;
    }

    char untouched[4] = "abc";
    EXPECT_EQ(0, LoadModuleString(TestModule(), IDS_MISSING_FIELD, untouched, 0));
    EXPECT_STREQ("abc", untouched);
}

}  // namespace
