// Texts of a module's string table.
#pragma once
#include <windows.h>

#include <cstddef>

// Copies string id of module into dest of width characters (terminator
// included), cut to fit. A string the module lacks leaves dest empty, never
// what it held before. Returns the characters copied.
int LoadModuleString(HINSTANCE module, UINT id, char *dest, size_t width);

template <size_t N> int LoadModuleString(HINSTANCE module, UINT id, char (&dest)[N])
{
    return LoadModuleString(module, id, dest, N);
}
