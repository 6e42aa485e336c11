// The card's three text forms: the record file line, the mail body and the printed card.
#pragma once
#include <cstddef>

#include "../common/Record.h"

enum {
    RENDER_LINE_WIDTH = 1024,  // one formatted piece, terminator included
    MAIL_BODY_WIDTH = 2048,    // the mail body, terminator included
    CARD_DATE_WIDTH = 9,       // MM/DD/YY and its terminator
};

// Receives one formatted piece (exact length, no terminator) with the context
// it was given; false when the write failed, which ends the rendering at once.
struct PieceSink {
    bool (*write)(void *context, const char *piece, size_t length);
    void *context;

    bool operator()(const char *piece, size_t length) const { return write(context, piece, length); }
};

// The record file: 91 TAB-terminated fields, then CR LF. False when a write failed.
bool RenderRecordFile(const RegistrationRecord *rec, const PieceSink &sink);

// Empties body (width characters, terminator included) and appends the record
// file's fields without the line end. Returns 0.
int BuildMailBody(const RegistrationRecord *rec, char *body, size_t width = MAIL_BODY_WIDTH);

// The printed card: ten pieces with bare line feeds, dated today (MM/DD/YY).
// False when a write failed.
bool RenderPrintedCard(const RegistrationRecord *rec, const char *today, const PieceSink &sink);

// Today's date as the card prints it: month, day and year modulo 100, two digits each.
void FormatCardDate(int year, int month, int day, char *date, size_t width);
