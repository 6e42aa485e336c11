// Writing the record file before each modem attempt.
#include "RecordFile.h"

#include "Render.h"

bool WritePieceToFile(void *file, const char *piece, size_t length)
{
    return _lwrite(*static_cast<HFILE *>(file), piece, static_cast<UINT>(length)) == length;
}

int WriteRecordFile(const RegistrationRecord *rec)
{
    OFSTRUCT of;
    HFILE file = OpenFile(rec->RecordFilePath, &of, OF_CREATE | OF_WRITE);
    if (file == HFILE_ERROR)
        return 1;

    const bool written = RenderRecordFile(rec, {WritePieceToFile, &file});
    _lclose(file);
    if (!written) {
        // A half-written line must never be taken for a record.
        // cppcheck-suppress leakReturnValNotUsed ; OF_DELETE deletes the file and opens nothing
        OpenFile(rec->RecordFilePath, &of, OF_DELETE);
        return 2;
    }
    return 0;
}
