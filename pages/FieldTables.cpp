// The field tables of the card form and the required-information page.
#include "FieldTables.h"

#include <cstring>

#include "../resources/resource.h"

#define FIELD(name) sizeof(RegistrationRecord::name), offsetof(RegistrationRecord, name)
#define TEXT_ROW(control, label, name, filter) \
    {control, label, FieldKind::TextEntry, FIELD(name), FilterClass::filter, 0}
#define LIST_ROW(control, name, index)                               \
    {control, 0, FieldKind::ListChoice, FIELD(name), FilterClass::None, \
     offsetof(RegistrationRecord, index)}
#define SHOW_ROW(control, name) {control, 0, FieldKind::DisplayOnly, FIELD(name), FilterClass::None, 0}

namespace {

// The rows both pages share, defined once so the two tables cannot drift apart.
constexpr FieldRow kFirstName = TEXT_ROW(IDC_CARD_FIRST_NAME, IDC_CARD_FIRST_NAME_LABEL, FirstName, NameWords);
constexpr FieldRow kLastName = TEXT_ROW(IDC_CARD_LAST_NAME, IDC_CARD_LAST_NAME_LABEL, LastName, NameWords);
constexpr FieldRow kAddress1 = TEXT_ROW(IDC_CARD_ADDRESS1, IDC_CARD_ADDRESS1_LABEL, Address1, CapitalWords);
constexpr FieldRow kAddress2 = TEXT_ROW(IDC_CARD_ADDRESS2, 0, Address2, CapitalWords);
constexpr FieldRow kCity = TEXT_ROW(IDC_CARD_CITY, IDC_CARD_CITY_LABEL, City, NameWords);
constexpr FieldRow kState = TEXT_ROW(IDC_CARD_STATE, IDC_CARD_STATE_LABEL, State, NameWords);
constexpr FieldRow kZip = TEXT_ROW(IDC_CARD_ZIP, IDC_CARD_ZIP_LABEL, Zip, PostalCode);
constexpr FieldRow kCountry = TEXT_ROW(IDC_CARD_COUNTRY, 0, Country, NameWords);
constexpr FieldRow kSerialNumber = SHOW_ROW(IDC_CARD_SERIAL, SerialNumber);
constexpr FieldRow kEnd = {0, 0, FieldKind::DisplayOnly, 0, 0, FilterClass::None, 0};

}  // namespace

const FieldRow kCardFormTable[] = {
    kFirstName,
    TEXT_ROW(IDC_CARD_INITIAL, 0, Initial, NameWords),
    kLastName,
    TEXT_ROW(IDC_CARD_COMPANY, 0, Company, CapitalWords),
    kAddress1,
    kAddress2,
    kCity,
    kState,
    kZip,
    kCountry,
    TEXT_ROW(IDC_CARD_PHONE, 0, Phone, PhoneNumber),
    TEXT_ROW(IDC_CARD_FAX, 0, Fax, PhoneNumber),
    LIST_ROW(IDC_CARD_PURCHASE_TYPE, PurchaseType, PurchaseTypeIndex),
    LIST_ROW(IDC_CARD_COMPUTERS, ComputersAtSite, ComputersAtSiteIndex),
    LIST_ROW(IDC_CARD_USED, IHaveUsed, IHaveUsedIndex),
    LIST_ROW(IDC_CARD_HEARD, HowDidYouHear, HowDidYouHearIndex),
    LIST_ROW(IDC_CARD_SERVICE, Service, ServiceIndex),
    TEXT_ROW(IDC_CARD_EMAIL, 0, EmailAddress, FreeText),
    TEXT_ROW(IDC_CARD_PURCHASED_FROM, 0, PurchasedFrom, CapitalWords),
    TEXT_ROW(IDC_CARD_PURCHASE_DATE, 0, PurchaseDate, FreeText),
    kSerialNumber,
    kEnd,
};

const FieldRow kRequiredInfoTable[] = {
    kFirstName, kLastName, kAddress1, kAddress2, kCity, kState, kZip, kCountry, kSerialNumber, kEnd,
};

const FieldRow *FindFieldRow(const FieldRow *table, int controlId)
{
    if (!table)
        return nullptr;
    for (const FieldRow *row = table; row->controlId != 0; ++row)
        if (row->controlId == controlId)
            return row;
    return nullptr;
}

const FieldRow *FirstMissingRow(const RegistrationRecord *rec, const FieldRow *table)
{
    if (!rec || !table)
        return nullptr;
    for (const FieldRow *row = table; row->controlId != 0; ++row)
        if (row->labelId != 0 && RowText(rec, *row)[0] == '\0')
            return row;
    return nullptr;
}

void BlankSeparators(char *text)
{
    for (char *c = text; *c; ++c)
        if (strchr(":,;\t\r\n", *c))
            *c = ' ';
}
