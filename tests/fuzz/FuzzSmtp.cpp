// Fuzz target: received bytes cut into lines and fed as the server's replies to
// the mail conversation, in chunks the input chooses.
#include <cstdint>

#include "mail/LineSplit.h"
#include "mail/SmtpConversation.h"

namespace {

// Replays the input as the server: each reply read takes the next queued line,
// splitting more received chunks when the queue is empty.
class ReplayChannel : public SmtpChannel {
public:
    ReplayChannel(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    void SendText(const CString &text) override { m_sent += static_cast<size_t>(text.GetLength()); }

    // Each read takes a millisecond, so a long reply meets its deadline too.
    unsigned long Milliseconds() override { return m_reads; }

    CString ReadLine(unsigned long) override
    {
        ++m_reads;
        while (m_lines.IsEmpty() && m_at < m_size) {
            // The first byte of each chunk gives its length.
            size_t n = m_data[m_at++] % 64 + 1;
            if (n > m_size - m_at)
                n = m_size - m_at;
            if (!SplitReceivedText(reinterpret_cast<const char *>(m_data + m_at), n, m_lines,
                                   m_partial, 256))
                return "";
            if (m_partial.GetLength() > 256)
                __builtin_trap();
            m_at += n;
        }
        if (m_lines.IsEmpty())
            return "";
        const CString line = m_lines.RemoveHead();
        if (line.IsEmpty() || line.GetString()[line.GetLength() - 1] != '\n')
            __builtin_trap();
        return line;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
    size_t m_sent = 0;
    unsigned long m_reads = 0;
    CStringList m_lines;
    CString m_partial;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ReplayChannel channel(data, size);
    const SmtpResult r =
        RunSmtpConversation(channel, "ann@harbor.example", "registration@tarvolen.example",
                            "BODY", 1252);
    if (r.outcome < SMTP_DELIVERED || r.outcome > SMTP_NOT_ACCEPTED)
        __builtin_trap();
    return 0;
}
