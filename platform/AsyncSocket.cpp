// Socket events as window messages: one hidden window per thread turns each
// WSAAsyncSelect notification into a call of the socket's handler.
#include "AsyncSocket.h"

#include "Trace.h"

namespace {

const UINT WM_SOCKET_NOTIFY = WM_APP + 0x73;
const char kWindowClass[] = "GlimRegSocketWindow";
// How long a blocking wait watches its socket before serving messages again.
const DWORD kTurnMs = 10;
// How long a blocking wait first looks at its socket without sleeping. A
// thread put to sleep in a wait is often woken milliseconds after its socket
// became ready, while a server on a near network replies within a millisecond
// or two; so a reply that comes that soon is read at once, and only a slower
// one is waited for asleep, in turns.
const LONGLONG kLookUs = 3000;

// Whether the socket is ready for events, or has failed, within the timeout:
// select's result (0 for neither).
int Watch(SOCKET s, long events, timeval timeout)
{
    fd_set read, write, failed;
    FD_ZERO(&read);
    FD_ZERO(&write);
    FD_ZERO(&failed);
    if (events & (FD_READ | FD_CLOSE | FD_ACCEPT))
        FD_SET(s, &read);
    if (events & FD_WRITE)
        FD_SET(s, &write);
    FD_SET(s, &failed);
    return select(0, &read, &write, &failed, &timeout);
}

LONGLONG Microseconds()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return now.QuadPart / frequency.QuadPart * 1000000 +
           now.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

// The end of a look of at most lookUs within a wait of waitMs.
LONGLONG LookUntil(DWORD waitMs, LONGLONG lookUs)
{
    return Microseconds() + (waitMs * 1000LL < lookUs ? waitMs * 1000LL : lookUs);
}

// One open socket of a thread.
struct SocketEntry {
    SOCKET handle;
    CAsyncSocket *socket;
    SocketEntry *next;
};

// The sockets of one thread and the window their events come to. A card has
// one or two sockets open, so short lists serve as the maps.
struct ThreadSockets {
    DWORD thread;
    HWND window;
    SocketEntry *sockets;
    ThreadSockets *next;
};

// The sockets' lists are the library's only shared state between threads.
class Lock {
public:
    Lock() { InitializeCriticalSection(&m_section); }
    ~Lock() { DeleteCriticalSection(&m_section); }
    void Enter() { EnterCriticalSection(&m_section); }
    void Leave() { LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION m_section;
};

class Hold {
public:
    explicit Hold(Lock &lock) : m_lock(lock) { m_lock.Enter(); }
    ~Hold() { m_lock.Leave(); }
    Hold(const Hold &) = delete;
    Hold &operator=(const Hold &) = delete;

private:
    Lock &m_lock;
};

Lock g_lock;
ThreadSockets *g_threads = nullptr;

// The calling thread's entry; made when make is set, else null when it has none.
ThreadSockets *ThisThread(bool make)
{
    const DWORD thread = GetCurrentThreadId();
    for (ThreadSockets *t = g_threads; t; t = t->next)
        if (t->thread == thread)
            return t;
    if (!make)
        return nullptr;
    g_threads = new ThreadSockets{thread, nullptr, nullptr, g_threads};
    return g_threads;
}

// Where the entry of handle is linked from, or where it would be added.
SocketEntry **Find(ThreadSockets *t, SOCKET handle)
{
    SocketEntry **link = &t->sockets;
    while (*link && (*link)->handle != handle)
        link = &(*link)->next;
    return link;
}

HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&g_threads), &module);
    return module;
}

CAsyncSocket *Lookup(SOCKET handle)
{
    Hold hold(g_lock);
    ThreadSockets *t = ThisThread(false);
    if (!t)
        return nullptr;
    SocketEntry *s = *Find(t, handle);
    return s ? s->socket : nullptr;
}

void Forget(SOCKET handle)
{
    HWND window = nullptr;
    {
        Hold hold(g_lock);
        ThreadSockets *t = ThisThread(false);
        if (!t)
            return;
        SocketEntry **link = Find(t, handle);
        if (SocketEntry *s = *link) {
            *link = s->next;
            delete s;
        }
        if (t->sockets)
            return;
        window = t->window;
        ThreadSockets **owner = &g_threads;
        while (*owner != t)
            owner = &(*owner)->next;
        *owner = t->next;
        delete t;
    }
    // The class is registered while a window uses it: a copy of the library
    // loaded later at the same address must not find a class left behind.
    if (window) {
        DestroyWindow(window);
        UnregisterClassA(kWindowClass, ThisModule());
    }
}

}  // namespace

LRESULT CALLBACK SocketWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_SOCKET_NOTIFY)
        return DefWindowProcA(window, msg, wParam, lParam);
    const SOCKET handle = static_cast<SOCKET>(wParam);
    CAsyncSocket *socket = Lookup(handle);
    if (!socket)
        return 0;  // closed since the event was posted
    const int error = WSAGETSELECTERROR(lParam);
    GLIMREG_TRACE("notify event 0x%lx error %d", static_cast<unsigned long>(WSAGETSELECTEVENT(lParam)),
                  error);
    switch (WSAGETSELECTEVENT(lParam)) {
    case FD_READ: {
        // An event whose bytes were already taken is not passed on.
        u_long waiting = 0;
        if (error == 0 && (ioctlsocket(handle, FIONREAD, &waiting) != 0 || waiting == 0))
            return 0;
        socket->OnReceive(error);
        break;
    }
    case FD_WRITE: socket->OnSend(error); break;
    case FD_OOB: socket->OnOutOfBandData(error); break;
    case FD_ACCEPT: socket->OnAccept(error); break;
    case FD_CONNECT: socket->OnConnect(error); break;
    case FD_CLOSE: socket->OnClose(error); break;
    default: break;
    }
    return 0;
}

HWND CAsyncSocket::NotifyWindow()
{
    Hold hold(g_lock);
    ThreadSockets &t = *ThisThread(true);
    if (!t.window) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = SocketWindowProc;
        wc.hInstance = ThisModule();
        wc.lpszClassName = kWindowClass;
        RegisterClassA(&wc);
        t.window = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   wc.hInstance, nullptr);
    }
    return t.window;
}

CAsyncSocket::CAsyncSocket() = default;

CAsyncSocket::~CAsyncSocket()
{
    if (m_hSocket != INVALID_SOCKET)
        CAsyncSocket::Close();
}

void CAsyncSocket::AttachHandle(SOCKET handle)
{
    m_hSocket = handle;
    NotifyWindow();
    Hold hold(g_lock);
    ThreadSockets *t = ThisThread(true);
    SocketEntry **link = Find(t, handle);
    if (*link)
        (*link)->socket = this;
    else
        *link = new SocketEntry{handle, this, nullptr};
}

BOOL CAsyncSocket::Socket(long events)
{
    const SOCKET handle = socket(AF_INET, SOCK_STREAM, 0);
    if (handle == INVALID_SOCKET)
        return FALSE;
    AttachHandle(handle);
    if (!AsyncSelect(events)) {
        const int error = WSAGetLastError();
        Close();
        WSASetLastError(error);
        return FALSE;
    }
    return TRUE;
}

BOOL CAsyncSocket::AsyncSelect(long events)
{
    if (m_hSocket == INVALID_SOCKET) {
        WSASetLastError(WSAENOTSOCK);
        return FALSE;
    }
    return WSAAsyncSelect(m_hSocket, NotifyWindow(), WM_SOCKET_NOTIFY, events) != SOCKET_ERROR;
}

BOOL CAsyncSocket::Connect(const char *host, UINT port)
{
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = inet_addr(host);
    if (address.sin_addr.s_addr == INADDR_NONE) {
        const hostent *found = gethostbyname(host);
        if (!found || found->h_length != sizeof address.sin_addr) {
            WSASetLastError(WSAEINVAL);
            return FALSE;
        }
        memcpy(&address.sin_addr, found->h_addr, sizeof address.sin_addr);
    }
    address.sin_port = htons(static_cast<u_short>(port));
    return ConnectHelper(reinterpret_cast<const sockaddr *>(&address), sizeof address);
}

BOOL CAsyncSocket::ConnectHelper(const sockaddr *address, int length)
{
    return connect(m_hSocket, address, length) != SOCKET_ERROR;
}

BOOL CAsyncSocket::IOCtl(long command, u_long *argument)
{
    return ioctlsocket(m_hSocket, command, argument) != SOCKET_ERROR;
}

BOOL CAsyncSocket::Accept(CAsyncSocket &connected, sockaddr *address, int *length)
{
    const SOCKET handle = accept(m_hSocket, address, length);
    if (handle == INVALID_SOCKET)
        return FALSE;
    connected.AttachHandle(handle);
    return TRUE;
}

void CAsyncSocket::Close()
{
    if (m_hSocket == INVALID_SOCKET)
        return;
    const SOCKET handle = m_hSocket;
    m_hSocket = INVALID_SOCKET;
    closesocket(handle);
    Forget(handle);
}

int CAsyncSocket::Receive(void *buffer, int length, int flags)
{
    const int n = recv(m_hSocket, static_cast<char *>(buffer), length, flags);
    GLIMREG_TRACE("recv %d", n);
    return n;
}

int CAsyncSocket::Send(const void *buffer, int length, int flags)
{
    const int n = send(m_hSocket, static_cast<const char *>(buffer), length, flags);
    GLIMREG_TRACE("send %d of %d", n, length);
    return n;
}

void CAsyncSocket::OnReceive(int) {}
void CAsyncSocket::OnSend(int) {}
void CAsyncSocket::OnOutOfBandData(int) {}
void CAsyncSocket::OnAccept(int) {}
void CAsyncSocket::OnConnect(int) {}
void CAsyncSocket::OnClose(int) {}

bool CSocket::PumpMessages(long events, DWORD waitMs, LONGLONG lookUs)
{
    const DWORD start = GetTickCount();
    const LONGLONG lookUntil = LookUntil(waitMs, lookUs);
    GLIMREG_TRACE("look");
    // Nothing is served while it looks, so a cancel cannot come meanwhile.
    if (m_bCancelled)
        return false;
    while (Microseconds() < lookUntil) {
        if (Watch(m_hSocket, events, timeval{0, 0}) != 0) {
            GLIMREG_TRACE("look found it ready");
            return true;  // ready, or the socket failed: the operation is tried again
        }
    }
    for (;;) {
        // The socket itself is watched in short turns: its readiness ends the
        // wait at once, where the event's message would come later. The
        // thread's socket notifications stay queued for after the wait, in
        // their order; an event whose bytes the wait took is dropped then.
        const DWORD elapsed = GetTickCount() - start;
        const DWORD turn = elapsed >= waitMs ? 0 : waitMs - elapsed < kTurnMs ? waitMs - elapsed : kTurnMs;
        const long turnMs = static_cast<long>(turn);
        GLIMREG_TRACE("select turn of %lu ms", turn);
        const int ready = Watch(m_hSocket, events, timeval{turnMs / 1000, turnMs % 1000 * 1000});
        GLIMREG_TRACE("select returned %d", ready);
        if (ready != 0)
            return true;  // ready, or the socket failed: the operation is tried again
        // Between the turns the windows repaint and messages sent from other
        // threads are served; input waits until the operation is over.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
            GLIMREG_TRACE("paint of %p", static_cast<void *>(msg.hwnd));
            DispatchMessageA(&msg);
        }
        GLIMREG_TRACE("paint done");
        // A cancel comes only through what was served.
        if (m_bCancelled)
            return false;
        if (GetTickCount() - start >= waitMs)
            return true;
    }
}

int CSocket::ReceiveWithin(void *buffer, int length, DWORD waitMs, int flags)
{
    const DWORD start = GetTickCount();
    m_bBlocking = true;
    m_bCancelled = false;
    // The look asks for the bytes themselves: one call through Wine's server
    // each time, where asking whether they have come and then taking them
    // would be two.
    const LONGLONG lookUntil = LookUntil(waitMs, kLookUs);
    int n;
    do {
        n = recv(m_hSocket, static_cast<char *>(buffer), length, flags);
        if (n != SOCKET_ERROR || WSAGetLastError() != WSAEWOULDBLOCK) {
            GLIMREG_TRACE("look received %d", n);
            m_bBlocking = false;
            return n;
        }
    } while (Microseconds() < lookUntil);
    for (;;) {
        // The look is over: from now on the wait comes before the receive,
        // and a wait on a socket that is ready already ends at once.
        const DWORD elapsed = GetTickCount() - start;
        const DWORD left = elapsed < waitMs ? waitMs - elapsed : 0;
        if (!PumpMessages(FD_READ | FD_CLOSE, left < m_nTimeOut ? left : m_nTimeOut, 0)) {
            WSASetLastError(WSAEINTR);
            n = SOCKET_ERROR;
            break;
        }
        n = CAsyncSocket::Receive(buffer, length, flags);
        if (n != SOCKET_ERROR || WSAGetLastError() != WSAEWOULDBLOCK)
            break;
        if (GetTickCount() - start >= waitMs) {
            WSASetLastError(WSAETIMEDOUT);
            break;
        }
    }
    m_bBlocking = false;
    return n;
}

int CSocket::Receive(void *buffer, int length, int flags)
{
    return ReceiveWithin(buffer, length, INFINITE, flags);
}

int CSocket::Send(const void *buffer, int length, int flags)
{
    const char *bytes = static_cast<const char *>(buffer);
    int sent = 0;
    m_bBlocking = true;
    m_bCancelled = false;
    while (sent < length) {
        const int n = CAsyncSocket::Send(bytes + sent, length - sent, flags);
        if (n != SOCKET_ERROR) {
            sent += n;
            continue;
        }
        if (WSAGetLastError() != WSAEWOULDBLOCK || !PumpMessages(FD_WRITE | FD_CLOSE, m_nTimeOut, kLookUs)) {
            if (m_bCancelled)
                WSASetLastError(WSAEINTR);
            sent = SOCKET_ERROR;
            break;
        }
    }
    m_bBlocking = false;
    return sent;
}

BOOL CSocket::Accept(CAsyncSocket &connected, sockaddr *address, int *length)
{
    m_bBlocking = true;
    m_bCancelled = false;
    BOOL accepted;
    for (;;) {
        accepted = CAsyncSocket::Accept(connected, address, length);
        if (accepted || WSAGetLastError() != WSAEWOULDBLOCK)
            break;
        if (!PumpMessages(FD_ACCEPT, m_nTimeOut, kLookUs)) {
            WSASetLastError(WSAEINTR);
            break;
        }
    }
    m_bBlocking = false;
    return accepted;
}

void CSocket::Close()
{
    if (m_bBlocking)
        CancelBlockingCall();
    CAsyncSocket::Close();
}

void CSocket::CancelBlockingCall()
{
    if (m_bBlocking)
        m_bCancelled = true;
}
