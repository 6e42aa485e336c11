// QSocket: a TCP connection on the user-interface thread, reporting to an owner
// window, reading received text line by line and sending through a queue.
#pragma once
#include "../platform/AsyncSocket.h"
#include "../platform/CString.h"

// wParam of the notifications; received data comes with wParam 0 to 520.
enum {
    QSOCK_STATUS = -100,    // the state changed (connected, failed, closed)
    QSOCK_ACCEPTED = -101,  // lParam: a new QSocket, now the receiver's
};

class QSocket : public CSocket {
public:
    enum State {
        UNOPENED = 0,
        IDLE = 1,
        CONNECTING = 2,
        LISTENING = 3,
        CONNECTED = 5,
        FAILED = 6,
    };
    enum {
        RECEIVE_CHUNK = 520,  // bytes read at once
        ERROR_WIDTH = 200,    // a formatted error text, terminator included
    };
    // How long one ReadLine may wait for its line, all slices together.
    static const DWORD REPLY_DEADLINE_MS = 60000;

    explicit QSocket(bool open);
    ~QSocket() override;

    bool OpenSocket();
    // A window and message for notifications; no window and 0 for reading
    // synchronously through ReadLine. Lines received before are discarded.
    bool SetNotifyTarget(HWND target, UINT message);
    // Queues the text and sends it when nothing waits before it.
    void SendText(const CString &text);
    // The next complete received line with its line feed, or "" when the
    // connection ended, failed or stayed silent past the deadline.
    CString ReadLine();
    // As ReadLine, waiting at most waitMs (and no longer than the deadline).
    CString ReadLine(DWORD waitMs);
    QSocket *AcceptConnection();
    // Reports the last Windows Sockets error of the site; returns its code.
    int ReportError(const char *file, int site);
    void ShowError();

    // Bounds each ReadLine wait by ms instead of REPLY_DEADLINE_MS.
    void SetReplyDeadline(DWORD ms) { m_nReplyDeadline = ms; }

    void OnReceive(int error) override;
    void OnAccept(int error) override;
    void OnConnect(int error) override;
    void OnClose(int error) override;
    BOOL ConnectHelper(const sockaddr *address, int length) override;

    int m_nState = UNOPENED;
    CString m_strError;
    CStringList m_lstLines;
    CString m_strPartial;
    CStringList m_lstSend;
    HWND m_pTarget = nullptr;
    UINT m_nTargetMsg = 0;

private:
    void Notify(WPARAM wParam, LPARAM lParam);
    void SetError(int code, int site);
    void AddReceivedText(const char *bytes, size_t n);
    // Sends queued texts while the socket takes them.
    void SendQueued();
    void DrainAndClose();

    DWORD m_nReplyDeadline = REPLY_DEADLINE_MS;
};
