// Loading a text of a module's string table into a bounded buffer.
#include "ModuleString.h"

#include <climits>

int LoadModuleString(HINSTANCE module, UINT id, char *dest, size_t width)
{
    // With a count of 0 the system hands out a pointer instead of copying.
    if (width == 0)
        return 0;
    const int room = width > INT_MAX ? INT_MAX : static_cast<int>(width);
    const int n = LoadStringA(module, id, dest, room);
    if (n <= 0) {
        dest[0] = '\0';
        return 0;
    }
    return n;
}
