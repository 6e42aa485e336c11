// Writing the record file before each modem attempt.
#include "RecordFile.h"

#include "Render.h"

int WriteRecordFile(const RegistrationRecord *rec)
{
    OFSTRUCT of;
    const HFILE file = OpenFile(rec->RecordFilePath, &of, OF_CREATE | OF_WRITE);
    if (file == HFILE_ERROR)
        return 1;

    const bool written = RenderRecordFile(rec, [file](const char *piece, size_t length) {
        return _lwrite(file, piece, static_cast<UINT>(length)) == length;
    });
    _lclose(file);
    if (!written) {
        // A half-written line must never be taken for a record.
        // cppcheck-suppress leakReturnValNotUsed ; OF_DELETE deletes the file and opens nothing
        OpenFile(rec->RecordFilePath, &of, OF_DELETE);
        return 2;
    }
    return 0;
}
