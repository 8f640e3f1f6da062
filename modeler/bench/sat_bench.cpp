// A timing program for the Windows build (no benchmark library there): restore throughput
// of a SAT file given on the command line and of a generated large body, best of several
// runs, printed as one JSON line.
#include "SatBenchInputs.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

// Best seconds of one restore (with the deletion) over enough runs to fill about a second.
double bestRestoreSeconds(const std::string& text) {
    using clock = std::chrono::steady_clock;
    double best = 1e30, total = 0;
    for (int run = 0; run < 200 && (run < 5 || total < 1.0); ++run) {
        auto start = clock::now();
        if (benchRestore(text) == 0) return -1;
        double seconds = std::chrono::duration<double>(clock::now() - start).count();
        total += seconds;
        if (seconds < best) best = seconds;
    }
    return best;
}

void report(const char* name, const std::string& text) {
    double seconds = text.empty() ? -1 : bestRestoreSeconds(text);
    if (seconds < 0) {
        std::printf("{\"input\": \"%s\", \"error\": \"does not restore\"}\n", name);
        return;
    }
    std::printf("{\"input\": \"%s\", \"bytes\": %u, \"best_ms\": %.3f, \"MiB_per_s\": %.1f}\n", name,
                static_cast<unsigned>(text.size()), seconds * 1000, benchMiB(text.size()) / seconds);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) report(argv[1], benchReadFile(argv[1]));
    report("generated body (400 box lumps)", benchGeneratedBody(400));
    return 0;
}
