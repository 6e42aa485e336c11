#include "Mail.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r' || s.front() == '\n'))
        s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The value of a parameter such as charset= in a Content-Type, lower case.
std::string Parameter(std::string_view value, const char *name)
{
    const std::string lower = Lower(value);
    const std::string key = std::string(name) + "=";
    size_t at = 0;
    while ((at = lower.find(key, at)) != std::string::npos) {
        if (at == 0 || lower[at - 1] == ';' || IsBlank(lower[at - 1]))
            break;
        ++at;
    }
    if (at == std::string::npos)
        return std::string();
    std::string_view v = std::string_view(lower).substr(at + key.size());
    if (!v.empty() && v.front() == '"') {
        v.remove_prefix(1);
        v = v.substr(0, v.find('"'));
    } else {
        v = v.substr(0, v.find_first_of("; \t\r\n"));
    }
    return std::string(v);
}

}  // namespace

bool LooksLikeHeader(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && text[i] > 32 && text[i] < 127 && text[i] != ':')
        ++i;
    return i > 0 && i < text.size() && text[i] == ':';
}

std::string DecodeQuotedPrintable(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        const bool hasBreak = end != std::string_view::npos;
        text.remove_prefix(hasBreak ? end + 1 : text.size());
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        while (!line.empty() && IsBlank(line.back()))
            line.remove_suffix(1);
        bool soft = false;
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '=') {
                out += line[i];
                continue;
            }
            if (i + 1 == line.size()) {
                soft = true;
                break;
            }
            const int hi = i + 2 < line.size() ? HexValue(line[i + 1]) : -1;
            const int lo = i + 2 < line.size() ? HexValue(line[i + 2]) : -1;
            if (hi < 0 || lo < 0) {
                out += '=';
                continue;
            }
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        }
        if (hasBreak && !soft)
            out += "\r\n";
    }
    return out;
}

std::string ReadMail(std::string_view message, MailCard *mail)
{
    if (!LooksLikeHeader(message))
        return "not a mail message";
    size_t headerEnd = std::string_view::npos, bodyStart = 0;
    for (size_t i = 0; i < message.size(); ++i) {
        if (message[i] != '\n')
            continue;
        if (i + 1 < message.size() && message[i + 1] == '\n') {
            headerEnd = i + 1;
            bodyStart = i + 2;
            break;
        }
        if (i + 2 < message.size() && message[i + 1] == '\r' && message[i + 2] == '\n') {
            headerEnd = i + 1;
            bodyStart = i + 3;
            break;
        }
    }
    if (headerEnd == std::string_view::npos)
        return "mail without a body (truncated?)";

    std::string encoding, contentType, received, date;
    mail->messageId.clear();
    std::string_view header = message.substr(0, headerEnd);
    // Each field with its folded continuation lines joined.
    while (!header.empty()) {
        size_t end = 0;
        for (;;) {
            end = header.find('\n', end);
            if (end == std::string_view::npos || end + 1 >= header.size() || !IsBlank(header[end + 1]))
                break;
            ++end;
        }
        const std::string_view field = header.substr(0, end);
        header.remove_prefix(end == std::string_view::npos ? header.size() : end + 1);
        if (!LooksLikeHeader(field))
            return "malformed header line";
        const size_t colon = field.find(':');
        const std::string name = Lower(field.substr(0, colon));
        std::string value;
        for (char c : Trim(field.substr(colon + 1)))
            if (c != '\r' && c != '\n')
                value += c;
        if (name == "content-transfer-encoding")
            encoding = Lower(Trim(value));
        else if (name == "content-type")
            contentType = value;
        else if (name == "message-id")
            mail->messageId = std::string(Trim(value));
        else if (name == "date")
            date = value;
        else if (name == "received" && received.empty())
            received = value;  // the topmost one: the last server's
    }

    if (!contentType.empty() && Lower(Trim(contentType.substr(0, contentType.find(';')))) != "text/plain")
        return "not a plain text mail (" + std::string(Trim(contentType.substr(0, contentType.find(';')))) + ")";
    mail->charset = Parameter(contentType, "charset");

    std::string_view body = message.substr(bodyStart);
    std::string decoded;
    if (encoding == "quoted-printable") {
        decoded = DecodeQuotedPrintable(body);
    } else if (encoding.empty() || encoding == "7bit" || encoding == "8bit" || encoding == "binary") {
        decoded = std::string(body);
    } else {
        return "unsupported transfer encoding " + encoding;
    }
    while (!decoded.empty() && (decoded.back() == '\n' || decoded.back() == '\r'))
        decoded.pop_back();
    if (decoded.find_first_of("\r\n") != std::string::npos)
        return "the body is more than one line";
    mail->line = std::move(decoded);

    mail->receivedAt.clear();
    const size_t semicolon = received.rfind(';');
    if (semicolon != std::string::npos)
        mail->receivedAt = ParseMailDate(std::string_view(received).substr(semicolon + 1));
    if (mail->receivedAt.empty())
        mail->receivedAt = ParseMailDate(date);
    return std::string();
}

std::vector<std::string> SplitMbox(std::string_view mbox)
{
    std::vector<std::string> messages;
    // Each message is followed by a blank line that is the mbox's, not the message's.
    auto close = [&messages] {
        if (messages.empty())
            return;
        std::string &m = messages.back();
        if (m.size() >= 2 && m.compare(m.size() - 2, 2, "\n\n") == 0)
            m.pop_back();
        else if (m.size() >= 4 && m.compare(m.size() - 4, 4, "\r\n\r\n") == 0)
            m.resize(m.size() - 2);
    };
    bool blankBefore = true;
    while (!mbox.empty()) {
        const size_t end = mbox.find('\n');
        const std::string_view line = mbox.substr(0, end == std::string_view::npos ? mbox.size() : end + 1);
        mbox.remove_prefix(line.size());
        if (blankBefore && line.compare(0, 5, "From ") == 0) {
            close();
            messages.emplace_back();
            blankBefore = false;
            continue;
        }
        blankBefore = line == "\n" || line == "\r\n";
        if (messages.empty())
            continue;  // text before the first "From " line belongs to no message
        size_t quotes = 0;
        while (quotes < line.size() && line[quotes] == '>')
            ++quotes;
        if (quotes > 0 && line.compare(quotes, 5, "From ") == 0)
            messages.back().append(line.substr(1));
        else
            messages.back().append(line);
    }
    close();
    return messages;
}

std::string ParseMailDate(std::string_view date)
{
    static const char *const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                          "jul", "aug", "sep", "oct", "nov", "dec"};
    std::string text(date.substr(0, 120));
    // Comments such as "(UTC)" and the weekday are not needed.
    const size_t paren = text.find('(');
    if (paren != std::string::npos)
        text.resize(paren);
    const size_t comma = text.find(',');
    if (comma != std::string::npos)
        text.erase(0, comma + 1);
    int day = 0, year = 0, hour = 0, minute = 0, second = 0;
    char month[4] = {}, zone[8] = {};
    int n = sscanf(text.c_str(), " %d %3s %d %d:%d:%d %7s", &day, month, &year, &hour, &minute,
                   &second, zone);
    if (n < 6) {
        second = 0;
        n = sscanf(text.c_str(), " %d %3s %d %d:%d %7s", &day, month, &year, &hour, &minute, zone);
        if (n < 5)
            return std::string();
    }
    int mon = -1;
    for (int m = 0; m < 12; ++m)
        if (Lower(month) == kMonths[m])
            mon = m;
    if (year < 100)
        year += year < 50 ? 2000 : 1900;
    if (mon < 0 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60 || year > 9999)
        return std::string();
    int offset = 0;
    if ((zone[0] == '+' || zone[0] == '-') && strlen(zone) == 5) {
        offset = ((zone[1] - '0') * 10 + (zone[2] - '0')) * 60 + (zone[3] - '0') * 10 + (zone[4] - '0');
        if (zone[0] == '-')
            offset = -offset;
    }
    struct tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = mon;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return FormatUtc(timegm(&t) - static_cast<time_t>(offset) * 60);
}

std::string FormatUtc(time_t when)
{
    struct tm u;
    if (!gmtime_r(&when, &u))
        return std::string();
    char text[32];
    strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &u);
    return text;
}
