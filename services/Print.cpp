// Ordinal 4 of the stand-in: prints a text file on the default printer, or,
// scripted by zeveze32.ini, copies it into a folder or forces a result.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Ini.h"
#include "Services.h"

namespace {

// Results of a print; 0 is success.
enum PrintResult {
    PRINTED = 0,
    NO_DEFAULT_PRINTER = 1,
    PRINTER_UNAVAILABLE = 2,
    FILE_UNREADABLE = 3,
    JOB_FAILED = 4,
    COPY_FAILED = 5,
};

const int kLinesPerPage = 60;
const int kPointSize = 10;
const int kMarginInches = 1;
const int kMaxCopies = 10000;

bool ReadText(const char *path, std::string *text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream all;
    all << in.rdbuf();
    *text = all.str();
    return true;
}

std::vector<std::string> SplitLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// Copies the file into folder as card-NNNN.txt under a name not yet taken.
int CopyToFolder(const char *path, const std::string &folder)
{
    std::string dir = folder;
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/')
        dir += '\\';
    for (int n = 1; n < kMaxCopies; ++n) {
        char name[32];
        snprintf(name, sizeof name, "card-%04d.txt", n);
        if (CopyFileA(path, (dir + name).c_str(), TRUE))
            return PRINTED;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return COPY_FAILED;
    }
    return COPY_FAILED;
}

// Prints the lines on dc, a fixed-pitch font, kLinesPerPage lines to a page.
bool PrintLines(HDC dc, const std::vector<std::string> &lines)
{
    const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    HFONT font = CreateFontA(-MulDiv(kPointSize, dpiY, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                             FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    const int step = tm.tmHeight + tm.tmExternalLeading;
    const int left = dpiX * kMarginInches;
    const int top = dpiY * kMarginInches;

    bool ok = true;
    const size_t count = lines.empty() ? 1 : lines.size();
    for (size_t first = 0; ok && first < count; first += kLinesPerPage) {
        ok = StartPage(dc) > 0;
        for (size_t i = first; ok && i < lines.size() && i < first + kLinesPerPage; ++i) {
            const std::string &line = lines[i];
            // TABs stop at every eighth column, as on a terminal.
            TabbedTextOutA(dc, left, top + static_cast<int>(i - first) * step, line.c_str(),
                           static_cast<int>(line.size()), 0, nullptr, left);
        }
        ok = ok && EndPage(dc) > 0;
    }

    SelectObject(dc, old);
    DeleteObject(font);
    return ok;
}

int PrintOnDefaultPrinter(const char *path)
{
    char printer[512];
    DWORD size = sizeof printer;
    if (!GetDefaultPrinterA(printer, &size))
        return NO_DEFAULT_PRINTER;
    std::string text;
    if (!ReadText(path, &text))
        return FILE_UNREADABLE;
    HDC dc = CreateDCA("WINSPOOL", printer, nullptr, nullptr);
    if (!dc)
        return PRINTER_UNAVAILABLE;

    DOCINFOA doc = {};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = "Registration Card";
    int result = JOB_FAILED;
    if (StartDocA(dc, &doc) > 0) {
        if (PrintLines(dc, SplitLines(text)) && EndDoc(dc) > 0)
            result = PRINTED;
        else
            AbortDoc(dc);
    }
    DeleteDC(dc);
    return result;
}

}  // namespace

extern "C" int WINAPI ZvPrintFile(const char *path, int)
{
    if (!path)
        return FILE_UNREADABLE;
    const std::string folder = IniString("Print", "Folder", "");
    const int copied = folder.empty() ? PRINTED : CopyToFolder(path, folder);
    // A forced result comes after the copy, so the folder counts every call.
    if (IniHas("Print", "Result"))
        return IniInt("Print", "Result", PRINTED);
    if (!folder.empty())
        return copied;
    return PrintOnDefaultPrinter(path);
}
