// A fixed number of reads or writes of the full colour table, for a profiler to count:
//   VexoUtilsProfile read|write ROUNDS
// (valgrind --tool=callgrind, divide by ROUNDS; see bench/READ_WRITE_SPEED.md).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "vexoutils/PlotStyleTable.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: VexoUtilsProfile read|write ROUNDS\n");
        return 2;
    }
    const bool read = std::strcmp(argv[1], "read") == 0;
    const int rounds = std::atoi(argv[2]);
    const std::string sample = std::string(KIVRA_TESTDATA_DIR) + "/ctb/ezdxf-ctbtest.ctb";
    std::unique_ptr<CPlotStyleTable> table(CPlotStyleTable::read(sample.c_str()));
    if (!table) return 1;
    const std::vector<unsigned char> bytes = table->toBytes();
    std::size_t total = 0;
    std::string reason;
    for (int i = 0; i < rounds; ++i) {
        if (read) {
            std::unique_ptr<CPlotStyleTable> t(CPlotStyleTable::readBytes(
                bytes.data(), static_cast<unsigned long>(bytes.size()), reason));
            total += t ? static_cast<std::size_t>(t->size()) : 0;
        } else {
            total += table->toBytes().size();
        }
    }
    std::printf("%s x %d: %zu\n", read ? "read" : "write", rounds, total);
    return 0;
}
