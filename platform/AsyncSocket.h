// Sockets whose events arrive as window messages, and their blocking variant.
#pragma once
#include <windows.h>
#include <winsock.h>

// A stream socket whose Windows Sockets events reach its handlers through a
// hidden notification window of the thread that created it.
class CAsyncSocket {
public:
    CAsyncSocket();
    virtual ~CAsyncSocket();
    CAsyncSocket(const CAsyncSocket &) = delete;
    CAsyncSocket &operator=(const CAsyncSocket &) = delete;

    // Creates a stream socket with the events selected (FD_READ | FD_WRITE ...).
    BOOL Socket(long events);
    // Chooses which events are reported; 0 reports none.
    BOOL AsyncSelect(long events);
    // A dotted address or a host name; a name that does not resolve fails with
    // WSAEINVAL before the connection hook is called.
    BOOL Connect(const char *host, UINT port);
    BOOL IOCtl(long command, u_long *argument);

    // Non-blocking: SOCKET_ERROR with WSAEWOULDBLOCK when they would wait.
    virtual BOOL Accept(CAsyncSocket &connected, sockaddr *address = nullptr, int *length = nullptr);
    // Closes without waiting and forgets the socket.
    virtual void Close();
    virtual int Receive(void *buffer, int length, int flags = 0);
    virtual int Send(const void *buffer, int length, int flags = 0);

    virtual void OnReceive(int error);
    virtual void OnSend(int error);
    virtual void OnOutOfBandData(int error);
    virtual void OnAccept(int error);
    virtual void OnConnect(int error);
    virtual void OnClose(int error);
    // Connects the socket to the resolved address.
    virtual BOOL ConnectHelper(const sockaddr *address, int length);

    SOCKET m_hSocket = INVALID_SOCKET;

protected:
    // Takes a socket handle into this object and the thread's socket map.
    void AttachHandle(SOCKET handle);
    // The thread's notification window (made on first use).
    static HWND NotifyWindow();

    friend LRESULT CALLBACK SocketWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend class CSocket;
};

// The blocking variant: Receive, Send and Accept wait for their socket's event
// while the thread dispatches paint messages only.
class CSocket : public CAsyncSocket {
public:
    BOOL Accept(CAsyncSocket &connected, sockaddr *address = nullptr, int *length = nullptr) override;
    void Close() override;
    // Waits until bytes arrive or the connection ends: 0 when the peer closed,
    // SOCKET_ERROR on failure (WSAEINTR when the wait was cancelled).
    int Receive(void *buffer, int length, int flags = 0) override;
    int Send(const void *buffer, int length, int flags = 0) override;

    // Ends a wait in progress with WSAEINTR.
    void CancelBlockingCall();

    // The slice after which a wait tries its operation again.
    UINT m_nTimeOut = 2000;

protected:
    // As Receive, but gives up after waitMs with SOCKET_ERROR and WSAETIMEDOUT.
    int ReceiveWithin(void *buffer, int length, DWORD waitMs, int flags = 0);
    // Waits at most waitMs for one of the events on this socket, looking at it
    // without sleeping for the first lookUs microseconds; false when the wait
    // was cancelled.
    bool PumpMessages(long events, DWORD waitMs, LONGLONG lookUs);

private:
    bool m_bBlocking = false;
    bool m_bCancelled = false;
};
