// QSocket: connection events to the owner window, received lines, a send queue.
#include "Socket.h"

#include <algorithm>
#include <iterator>

#include "../platform/FormatText.h"
#include "../platform/MessageBox.h"
#include "../platform/Trace.h"
#include "LineSplit.h"

namespace {

// The file name every error report carries.
const char kFile[] = "Socket";

// Where an error is reported: the last number of "Error: %d -- %s %d".
enum Site {
    SITE_OPEN = 59,
    SITE_TARGET_CONNECTED = 165,
    SITE_TARGET_LISTENING = 173,
    SITE_TARGET_OTHER = 181,
    SITE_SEND = 211,
    SITE_READ_LINE = 341,
    SITE_ACCEPT_CONNECTION = 397,
    SITE_RECEIVE = 415,
    SITE_ACCEPT_EVENT = 521,
    SITE_CONNECT_SELECT = 548,
    SITE_CONNECT_EVENT = 564,
    SITE_HOOK_SELECT = 597,
    SITE_HOOK_CONNECT = 606,
    SITE_HOOK_CONNECTED = 614,
};

const long kAllEvents = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;
const long kConnectedEvents = FD_READ | FD_WRITE | FD_CLOSE;

// The events a state listens for when the target changes, and the site that
// reports a failure to select them.
struct TargetSelection {
    int state;  // -1: any other state
    long events;
    int site;
};
const TargetSelection kTargetSelections[] = {
    {QSocket::LISTENING, FD_ACCEPT, SITE_TARGET_LISTENING},
    {QSocket::CONNECTED, kConnectedEvents, SITE_TARGET_CONNECTED},
    {-1, FD_CONNECT | FD_CLOSE, SITE_TARGET_OTHER},
};

bool WouldWait(int error) { return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS; }

// Connect-event errors that only a connection already made can give: a
// refused or unreachable one reports WSAECONNREFUSED, WSAETIMEDOUT and the like.
const int kEndedErrors[] = {WSAECONNRESET, WSAECONNABORTED};

bool EndedAfterConnecting(int error)
{
    return std::find(std::begin(kEndedErrors), std::end(kEndedErrors), error) != std::end(kEndedErrors);
}

WPARAM Code(int notification) { return static_cast<WPARAM>(static_cast<INT_PTR>(notification)); }

}  // namespace

QSocket::QSocket(bool open)
{
    if (open && OpenSocket())
        m_nState = IDLE;
}

QSocket::~QSocket() { DrainAndClose(); }

bool QSocket::OpenSocket()
{
    if (Socket(kAllEvents)) {
        // Each text goes out as it is sent: held back for the peer's
        // acknowledgement, the mail's small pieces would wait on it one by one.
        const BOOL noDelay = TRUE;
        setsockopt(m_hSocket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char *>(&noDelay),
                   sizeof noDelay);
        return true;
    }
    ReportError(kFile, SITE_OPEN);
    m_strError = "Unable to open a new socket.";
    m_nState = FAILED;
    ShowError();
    return false;
}

bool QSocket::SetNotifyTarget(HWND target, UINT message)
{
    m_pTarget = target;
    m_nTargetMsg = message;
    m_lstLines.RemoveAll();
    m_strPartial.Empty();
    const TargetSelection *row = kTargetSelections;
    while (row->state != -1 && row->state != m_nState)
        ++row;
    if (!AsyncSelect(row->events)) {
        ReportError(kFile, row->site);
        return false;
    }
    return true;
}

void QSocket::SendText(const CString &text)
{
    if (text.IsEmpty())
        return;
    const bool waiting = !m_lstSend.IsEmpty();
    m_lstSend.AddTail(text);
    if (!waiting)
        SendQueued();
}

void QSocket::SendQueued()
{
    while (!m_lstSend.IsEmpty()) {
        CString &head = m_lstSend.GetHead();
        const int n = CAsyncSocket::Send(head.GetString(), head.GetLength());
        if (n == SOCKET_ERROR) {
            if (!WouldWait(WSAGetLastError()))
                ReportError(kFile, SITE_SEND);
            return;
        }
        if (n < head.GetLength()) {
            head.Delete(0, n);
            continue;  // the rest goes when the socket takes it
        }
        m_lstSend.RemoveHead();
    }
}

CString QSocket::ReadLine() { return ReadLine(m_nReplyDeadline); }

CString QSocket::ReadLine(DWORD waitMs)
{
    if (m_pTarget)
        return CString();
    const DWORD deadline = waitMs < m_nReplyDeadline ? waitMs : m_nReplyDeadline;
    const DWORD start = GetTickCount();
    while (m_nState == CONNECTED) {
        if (!m_lstLines.IsEmpty())
            break;
        // A command that could not go out at once goes before the wait for its reply.
        SendQueued();
        if (m_nState != CONNECTED)
            break;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= deadline) {
            m_strError = "No reply from the server in time.";
            m_nState = FAILED;
            break;
        }
        char bytes[RECEIVE_CHUNK + 1];
        const int n = ReceiveWithin(bytes, RECEIVE_CHUNK, deadline - elapsed);
        if (n == SOCKET_ERROR) {
            // The deadline is checked above; anything else is a failed receive.
            if (WSAGetLastError() != WSAETIMEDOUT || GetTickCount() - start < deadline)
                ReportError(kFile, SITE_READ_LINE);
        } else if (n == 0) {
            OnClose(0);
        } else {
            bytes[n] = '\0';
            AddReceivedText(bytes, static_cast<size_t>(n));
        }
    }
    // Lines that arrived before the connection ended are still delivered.
    if (m_lstLines.IsEmpty())
        return CString();
    GLIMREG_TRACE("line %.3s", m_lstLines.GetHead().GetString());
    return m_lstLines.RemoveHead();
}

void QSocket::AddReceivedText(const char *bytes, size_t n)
{
    if (!SplitReceivedText(bytes, n, m_lstLines, m_strPartial)) {
        m_strError = "Received line too long.";
        m_nState = FAILED;
    }
}

QSocket *QSocket::AcceptConnection()
{
    QSocket *connected = new QSocket(false);
    if (!Accept(*connected)) {
        const int error = WSAGetLastError();
        delete connected;
        WSASetLastError(error);
        ReportError(kFile, SITE_ACCEPT_CONNECTION);
        return nullptr;
    }
    connected->m_nState = CONNECTED;
    return connected;
}

void QSocket::SetError(int code, int site)
{
    char text[ERROR_WIDTH];
    FormatText(text, sizeof text, "Error: %d -- %s %d", code, kFile, site);
    m_strError = text;
    m_nState = FAILED;
}

int QSocket::ReportError(const char *file, int site)
{
    const int code = WSAGetLastError();
    char text[ERROR_WIDTH];
    FormatText(text, sizeof text, "Error: %d -- %s %d", code, file, site);
    m_strError = text;
    m_nState = FAILED;
    ShowError();
    Notify(Code(QSOCK_STATUS), 0);
    return code;
}

void QSocket::ShowError() { AfxMessageBox(m_strError.GetString(), MB_ICONHAND | MB_OK); }

void QSocket::Notify(WPARAM wParam, LPARAM lParam)
{
    if (m_pTarget)
        SendMessageA(m_pTarget, m_nTargetMsg, wParam, lParam);
}

void QSocket::OnReceive(int)
{
    char bytes[RECEIVE_CHUNK + 1];
    const int n = CAsyncSocket::Receive(bytes, RECEIVE_CHUNK);
    if (n == SOCKET_ERROR) {
        if (!WouldWait(WSAGetLastError()))
            ReportError(kFile, SITE_RECEIVE);
        return;
    }
    bytes[n] = '\0';
    if (m_pTarget)
        Notify(static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(bytes));
    else
        AddReceivedText(bytes, static_cast<size_t>(n));
}

void QSocket::OnAccept(int error)
{
    if (m_nState != LISTENING) {
        m_strError = "FD_RACCEPT when not in status LISTENING";
        return;
    }
    if (error != 0) {
        SetError(error, SITE_ACCEPT_EVENT);
        ShowError();
        Notify(Code(QSOCK_STATUS), 0);
        return;
    }
    QSocket *connected = AcceptConnection();
    if (!connected)
        return;
    if (m_pTarget) {
        Notify(Code(QSOCK_ACCEPTED), reinterpret_cast<LPARAM>(connected));
    } else {
        m_strError = "Received Async FD_ACCEPT without a target to get new QSocket";
        delete connected;  // nobody could ever close it
    }
}

void QSocket::OnConnect(int error)
{
    if (m_nState != CONNECTING) {
        m_strError = "FD_CONNECT received when not in status CONNECTING";
        return;
    }
    if (EndedAfterConnecting(error)) {
        // The connection was made and reset before its event was taken (Wine
        // then reports the two as one failed connect): it has ended, as a
        // close says, rather than failed.
        OnClose(error);
        return;
    }
    if (error != 0) {
        SetError(error, SITE_CONNECT_EVENT);
        ShowError();
        Notify(Code(QSOCK_STATUS), 0);
        return;
    }
    if (!AsyncSelect(kConnectedEvents)) {
        ReportError(kFile, SITE_CONNECT_SELECT);
        return;
    }
    m_nState = CONNECTED;
    Notify(Code(QSOCK_STATUS), 0);
}

void QSocket::OnClose(int)
{
    m_nState = IDLE;
    Notify(Code(QSOCK_STATUS), 0);
}

BOOL QSocket::ConnectHelper(const sockaddr *address, int length)
{
    m_nState = CONNECTING;
    if (!AsyncSelect(FD_CONNECT)) {
        ReportError(kFile, SITE_HOOK_SELECT);
        return FALSE;
    }
    GLIMREG_TRACE("connect");
    if (connect(m_hSocket, address, length) == SOCKET_ERROR) {
        if (WSAGetLastError() == WSAEWOULDBLOCK)
            return TRUE;  // the outcome comes through OnConnect
        ReportError(kFile, SITE_HOOK_CONNECT);
        return FALSE;
    }
    if (!AsyncSelect(kConnectedEvents)) {
        ReportError(kFile, SITE_HOOK_CONNECTED);
        return FALSE;
    }
    m_nState = CONNECTED;
    Notify(Code(QSOCK_STATUS), 0);
    return TRUE;
}

void QSocket::DrainAndClose()
{
    // Pending notifications for this socket are handled before it closes.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    CancelBlockingCall();
    if (m_hSocket == INVALID_SOCKET)
        return;
    AsyncSelect(0);
    u_long blocking = 0;
    IOCtl(FIONBIO, &blocking);
    CAsyncSocket::Close();
}
