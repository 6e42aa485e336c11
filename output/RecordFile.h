// The record file that the modem transfer hands to the services library.
#pragma once
#include "../wizard/Record.h"

// Creates (or truncates) the file named by the record's RecordFilePath and
// writes the record line into it. 0 written and closed, 1 the file cannot be
// created, 2 a write failed (the partial file is removed).
int WriteRecordFile(const RegistrationRecord *rec);
