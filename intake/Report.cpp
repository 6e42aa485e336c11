#include "Report.h"

#include <string>

namespace {

class Query {
public:
    Query(sqlite3 *db, const char *sql) { m_ok = sqlite3_prepare_v2(db, sql, -1, &m_s, nullptr) == SQLITE_OK; }
    ~Query() { sqlite3_finalize(m_s); }
    Query(const Query &) = delete;
    Query &operator=(const Query &) = delete;
    bool Ok() const { return m_ok; }
    bool Row() { return m_ok && sqlite3_step(m_s) == SQLITE_ROW; }
    std::string Text(int c) const
    {
        const unsigned char *t = sqlite3_column_text(m_s, c);
        return t ? reinterpret_cast<const char *>(t) : "";
    }
    bool Null(int c) const { return sqlite3_column_type(m_s, c) == SQLITE_NULL; }
    long long Int(int c) const { return sqlite3_column_int64(m_s, c); }
    int Columns() const { return sqlite3_column_count(m_s); }
    const char *Name(int c) const { return sqlite3_column_name(m_s, c); }

private:
    sqlite3_stmt *m_s = nullptr;
    bool m_ok = false;
};

// A section of value and count rows; a NULL value is shown as none.
bool Counted(sqlite3 *db, FILE *out, const char *title, const char *sql, const char *none)
{
    Query q(db, sql);
    if (!q.Ok())
        return false;
    fprintf(out, "%s:\n", title);
    bool any = false;
    for (; q.Row(); any = true)
        fprintf(out, "  %-24s %8lld\n", q.Null(0) ? none : q.Text(0).c_str(), q.Int(1));
    if (!any)
        fprintf(out, "  (none)\n");
    return true;
}

// First cards only: a card sent again is the same buyer and the same machine.
const char kFirstCards[] = "repeat_of IS NULL";

}  // namespace

bool PrintReport(sqlite3 *db, FILE *out)
{
    Query totals(db,
                 "SELECT (SELECT count(*) FROM registrations),"
                 " (SELECT count(*) FROM registrations WHERE repeat_of IS NOT NULL),"
                 " (SELECT count(*) FROM rejected)");
    if (!totals.Row())
        return false;
    fprintf(out, "cards: %lld, of them %lld repeats; %lld inputs rejected\n", totals.Int(0), totals.Int(1),
            totals.Int(2));
    const std::string first = kFirstCards;
    bool ok =
        Counted(db, out, "cards by product",
                "SELECT product_code, count(*) FROM registrations GROUP BY 1 ORDER BY 2 DESC, 1", "(none)") &&
        Counted(db, out, "cards by channel",
                "SELECT channel, count(*) FROM registrations GROUP BY 1 ORDER BY 2 DESC, 1", "(none)") &&
        Counted(db, out, "repeats by channel",
                "SELECT channel, count(*) FROM registrations WHERE repeat_of IS NOT NULL"
                " GROUP BY 1 ORDER BY 2 DESC, 1",
                "(none)") &&
        Counted(db, out, "machines by processor class (first cards)",
                ("SELECT processor_class, count(*) FROM registrations WHERE " + first +
                 " GROUP BY 1 ORDER BY 2 DESC, 1")
                    .c_str(),
                "(not sent)") &&
        Counted(db, out, "machines by display class (first cards)",
                ("SELECT display_class, count(*) FROM registrations WHERE " + first +
                 " GROUP BY 1 ORDER BY 2 DESC, 1")
                    .c_str(),
                "(not sent)");
    if (!ok)
        return false;

    Query answered(db, ("SELECT count(*), coalesce(sum(questionnaire_declined), 0) FROM registrations WHERE " +
                        first)
                           .c_str());
    if (!answered.Row())
        return false;
    const long long cards = answered.Int(0), declined = answered.Int(1), answering = cards - declined;
    fprintf(out, "questionnaire (first cards: %lld answered, %lld declined):\n", answering, declined);
    Query tally(db, ("SELECT a.question, a.text, coalesce(sum(a.ticked), 0) FROM answers a"
                     " JOIN registrations r ON r.id = a.registration WHERE r." +
                     first + " GROUP BY a.question, a.text ORDER BY a.question")
                        .c_str());
    if (!tally.Ok())
        return false;
    while (tally.Row()) {
        const long long ticked = tally.Int(2);
        fprintf(out, "  %2lld %-24s %8lld %6.1f%%\n", tally.Int(0), tally.Text(1).c_str(), ticked,
                answering ? 100.0 * static_cast<double>(ticked) / static_cast<double>(answering) : 0.0);
    }
    return true;
}

bool ExportCsv(sqlite3 *db, FILE *out)
{
    Query q(db, "SELECT * FROM registrations ORDER BY id");
    if (!q.Ok())
        return false;
    std::string row;
    auto field = [&row](const std::string &text, bool first) {
        if (!first)
            row += ',';
        if (text.find_first_of(",\"\r\n") == std::string::npos && (text.empty() || (text.front() != ' ' && text.back() != ' '))) {
            row += text;
            return;
        }
        row += '"';
        for (char c : text) {
            if (c == '"')
                row += '"';
            row += c;
        }
        row += '"';
    };
    // The header comes first even when there is no row.
    auto line = [&](bool names) {
        row.clear();
        bool firstColumn = true;
        for (int c = 0; c < q.Columns(); ++c) {
            const std::string name = q.Name(c);
            if (name == "raw" || name == "digest")
                continue;
            field(names ? name : q.Text(c), firstColumn);
            firstColumn = false;
        }
        fprintf(out, "%s\r\n", row.c_str());
    };
    line(true);
    while (q.Row())
        line(false);
    return true;
}
