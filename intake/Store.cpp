#include "Store.h"

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <cstring>
#include <vector>

#include "Hardware.h"

namespace {

const char kSchema[] = R"sql(
PRAGMA synchronous = NORMAL;
PRAGMA cache_size = -65536;
CREATE TABLE IF NOT EXISTS registrations (
    id INTEGER PRIMARY KEY,
    digest BLOB NOT NULL UNIQUE,
    channel TEXT NOT NULL CHECK (channel IN ('mail', 'modem')),
    file TEXT NOT NULL,
    part INTEGER,
    message_id TEXT,
    received_at TEXT,
    repeat_of INTEGER REFERENCES registrations(id),
    product_code TEXT NOT NULL,
    first_name TEXT NOT NULL, initial TEXT NOT NULL, last_name TEXT NOT NULL,
    company TEXT NOT NULL, address1 TEXT NOT NULL, address2 TEXT NOT NULL,
    city TEXT NOT NULL, state TEXT NOT NULL, zip TEXT NOT NULL, country TEXT NOT NULL,
    phone TEXT NOT NULL, fax TEXT NOT NULL, email_address TEXT NOT NULL, service TEXT NOT NULL,
    serial_number TEXT NOT NULL, purchase_date TEXT NOT NULL, purchased_from TEXT NOT NULL,
    purchase_type TEXT, computers_at_site TEXT, i_have_used TEXT, how_did_you_hear TEXT,
    service_selected TEXT,
    memory TEXT, printer TEXT, hard_drives TEXT, floppy_drives TEXT, other_drives TEXT,
    dos_version TEXT, windows_version TEXT,
    hardware_codes TEXT NOT NULL,
    processor_class TEXT, coprocessor TEXT, display_class INTEGER,
    hard_disk_count INTEGER, floppy_drive_count INTEGER, parallel_port_count INTEGER,
    serial_port_count INTEGER, mouse TEXT, cd_rom_count INTEGER,
    configuration_sent INTEGER NOT NULL,
    questionnaire_declined INTEGER NOT NULL,
    raw BLOB NOT NULL
);
CREATE INDEX IF NOT EXISTS registrations_serial ON registrations(serial_number);
CREATE TABLE IF NOT EXISTS answers (
    registration INTEGER NOT NULL REFERENCES registrations(id),
    question INTEGER NOT NULL,
    text TEXT NOT NULL,
    ticked INTEGER,
    PRIMARY KEY (registration, question)
) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS rejected (
    id INTEGER PRIMARY KEY,
    digest BLOB UNIQUE,
    source TEXT NOT NULL,
    reason TEXT NOT NULL,
    raw BLOB
);
)sql";

// The decoded hardware columns, after the raw codes.
const char *const kDecodedColumns[] = {
    "processor_class", "coprocessor", "display_class", "hard_disk_count", "floppy_drive_count",
    "parallel_port_count", "serial_port_count", "mouse", "cd_rom_count",
};

std::string InsertCardSql()
{
    std::vector<std::string> columns = {"digest", "channel", "file", "part", "message_id",
                                        "received_at", "repeat_of"};
    auto name = [](const TextColumn &c) { return std::string(c.column); };
    std::transform(std::begin(kCardTexts), std::end(kCardTexts), std::back_inserter(columns), name);
    columns.insert(columns.end(), std::begin(kListColumns), std::end(kListColumns));
    std::transform(std::begin(kHardwareTexts), std::end(kHardwareTexts), std::back_inserter(columns), name);
    columns.push_back("hardware_codes");
    columns.insert(columns.end(), std::begin(kDecodedColumns), std::end(kDecodedColumns));
    columns.insert(columns.end(), {"configuration_sent", "questionnaire_declined", "raw"});
    std::string names, values;
    for (size_t i = 0; i < columns.size(); ++i) {
        names += (i ? ", " : "") + columns[i];
        values += (i ? ", ?" : "?") + std::to_string(i + 1);
    }
    return "INSERT INTO registrations (" + names + ") VALUES (" + values + ")";
}

// All 51 answers in one statement: ?1 the registration, then per question its
// number, label and tick. Numbers and labels are bound once and kept across resets.
std::string InsertAnswersSql()
{
    std::string sql = "INSERT INTO answers (registration, question, text, ticked) VALUES ";
    for (int q = 0; q < QUESTION_COUNT; ++q) {
        const int p = 2 + 3 * q;
        sql += (q ? ", (?1, ?" : "(?1, ?") + std::to_string(p) + ", ?" + std::to_string(p + 1) +
               ", ?" + std::to_string(p + 2) + ")";
    }
    return sql;
}

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The card's code page when the mail names none, or only US-ASCII.
std::string CodePage(const std::string &charset)
{
    if (charset.empty() || charset == "us-ascii")
        return "windows-1252";
    return charset;
}

}  // namespace

Store::~Store()
{
    for (sqlite3_stmt *s : {m_known, m_firstSerial, m_insertCard, m_insertAnswers, m_insertRejected})
        sqlite3_finalize(s);
    if (m_db)
        sqlite3_close(m_db);
    for (auto &c : m_converters)
        if (c.second != reinterpret_cast<iconv_t>(-1))
            iconv_close(c.second);
}

bool Store::Prepare(const std::string &sql, sqlite3_stmt **statement)
{
    return sqlite3_prepare_v3(m_db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, statement, nullptr) ==
           SQLITE_OK;
}

std::string Store::Error() const { return m_db ? sqlite3_errmsg(m_db) : "no database"; }

bool Store::Open(const std::string &path, std::string *error)
{
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
            SQLITE_OK ||
        sqlite3_exec(m_db, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK ||
        !Prepare("SELECT 1 FROM registrations WHERE digest = ?1 "
                 "UNION ALL SELECT 1 FROM rejected WHERE digest = ?1 LIMIT 1",
                 &m_known) ||
        !Prepare("SELECT id FROM registrations WHERE serial_number = ?1 ORDER BY id LIMIT 1",
                 &m_firstSerial) ||
        !Prepare(InsertCardSql(), &m_insertCard) || !Prepare(InsertAnswersSql(), &m_insertAnswers) ||
        !Prepare("INSERT INTO rejected (digest, source, reason, raw) VALUES (?1, ?2, ?3, ?4)",
                 &m_insertRejected)) {
        *error = path + ": " + Error();
        return false;
    }
    for (int q = 0; q < QUESTION_COUNT; ++q) {
        sqlite3_bind_int(m_insertAnswers, 2 + 3 * q, q + 1);
        sqlite3_bind_text(m_insertAnswers, 3 + 3 * q, kQuestionLabels[q], -1, SQLITE_STATIC);
    }
    return true;
}

void Store::Begin() { sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr); }

void Store::Commit() { sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr); }

bool Store::Known(const Digest &digest)
{
    sqlite3_bind_blob(m_known, 1, digest.data(), static_cast<int>(digest.size()), SQLITE_STATIC);
    const bool known = sqlite3_step(m_known) == SQLITE_ROW;
    sqlite3_reset(m_known);
    return known;
}

bool Store::ToUtf8(std::string_view text, const std::string &charset, std::string *out)
{
    out->clear();
    if (IsAscii(text) || charset == "utf-8") {
        out->assign(text);
        return true;
    }
    const std::string page = CodePage(charset);
    auto found = m_converters.find(page);
    if (found == m_converters.end())
        found = m_converters.emplace(page, iconv_open("UTF-8", page.c_str())).first;
    const iconv_t cd = found->second;
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string in(text);
    char *from = &in[0];
    size_t fromLeft = in.size();
    char buffer[512];
    while (fromLeft > 0) {
        char *to = buffer;
        size_t toLeft = sizeof buffer;
        const size_t r = iconv(cd, &from, &fromLeft, &to, &toLeft);
        out->append(buffer, to - buffer);
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            // A byte the code page leaves undefined: kept as the character of that number.
            const unsigned char c = static_cast<unsigned char>(*from);
            out->push_back(static_cast<char>(0xC0 | (c >> 6)));
            out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
            ++from;
            --fromLeft;
        }
    }
    return true;
}

std::string Store::AddCard(const Digest &digest, const Origin &origin, std::string_view line,
                           const Card &card, bool *repeat)
{
    // Converted first, where they need it: the statement keeps pointers into
    // these until it has run.
    std::string converted[CARD_TEXT_COUNT + CARD_HARDWARE_TEXTS];
    std::string_view texts[CARD_TEXT_COUNT + CARD_HARDWARE_TEXTS];
    for (int i = 0; i < CARD_TEXT_COUNT + CARD_HARDWARE_TEXTS; ++i) {
        const std::string_view field = card.field[i < CARD_TEXT_COUNT ? i : POS_HARDWARE + i - CARD_TEXT_COUNT];
        texts[i] = field;
        if (IsAscii(field))
            continue;
        if (!ToUtf8(field, origin.charset, &converted[i]))
            return "unknown charset " + origin.charset;
        texts[i] = converted[i];
    }

    sqlite3_int64 first = 0;
    const std::string_view serial = texts[POS_SERIAL_NUMBER];
    if (!serial.empty()) {
        sqlite3_bind_text(m_firstSerial, 1, serial.data(), static_cast<int>(serial.size()), SQLITE_STATIC);
        if (sqlite3_step(m_firstSerial) == SQLITE_ROW)
            first = sqlite3_column_int64(m_firstSerial, 0);
        sqlite3_reset(m_firstSerial);
    }
    *repeat = first != 0;

    sqlite3_stmt *s = m_insertCard;
    int p = 1;
    auto text = [&](std::string_view t) {
        sqlite3_bind_text(s, p++, t.data(), static_cast<int>(t.size()), SQLITE_STATIC);
    };
    auto textOrNull = [&](const char *t) {
        if (t)
            sqlite3_bind_text(s, p++, t, -1, SQLITE_STATIC);
        else
            sqlite3_bind_null(s, p++);
    };
    auto numberOrNull = [&](long long n, bool present) {
        if (present)
            sqlite3_bind_int64(s, p++, n);
        else
            sqlite3_bind_null(s, p++);
    };
    sqlite3_bind_blob(s, p++, digest.data(), static_cast<int>(digest.size()), SQLITE_STATIC);
    textOrNull(origin.channel);
    text(origin.file);
    numberOrNull(origin.part, origin.part > 0);
    textOrNull(origin.messageId.empty() ? nullptr : origin.messageId.c_str());
    textOrNull(origin.receivedAt.empty() ? nullptr : origin.receivedAt.c_str());
    numberOrNull(first, first != 0);
    for (int i = 0; i < CARD_TEXT_COUNT; ++i)
        text(texts[i]);
    for (int l = 0; l < LIST_COUNT; ++l)
        textOrNull(ListText(static_cast<CardListId>(l), card.selection[l]));
    for (int i = 0; i < CARD_HARDWARE_TEXTS; ++i) {
        if (card.configurationSent)
            text(texts[CARD_TEXT_COUNT + i]);
        else
            sqlite3_bind_null(s, p++);
    }
    char codes[CARD_CODE_COUNT + 1];
    for (int i = 0; i < CARD_CODE_COUNT; ++i)
        codes[i] = card.field[POS_CODES + i][0];
    codes[CARD_CODE_COUNT] = '\0';
    sqlite3_bind_text(s, p++, codes, CARD_CODE_COUNT, SQLITE_TRANSIENT);
    const DecodedHardware hw = DecodeHardware(&card.field[POS_CODES]);
    textOrNull(hw.processorClass);
    textOrNull(hw.coprocessor);
    numberOrNull(hw.displayClass, hw.displayClass >= 0);
    numberOrNull(hw.hardDisks, hw.hardDisks >= 0);
    numberOrNull(hw.floppyDrives, hw.floppyDrives >= 0);
    numberOrNull(hw.parallelPorts, hw.parallelPorts >= 0);
    numberOrNull(hw.serialPorts, hw.serialPorts >= 0);
    textOrNull(hw.mouse);
    numberOrNull(hw.cdRoms, hw.cdRoms >= 0);
    sqlite3_bind_int(s, p++, card.configurationSent ? 1 : 0);
    sqlite3_bind_int(s, p++, card.declined ? 1 : 0);
    sqlite3_bind_blob(s, p++, line.data(), static_cast<int>(line.size()), SQLITE_STATIC);
    const int done = sqlite3_step(s);
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
    if (done != SQLITE_DONE)
        return "not stored: " + Error();

    const sqlite3_int64 id = sqlite3_last_insert_rowid(m_db);
    sqlite3_bind_int64(m_insertAnswers, 1, id);
    for (int q = 0; q < QUESTION_COUNT; ++q) {
        if (card.declined)
            sqlite3_bind_null(m_insertAnswers, 4 + 3 * q);
        else
            sqlite3_bind_int(m_insertAnswers, 4 + 3 * q, card.ticked[q] ? 1 : 0);
    }
    const int answered = sqlite3_step(m_insertAnswers);
    sqlite3_reset(m_insertAnswers);
    if (answered != SQLITE_DONE)
        return "answers not stored: " + Error();
    return std::string();
}

void Store::AddRejected(const Digest *digest, const std::string &source, const std::string &reason,
                        const std::string_view *raw)
{
    sqlite3_stmt *s = m_insertRejected;
    if (digest)
        sqlite3_bind_blob(s, 1, digest->data(), static_cast<int>(digest->size()), SQLITE_STATIC);
    else
        sqlite3_bind_null(s, 1);
    sqlite3_bind_text(s, 2, source.data(), static_cast<int>(source.size()), SQLITE_STATIC);
    sqlite3_bind_text(s, 3, reason.data(), static_cast<int>(reason.size()), SQLITE_STATIC);
    if (raw)
        sqlite3_bind_blob(s, 4, raw->data(), static_cast<int>(raw->size()), SQLITE_STATIC);
    else
        sqlite3_bind_null(s, 4);
    sqlite3_step(s);
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
}
