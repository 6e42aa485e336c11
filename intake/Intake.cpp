#include "Intake.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "Card.h"
#include "Mail.h"
#include "Sha256.h"

namespace fs = std::filesystem;

namespace {

// Progress is told and the transaction committed every so many files.
const long kProgressEvery = 500;
const long kCommitEvery = 2000;

// The whole file in one read where it can, and when it was last written.
bool ReadWhole(const std::string &path, std::string *bytes, std::string *modified, std::string *error)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0) {
        *error = strerror(errno);
        if (fd >= 0)
            close(fd);
        return false;
    }
    *modified = FormatUtc(st.st_mtime);
    bytes->resize(st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0);
    size_t used = 0;
    for (;;) {
        if (used == bytes->size())
            bytes->resize(used + 65536);  // it may have grown since
        const ssize_t n = read(fd, &(*bytes)[used], bytes->size() - used);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *error = strerror(errno);
            close(fd);
            return false;
        }
        if (n == 0)
            break;
        used += static_cast<size_t>(n);
    }
    close(fd);
    bytes->resize(used);
    return true;
}

// A Maildir keeps messages still being delivered in tmp/: they are not received yet.
bool InMaildirTmp(const fs::path &file)
{
    const fs::path folder = file.parent_path();
    if (folder.filename() != "tmp")
        return false;
    std::error_code ec;
    return fs::is_directory(folder.parent_path() / "cur", ec) && fs::is_directory(folder.parent_path() / "new", ec);
}

}  // namespace

void Intake::Tick()
{
    ++m_counts.files;
    if (m_counts.files % kCommitEvery == 0) {
        m_store.Commit();
        m_store.Begin();
    }
    if (m_progress && m_counts.files % kProgressEvery == 0)
        fprintf(m_progress, "glimintake: %ld files, %ld new cards, %ld rejected, %ld known\n",
                m_counts.files, m_counts.added, m_counts.rejected, m_counts.known);
}

void Intake::Reject(const Digest *digest, const std::string &source, const std::string &reason,
                    const std::string_view *raw)
{
    ++m_counts.rejected;
    m_store.AddRejected(digest, source, reason, raw);
    if (m_progress)
        fprintf(m_progress, "glimintake: rejected %s: %s\n", source.c_str(), reason.c_str());
}

void Intake::SkipDatabase(const std::string &database)
{
    for (const char *suffix : {"", "-journal", "-wal", "-shm"}) {
        std::error_code ec;
        const fs::path canonical = fs::weakly_canonical(database + suffix, ec);
        if (!ec)
            m_skipped.push_back(canonical.string());
    }
}

void Intake::Path(const std::string &path)
{
    if (!m_open) {
        m_store.Begin();
        m_open = true;
    }
    std::error_code ec;
    if (!fs::is_directory(path, ec)) {
        File(path);
        return;
    }
    std::vector<std::string> files;
    fs::recursive_directory_iterator walk(path, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && walk != fs::recursive_directory_iterator(); walk.increment(ec))
        if (walk->is_regular_file(ec) && !InMaildirTmp(walk->path()) && !Skipped(walk->path()))
            files.push_back(walk->path().string());
    if (ec) {
        Tick();
        Reject(nullptr, path, "folder not walked whole: " + ec.message(), nullptr);
    }
    // Sorted, so repeats are found in the order the files were named.
    std::sort(files.begin(), files.end());
    for (const std::string &file : files)
        File(file);
}

bool Intake::Skipped(const fs::path &file) const
{
    std::error_code ec;
    const std::string canonical = fs::weakly_canonical(file, ec).string();
    return !ec && std::find(m_skipped.begin(), m_skipped.end(), canonical) != m_skipped.end();
}

void Intake::Finish()
{
    if (m_open)
        m_store.Commit();
    m_open = false;
}

void Intake::File(const std::string &path)
{
    std::string error, modified;
    if (!ReadWhole(path, &m_buffer, &modified, &error)) {
        Tick();
        Reject(nullptr, path, "unreadable: " + error, nullptr);
        return;
    }
    Bytes(path, m_buffer, modified);
}

void Intake::Bytes(const std::string &file, std::string_view bytes, const std::string &modified)
{
    if (!m_open) {
        m_store.Begin();
        m_open = true;
    }
    ++m_counts.readable;
    Tick();
    if (bytes.compare(0, 5, "From ") != 0) {
        Message(file, 0, bytes, modified);
        return;
    }
    const std::vector<std::string> messages = SplitMbox(bytes);
    for (size_t i = 0; i < messages.size(); ++i)
        Message(file, static_cast<int>(i + 1), messages[i], modified);
}

void Intake::Message(const std::string &file, int part, std::string_view bytes, const std::string &modified)
{
    const std::string source = part ? file + " (message " + std::to_string(part) + ")" : file;
    const Digest digest = Sha256(bytes);
    if (m_store.Known(digest)) {
        ++m_counts.known;
        return;
    }
    if (bytes.empty()) {
        Reject(&digest, source, "empty", &bytes);
        return;
    }
    const size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos) {
        Reject(&digest, source, "NUL byte at offset " + std::to_string(nul), &bytes);
        return;
    }

    Origin origin;
    origin.file = file;
    origin.part = part;
    MailCard mail;
    std::string_view line;
    // A record file is one line; a mail has at least its header and a blank line.
    const bool oneLine = bytes.find('\n') == bytes.size() - 1;
    if (!oneLine && LooksLikeHeader(bytes)) {
        const std::string why = ReadMail(bytes, &mail);
        if (!why.empty()) {
            Reject(&digest, source, why, &bytes);
            return;
        }
        origin.channel = "mail";
        origin.messageId = mail.messageId;
        origin.receivedAt = mail.receivedAt.empty() ? modified : mail.receivedAt;
        origin.charset = mail.charset;
        line = mail.line;
    } else {
        // The modem's record file: the one line and its CR LF.
        const size_t end = bytes.find_first_of("\r\n");
        if (end == std::string_view::npos || bytes.compare(end, std::string_view::npos, "\r\n") != 0) {
            Reject(&digest, source,
                   end == std::string_view::npos ? "no line end: truncated record file"
                                                 : "not one line ending with CR LF",
                   &bytes);
            return;
        }
        origin.channel = "modem";
        origin.receivedAt = modified;
        line = bytes.substr(0, end);
    }

    Card card;
    std::string why = ParseCard(line, &card);
    bool repeat = false;
    if (why.empty())
        why = m_store.AddCard(digest, origin, line, card, &repeat);
    if (!why.empty()) {
        Reject(&digest, source, why, &bytes);
        return;
    }
    ++m_counts.added;
    m_counts.repeats += repeat;
}
