// glimplay: plays a user through the registration card, as the demo shows it.
// It loads GlimReg.dll from its own folder, calls the export on one thread as a
// host would, and plays the user on another with the UI driver.
//   glimplay [--name TEXT] [--company TEXT] [--serial TEXT]
#include <windows.h>

#include <cstdio>
#include <string>

#include "include/GlimReg.h"
#include "tests/driver/Fixture.h"
#include "tests/driver/UiDriver.h"
#include "tests/driver/Walk.h"

namespace {

const int kRegisterLater = 162;

std::string OwnFolder()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path, n < MAX_PATH ? n : 0);
    p.erase(p.find_last_of('\\') + 1);
    return p;
}

void Step(int n, int of, const std::string &what)
{
    printf("[%d/%d] %s\n", n, of, what.c_str());
    fflush(stdout);
}

}  // namespace

int main(int argc, char **argv)
{
    std::string name = "Ann B Smith", company = "Harbor Graphics", serial = "GB-200-0001";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--name")
            name = argv[i + 1];
        else if (arg == "--company")
            company = argv[i + 1];
        else if (arg == "--serial")
            serial = argv[i + 1];
    }

    HMODULE lib = LoadLibraryA((OwnFolder() + "GlimReg.dll").c_str());
    auto reg = lib ? reinterpret_cast<VIreVuvo_RegisterProc>(reinterpret_cast<void *>(
                         GetProcAddress(lib, "VIreVuvo_Register")))
                   : nullptr;
    if (!reg) {
        fprintf(stderr, "glimplay: cannot load GlimReg.dll beside glimplay.exe\n");
        return 1;
    }

    HostUserRecord user = MakeUser(name.c_str(), company.c_str(), serial.c_str());
    int outcome = -1;
    Played run([&] {
        HWND owner = CreateWindowExA(0, "STATIC", "Glimmerbox", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        const int r = reg(owner, &outcome, &user);
        DestroyWindow(owner);
        return r;
    });

    const int steps = 3;
    Step(1, steps, "intro: Register Now");
    HWND delivery = WalkToDelivery();
    if (!delivery) {
        fprintf(stderr, "glimplay: the delivery choice did not show\n");
        return 1;
    }
    Step(2, steps, "card pages filled and left with OK");
    ui::Click(delivery, kRegisterLater);
    Step(3, steps, "delivery choice: Register Later");
    if (!run.Join(30000)) {
        fprintf(stderr, "glimplay: the card did not end\n");
        return 1;
    }
    printf("result %d outcome %d\n", run.Result(), outcome);
    return 0;
}
