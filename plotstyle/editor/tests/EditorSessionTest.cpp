// Saving the editor's table: save keeps the modified flag and records the write; save as
// moves the path; a save as without the colour mapping whose write fails gives the mapping
// back, so a later save to the old file keeps it.
#include "EditorSession.h"

#include "RawText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

using quellon::EditorSession;
using quellon::TablePtr;

std::string sample(const char* name) {
    return std::string(KIVRA_TESTDATA_DIR) + "/ctb/" + name;
}

std::vector<unsigned char> bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

// The header's table kind and whether the text has a colour mapping, read without the
// component.
struct FileFacts {
    std::string kind;
    bool mapping = false;
    int mapped = 0;
};
FileFacts factsOf(const std::string& path) {
    FileFacts f;
    const auto bytes = bytesOf(path);
    if (bytes.size() < 26) return f;
    f.kind.assign(bytes.begin() + 19, bytes.begin() + 26);
    std::string text;
    if (!tool::rawText(bytes, text)) return f;
    for (const auto& r : tool::flatten(text)) {
        if (r.path == "aci_table_available") f.mapping = r.value == "TRUE";
        if (r.path.rfind("aci_table/", 0) == 0) ++f.mapped;
    }
    return f;
}

struct Scratch {
    explicit Scratch(std::string p) : path(std::move(p)) { std::remove(path.c_str()); }
    ~Scratch() { std::remove(path.c_str()); }
    std::string path;
};

EditorSession open(const std::string& path) {
    TablePtr table(CPlotStyleTable::read(path.c_str()));
    EXPECT_NE(table, nullptr) << path;
    return EditorSession(std::move(table), path);
}

const char* const kUnwritable = "no-such-folder/out.stb";

TEST(EditorSession, SaveRecordsTheWriteAndKeepsTheModifiedFlag) {
    Scratch out("session-save.ctb");
    EditorSession s = open(sample("ezdxf-ctbtest.ctb"));
    EXPECT_FALSE(s.saved());
    s.setModified();
    EXPECT_FALSE(s.save(kUnwritable));
    EXPECT_FALSE(s.saved());
    ASSERT_TRUE(s.save(out.path));
    EXPECT_TRUE(s.saved());
    EXPECT_TRUE(s.modified());
    EXPECT_EQ(s.path(), sample("ezdxf-ctbtest.ctb"));  // save does not move the path
    EXPECT_EQ(factsOf(out.path).kind, "CTBVER1");
}

TEST(EditorSession, SaveAsMovesThePathAndClearsTheModifiedFlag) {
    Scratch out("session-saveas.stb");
    EditorSession s = open(sample("apm-ttb-with-aci-table.stb"));
    s.setModified();
    ASSERT_TRUE(s.saveAs(out.path, false));
    EXPECT_EQ(s.path(), out.path);
    EXPECT_FALSE(s.modified());
    EXPECT_TRUE(s.saved());
    const FileFacts kept = factsOf(out.path);
    EXPECT_EQ(kept.kind, "TTBVER1");
    EXPECT_EQ(kept.mapped, 255);

    ASSERT_TRUE(s.saveAs(out.path, true));
    const FileFacts plain = factsOf(out.path);
    EXPECT_EQ(plain.kind, "STBVER1");
    EXPECT_FALSE(plain.mapping);
    EXPECT_EQ(plain.mapped, 0);
    EXPECT_FALSE(s.table().colorMapping);
}

TEST(EditorSession, AFailedSaveAsWithoutTheMappingGivesTheMappingBack) {
    Scratch out("session-restored.stb");
    EditorSession s = open(sample("apm-ttb-with-aci-table.stb"));
    const std::string original = s.path();
    // An edit made before the failed save as must survive the restore too.
    s.table().style(1)->penNumber = 17;
    s.table().setDesc("edited before");
    s.setModified();

    EXPECT_FALSE(s.saveAs(kUnwritable, true));
    EXPECT_EQ(s.path(), original);
    EXPECT_TRUE(s.modified());
    EXPECT_FALSE(s.saved());
    EXPECT_TRUE(s.table().colorMapping);
    EXPECT_EQ(s.table().colorMap().size(), 255u);
    EXPECT_EQ(s.table().style(1)->penNumber, 17);
    EXPECT_EQ(s.table().description, "edited before");

    // The save that follows (to a copy of the old file here) keeps the mapping.
    ASSERT_TRUE(s.save(out.path));
    const FileFacts f = factsOf(out.path);
    EXPECT_EQ(f.kind, "TTBVER1");
    EXPECT_TRUE(f.mapping);
    EXPECT_EQ(f.mapped, 255);
}

}  // namespace
