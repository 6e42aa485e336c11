// The intake benchmark's input: COUNT received mails, each a random card
// rendered by the card's own renderer, one in four quoted-printable, a few
// sent twice (the same card under the same serial number, a later Date).
//
//   intake_bench_gen FOLDER COUNT
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "resources/resource.h"
#include "tests/intake/CardFiles.h"

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: intake_bench_gen FOLDER COUNT\n");
        return 2;
    }
    const std::string folder = argv[1];
    const long count = atol(argv[2]);
    const int listCounts[5] = {
        IDS_PURCHASE_TYPE_LAST - IDS_PURCHASE_TYPE_FIRST + 1, IDS_COMPUTERS_LAST - IDS_COMPUTERS_FIRST + 1,
        IDS_USED_LAST - IDS_USED_FIRST + 1, IDS_HEARD_LAST - IDS_HEARD_FIRST + 1,
        IDS_SERVICE_LAST - IDS_SERVICE_FIRST + 1,
    };
    std::mt19937 random(100000);
    mkdir(folder.c_str(), 0755);
    RegistrationRecord previous;
    for (long n = 0; n < count; ++n) {
        // A thousand messages a folder, as a mail store would spread them.
        const std::string sub = folder + "/" + std::to_string(n / 1000);
        if (n % 1000 == 0 && mkdir(sub.c_str(), 0755) != 0 && errno != EEXIST) {
            perror(sub.c_str());
            return 1;
        }
        const bool again = n % 50 == 49;
        const RegistrationRecord r =
            again ? previous : cardfiles::RandomRecord(random, {n % 5 != 0, n % 7 == 0}, listCounts);
        char headers[160];
        snprintf(headers, sizeof headers,
                 "Received: from card.example by mail.tarvolen.example; Thu, 10 Dec 2026 %02ld:%02ld:%02ld +0000\r\n"
                 "Message-Id: <card-%ld@card.example>\r\n",
                 n / 3600 % 24, n / 60 % 60, n % 60, n);
        const std::string message =
            cardfiles::MailMessage(r.EmailAddress, cardfiles::MailBody(r), n % 4 == 0, headers);
        const std::string path = sub + "/" + std::to_string(n) + ".eml";
        FILE *f = fopen(path.c_str(), "wb");
        if (!f || fwrite(message.data(), 1, message.size(), f) != message.size() || fclose(f) != 0) {
            perror(path.c_str());
            return 1;
        }
        previous = r;
    }
    return 0;
}
