// What the vendor reads out of the database.
#pragma once
#include <cstdio>

#include <sqlite3.h>

// Cards by product and channel, repeats, machines, and the questionnaire's tally.
bool PrintReport(sqlite3 *db, FILE *out);
// Every registration as one CSV row (RFC 4180), with a header row; the raw record and digest left out.
bool ExportCsv(sqlite3 *db, FILE *out);
