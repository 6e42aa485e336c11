// The benchmark's floor: the registration mail's session by the barest Windows
// Sockets client there is (blocking calls, no windows, no message queue). Run
// under Wine beside the library, it shows what Wine's socket layer itself
// costs each exchange, which no Windows client can go below.
//   BareSmtpClient ADDRESS MESSAGE-FILE
#include <winsock.h>

#include <cstdio>
#include <string>

namespace {

SOCKET g_socket = INVALID_SOCKET;

// One reply line; the session's replies are single lines.
bool Reply()
{
    std::string line;
    char bytes[512];
    while (line.find('\n') == std::string::npos) {
        const int n = recv(g_socket, bytes, sizeof bytes, 0);
        if (n <= 0)
            return false;
        line.append(bytes, static_cast<size_t>(n));
    }
    return true;
}

bool Put(const std::string &text)
{
    return send(g_socket, text.data(), static_cast<int>(text.size()), 0) ==
           static_cast<int>(text.size());
}

bool Exchange(const std::string &command) { return Put(command) && Reply(); }

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: BareSmtpClient ADDRESS MESSAGE-FILE\n");
        return 2;
    }
    std::string message;
    if (FILE *f = fopen(argv[2], "rb")) {
        char bytes[4096];
        size_t n;
        while ((n = fread(bytes, 1, sizeof bytes, f)) > 0)
            message.append(bytes, n);
        fclose(f);
    } else {
        fprintf(stderr, "BareSmtpClient: cannot read %s\n", argv[2]);
        return 2;
    }
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0)
        return 1;
    g_socket = socket(AF_INET, SOCK_STREAM, 0);
    const BOOL noDelay = TRUE;
    setsockopt(g_socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char *>(&noDelay),
               sizeof noDelay);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(25);
    address.sin_addr.s_addr = inet_addr(argv[1]);
    const bool sent =
        connect(g_socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0 &&
        Reply() && Exchange("HELO harbor.example\r\n") &&
        Exchange("MAIL FROM: <ann@harbor.example>\r\n") &&
        Exchange("RCPT TO: <registration@tarvolen.example>\r\n") && Exchange("DATA \r\n") &&
        Put(message) && Exchange(".\r\n") && Exchange("QUIT\r\n");
    closesocket(g_socket);
    WSACleanup();
    if (!sent)
        fprintf(stderr, "BareSmtpClient: the session failed\n");
    return sent ? 0 : 1;
}
