// The settings file beside the library and the product configuration strings.
#pragma once
#include "../common/Record.h"

// Loads the configuration strings into the record and resolves the settings
// and record-file paths from the library's own location.
void LoadConfiguration(RegistrationRecord *rec);

void LoadCard(RegistrationRecord *rec);
void SaveCard(const RegistrationRecord *rec);
void LoadQuestionnaire(RegistrationRecord *rec);
void SaveQuestionnaire(const RegistrationRecord *rec);

// One card field as the settings file and the renderers know it.
struct CardKey {
    const char *key;
    size_t offset;
    size_t width;
};

// The 21 keys of the card, in file order; ends with a row whose key is null.
extern const CardKey kCardKeys[];

inline char *CardField(RegistrationRecord *rec, const CardKey &k)
{
    return reinterpret_cast<char *>(rec) + k.offset;
}
inline const char *CardField(const RegistrationRecord *rec, const CardKey &k)
{
    return reinterpret_cast<const char *>(rec) + k.offset;
}
