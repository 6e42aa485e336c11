// Build step: reads the card's list texts out of the string table and the
// questionnaire's labels out of its dialog template, and writes them as C++
// tables for the intake. The resources stay the one place these texts are kept.
//
//   glimintake_texts resource.h GlimReg.rc CardPages.rc MarketResearch.rc OUT.cpp
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The five lists of the card form, in the record's order: the string range
// each is filled from and the combo box that shows it.
struct ListSource {
    const char *name;
    const char *first;
    const char *last;
    const char *combo;
};

const ListSource kLists[] = {
    {"Purchase Type", "IDS_PURCHASE_TYPE_FIRST", "IDS_PURCHASE_TYPE_LAST", "IDC_CARD_PURCHASE_TYPE"},
    {"Computers at Site", "IDS_COMPUTERS_FIRST", "IDS_COMPUTERS_LAST", "IDC_CARD_COMPUTERS"},
    {"I have used", "IDS_USED_FIRST", "IDS_USED_LAST", "IDC_CARD_USED"},
    {"How did you hear", "IDS_HEARD_FIRST", "IDS_HEARD_LAST", "IDC_CARD_HEARD"},
    {"Service", "IDS_SERVICE_FIRST", "IDS_SERVICE_LAST", "IDC_CARD_SERVICE"},
};

const int kQuestionCount = 51;
// The card loads each list text into a buffer of this many characters.
const size_t kListTextWidth = 64;

[[noreturn]] void Fail(const std::string &why)
{
    fprintf(stderr, "glimintake_texts: %s\n", why.c_str());
    exit(1);
}

std::vector<std::string> Lines(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        Fail(std::string("cannot read ") + path);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// A resource script's quoted text: "" is one quote, and the usual backslash escapes.
std::string Unquote(const std::string &quoted)
{
    std::string text;
    for (size_t i = 0; i < quoted.size(); ++i) {
        const char c = quoted[i];
        if (c == '"' && i + 1 < quoted.size() && quoted[i + 1] == '"') {
            text += '"';
            ++i;
        } else if (c == '\\' && i + 1 < quoted.size()) {
            const char e = quoted[++i];
            text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
        } else {
            text += c;
        }
    }
    return text;
}

std::string CLiteral(const std::string &text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 32 || c > 126) {
            char octal[8];
            snprintf(octal, sizeof octal, "\\%03o", c);
            out += octal;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// Reads a resource script line from left to right.
class Cursor {
public:
    explicit Cursor(const std::string &line) : m_s(line) {}

    void Blanks()
    {
        while (m_at < m_s.size() && isspace(static_cast<unsigned char>(m_s[m_at])))
            ++m_at;
    }
    // A name or a number.
    std::string Word()
    {
        Blanks();
        const size_t start = m_at;
        while (m_at < m_s.size() && (isalnum(static_cast<unsigned char>(m_s[m_at])) || m_s[m_at] == '_'))
            ++m_at;
        return m_s.substr(start, m_at - start);
    }
    bool Take(char c)
    {
        Blanks();
        if (m_at < m_s.size() && m_s[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    // A quoted text, with "" inside standing for a quote; false when there is none.
    bool Quoted(std::string *text)
    {
        if (!Take('"'))
            return false;
        const size_t start = m_at;
        for (; m_at < m_s.size(); ++m_at) {
            if (m_s[m_at] != '"')
                continue;
            if (m_at + 1 < m_s.size() && m_s[m_at + 1] == '"') {
                ++m_at;
                continue;
            }
            *text = Unquote(m_s.substr(start, m_at - start));
            ++m_at;
            return true;
        }
        return false;
    }
    bool AtEnd()
    {
        Blanks();
        return m_at == m_s.size();
    }

private:
    const std::string &m_s;
    size_t m_at = 0;
};

bool IsNumber(const std::string &word)
{
    return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) { return isdigit(static_cast<unsigned char>(c)) != 0; });
}

int Value(const std::map<std::string, int> &defines, const std::string &token)
{
    if (!token.empty() && isdigit(static_cast<unsigned char>(token[0])))
        return atoi(token.c_str());
    const auto found = defines.find(token);
    if (found == defines.end())
        Fail("unknown resource id " + token);
    return found->second;
}

// Combo boxes sort without regard to case.
bool SortsBefore(const std::string &a, const std::string &b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return tolower(static_cast<unsigned char>(x)) < tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 6)
        Fail("usage: glimintake_texts resource.h GlimReg.rc CardPages.rc MarketResearch.rc OUT.cpp");

    std::map<std::string, int> defines;
    for (const std::string &line : Lines(argv[1])) {
        Cursor c(line);
        if (!c.Take('#') || c.Word() != "define")
            continue;
        const std::string name = c.Word(), value = c.Word();
        if (!name.empty() && IsNumber(value) && c.AtEnd())
            defines[name] = atoi(value.c_str());
    }

    std::map<int, std::string> strings;
    bool inTable = false;
    for (const std::string &line : Lines(argv[2])) {
        if (line.rfind("STRINGTABLE", 0) == 0)
            inTable = true;
        else if (inTable && line.rfind("END", 0) == 0)
            inTable = false;
        Cursor c(line);
        std::string text;
        const std::string id = c.Word();
        if (inTable && !id.empty() && c.Quoted(&text) && c.AtEnd())
            strings[Value(defines, id)] = text;
    }

    std::map<std::string, bool> sorted;
    for (const std::string &line : Lines(argv[3])) {
        Cursor c(line);
        if (c.Word() != "COMBOBOX")
            continue;
        const std::string id = c.Word();
        sorted[id] = sorted[id] || line.find("CBS_SORT") != std::string::npos;
    }

    std::vector<std::string> labels(kQuestionCount);
    std::vector<bool> seen(kQuestionCount);
    for (const std::string &line : Lines(argv[4])) {
        Cursor c(line);
        std::string label;
        if (c.Word() != "AUTOCHECKBOX" || !c.Quoted(&label) || !c.Take(',') ||
            c.Word() != "IDC_RESEARCH_QUESTION_FIRST" || !c.Take('+'))
            continue;
        const std::string number = c.Word();
        const int n = IsNumber(number) ? atoi(number.c_str()) : -1;
        if (n < 0 || n >= kQuestionCount)
            Fail("question box out of range: " + line);
        labels[n] = label;
        seen[n] = true;
    }
    for (int n = 0; n < kQuestionCount; ++n)
        if (!seen[n])
            Fail("the questionnaire has no box " + std::to_string(n));

    std::ostringstream out;
    out << "// Generated from the card's resources by glimintake_texts; do not edit.\n"
        << "#include \"intake/CardTexts.h\"\n\nnamespace {\n\n";
    for (size_t l = 0; l < sizeof kLists / sizeof kLists[0]; ++l) {
        const ListSource &list = kLists[l];
        if (sorted.find(list.combo) == sorted.end())
            Fail(std::string("the card form has no combo box ") + list.combo);
        std::vector<std::string> texts;
        // As the card fills the list: a missing string is an empty entry, a long one is cut.
        for (int id = Value(defines, list.first); id <= Value(defines, list.last); ++id) {
            const auto found = strings.find(id);
            std::string text = found == strings.end() ? "" : found->second;
            if (text.size() > kListTextWidth - 1)
                text.resize(kListTextWidth - 1);
            texts.push_back(text);
        }
        if (sorted[list.combo])
            std::stable_sort(texts.begin(), texts.end(), SortsBefore);
        out << "const char *const kList" << l << "[] = {\n";
        for (const std::string &t : texts)
            out << "    " << CLiteral(t) << ",\n";
        out << "};\n\n";
    }
    out << "}  // namespace\n\nconst CardList kCardLists[LIST_COUNT] = {\n";
    for (size_t l = 0; l < sizeof kLists / sizeof kLists[0]; ++l)
        out << "    {" << CLiteral(kLists[l].name) << ", kList" << l << ", sizeof kList" << l
            << " / sizeof kList" << l << "[0]},\n";
    out << "};\n\nconst char *const kQuestionLabels[QUESTION_COUNT] = {\n";
    for (const std::string &label : labels)
        out << "    " << CLiteral(label) << ",\n";
    out << "};\n";

    // Written only when it changed, so an unrelated edit of the resources rebuilds nothing.
    const std::string text = out.str();
    std::ifstream old(argv[5], std::ios::binary);
    std::ostringstream before;
    before << old.rdbuf();
    if (old && before.str() == text)
        return 0;
    std::ofstream file(argv[5], std::ios::binary | std::ios::trunc);
    file << text;
    if (!file)
        Fail(std::string("cannot write ") + argv[5]);
    return 0;
}
