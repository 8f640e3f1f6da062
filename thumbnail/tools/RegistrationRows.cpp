// The rows the installer package writes in place of DllRegisterServer's script, read from
// the script itself with the server's own reader: one line per row, fields separated by
// tabs (`value ROOT KEY NAME DATA`, `key-created ROOT KEY`, `key-owned ROOT KEY`).
//   vistrel-registration-rows SCRIPT.rgs MODULE
// MODULE stands where the script says %MODULE% (the package gives the file's reference).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "RegistrationRows.h"

using namespace vistrel;

namespace {

bool printable(const std::string& field) {
    return field.find_first_of("\t\r\n") == std::string::npos;
}

const char* kindName(RowKind kind) {
    switch (kind) {
        case RowKind::kValue: return "value";
        case RowKind::kKeyCreated: return "key-created";
        case RowKind::kKeyOwned: return "key-owned";
    }
    return "value";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vistrel-registration-rows SCRIPT.rgs MODULE\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "vistrel-registration-rows: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::string script((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string module = doubleApostrophes(argv[2]);
    ScriptProblem problem;
    std::string replaced;
    std::vector<ScriptRoot> roots;
    if (!applyReplacements(script, {{"Module", module}, {"Module_Raw", module}}, replaced, problem) ||
        !parseScript(replaced, roots, problem)) {
        std::fprintf(stderr, "vistrel-registration-rows: %s: %s (at byte %zu)\n", argv[1],
                     problem.detail.c_str(), problem.position);
        return 1;
    }
    std::vector<RegistrationRow> rows;
    RowsProblem rowsProblem;
    if (!registrationRows(roots, rows, rowsProblem)) {
        std::fprintf(stderr, "vistrel-registration-rows: %s: key %s: %s\n", argv[1],
                     rowsProblem.key.c_str(), rowsProblem.detail.c_str());
        return 1;
    }
    for (const RegistrationRow& row : rows) {
        if (!printable(row.key) || !printable(row.name) || !printable(row.data)) {
            std::fprintf(stderr, "vistrel-registration-rows: key %s holds a tab or line break\n",
                         row.key.c_str());
            return 1;
        }
        if (row.kind == RowKind::kValue)
            std::printf("value\t%s\t%s\t%s\t%s\n", rootName(row.root), row.key.c_str(), row.name.c_str(),
                        row.data.c_str());
        else
            std::printf("%s\t%s\t%s\n", kindName(row.kind), rootName(row.root), row.key.c_str());
    }
    return 0;
}
