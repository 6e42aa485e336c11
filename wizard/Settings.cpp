// Loading the configuration strings, resolving the two paths, and keeping the
// card and the questionnaire in the settings file.
#include "Settings.h"

#include <cstdlib>
#include <cstring>

#include "../common/Placeholder.h"
#include "../platform/FormatText.h"
#include "../platform/ModuleString.h"
#include "../resources/resource.h"
#include "../services/Services.h"

#define CARD_KEY(name, field) {name, offsetof(RegistrationRecord, field), sizeof(RegistrationRecord::field)}

const CardKey kCardKeys[] = {
    CARD_KEY("First Name", FirstName),
    CARD_KEY("Initial", Initial),
    CARD_KEY("Last Name", LastName),
    CARD_KEY("Company", Company),
    CARD_KEY("Address1", Address1),
    CARD_KEY("Address2", Address2),
    CARD_KEY("City", City),
    CARD_KEY("State", State),
    CARD_KEY("Zip", Zip),
    CARD_KEY("Country", Country),
    CARD_KEY("Phone", Phone),
    CARD_KEY("Fax", Fax),
    CARD_KEY("Purchase Type", PurchaseType),
    CARD_KEY("Computers at Site", ComputersAtSite),
    CARD_KEY("I have used", IHaveUsed),
    CARD_KEY("How did you hear", HowDidYouHear),
    CARD_KEY("Service", Service),
    CARD_KEY("Email Address", EmailAddress),
    CARD_KEY("Purchased From", PurchasedFrom),
    CARD_KEY("Purchase Date", PurchaseDate),
    CARD_KEY("Serial Number", SerialNumber),
    {nullptr, 0, 0},
};

namespace {

struct ConfigString {
    int id;
    size_t offset;
    size_t width;
};

#define CONFIG_STRING(id, field) {id, offsetof(RegistrationRecord, field), sizeof(RegistrationRecord::field)}

const ConfigString kConfigStrings[] = {
    CONFIG_STRING(IDS_PRODUCT_CODE, ProductCode),
    CONFIG_STRING(IDS_RECORD_FILE, RecordFilePath),
    CONFIG_STRING(IDS_SETTINGS_FILE, SettingsPath),
    CONFIG_STRING(IDS_PRODUCT_NAME, ProductName),
    CONFIG_STRING(IDS_VENDOR_NAME, VendorName),
    CONFIG_STRING(IDS_VENDOR_STREET, VendorStreet),
    CONFIG_STRING(IDS_VENDOR_CITY, VendorCity),
    CONFIG_STRING(IDS_VENDOR_FAX, VendorFax),
    CONFIG_STRING(IDS_MODEM_NUMBER, ModemNumber),
    CONFIG_STRING(IDS_DEMOGRAPHICS_SECTION, DemographicsSection),
    CONFIG_STRING(IDS_RESEARCH_SECTION, ResearchSection),
};

const char kQuestionStem[] = "Question";
const char kOptOutKey[] = "DoNotSendMarketResearch";
// What "%2" of the settings path's template stands for.
const char kSettingsVersion[] = "2";

// Directories are built in module-level buffers: one registration runs at a time.
char g_moduleDir[MAX_PATH];
char g_tempDir[MAX_PATH];

struct PathParts {
    char drive[_MAX_DRIVE];
    char dir[_MAX_DIR];
    char name[_MAX_FNAME];
    char ext[_MAX_EXT];
};

PathParts Split(const char *path)
{
    PathParts p;
    _splitpath(path, p.drive, p.dir, p.name, p.ext);
    return p;
}

// The parts one after another in dest (width characters, terminator
// included), cut at its end.
template <size_t N> void JoinParts(char *dest, size_t width, const char *const (&parts)[N])
{
    CopyField(dest, width, "");
    for (const char *part : parts) {
        const size_t used = strlen(dest);
        CopyField(dest + used, width - used, part);
    }
}

// Whether the settings file surely is not there, so every read would give its
// default: a card never put off has none, and each of the 73 reads would look
// for it again. A path without a drive or share is the profile functions' to
// resolve (a bare name means the Windows folder), so it is always read.
bool SettingsFileAbsent(const RegistrationRecord *rec)
{
    const char *path = rec->SettingsPath;
    const bool full = (path[0] && path[1] == ':' && path[2] == '\\') ||
                      (path[0] == '\\' && path[1] == '\\');
    if (!full || GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Drive and directory of path, ending with the separator.
void DirectoryOf(char *dest, size_t width, const char *path)
{
    const PathParts p = Split(path);
    const char *const parts[] = {p.drive, p.dir};
    JoinParts(dest, width, parts);
}

}  // namespace

void LoadConfiguration(RegistrationRecord *rec)
{
    ZvProductPrefix(rec->ProductCodePrefix);
    rec->ProductCodePrefix[sizeof rec->ProductCodePrefix - 1] = '\0';

    for (const ConfigString &s : kConfigStrings) {
        char *field = reinterpret_cast<char *>(rec) + s.offset;
        LoadModuleString(rec->ModuleInstance, s.id, field, s.width);
    }

    char modulePath[MAX_PATH];
    DWORD n = GetModuleFileNameA(rec->ModuleInstance, modulePath, MAX_PATH - 1);
    modulePath[n < MAX_PATH ? n : MAX_PATH - 1] = '\0';
    DirectoryOf(g_moduleDir, sizeof g_moduleDir, modulePath);

    // One pass each: a folder named with a "%1" or "%2" is taken as it is.
    const char *const settingsValues[] = {g_moduleDir, kSettingsVersion};
    ExpandPlaceholders(rec->SettingsPath, sizeof rec->SettingsPath - 1, settingsValues, 2);

    // A failed look-up leaves the temporary folder empty, never the buffer's leftovers.
    char tempPath[256];
    n = GetTempPathA(sizeof tempPath - 1, tempPath);
    if (n == 0 || n >= sizeof tempPath - 1)
        n = 0;
    tempPath[n] = '\0';
    DirectoryOf(g_tempDir, sizeof g_tempDir, tempPath);

    const size_t before = strlen(rec->RecordFilePath);
    const char *const recordValues[] = {g_tempDir};
    ExpandPlaceholders(rec->RecordFilePath, sizeof rec->RecordFilePath - 1, recordValues, 1);
    if (strlen(rec->RecordFilePath) == before) {
        // No "%1" (or it did not fit): the record file lies beside the library.
        const PathParts file = Split(rec->RecordFilePath);
        const PathParts module = Split(g_moduleDir);
        const char *const parts[] = {module.drive, module.dir, file.name, file.ext};
        JoinParts(rec->RecordFilePath, sizeof rec->RecordFilePath, parts);
    }
}

void LoadCard(RegistrationRecord *rec)
{
    const bool absent = SettingsFileAbsent(rec);
    for (const CardKey *k = kCardKeys; k->key; ++k) {
        if (absent)
            CardField(rec, *k)[0] = '\0';
        else
            GetPrivateProfileStringA(rec->DemographicsSection, k->key, "", CardField(rec, *k),
                                     static_cast<DWORD>(k->width), rec->SettingsPath);
    }
}

void SaveCard(const RegistrationRecord *rec)
{
    for (const CardKey *k = kCardKeys; k->key; ++k)
        WritePrivateProfileStringA(rec->DemographicsSection, k->key, CardField(rec, *k),
                                   rec->SettingsPath);
}

void LoadQuestionnaire(RegistrationRecord *rec)
{
    if (SettingsFileAbsent(rec)) {
        rec->DoNotSendMarketResearch = 0;
        memset(rec->Question, 0, sizeof rec->Question);
        return;
    }
    // Only the low eight bits of each value are kept.
    rec->DoNotSendMarketResearch = static_cast<uint8_t>(
        GetPrivateProfileIntA(rec->ResearchSection, kOptOutKey, 0, rec->SettingsPath));
    for (int q = 1; q <= QUESTION_COUNT; ++q) {
        char key[32];
        FormatText(key, sizeof key, "%s%d", kQuestionStem, q);
        rec->Question[q - 1] = static_cast<uint8_t>(
            GetPrivateProfileIntA(rec->ResearchSection, key, 0, rec->SettingsPath));
    }
}

void SaveQuestionnaire(const RegistrationRecord *rec)
{
    char value[8];
    FormatText(value, sizeof value, "%d", static_cast<int8_t>(rec->DoNotSendMarketResearch));
    WritePrivateProfileStringA(rec->ResearchSection, kOptOutKey, value, rec->SettingsPath);
    for (int q = 1; q <= QUESTION_COUNT; ++q) {
        char key[32];
        FormatText(key, sizeof key, "%s%d", kQuestionStem, q);
        FormatText(value, sizeof value, "%d", static_cast<int8_t>(rec->Question[q - 1]));
        WritePrivateProfileStringA(rec->ResearchSection, key, value, rec->SettingsPath);
    }
}
