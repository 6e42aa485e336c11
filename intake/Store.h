// The vendor's database: registrations, their answers, and what was rejected.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include <iconv.h>
#include <sqlite3.h>

#include "Card.h"

using Digest = std::array<uint8_t, 32>;

// Where a card came from.
struct Origin {
    const char *channel;     // "mail" or "modem"
    std::string file;
    int part;                // the message's number inside an mbox, 0 otherwise
    std::string messageId;   // empty: none
    std::string receivedAt;  // "YYYY-MM-DD HH:MM:SS" UTC, empty: unknown
    std::string charset;     // the mail's, empty: the card's own code page
};

class Store {
public:
    Store() = default;
    ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    // Opens or creates the database and its tables. False with error set when it cannot.
    bool Open(const std::string &path, std::string *error);
    sqlite3 *Db() const { return m_db; }

    // Whether these bytes were ingested before, as a card or a rejection.
    bool Known(const Digest &digest);
    // Adds the card and its answers. Returns an empty text, or why it could not
    // be stored (a charset the machine cannot convert). *repeat tells whether an
    // earlier card carried the same serial number.
    std::string AddCard(const Digest &digest, const Origin &origin, std::string_view line,
                        const Card &card, bool *repeat);
    // digest and raw may be null (an unreadable file).
    void AddRejected(const Digest *digest, const std::string &source, const std::string &reason,
                     const std::string_view *raw);

    // Many inserts share one transaction: committing each would cost a disk sync per card.
    void Begin();
    void Commit();

    // The last SQLite error, for a failure no card causes.
    std::string Error() const;

private:
    bool Prepare(const std::string &sql, sqlite3_stmt **statement);
    // Text in the database is UTF-8; the card writes its code page's bytes.
    bool ToUtf8(std::string_view text, const std::string &charset, std::string *out);

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_known = nullptr;
    sqlite3_stmt *m_firstSerial = nullptr;
    sqlite3_stmt *m_insertCard = nullptr;
    sqlite3_stmt *m_insertAnswers = nullptr;
    sqlite3_stmt *m_insertRejected = nullptr;
    std::map<std::string, iconv_t> m_converters;
};
