// The card's three text forms, each rendered from the record alone.
#include "Render.h"

#include <cstdarg>
#include <cstring>

#include "../platform/FormatText.h"

namespace {

const char kTab = '\t';

struct TextField {
    size_t offset;
    size_t width;
};

#define TEXT_FIELD(field) \
    {offsetof(RegistrationRecord, field), sizeof(RegistrationRecord::field)}

// Every text a rendering writes.
const TextField kRenderedTexts[] = {
    TEXT_FIELD(Memory),        TEXT_FIELD(Printer),       TEXT_FIELD(HardDrives),
    TEXT_FIELD(FloppyDrives),  TEXT_FIELD(OtherDrives),   TEXT_FIELD(DOSVersion),
    TEXT_FIELD(WindowsVersion), TEXT_FIELD(FirstName),    TEXT_FIELD(Initial),
    TEXT_FIELD(LastName),      TEXT_FIELD(Company),       TEXT_FIELD(Address1),
    TEXT_FIELD(Address2),      TEXT_FIELD(City),          TEXT_FIELD(State),
    TEXT_FIELD(Zip),           TEXT_FIELD(Country),       TEXT_FIELD(Phone),
    TEXT_FIELD(Fax),           TEXT_FIELD(PurchaseType),  TEXT_FIELD(ComputersAtSite),
    TEXT_FIELD(IHaveUsed),     TEXT_FIELD(HowDidYouHear), TEXT_FIELD(PurchasedFrom),
    TEXT_FIELD(PurchaseDate),  TEXT_FIELD(SerialNumber),  TEXT_FIELD(Service),
    TEXT_FIELD(EmailAddress),  TEXT_FIELD(ProductCode),   TEXT_FIELD(ProductCodePrefix),
    TEXT_FIELD(ProductName),   TEXT_FIELD(VendorName),    TEXT_FIELD(VendorStreet),
    TEXT_FIELD(VendorCity),    TEXT_FIELD(VendorFax),
};

// The hardware texts that stay empty when the configuration is not sent.
const TextField kHardwareTexts[] = {
    TEXT_FIELD(Memory),       TEXT_FIELD(Printer),    TEXT_FIELD(HardDrives),
    TEXT_FIELD(FloppyDrives), TEXT_FIELD(OtherDrives), TEXT_FIELD(DOSVersion),
    TEXT_FIELD(WindowsVersion),
};

enum { HARDWARE_CODE_COUNT = 10 };

// A TAB would shift every later field of the positional record; a line break
// would split its one line or end the mail early.
bool IsBreaking(char c) { return c == '\t' || c == '\r' || c == '\n'; }

// The record as the renderers see it: a private copy whose texts end within
// their widths and hold no TAB or line break, with the hardware codes and the
// answer marks derived. The caller's record is never changed.
struct View {
    RegistrationRecord r;
    char codes[HARDWARE_CODE_COUNT];
    char marks[QUESTION_COUNT];
};

char *Text(RegistrationRecord *r, const TextField &f)
{
    return reinterpret_cast<char *>(r) + f.offset;
}

void Prepare(const RegistrationRecord *rec, View *v)
{
    memcpy(&v->r, rec, sizeof v->r);
    for (const TextField &f : kRenderedTexts) {
        char *text = Text(&v->r, f);
        text[f.width - 1] = '\0';
        for (char *c = text; *c; ++c)
            if (IsBreaking(*c))
                *c = ' ';
    }

    // A code position past the end of the codes, or holding a TAB or line
    // break, is written as a blank.
    bool ended = false;
    for (int i = 0; i < HARDWARE_CODE_COUNT; ++i) {
        const char c = rec->HardwareCodes[i];
        ended = ended || c == '\0';
        v->codes[i] = ended || IsBreaking(c) ? ' ' : c;
    }
    if (!rec->SendConfiguration) {
        for (const TextField &f : kHardwareTexts)
            Text(&v->r, f)[0] = '\0';
        memset(v->codes, ' ', sizeof v->codes);
    }

    for (int i = 0; i < QUESTION_COUNT; ++i) {
        if (rec->DoNotSendMarketResearch)
            v->marks[i] = ' ';
        else
            v->marks[i] = rec->Question[i] ? 'T' : 'F';
    }
}

// The mail body as the pieces fill it, cut at its width.
struct BodyText {
    char *body;
    size_t width;  // terminator included
    size_t used;
};

bool AppendToBody(void *context, const char *piece, size_t length)
{
    BodyText &b = *static_cast<BodyText *>(context);
    const size_t room = b.width - 1 - b.used;
    const size_t n = length < room ? length : room;
    memcpy(b.body + b.used, piece, n);
    b.used += n;
    b.body[b.used] = '\0';
    return true;
}

// A combo selection as written: none is 0, the first entry 1.
int SelectionNumber(int8_t index) { return index + 1; }

// Formats each piece into the line buffer and hands exactly its length on.
class PieceWriter {
public:
    explicit PieceWriter(const PieceSink &sink) : m_sink(sink) {}

    bool operator()(const char *format, ...) FORMAT_TEXT_CHECK(2, 3)
    {
        va_list args;
        va_start(args, format);
        const int n = FormatTextV(m_line, sizeof m_line, format, args);
        va_end(args);
        if (n < 0)
            return false;
        return m_sink(m_line, static_cast<size_t>(n));
    }

    // Characters each followed by a TAB, as one piece.
    bool Tabbed(const char *chars, size_t count)
    {
        size_t n = 0;
        for (size_t i = 0; i < count && n + 2 < sizeof m_line; ++i) {
            m_line[n++] = chars[i];
            m_line[n++] = kTab;
        }
        return m_sink(m_line, n);
    }

private:
    const PieceSink &m_sink;
    char m_line[RENDER_LINE_WIDTH] = {};
};

// Pieces 1 to 10 of the record file, shared with the mail body.
bool RenderFields(const View &v, PieceWriter &w)
{
    const RegistrationRecord &r = v.r;
    const char t = kTab;
    return w("%s%s%c%s%c%s%c%s%c%s%c", r.ProductCodePrefix, r.ProductCode, t, r.FirstName, t,
             r.Initial, t, r.LastName, t, r.Company, t) &&
           w("%s%c%s%c%s%c%s%c%s%c%s%c", r.Address1, t, r.Address2, t, r.City, t, r.State, t,
             r.Zip, t, r.Country, t) &&
           w("%s%c%s%c%s%c%s%c", r.Phone, t, r.Fax, t, r.EmailAddress, t, r.Service, t) &&
           w("%s%c", r.SerialNumber, t) &&
           w("%s%c%s%c", r.PurchaseDate, t, r.PurchasedFrom, t) &&
           w("%d%c%d%c%d%c%d%c%d%c", SelectionNumber(r.PurchaseTypeIndex), t,
             SelectionNumber(r.ComputersAtSiteIndex), t, SelectionNumber(r.IHaveUsedIndex), t,
             SelectionNumber(r.HowDidYouHearIndex), t, SelectionNumber(r.ServiceIndex), t) &&
           w("%s%c%s%c%s%c", r.Memory, t, r.Printer, t, r.HardDrives, t) &&
           w("%s%c%s%c%s%c%s%c", r.FloppyDrives, t, r.OtherDrives, t, r.DOSVersion, t,
             r.WindowsVersion, t) &&
           w.Tabbed(v.codes, HARDWARE_CODE_COUNT) && w.Tabbed(v.marks, QUESTION_COUNT);
}

// The questionnaire lines of the printed card. The labels number the paper
// card's boxes, which have no 40: from Question40 on the label is one higher.
struct MarkLine {
    const char *format;
    int first;  // index of the first answer on the line
};

const MarkLine kMarkLines[] = {
    {"            Publications: 01%c 02%c 03%c 04%c 05%c 06%c\n", 0},
    {"              Software 1: 07%c 08%c 09%c 10%c 11%c 12%c 13%c 14%c 15%c\n", 6},
    {"              Software 2: 16%c 17%c 18%c 19%c 20%c 21%c 22%c 23%c 24%c\n", 15},
    {"              Software 3: 25%c 26%c 27%c 28%c 29%c 30%c 31%c 32%c 33%c\n", 24},
    {"              Software 4: 34%c 35%c 36%c 37%c 38%c 39%c 41%c 42%c 43%c\n", 33},
    {"              Software 5: 44%c 45%c 46%c 47%c 48%c 49%c 50%c 51%c 52%c\n", 42},
};

}  // namespace

bool RenderRecordFile(const RegistrationRecord *rec, const PieceSink &sink)
{
    View v;
    Prepare(rec, &v);
    PieceWriter w(sink);
    return RenderFields(v, w) && sink("\r\n", 2);
}

int BuildMailBody(const RegistrationRecord *rec, char *body, size_t width)
{
    if (!body || width == 0)
        return 0;
    body[0] = '\0';
    BodyText text = {body, width, 0};
    const PieceSink append = {AppendToBody, &text};
    View v;
    Prepare(rec, &v);
    PieceWriter w(append);
    RenderFields(v, w);
    return 0;
}

bool RenderPrintedCard(const RegistrationRecord *rec, const char *today, const PieceSink &sink)
{
    View v;
    Prepare(rec, &v);
    const RegistrationRecord &r = v.r;
    char date[CARD_DATE_WIDTH];
    CopyField(date, today);

    PieceWriter w(sink);
    bool ok =
        w("\n    %s\n    Registration Card                       Today's date: %s\n\n"
          "    Please mail this Electronic Registration Card in the enclosed\n"
          "    postage pre-paid envelope to:\n\n\t\t\t%s\n\t\t\t%s\n\t\t\t%s\n\n"
          "    or, FAX this sheet (NO COVER SHEET REQUIRED) to:  \n                       %s\n\n",
          r.ProductName, date, r.VendorName, r.VendorStreet, r.VendorCity, r.VendorFax) &&
        w("            Product code: %s%s\n           Serial Number: %s\n"
          "                    Name: %s %s %s\n                 Company: %s\n\n"
          "                Address1: %s\n                Address2: %s\n"
          "                    City: %s\n                   State: %s\n",
          r.ProductCodePrefix, r.ProductCode, r.SerialNumber, r.FirstName, r.Initial,
          r.LastName, r.Company, r.Address1, r.Address2, r.City, r.State) &&
        w("                Zip Code: %s\n                 Country: %s\n\n"
          "                   Phone: %s\n                     Fax: %s\n"
          "           Email Address: %s %s\n\n",
          r.Zip, r.Country, r.Phone, r.Fax, r.EmailAddress, r.Service) &&
        w("           Purchase Date: %s\n          Purchased From: %s\n"
          "           Purchase Type: %s\n\t\tComputers at Site: %s\n"
          "       How did you hear?: %s\n     Host App Experience: %s\n",
          r.PurchaseDate, r.PurchasedFrom, r.PurchaseType, r.ComputersAtSite, r.HowDidYouHear,
          r.IHaveUsed);

    for (const MarkLine &line : kMarkLines) {
        // Every line takes nine marks; the shorter first line ignores the rest.
        const char *m = v.marks + line.first;
        ok = ok && w(line.format, m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8]);
    }
    return ok;
}

void FormatCardDate(int year, int month, int day, char *date, size_t width)
{
    // Each part is cut to two digits, so the date never exceeds its eight characters.
    const int yy = ((year % 100) + 100) % 100;
    const int mm = ((month % 100) + 100) % 100;
    const int dd = ((day % 100) + 100) % 100;
    FormatText(date, width, "%02d/%02d/%02d", mm, dd, yy);
}
