// Fuzz target: the host's fields taken and the user name split, on any bytes.
#include <cstdint>
#include <cstring>

#include "wizard/NameSplit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The host's three fields of 64 bytes, terminated or not.
    char host[64];
    memset(host, 0, sizeof host);
    memcpy(host, data, size < sizeof host ? size : sizeof host);

    char name[64], first[50], initial[2], last[50], company[100];
    TakeHostField(name, sizeof name, host, sizeof host);
    SplitUserName(name, first, sizeof first, initial, sizeof initial, last, sizeof last);
    TakeHostField(company, sizeof company, host, sizeof host);
    if (strlen(first) > 49 || strlen(initial) > 1 || strlen(last) > 49)
        __builtin_trap();
    return 0;
}
