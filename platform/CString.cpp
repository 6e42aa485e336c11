// The framework's text and queue of texts over plain heap buffers.
#include "CString.h"

#include <climits>
#include <cstring>
#include <new>
#include <utility>

namespace {

// The most characters a string holds: far beyond any text of the card, and
// small enough that growing the buffer never overflows.
const int kMostChars = INT_MAX / 2;

int LengthOf(const char *text)
{
    const size_t n = text ? strlen(text) : 0;
    if (n > static_cast<size_t>(kMostChars))
        throw std::bad_alloc();
    return static_cast<int>(n);
}

int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

}  // namespace

CString::CString(const char *text) { Append(text, LengthOf(text)); }

CString::CString(const char *text, int length) { Append(text, length); }

CString::CString(const CString &other) { Append(other.m_pData, other.m_nLength); }

CString::CString(CString &&other) noexcept
    : m_pData(other.m_pData), m_nLength(other.m_nLength), m_nCapacity(other.m_nCapacity)
{
    other.m_pData = nullptr;
    other.m_nLength = other.m_nCapacity = 0;
}

CString::~CString() { delete[] m_pData; }

CString &CString::operator=(const CString &other)
{
    if (this != &other) {
        m_nLength = 0;
        Append(other.m_pData, other.m_nLength);
    }
    return *this;
}

CString &CString::operator=(CString &&other) noexcept
{
    if (this != &other) {
        delete[] m_pData;
        m_pData = other.m_pData;
        m_nLength = other.m_nLength;
        m_nCapacity = other.m_nCapacity;
        other.m_pData = nullptr;
        other.m_nLength = other.m_nCapacity = 0;
    }
    return *this;
}

CString &CString::operator=(const char *text)
{
    // The text may be a part of this string's own buffer.
    CString copy(text);
    return *this = std::move(copy);
}

CString &CString::operator+=(const char *text)
{
    Append(text, LengthOf(text));
    return *this;
}

CString &CString::operator+=(const CString &text)
{
    Append(text.m_pData, text.m_nLength);
    return *this;
}

CString &CString::operator+=(char c)
{
    Append(&c, 1);
    return *this;
}

void CString::Reserve(int capacity)
{
    if (capacity <= m_nCapacity)
        return;
    // Growing by half again keeps a string built piece by piece from copying
    // itself at every piece.
    const int grown = m_nCapacity + m_nCapacity / 2;
    const int size = capacity > grown ? capacity : grown < 15 ? 15 : grown;
    char *data = new char[static_cast<size_t>(size) + 1];
    if (m_nLength)
        memcpy(data, m_pData, static_cast<size_t>(m_nLength));
    data[m_nLength] = '\0';
    delete[] m_pData;
    m_pData = data;
    m_nCapacity = size;
}

void CString::Append(const char *text, int length)
{
    if (length <= 0 || !text) {
        if (m_pData)
            m_pData[m_nLength] = '\0';
        return;
    }
    if (length > kMostChars - m_nLength)
        throw std::bad_alloc();
    // Text from this string's own buffer is found again after the buffer moved.
    const bool own = m_pData && text >= m_pData && text < m_pData + m_nLength;
    const ptrdiff_t offset = own ? text - m_pData : 0;
    Reserve(m_nLength + length);
    if (own)
        text = m_pData + offset;
    memcpy(m_pData + m_nLength, text, static_cast<size_t>(length));
    m_nLength += length;
    m_pData[m_nLength] = '\0';
}

void CString::Empty()
{
    delete[] m_pData;
    m_pData = nullptr;
    m_nLength = m_nCapacity = 0;
}

int CString::Find(const char *text, int start) const
{
    const int n = LengthOf(text);
    if (start < 0)
        start = 0;
    for (int at = start; at + n <= m_nLength; ++at)
        if (n == 0 || memcmp(m_pData + at, text, static_cast<size_t>(n)) == 0)
            return at;
    return -1;
}

CString CString::Mid(int first) const
{
    first = Clamp(first, 0, m_nLength);
    return CString(GetString() + first, m_nLength - first);
}

CString CString::Left(int count) const { return CString(GetString(), Clamp(count, 0, m_nLength)); }

int CString::Delete(int index, int count)
{
    index = Clamp(index, 0, m_nLength);
    count = Clamp(count, 0, m_nLength - index);
    if (count > 0) {
        memmove(m_pData + index, m_pData + index + count,
                static_cast<size_t>(m_nLength - index - count) + 1);
        m_nLength -= count;
    }
    return m_nLength;
}

bool CString::StartsWith(const char *prefix) const
{
    const int n = LengthOf(prefix);
    return n <= m_nLength && (n == 0 || memcmp(m_pData, prefix, static_cast<size_t>(n)) == 0);
}

namespace {

bool Same(const char *a, int aLength, const char *b, int bLength)
{
    return aLength == bLength && (aLength == 0 || memcmp(a, b, static_cast<size_t>(aLength)) == 0);
}

}  // namespace

bool operator==(const CString &a, const CString &b)
{
    return Same(a.GetString(), a.GetLength(), b.GetString(), b.GetLength());
}
bool operator==(const CString &a, const char *b)
{
    return Same(a.GetString(), a.GetLength(), b ? b : "", LengthOf(b));
}
bool operator==(const char *a, const CString &b) { return b == a; }
bool operator!=(const CString &a, const CString &b) { return !(a == b); }
bool operator!=(const CString &a, const char *b) { return !(a == b); }
bool operator!=(const char *a, const CString &b) { return !(b == a); }

CString operator+(const CString &a, const CString &b)
{
    CString sum(a);
    sum += b;
    return sum;
}
CString operator+(const CString &a, const char *b)
{
    CString sum(a);
    sum += b;
    return sum;
}
CString operator+(const char *a, const CString &b)
{
    CString sum(a);
    sum += b;
    return sum;
}
CString operator+(const CString &a, char b)
{
    CString sum(a);
    sum += b;
    return sum;
}

CStringList::~CStringList() { RemoveAll(); }

void CStringList::Link(Node *node)
{
    if (m_pTail)
        m_pTail->next = node;
    else
        m_pHead = node;
    m_pTail = node;
    ++m_nCount;
}

void CStringList::AddTail(const CString &text) { Link(new Node{text, nullptr}); }

void CStringList::AddTail(CString &&text) { Link(new Node{std::move(text), nullptr}); }

CString CStringList::RemoveHead()
{
    Node *head = m_pHead;
    m_pHead = head->next;
    if (!m_pHead)
        m_pTail = nullptr;
    --m_nCount;
    CString text(std::move(head->text));
    delete head;
    return text;
}

CString &CStringList::GetHead() { return m_pHead->text; }

const CString &CStringList::GetHead() const { return m_pHead->text; }

const CString &CStringList::GetTail() const { return m_pTail->text; }

void CStringList::RemoveAll()
{
    while (m_pHead) {
        Node *next = m_pHead->next;
        delete m_pHead;
        m_pHead = next;
    }
    m_pTail = nullptr;
    m_nCount = 0;
}
