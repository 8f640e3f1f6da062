// Every shared sample restores; its 6.0 text restores to the same model (counts,
// connectivity, geometry within SPAresabs, attributes known and unknown) and saves again to
// the same text.
#include "SatTestSupport.h"
#include "solidkernel/tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cctype>

using namespace sat_test;

namespace {

// Records per type name as the original text lists them.
// (Records follow the header lines; each ends at a '#'.)
std::map<std::string, int> recordsInText(const std::string& text) {
    std::map<std::string, int> counts;
    std::size_t pos = 0;
    int headerLines = std::atoi(text.c_str()) < 200 ? 1 : 3;
    for (int i = 0; i < headerLines; ++i) pos = text.find('\n', pos) + 1;
    if (text.compare(pos, 3, "T @") == 0) pos = text.find('\n', pos) + 1;
    auto token = [&]() {
        while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
        std::size_t start = pos;
        while (pos < text.size() && !std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
        return text.substr(start, pos - start);
    };
    while (pos < text.size()) {
        std::string type = token();
        if (!type.empty() && type[0] == '-') type = token();
        if (type.empty() || type.compare(0, 7, "End-of-") == 0) break;
        counts[type]++;
        pos = text.find('#', pos);
        if (pos == std::string::npos) break;
        ++pos;
    }
    return counts;
}

bool hasAtString(const std::string& text) {
    for (std::size_t i = text.find('@'); i != std::string::npos; i = text.find('@', i + 1))
        if ((i == 0 || std::isspace(static_cast<unsigned char>(text[i - 1]))) && i + 1 < text.size() &&
            std::isdigit(static_cast<unsigned char>(text[i + 1])))
            return true;
    return false;
}

void expectSameGeometry(ENTITY* a, ENTITY* b, const std::string& where) {
    if (auto* pa = dynamic_cast<APOINT*>(a)) {
        auto* pb = dynamic_cast<APOINT*>(b);
        ASSERT_NE(pb, nullptr) << where;
        EXPECT_LE(distance(pa->coords(), pb->coords()), SPAresabs) << where;
    } else if (auto* sa = dynamic_cast<SURFACE*>(a)) {
        auto* sb = dynamic_cast<SURFACE*>(b);
        ASSERT_NE(sb, nullptr) << where;
        for (double u : {-0.7, 0.0, 0.4})
            for (double v : {-0.3, 0.2, 1.1}) {
                SPAposition p, q;
                SPAvector du, dv, du2, dv2;
                sa->eval(u, v, p, &du, &dv);
                sb->eval(u, v, q, &du2, &dv2);
                EXPECT_LE(distance(p, q), SPAresabs * std::max(1.0, length(p))) << where;
                EXPECT_LE(length(du - du2), SPAresabs * std::max(1.0, length(du))) << where;
            }
    } else if (auto* ca = dynamic_cast<CURVE*>(a)) {
        auto* cb = dynamic_cast<CURVE*>(b);
        ASSERT_NE(cb, nullptr) << where;
        for (double t : {-0.5, 0.25, 1.0}) {
            SPAposition p, q;
            ca->eval(t, p);
            cb->eval(t, q);
            EXPECT_LE(distance(p, q), SPAresabs * std::max(1.0, length(p))) << where;
        }
    }
}

class SampleRoundTrip : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { useBridgeSaveSettings(); }
};

TEST_P(SampleRoundTrip, RestoresAndSavesAs600WithEverythingKept) {
    std::string original = sampleText(GetParam());
    ASSERT_FALSE(original.empty());
    long blocksBefore = acis_live_blocks();

    ENTITY_LIST first;
    ASSERT_EQ(restore(original, first), 0);
    ASSERT_GE(first.count(), 1);
    std::string saved = save(first);
    ASSERT_FALSE(saved.empty());
    std::string header = "600 0 " + std::to_string(first.count()) + " 0 \r\n5 Kivra ";
    EXPECT_EQ(saved.compare(0, header.size(), header), 0) << saved.substr(0, 40);
    EXPECT_NE(saved.find("End-of-ACIS-data"), std::string::npos);
    EXPECT_FALSE(hasAtString(saved)) << "6.0 strings carry no @";

    ENTITY_LIST second;
    ASSERT_EQ(restore(saved, second), 0) << saved;
    ASSERT_EQ(second.count(), first.count());
    std::vector<ENTITY*> a = reachable(first), b = reachable(second);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        ASSERT_STREQ(a[i]->type_name(), b[i]->type_name()) << "record " << i;
        expectSameGeometry(a[i], b[i], GetParam() + " record " + std::to_string(i));
    }
    EXPECT_EQ(save(second), saved) << "saving the restored 6.0 text again changes it";

    // Every attribute record of the original text survives, known or not.
    std::map<std::string, int> inText = recordsInText(original);
    std::map<std::string, int> kept = countByType(second);
    for (const auto& [type, count] : inText) {
        if (type.size() < 6 || type.compare(type.size() - 6, 6, "attrib") != 0) continue;
        EXPECT_EQ(kept[type], count) << type;
    }
    for (const char* topology : {"body", "face", "loop", "coedge", "edge", "vertex"})
        if (inText.count(topology)) {
            EXPECT_EQ(kept[topology], inText[topology]) << topology;
        }

    deleteAll(first);
    deleteAll(second);
    EXPECT_EQ(acis_live_blocks(), blocksBefore) << "entities left alive";
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleRoundTrip, ::testing::ValuesIn(sampleFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.substr(0, info.param.size() - 4);
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

}  // namespace
