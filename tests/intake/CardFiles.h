// Received cards as the vendor gets them: random records filled by the real
// probe and rendered by the card's own renderers into mail messages and
// record files. Shared by the intake's tests and its benchmark.
#pragma once
#include <cstring>
#include <random>
#include <string>

#include "output/Render.h"
#include "pages/ProbeLogic.h"

namespace cardfiles {

// A machine whose every answer is drawn at random.
class RandomMachine : public ProbeServices {
public:
    explicit RandomMachine(std::mt19937 &random) : m_random(random) {}
    int Processor() override { return Bit(); }
    int MemorySize(int) override { return Pick(0, 65535); }
    int Display(char *display) override
    {
        CopyField(display, sizeof(RegistrationRecord::DisplayType), Pick(0, 1) ? "VGA" : "Super VGA");
        return Pick(0, 12);
    }
    int NextDrive(int previous) override
    {
        const int next = previous + 1 + Pick(0, 2);
        return next < 26 && Pick(0, 5) ? next : -1;
    }
    int DriveInfo(int, int *type, int *number) override
    {
        static const int kTypes[] = {4, 8, 16, 32, 5, 128, 128, 3};
        *type = kTypes[Pick(0, 7)];
        *number = Pick(1, 2000);
        return 0;
    }
    int Mouse() override { return Bit(); }
    int Printer(char *printer, int width) override
    {
        CopyField(printer, static_cast<size_t>(width), Pick(0, 1) ? "HP LaserJet 4" : "");
        return 0;
    }
    int Ports(int) override { return Pick(0, 3); }
    int Version(int which, char *text, int width) override
    {
        CopyField(text, static_cast<size_t>(width), which == 1 ? "6.22" : "3.11");
        return 0;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    int Bit() { return Pick(0, 8) ? 1 << Pick(0, 8) : 0; }
    std::mt19937 &m_random;
};

// Printable text of a random length that fits width (terminator included).
inline void RandomText(std::mt19937 &random, char *field, size_t width)
{
    const size_t length = std::uniform_int_distribution<size_t>(0, width - 1)(random);
    std::uniform_int_distribution<int> printable(32, 126);
    for (size_t i = 0; i < length; ++i)
        field[i] = static_cast<char>(printable(random));
    field[length] = '\0';
}

struct Choice {
    bool configurationSent;
    bool declined;
};

// A whole card: every card text random, list selections within their lists
// (counts as the card form has them), the hardware from the real probe.
inline RegistrationRecord RandomRecord(std::mt19937 &random, Choice choice, const int listCounts[5])
{
    RegistrationRecord r;
    memset(&r, 0, sizeof r);
#define TEXT(field) RandomText(random, r.field, sizeof r.field)
    TEXT(FirstName); TEXT(Initial); TEXT(LastName); TEXT(Company); TEXT(Address1);
    TEXT(Address2); TEXT(City); TEXT(State); TEXT(Zip); TEXT(Country); TEXT(Phone); TEXT(Fax);
    TEXT(PurchasedFrom); TEXT(PurchaseDate); TEXT(SerialNumber); TEXT(Service); TEXT(EmailAddress);
    TEXT(ProductCode); TEXT(ProductCodePrefix);
#undef TEXT
    int8_t *indexes[] = {&r.PurchaseTypeIndex, &r.ComputersAtSiteIndex, &r.IHaveUsedIndex,
                         &r.HowDidYouHearIndex, &r.ServiceIndex};
    for (int l = 0; l < 5; ++l)
        *indexes[l] = static_cast<int8_t>(std::uniform_int_distribution<int>(-1, listCounts[l] - 1)(random));
    RandomMachine machine(random);
    ProbeHardware(&r, machine);
    if (!choice.configurationSent) {
        // What the hardware page leaves when the user withholds it.
        r.SendConfiguration = 0;
        r.HardwareCodes[8] = '0';
    }
    r.DoNotSendMarketResearch = choice.declined ? 1 : 0;
    for (int q = 0; q < QUESTION_COUNT; ++q)
        r.Question[q] = static_cast<uint8_t>(std::uniform_int_distribution<int>(0, 1)(random));
    return r;
}

inline bool Append(void *text, const char *piece, size_t length)
{
    static_cast<std::string *>(text)->append(piece, length);
    return true;
}

inline std::string RecordFile(const RegistrationRecord &r)
{
    std::string file;
    RenderRecordFile(&r, PieceSink{Append, &file});
    return file;
}

inline std::string MailBody(const RegistrationRecord &r)
{
    char body[MAIL_BODY_WIDTH];
    BuildMailBody(&r, body, sizeof body);
    return body;
}

// Quoted-printable as the card sends long bodies: lines of at most 76
// characters with "=" soft breaks, =XX in upper case, a TAB or blank at a line
// end, a "." at a line start and "From " at a line start encoded.
inline std::string QuotedPrintable(const std::string &body)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out, line;
    auto encoded = [](unsigned char c) {
        std::string e = "=";
        e += kHex[c >> 4];
        e += kHex[c & 15];
        return e;
    };
    // Ends the line with a soft break; a blank left at its end is encoded,
    // or carried encoded to the next line when there is no room.
    auto softBreak = [&] {
        if (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
            const std::string blank = encoded(static_cast<unsigned char>(line.back()));
            line.pop_back();
            const bool fits = line.size() + blank.size() <= 75;
            out += line + (fits ? blank : "") + "=\r\n";
            line = fits ? "" : blank;
            return;
        }
        out += line + "=\r\n";
        line.clear();
    };
    for (size_t i = 0; i < body.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(body[i]);
        const bool last = i + 1 == body.size();
        std::string piece(1, static_cast<char>(c));
        if (c == '=' || (c < 32 && c != '\t') || c > 126 || (last && (c == ' ' || c == '\t')))
            piece = encoded(c);
        // A line holds 76 characters, the soft break's "=" included.
        if (line.size() + piece.size() > (last ? 76u : 75u))
            softBreak();
        if (line.empty() && (c == '.' || (c == 'F' && body.compare(i, 5, "From ") == 0)))
            piece = encoded(c);
        line += piece;
    }
    return out + line;
}

// The message as the card writes it and the test server stores it: three
// header lines, the body, the line end before the final period.
inline std::string MailMessage(const std::string &email, const std::string &body, bool quotedPrintable,
                               const std::string &extraHeaders = "")
{
    std::string m = extraHeaders + "To: registration@tarvolen.example\r\nFrom: " + email +
                    "\r\nSubject:  Tarvolen Product Registration E-Mail#### \r\n";
    if (quotedPrintable)
        m += "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=windows-1252\r\n"
             "Content-Transfer-Encoding: quoted-printable\r\n\r\n" +
             QuotedPrintable(body);
    else
        m += "\r\n" + body;
    return m + "\r\n";
}

}  // namespace cardfiles
