// The installer package's rows for the registration script: written into an empty registry
// they leave exactly what registering leaves, and keys the rows cannot express the way the
// walk treats them are refused rather than approximated.
#include <gtest/gtest.h>

#include "MemoryRegistry.h"
#include "RegistrationRows.h"

using namespace vistrel;
using namespace vistrel::fakes;

namespace {

// The rows written as an installer writes them: values with their keys, and the keys the
// rows name.
void writeRows(const std::vector<RegistrationRow>& rows, MemoryRegistry& registry) {
    for (const RegistrationRow& row : rows) {
        registry.openOrCreate(row.root, row.key);
        if (row.kind == RowKind::kValue) registry.setString(row.root, row.key, row.name, row.data);
    }
}

std::vector<RegistrationRow> rowsOf(const std::vector<ScriptRoot>& roots, RowsProblem* refused = nullptr) {
    std::vector<RegistrationRow> rows;
    RowsProblem problem;
    const bool ok = registrationRows(roots, rows, problem);
    if (refused) {
        EXPECT_FALSE(ok);
        *refused = problem;
    } else {
        EXPECT_TRUE(ok) << problem.key << ": " << problem.detail;
    }
    return rows;
}

}  // namespace

TEST(RegistrationRows, ShippedScriptRowsLeaveWhatRegisteringLeaves) {
    const std::string module = "C:\\Program Files\\Bob's\\Vistrel.dll";
    const std::vector<ScriptRoot> roots = shipped(doubleApostrophes(module));
    MemoryRegistry registered, installed;
    ASSERT_EQ(registerScript(roots, registered).status, kRegistryOk);
    const std::vector<RegistrationRow> rows = rowsOf(roots);
    writeRows(rows, installed);
    EXPECT_EQ(installed.keys(), registered.keys());
    EXPECT_EQ(installed.value("CLSID\\{22C88570-8419-4CD6-B37A-5350D847AAF0}\\InprocServer32"), module);

    // Only the keys that are ours outright are removed with their subkeys; the shared ones
    // (CLSID, .dwg and its shellex) are left to their values' removal.
    std::vector<std::string> owned, created;
    for (const RegistrationRow& row : rows) {
        if (row.kind == RowKind::kKeyOwned) owned.push_back(row.key);
        if (row.kind == RowKind::kKeyCreated) created.push_back(row.key);
    }
    EXPECT_EQ(owned, (std::vector<std::string>{"CLSID\\{22C88570-8419-4CD6-B37A-5350D847AAF0}",
                                               "CLSID\\{22C88570-8419-4CD6-B37A-5350D847AAF0}\\Programmable"}));
    EXPECT_TRUE(created.empty());
}

TEST(RegistrationRows, MarkersMapOnlyWhereRemovalMatchesUnregistering) {
    // An empty NoRemove leaf is made and kept; a ForceRemove protected name is an ordinary key.
    const std::vector<RegistrationRow> rows =
        rowsOf(scriptOf("HKCR { NoRemove Empty ForceRemove TypeLib { Ours = s 'x' } }"));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].kind, RowKind::kKeyCreated);
    EXPECT_EQ(rows[0].key, "Empty");
    EXPECT_EQ(rows[1].kind, RowKind::kValue);
    EXPECT_EQ(rows[1].key, "TypeLib\\Ours");

    RowsProblem problem;
    rowsOf(scriptOf("HKCR { NoRemove .dwg = s 'theirs' }"), &problem);
    EXPECT_EQ(problem.key, ".dwg");
    rowsOf(scriptOf("HKCR { Ours { Empty } }"), &problem);
    EXPECT_EQ(problem.key, "Ours\\Empty");
}
