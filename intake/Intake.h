// Ingesting received cards: files, folders, Maildirs and mbox files.
#pragma once
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "Store.h"

struct IngestCounts {
    long files = 0;       // files looked at
    long readable = 0;    // of those, read whole
    long added = 0;       // new cards
    long repeats = 0;     // of those, sent before under the same serial number
    long rejected = 0;
    long known = 0;       // ingested before: nothing added
};

class Intake {
public:
    // progress: where progress and rejections are told (standard error), or nullptr.
    Intake(Store &store, FILE *progress) : m_store(store), m_progress(progress) {}

    // The database's own files, which a walk of its folder leaves alone.
    void SkipDatabase(const std::string &database);
    // A file or a folder, walked.
    void Path(const std::string &path);
    // Commits what is pending; call once at the end.
    void Finish();
    const IngestCounts &Counts() const { return m_counts; }

    // One file's bytes: a message, an mbox or a record file.
    void Bytes(const std::string &file, std::string_view bytes, const std::string &modified);

private:
    void File(const std::string &path);
    bool Skipped(const std::filesystem::path &file) const;
    void Message(const std::string &file, int part, std::string_view bytes, const std::string &modified);
    void Reject(const Digest *digest, const std::string &source, const std::string &reason,
                const std::string_view *raw);
    void Tick();

    Store &m_store;
    FILE *m_progress;
    IngestCounts m_counts;
    bool m_open = false;
    std::vector<std::string> m_skipped;  // canonical paths
    std::string m_buffer;  // the file being read, kept to spare an allocation per file
};
