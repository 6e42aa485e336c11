// The transfer error table: one row per code with a message of its own.
#include "TransferErrors.h"

#include <algorithm>
#include <iterator>

namespace {

struct TransferError {
    int code;
    const char *text;
};

const TransferError kTransferErrors[] = {
    {101, "File I/O error."},
    {103, "Cannot find COM ports."},
    {104, "Cannot find a modem."},
    {105, "Memory allocation error."},
    {106, "Can't connect to server."},
    {107, "Can't log on to server."},
    {108, "Can't transmit to server."},
    {109, "Can't hang up the phone."},
    {110, "User Abort."},
};

const char kGenericError[] = "Generic error.";

}  // namespace

const char *TransferErrorText(int code)
{
    const auto matches = [code](const TransferError &row) { return row.code == code; };
    const TransferError *end = std::end(kTransferErrors);
    const TransferError *e = std::find_if(std::begin(kTransferErrors), end, matches);
    return e != end ? e->text : kGenericError;
}
