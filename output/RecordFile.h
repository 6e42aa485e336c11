// The record file that the modem transfer hands to the services library.
#pragma once
#include "../common/Record.h"

// Creates (or truncates) the file named by the record's RecordFilePath and
// writes the record line into it. 0 written and closed, 1 the file cannot be
// created, 2 a write failed (the partial file is removed).
int WriteRecordFile(const RegistrationRecord *rec);

// Opens path for writing, created afresh; INVALID_HANDLE_VALUE when it cannot
// be. Any path the system takes works, however deep.
HANDLE CreateCardFile(const char *path);

// Deletes a file the card made, as deep as CreateCardFile takes; false when it
// could not be deleted (or was not there).
bool DeleteCardFile(const char *path);

// A rendered piece written to the open file the context points to (a HANDLE);
// false when it was not written whole.
bool WritePieceToFile(void *file, const char *piece, size_t length);
