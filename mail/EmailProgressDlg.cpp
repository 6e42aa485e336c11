// The "E-Mail Progress" dialog: connects to the vendor's mail host and runs the
// registration mail's SMTP conversation inside the socket's connected notification.
#include "EmailProgressDlg.h"

#include <cstring>

#include "../output/Render.h"
#include "../platform/ModuleString.h"
#include "../platform/Trace.h"
#include "../resources/resource.h"
#include "SmtpConversation.h"
#include "Socket.h"

namespace {

// The text each failed conversation leaves in the dialog.
struct FailureText {
    SmtpOutcome outcome;
    UINT text;
};
const FailureText kFailureTexts[] = {
    {SMTP_SITE_REFUSED, IDS_MAIL_BAD_SITE},
    {SMTP_SENDER_REFUSED, IDS_MAIL_BAD_SENDER},
    {SMTP_RECIPIENT_REFUSED, IDS_MAIL_BAD_RECIPIENT},
    {SMTP_NOT_ACCEPTED, IDS_MAIL_NOT_ACCEPTED},
};

const int kStringWidth = 256;

// A connection that was made, whether it lasts (CONNECTED) or has already
// ended (IDLE, after a close that may come before or instead of its connect
// event): the conversation runs on it, and on an ended one fails at its first
// reply as on any closed connection. No status notification says IDLE before
// a connection was made.
bool HasConnection(int state) { return state == QSocket::CONNECTED || state == QSocket::IDLE; }

// The conversation's replies come from the socket, read synchronously. What
// it sends goes out when it waits for the reply: the mail's header lines and
// body then leave in one send, where each send costs a call through Wine's
// server.
class SocketChannel : public SmtpChannel {
public:
    explicit SocketChannel(QSocket &socket) : m_socket(socket) {}
    ~SocketChannel() override { Flush(); }
    SocketChannel(const SocketChannel &) = delete;
    SocketChannel &operator=(const SocketChannel &) = delete;
    void SendText(const CString &text) override { m_pending += text; }
    CString ReadLine(unsigned long waitMs) override
    {
        Flush();
        return m_socket.ReadLine(waitMs);
    }
    unsigned long Milliseconds() override { return GetTickCount(); }

private:
    void Flush()
    {
        m_socket.SendText(m_pending);
        m_pending.Empty();
    }

    QSocket &m_socket;
    CString m_pending;
};

}  // namespace

CEmailProgressDlg::CEmailProgressDlg(HINSTANCE instance, HWND parent)
    : CDialog(instance, IDD_EMAIL_PROGRESS, parent), m_hResources(instance)
{
}

CEmailProgressDlg::~CEmailProgressDlg() { delete m_pSocket; }

BOOL CEmailProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnableWindow(GetDlgItem(IDOK), FALSE);
    // The dialog is on screen before any network work begins: a modal dialog
    // would otherwise show only once its queue runs empty, and an early
    // socket error box would stand alone.
    ShowWindow(m_hWnd, SW_SHOW);
    PostMessageA(m_hWnd, WM_SMTP_EVENT, SMTP_START, 0);
    return TRUE;
}

void CEmailProgressDlg::OnOK() { CDialog::OnOK(); }

void CEmailProgressDlg::OnCancel()
{
    // Esc and a close request come as Cancel even while the button is
    // disabled; after a delivery only OK may end the dialog.
    if (IsWindowEnabled(GetDlgItem(IDCANCEL)))
        CDialog::OnCancel();
}

void CEmailProgressDlg::DoDataExchange() {}

void CEmailProgressDlg::PostNcDestroy()
{
    delete m_pSocket;
    m_pSocket = nullptr;
    CDialog::PostNcDestroy();
}

bool CEmailProgressDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT &result)
{
    if (msg != WM_SMTP_EVENT)
        return false;
    result = OnSmtpEvent(wParam, lParam);
    return true;
}

LRESULT CEmailProgressDlg::OnSmtpEvent(WPARAM wParam, LPARAM)
{
    const int code = static_cast<int>(wParam);
    GLIMREG_TRACE("dialog event %d", code);
    if (code == SMTP_START && !m_pSocket)
        Start();
    else if (code == QSOCK_STATUS && m_pSocket && HasConnection(m_pSocket->m_nState))
        Converse();
    // Received data, a refused connection and other states are not the
    // dialog's business.
    return 0;
}

void CEmailProgressDlg::Start()
{
    const CString host = LoadText(IDS_MAIL_HOST);
    m_pSocket = new QSocket(true);
    m_pSocket->SetNotifyTarget(m_hWnd, WM_SMTP_EVENT);
    // A connection made at once runs the conversation before Connect returns.
    if (!m_pSocket->Connect(host, SMTP_PORT)) {
        ShowText(IDS_MAIL_UNREACHABLE, host);
        delete m_pSocket;
        m_pSocket = nullptr;
    }
}

void CEmailProgressDlg::Converse()
{
    ShowText(IDS_MAIL_CONNECTED);
    m_pSocket->SetNotifyTarget(nullptr, 0);
    SocketChannel channel(*m_pSocket);
    const SmtpResult result =
        RunSmtpConversation(channel, m_strEmail, LoadText(IDS_MAIL_RECIPIENT), m_strBody, GetACP());
    if (result.outcome == SMTP_DELIVERED) {
        ShowText(IDS_MAIL_COMPLETE);
        EnableWindow(GetDlgItem(IDOK), TRUE);
        EnableWindow(GetDlgItem(IDCANCEL), FALSE);
        return;
    }
    for (const FailureText &f : kFailureTexts)
        if (f.outcome == result.outcome)
            ShowText(f.text, result.argument);
}

CString CEmailProgressDlg::LoadText(UINT id) const
{
    char text[kStringWidth];
    LoadModuleString(m_hResources, id, text);
    return text;
}

void CEmailProgressDlg::ShowText(UINT id, const CString &argument)
{
    // The argument goes in as it is: a "%1" inside it stays unexpanded.
    CString text = LoadText(id);
    for (int at = text.Find("%1"); at >= 0; at = text.Find("%1", at)) {
        text = text.Left(at) + argument + text.Mid(at + 2);
        at += argument.GetLength();
    }
    GLIMREG_TRACE("status text %u", id);
    SetDlgItemTextA(m_hWnd, IDC_EMAIL_STATUS, text);
    GLIMREG_TRACE("status text set");
}

int RunEmailProgress(HWND owner, RegistrationRecord *rec)
{
    char body[MAIL_BODY_WIDTH];
    BuildMailBody(rec, body, sizeof body);
    CEmailProgressDlg dialog(rec->ModuleInstance, owner);
    dialog.m_strEmail = CString(rec->EmailAddress,
                                static_cast<int>(strnlen(rec->EmailAddress, sizeof rec->EmailAddress)));
    dialog.m_strBody = body;
    return static_cast<int>(dialog.DoModal());
}
