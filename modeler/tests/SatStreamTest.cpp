// The SAT stream's slots as the kernel sees them, and the bridge's restore and save of a
// record: tokens, logicals, strings, tagged data, header, overlong tokens, the NUL after
// saved text, empty and multi-body texts.
#include "AsObject.h"
#include "AsTools.h"
#include "SatTestSupport.h"
#include "solidkernel/errors.h"
#include "solidkernel/testhooks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace sat_test;

namespace {

std::string written(AsSatStream& writer) {
    std::size_t size = writer.writtenSize();
    char* buffer = writer.takeBuffer();
    std::string text(buffer, size);
    delete[] buffer;
    return text;
}

TEST(SatStreamReader, LogicalsAcceptWordsPrefixesAndNumbers) {
    std::string text = "T F forward reversed rev 1 0 -3 forward_v";
    // forward_v is a prefix of neither text: it makes the last read fail.
    AsSatStream r(text.data(), text.size());
    EXPECT_EQ(r.read_logical("F", "T"), 1);
    EXPECT_EQ(r.read_logical("F", "T"), 0);
    EXPECT_EQ(r.read_logical("forward", "reversed"), 0);
    EXPECT_EQ(r.read_logical("forward", "reversed"), 1);
    EXPECT_EQ(r.read_logical("forward", "reversed"), 1) << "a prefix of the true text";
    EXPECT_EQ(r.read_logical("forward", "reversed"), 1);
    EXPECT_EQ(r.read_logical("forward", "reversed"), 0);
    EXPECT_EQ(r.read_logical("forward", "reversed"), 1) << "any non-zero number";
    EXPECT_EQ(r.failure(), 0);
    EXPECT_EQ(r.read_logical("forward_v", "reverse_v"), 0);
    EXPECT_EQ(r.read_logical("F", "T"), 0);
    EXPECT_NE(r.failure(), 0) << "nothing left to read";
}

TEST(SatStreamReader, UnknownLogicalWordFails) {
    std::string text = "sideways";
    AsSatStream r(text.data(), text.size());
    r.read_logical("forward", "reversed");
    EXPECT_EQ(r.failure(), kernel_errors::kBadToken);
}

TEST(SatStreamReader, NumbersEndAtAnyWhiteSpaceOrTheEnd) {
    std::string text = "106 26 1 0\nbody\t-5.25e-1\r\n$17 42";
    AsSatStream r(text.data(), text.size());
    long a, b, c, d;
    EXPECT_EQ(r.read_header(a, b, c, d), 1);
    EXPECT_EQ(a, 106);
    EXPECT_EQ(d, 0);
    char id[16];
    EXPECT_EQ(r.read_id(id, sizeof id), 1);
    EXPECT_STREQ(id, "body");
    EXPECT_DOUBLE_EQ(r.read_double(), -0.525);
    EXPECT_EQ(r.read_pointer(), 17);
    EXPECT_EQ(r.read_long(), 42) << "the end of data ends the token";
    EXPECT_EQ(r.failure(), 0);
}

// Numbers read as the C library reads the same token, bit for bit: ordinary forms,
// exponents with signs, a leading '+', extremes, denormals, overflow and underflow, hex,
// inf and nan, and tokens with junk after the number.
TEST(SatStreamReader, NumbersReadAsTheCLibraryReadsThem) {
    std::vector<std::string> reals = {
        "0", "-0", "1", "-1.5", "+2.25", "+.5", ".5", "5.", "-.5e-3", "1e+300", "1E-300", "1e300",
        "9.9999999999999995e-07", "365.75999999999999", "-1.4694999999999998", "0.78499999999999981",
        "1.7976931348623157e308", "2.2250738585072014e-308", "2.2250738585072011e-308",
        "4.9406564584124654e-324", "5e-324", "2e-324", "1e-400", "-1e-400", "1e400", "-1e400",
        "0x1p3", "0X1.8P1", "inf", "-Infinity", "nan", "NAN", "1.5abc", "1e", "1e+", "1-2", "--1",
        "+-1", "-+1", "abc", "+", "-", ".", "e5", "00012.5000", "123456789012345678901234567890",
        "0.1000000000000000055511151231257827021181583404541015625", "\v7.5", "\f-3"};
    std::mt19937_64 random(2100);
    for (int i = 0; i < 2000; ++i) {
        std::uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        char token[40];
        std::snprintf(token, sizeof token, i % 2 ? "%.17g" : "%.15g", value);
        reals.emplace_back(token);
    }
    for (const std::string& token : reals) {
        std::string text = token + " ";
        AsSatStream r(text.data(), text.size());
        double got = r.read_double();
        double expected = std::strtod(token.c_str(), nullptr);
        EXPECT_EQ(r.failure(), 0) << token;
        if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(got)) << token;
        } else {
            EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << token << ": " << got << " vs " << expected;
        }
    }

    const std::vector<std::string> integers = {
        "0", "-0", "42", "+42", "-17", "0042", "2147483647", "2147483648", "-2147483649",
        "9223372036854775807", "9223372036854775808", "-9223372036854775809",
        "99999999999999999999", "-99999999999999999999", "12abc", "abc", "+-5", "-+5", "0x1F",
        "1.9", "1e3", "+", "-", "\v7", "\f-8"};
    for (const std::string& token : integers) {
        std::string text = token;  // the end of data ends the token
        AsSatStream r(text.data(), text.size());
        EXPECT_EQ(r.read_long(), std::strtol(token.c_str(), nullptr, 10)) << token;
        EXPECT_EQ(r.failure(), 0) << token;
    }
}

TEST(SatStreamReader, HeaderWithNothingAfterItAnswersNoAndRewinds) {
    std::string text = "700 0 1 0   ";
    AsSatStream r(text.data(), text.size());
    long a, b, c, d;
    EXPECT_EQ(r.read_header(a, b, c, d), 0);
    EXPECT_EQ(r.set_mark(), 0);
}

TEST(SatStreamReader, OverlongTokensFailInsteadOfOverflowing) {
    std::string longNumber(AsSatStream::kTokenSize + 10, '7');
    AsSatStream r(longNumber.data(), longNumber.size());
    r.read_long();
    EXPECT_EQ(r.failure(), kernel_errors::kTokenTooLong);

    std::string longWord = std::string(200, 'x') + "-attrib $1";
    AsSatStream r2(longWord.data(), longWord.size());
    char id[64];
    EXPECT_EQ(r2.read_id(id, sizeof id), 0);
    EXPECT_EQ(r2.failure(), kernel_errors::kTokenTooLong);

    std::string longLogical(100, 'f');
    AsSatStream r3(longLogical.data(), longLogical.size());
    r3.read_logical("forward", "reversed");
    EXPECT_EQ(r3.failure(), kernel_errors::kTokenTooLong);
}

TEST(SatStreamReader, TokenLimitIsExactAndNulBytesEndTokensButNotText) {
    std::string longest(AsSatStream::kTokenSize - 1, '7');
    std::string text = "0" + longest.substr(1) + " 0" + longest + " ";
    AsSatStream r(text.data(), text.size());
    EXPECT_EQ(r.read_long(), std::strtol(longest.substr(1).c_str(), nullptr, 10)) << "199 characters fit";
    EXPECT_EQ(r.failure(), 0);
    r.read_long();
    EXPECT_EQ(r.failure(), kernel_errors::kTokenTooLong) << "200 characters do not";

    std::string nul("12\0 34", 6);
    AsSatStream r2(nul.data(), nul.size());
    EXPECT_EQ(r2.read_long(), 12);
    r2.read_long();
    EXPECT_EQ(r2.failure(), kernel_errors::kUnexpectedEnd) << "a NUL is an empty token";

    std::string tagged("a\0b $3", 7);
    AsSatStream r3(tagged.data(), tagged.size());
    std::unique_ptr<TaggedData> t(r3.read_tagged_data());
    ASSERT_TRUE(t);
    EXPECT_STREQ(t->text(), "a") << "the NUL stays inside the text block";
    t.reset(r3.read_tagged_data());
    ASSERT_TRUE(t);
    EXPECT_EQ(t->kind(), TaggedData::kPointer);
    EXPECT_EQ(t->value(), 3);
}

TEST(SatStreamReader, StringsHonourLengthsAndBuffers) {
    std::string text = "5 grid  1 7 unknown 9 short";
    AsSatStream r(text.data(), text.size());
    char buffer[8];
    EXPECT_STREQ(r.read_string(buffer, sizeof buffer), "grid ") << "trailing blank kept";
    EXPECT_EQ(r.read_long(), 1);
    int length = 0;
    char* owned = r.read_string(length);
    ASSERT_NE(owned, nullptr);
    EXPECT_EQ(length, 7);
    EXPECT_STREQ(owned, "unknown");
    acis_discard(owned);
    char small[4];
    r.read_string(small, sizeof small);
    EXPECT_NE(r.failure(), 0) << "9 characters do not fit 4 bytes";
}

TEST(SatStreamReader, TaggedDataSplitsPointersSubtypesTextAndRecordEnds) {
    std::string text = "1 2 @5 a b $7 { exactcur 3 } tail # rest of line\n next";
    AsSatStream r(text.data(), text.size());
    std::unique_ptr<TaggedData> t(r.read_tagged_data());
    ASSERT_TRUE(t);
    EXPECT_EQ(t->kind(), TaggedData::kText);
    EXPECT_STREQ(t->text(), "1 2 @5 a b ");
    t.reset(r.read_tagged_data());
    EXPECT_EQ(t->kind(), TaggedData::kPointer);
    EXPECT_EQ(t->value(), 7);
    t.reset(r.read_tagged_data());
    EXPECT_EQ(t->kind(), TaggedData::kSubtypeStart);
    t.reset(r.read_tagged_data());
    EXPECT_STREQ(t->text(), "exactcur 3 ");
    t.reset(r.read_tagged_data());
    EXPECT_EQ(t->kind(), TaggedData::kSubtypeEnd);
    t.reset(r.read_tagged_data());
    EXPECT_STREQ(t->text(), "tail ");
    t.reset(r.read_tagged_data());
    EXPECT_FALSE(t) << "the record ended";
    char id[8];
    r.read_id(id, sizeof id);
    EXPECT_STREQ(id, "next") << "the terminator's line went with it";
    t.reset(r.read_tagged_data());
    ASSERT_TRUE(t);
    EXPECT_EQ(t->kind(), TaggedData::kText);
    EXPECT_EQ(t->text(), nullptr) << "end of data";
}

TEST(SatStreamReader, SequenceNumbersSubtypesAndMarks) {
    std::string text = " -12 body { }";
    AsSatStream r(text.data(), text.size());
    FilePosition start = r.set_mark();
    EXPECT_EQ(r.read_sequence_number(), 12);
    EXPECT_EQ(r.read_sequence_number(), -1);
    char id[8];
    r.read_id(id, sizeof id);
    EXPECT_EQ(r.read_subtype_end(), 0);
    EXPECT_EQ(r.read_subtype_start(), 1);
    EXPECT_EQ(r.read_subtype_end(), 1);
    EXPECT_EQ(r.goto_mark(start), 0);
    EXPECT_EQ(r.read_sequence_number(), 12);
}

TEST(SatStreamWriter, EveryNumberIsFollowedByABlankAndLinesEndInCrLf) {
    AsSatStream w;
    w.write_header(600, 0, 1, 0);
    w.write_id("plane", 2);
    w.write_id("surface", 1);
    w.write_pointer(-1);
    w.write_long(12);
    w.write_double(0.1);
    w.write_float(2.5f);
    w.write_logical(1, "forward_v", "reverse_v");
    w.write_string("unknown", 7);
    w.write_subtype_start();
    w.write_subtype_end();
    w.write_sequence_number(3);
    w.write_terminator();
    EXPECT_EQ(written(w),
              "600 0 1 0 \r\nplane-surface $-1 12 0.1 2.5 reverse_v 7 unknown\r\n{ } -3 #\r\n");
}

TEST(SatStreamWriter, DoublesKeepFifteenDigits) {
    AsSatStream w;
    w.write_double(1.0 / 3.0);
    w.write_double(-0.0);
    w.write_double(1e-300);
    std::string text = written(w);
    EXPECT_EQ(text, "0.333333333333333 -0 1e-300 ");
    AsSatStream r(text.data(), text.size());
    EXPECT_NEAR(r.read_double(), 1.0 / 3.0, 1e-15);
}

// ------------------------------------------------------------------ restore and save
class BridgeRecordRoad : public ::testing::Test {
protected:
    void SetUp() override { useBridgeSaveSettings(); }
};

TEST_F(BridgeRecordRoad, EmptyTextRestoresToNothingWithoutAskingTheKernel) {
    long before = kernel_test::restoreCalls();
    EXPECT_EQ(AsRestoreRecord(CDbAcisEntityData(HostString(), CDbAcisEntityData::kSolid)), nullptr);
    EXPECT_EQ(kernel_test::restoreCalls(), before);
}

TEST_F(BridgeRecordRoad, TwoTopLevelBodiesGiveNoBodyAndLeaveNothingAlive) {
    long blocks = acis_live_blocks();
    std::string text = sampleText("v600_two_boxes.sat");
    CDbAcisEntityData record(HostString(text.c_str()), CDbAcisEntityData::kSolid);
    EXPECT_EQ(AsRestoreRecord(record), nullptr);
    EXPECT_EQ(acis_live_blocks(), blocks);
}

TEST_F(BridgeRecordRoad, ABodyRestoresAndSavesWithANulOutsideTheText) {
    std::string text = sampleText("v700_prism.sat");
    CDbAcisEntityData record(HostString(text.c_str()), CDbAcisEntityData::kSolid);
    std::unique_ptr<AsObject> object(AsRestoreRecord(record));
    ASSERT_TRUE(object);
    ASSERT_NE(object->body(), nullptr);
    char* saved = AsSaveEntity(object->body());
    ASSERT_NE(saved, nullptr);
    std::size_t length = std::strlen(saved);
    EXPECT_GT(length, 100u);
    std::string asText(saved, length);
    EXPECT_EQ(asText.compare(0, 11, "600 0 1 0 \r"), 0);
    EXPECT_EQ(asText.substr(length - 19), "End-of-ACIS-data \r\n");
    EXPECT_EQ(asText.find('\0'), std::string::npos);
    delete[] saved;
}

TEST_F(BridgeRecordRoad, MalformedTextFailsTheRestoreAndLeaksNothing) {
    long blocks = acis_live_blocks();
    std::string good = sampleText("v400_box_inch.sat");
    const std::string bad[] = {
        "garbage",
        "400 0 1 0",
        good.substr(0, good.size() / 2),
        "400 0 1 0\n1 x 1 y 1 z\n1 1e-6 1e-10\nbody $5 $-1 $-1 $-1 #\n",
        "400 0 1 0\n1 x 1 y 1 z\n1 1e-6 1e-10\nbody $-1 $1 $-1 $-1 #\npoint $-1 0 0 0 #\n",
        "700 0 1 0\n@1 x @1 y @1 z\n1 1e-6 1e-10\nbody $-1 -1 $-1 $-1 $-1 $-1 #\n-0 lump $-1 -1 $-1 $-1 $-1 $0 #\n",
        "2000 0 1 0\n1 x 1 y 1 z\n1 1e-6 1e-10\nspline-surface $-1 -1 -1 $-1 forward { ref 3 } I I I I #\n",
        "400 0 1 0\n1 x 1 y 1 z\n1 1e-6 1e-10\n" + std::string(300, 'q') + " #\n",
    };
    for (const std::string& text : bad) {
        CDbAcisEntityData record(HostString(text.c_str()), CDbAcisEntityData::kSolid);
        EXPECT_EQ(AsRestoreRecord(record), nullptr) << text.substr(0, 60);
    }
    EXPECT_EQ(acis_live_blocks(), blocks);
}

}  // namespace
