// The "E-Mail Progress" dialog: mails the card to the vendor's mailbox.
#pragma once
#include "../common/Record.h"
#include "../platform/CString.h"
#include "../platform/Dialog.h"

class QSocket;

// The socket's notification message, and the dialog's start trigger.
const UINT WM_SMTP_EVENT = WM_USER + 201;
// wParam of the start trigger: outside the data notifications' 0 to 520.
const int SMTP_START = 1234;
const UINT SMTP_PORT = 25;

class CEmailProgressDlg : public CDialog {
public:
    explicit CEmailProgressDlg(HINSTANCE instance, HWND parent = nullptr);
    ~CEmailProgressDlg() override;

    CString m_strEmail;  // the sender: the card's e-mail address
    CString m_strBody;   // the mail body, one line without its line end
    QSocket *m_pSocket = nullptr;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange() override;
    void PostNcDestroy() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT &result) override;

private:
    LRESULT OnSmtpEvent(WPARAM wParam, LPARAM lParam);
    void Start();
    void Converse();
    CString LoadText(UINT id) const;
    void ShowText(UINT id, const CString &argument = "");

    HINSTANCE m_hResources;
};

// Mails the record's card with its e-mail address as sender, in a dialog
// owned by owner (disabled meanwhile): 1 when the server took the mail and the
// user pressed OK, 2 when cancelled, -1 when the dialog cannot be created.
int RunEmailProgress(HWND owner, RegistrationRecord *rec);
