// CString and CStringList: the framework's text and queue of texts, for the
// texts that have no fixed field (mail text, received lines, messages). They
// stand in for the standard library's strings and containers, whose runtime
// code would make up a third of the library.
#pragma once
#include <cstddef>

class CString {
public:
    CString() = default;
    // Converts implicitly, as the framework's does, so a literal goes wherever a text is taken.
    CString(const char *text);
    CString(const char *text, int length);
    CString(const CString &other);
    CString(CString &&other) noexcept;
    ~CString();
    CString &operator=(const CString &other);
    CString &operator=(CString &&other) noexcept;
    CString &operator=(const char *text);

    CString &operator+=(const char *text);
    CString &operator+=(const CString &text);
    CString &operator+=(char c);
    // Appends length characters of text.
    void Append(const char *text, int length);

    int GetLength() const { return m_nLength; }
    bool IsEmpty() const { return m_nLength == 0; }
    void Empty();
    const char *GetString() const { return m_pData ? m_pData : ""; }
    operator const char *() const { return GetString(); }

    // Index of the first occurrence of text at or after start; -1 when absent.
    int Find(const char *text, int start = 0) const;
    // The characters from first on; empty when first is past the end.
    CString Mid(int first) const;
    // The first count characters, or all of them.
    CString Left(int count) const;
    // Removes count characters from index on (as many as there are); returns
    // the new length.
    int Delete(int index, int count = 1);
    bool StartsWith(const char *prefix) const;

private:
    // Makes room for capacity characters and the terminator, keeping the text.
    void Reserve(int capacity);

    char *m_pData = nullptr;  // null while nothing was ever stored
    int m_nLength = 0;
    int m_nCapacity = 0;  // characters the buffer holds besides the terminator
};

bool operator==(const CString &a, const CString &b);
bool operator==(const CString &a, const char *b);
bool operator==(const char *a, const CString &b);
bool operator!=(const CString &a, const CString &b);
bool operator!=(const CString &a, const char *b);
bool operator!=(const char *a, const CString &b);

CString operator+(const CString &a, const CString &b);
CString operator+(const CString &a, const char *b);
CString operator+(const char *a, const CString &b);
CString operator+(const CString &a, char b);

// A first-in, first-out queue of texts.
class CStringList {
public:
    CStringList() = default;
    ~CStringList();
    CStringList(const CStringList &) = delete;
    CStringList &operator=(const CStringList &) = delete;

    void AddTail(const CString &text);
    void AddTail(CString &&text);
    // Takes the first text off; the list must not be empty.
    CString RemoveHead();
    // The first text; the list must not be empty.
    CString &GetHead();
    const CString &GetHead() const;
    // The last text; the list must not be empty.
    const CString &GetTail() const;
    bool IsEmpty() const { return m_pHead == nullptr; }
    int GetCount() const { return m_nCount; }
    void RemoveAll();

private:
    struct Node {
        CString text;
        Node *next;
    };
    void Link(Node *node);

    Node *m_pHead = nullptr;
    Node *m_pTail = nullptr;
    int m_nCount = 0;
};
