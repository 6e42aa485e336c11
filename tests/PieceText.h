// A rendering collected into one text, for tests that compare it whole.
#pragma once
#include <cstddef>
#include <string>

#include "output/Render.h"

inline bool AppendPiece(void *text, const char *piece, size_t length)
{
    static_cast<std::string *>(text)->append(piece, length);
    return true;
}

// A sink appending every piece to text.
inline PieceSink IntoText(std::string *text) { return {AppendPiece, text}; }
