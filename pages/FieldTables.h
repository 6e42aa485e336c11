// The field tables of the two card pages: which control shows which record field.
#pragma once
#include <cstddef>
#include <cstdint>

#include "../common/Record.h"

enum class FieldKind {
    TextEntry,    // edit control
    ListChoice,   // combo box
    DisplayOnly,  // static text: shown, never read back
};

// The keystroke filter of a text entry.
enum class FilterClass {
    None,  // rows that are not text entries
    FreeText,
    PostalCode,
    NameWords,
    CapitalWords,
    PhoneNumber,
};

// One control of a card page. A table ends with a row whose control id is 0.
struct FieldRow {
    int controlId;
    int labelId;        // nonzero: the field is required and its label is underlined
    FieldKind kind;
    size_t capacity;    // width of the record field, terminator included
    size_t field;       // offset of the record's text field
    FilterClass filter;
    size_t indexField;  // ListChoice: offset of the record's index byte
};

extern const FieldRow kCardFormTable[];
extern const FieldRow kRequiredInfoTable[];

inline char *RowText(RegistrationRecord *rec, const FieldRow &row)
{
    return reinterpret_cast<char *>(rec) + row.field;
}
inline const char *RowText(const RegistrationRecord *rec, const FieldRow &row)
{
    return reinterpret_cast<const char *>(rec) + row.field;
}
inline int8_t *RowIndex(RegistrationRecord *rec, const FieldRow &row)
{
    return reinterpret_cast<int8_t *>(reinterpret_cast<char *>(rec) + row.indexField);
}

// The first row of the table for the control; null when there is no table or
// the terminating row comes first.
const FieldRow *FindFieldRow(const FieldRow *table, int controlId);

// The first required row whose record field is empty, or null. Looks at the
// record only, so it follows a collect.
const FieldRow *FirstMissingRow(const RegistrationRecord *rec, const FieldRow *table);

// Turns the characters that would break the card's texts into blanks: the
// separators ":,;" of the card and the TAB, CR and LF of pasted text.
void BlankSeparators(char *text);
