// Writing the record file before each modem attempt.
#include "RecordFile.h"

#include "Render.h"

HANDLE CreateCardFile(const char *path)
{
    return CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

bool DeleteCardFile(const char *path) { return DeleteFileA(path) != FALSE; }

bool WritePieceToFile(void *file, const char *piece, size_t length)
{
    DWORD written = 0;
    return WriteFile(*static_cast<HANDLE *>(file), piece, static_cast<DWORD>(length), &written,
                     nullptr) &&
           written == length;
}

int WriteRecordFile(const RegistrationRecord *rec)
{
    HANDLE file = CreateCardFile(rec->RecordFilePath);
    if (file == INVALID_HANDLE_VALUE)
        return 1;

    const bool written = RenderRecordFile(rec, {WritePieceToFile, &file});
    CloseHandle(file);
    if (!written) {
        // A half-written line must never be taken for a record.
        DeleteCardFile(rec->RecordFilePath);
        return 2;
    }
    return 0;
}
