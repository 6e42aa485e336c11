// glimintake: turns received registration cards into a database the vendor can query.
//
//   glimintake [--db FILE] ingest PATH...
//   glimintake [--db FILE] report
//   glimintake [--db FILE] export --csv
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Intake.h"
#include "Report.h"
#include "Store.h"

namespace {

int Usage()
{
    fprintf(stderr,
            "usage: glimintake [--db FILE] ingest PATH...\n"
            "       glimintake [--db FILE] report\n"
            "       glimintake [--db FILE] export --csv\n");
    return 2;
}

}  // namespace

int main(int argc, char **argv)
{
    std::string db = "registrations.sqlite";
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--db") == 0 && i + 1 < argc)
            db = argv[++i];
        else if (strncmp(argv[i], "--db=", 5) == 0)
            db = argv[i] + 5;
        else
            args.push_back(argv[i]);
    }
    if (args.empty())
        return Usage();
    const std::string command = args[0];
    const bool ingest = command == "ingest" && args.size() > 1;
    const bool report = command == "report" && args.size() == 1;
    const bool csv = command == "export" && args.size() == 2 && args[1] == "--csv";
    if (!ingest && !report && !csv)
        return Usage();

    Store store;
    std::string error;
    if (!store.Open(db, &error)) {
        fprintf(stderr, "glimintake: cannot open the database %s\n", error.c_str());
        return 1;
    }
    if (report || csv) {
        const bool ok = report ? PrintReport(store.Db(), stdout) : ExportCsv(store.Db(), stdout);
        if (!ok)
            fprintf(stderr, "glimintake: %s\n", store.Error().c_str());
        return ok && fflush(stdout) == 0 ? 0 : 1;
    }

    Intake intake(store, stderr);
    intake.SkipDatabase(db);
    for (size_t i = 1; i < args.size(); ++i)
        intake.Path(args[i]);
    intake.Finish();
    const IngestCounts &c = intake.Counts();
    fprintf(stderr,
            "glimintake: %ld files read of %ld: %ld new cards (%ld repeats), %ld rejected, "
            "%ld ingested before\n",
            c.readable, c.files, c.added, c.repeats, c.rejected, c.known);
    // Bad inputs are recorded and the run goes on; it fails only when nothing could be read.
    return c.readable > 0 ? 0 : 1;
}
