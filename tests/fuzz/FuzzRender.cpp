// Fuzz target: the three renderers fed a record of arbitrary bytes, every text
// field cut to its width.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "output/Render.h"
#include "tests/PieceText.h"

namespace {

#define TEXT_FIELD(f) {offsetof(RegistrationRecord, f), sizeof(RegistrationRecord::f)}
struct Field {
    size_t offset, width;
};
const Field kTextFields[] = {
    TEXT_FIELD(CPU), TEXT_FIELD(Coprocessor), TEXT_FIELD(Memory), TEXT_FIELD(DisplayType),
    TEXT_FIELD(FloppyDrives), TEXT_FIELD(HardDrives), TEXT_FIELD(OtherDrives),
    TEXT_FIELD(ParallelPorts), TEXT_FIELD(SerialPorts), TEXT_FIELD(Mouse), TEXT_FIELD(Printer),
    TEXT_FIELD(DOSVersion), TEXT_FIELD(WindowsVersion), TEXT_FIELD(HardwareCodes),
    TEXT_FIELD(FirstName), TEXT_FIELD(Initial), TEXT_FIELD(LastName), TEXT_FIELD(Company),
    TEXT_FIELD(Address1), TEXT_FIELD(Address2), TEXT_FIELD(City), TEXT_FIELD(State),
    TEXT_FIELD(Zip), TEXT_FIELD(Country), TEXT_FIELD(Phone), TEXT_FIELD(Fax),
    TEXT_FIELD(PurchaseType), TEXT_FIELD(ComputersAtSite), TEXT_FIELD(IHaveUsed),
    TEXT_FIELD(HowDidYouHear), TEXT_FIELD(PurchasedFrom), TEXT_FIELD(PurchaseDate),
    TEXT_FIELD(SerialNumber), TEXT_FIELD(Service), TEXT_FIELD(EmailAddress),
    TEXT_FIELD(ProductCode), TEXT_FIELD(ProductCodePrefix), TEXT_FIELD(RecordFilePath),
    TEXT_FIELD(DemographicsSection), TEXT_FIELD(ResearchSection), TEXT_FIELD(SettingsPath),
    TEXT_FIELD(ProductName), TEXT_FIELD(VendorName), TEXT_FIELD(VendorStreet),
    TEXT_FIELD(VendorCity), TEXT_FIELD(VendorFax), TEXT_FIELD(ModemNumber),
    TEXT_FIELD(DialString),
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    RegistrationRecord rec;
    memset(&rec, 0, sizeof rec);
    // The bytes fill the record cyclically, so short inputs reach every field.
    auto *bytes = reinterpret_cast<uint8_t *>(&rec);
    if (size > 0)
        for (size_t i = 0; i < offsetof(RegistrationRecord, UnderlineFont); ++i)
            bytes[i] = data[i % size];
    for (const Field &f : kTextFields)
        bytes[f.offset + f.width - 1] = 0;
    rec.UnderlineFont = nullptr;
    rec.ModuleInstance = nullptr;
    rec.EditProcedure = nullptr;
    rec.FieldTable = nullptr;
    if (size > 0)
        for (size_t i = 0; i < 52; ++i)
            bytes[offsetof(RegistrationRecord, DoNotSendMarketResearch) + i] = data[(i * 7) % size];

    RegistrationRecord before;
    memcpy(&before, &rec, sizeof rec);

    std::string file;
    RenderRecordFile(&rec, IntoText(&file));
    const auto tabs = std::count(file.begin(), file.end(), '	');
    if (tabs != 91 || file.size() < 2 || file.compare(file.size() - 2, 2, "\r\n") != 0 ||
        file.find('\n') != file.size() - 1)
        __builtin_trap();

    char *body = new char[MAIL_BODY_WIDTH];
    BuildMailBody(&rec, body, MAIL_BODY_WIDTH);
    if (file.compare(0, file.size() - 2, body) != 0)
        __builtin_trap();
    delete[] body;

    std::string card;
    RenderPrintedCard(&rec, "12/09/26", IntoText(&card));
    if (memcmp(&before, &rec, sizeof rec) != 0)
        __builtin_trap();  // renderers never change the record
    return 0;
}
