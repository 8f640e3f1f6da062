// The body cache: one entry per SAT text, restore timing and hit savings, the purge rule
// across the 60-second period (with a test clock), failures, and the body object's life.
#include "AsModeler.h"
#include "AsObject.h"
#include "AsTools.h"
#include "SatTestSupport.h"
#include "solidkernel/testhooks.h"

#include <gtest/gtest.h>

#include <exception>
#include <string>

using namespace sat_test;

namespace {

class BodyCache : public ::testing::Test {
protected:
    void SetUp() override {
        useBridgeSaveSettings();
        cache_.setClock([this] { return now_; });
        cache_.setRestore([this](const CDbAcisEntityData& record) {
            ++restores_;
            now_ += restoreTicks_;
            return AsRestoreRecord(record);
        });
    }
    static CDbAcisEntityData record(const std::string& sample, CDbAcisEntityData::EType type = CDbAcisEntityData::kSolid) {
        return CDbAcisEntityData(HostString(sampleText(sample).c_str()), type);
    }
    void advanceSeconds(int seconds) { now_ += 1000L * seconds; }

    AsBodyCache cache_;
    long now_ = 5000;
    long restoreTicks_ = 40;
    int restores_ = 0;
};

TEST_F(BodyCache, RecordsWithTheSameTextShareOneEntryAndOneBody) {
    AsCacheEntry& solid = cache_.lookup(record("v700_prism.sat", CDbAcisEntityData::kSolid));
    AsCacheEntry& region = cache_.lookup(record("v700_prism.sat", CDbAcisEntityData::kRegion));
    EXPECT_EQ(&solid, &region);
    EXPECT_EQ(cache_.size(), 1u);
    EXPECT_EQ(restores_, 1);
    ASSERT_TRUE(solid.object);
    EXPECT_NE(solid.object->body(), nullptr);
    EXPECT_EQ(solid.restoreTime, 40);
    EXPECT_EQ(solid.textLength, static_cast<int>(sampleText("v700_prism.sat").size()));
    EXPECT_EQ(solid.savedTime, 40) << "a hit saves the restore time";
}

TEST_F(BodyCache, TextsAreOrderedByteWiseWithPrefixesFirst) {
    AsSatTextLess less;
    CDbAcisEntityData a(HostString("abc"), CDbAcisEntityData::kSolid);
    CDbAcisEntityData b(HostString("abcd"), CDbAcisEntityData::kBody);
    CDbAcisEntityData c(HostString("ab\xff"), CDbAcisEntityData::kSolid);
    EXPECT_TRUE(less(a, b));
    EXPECT_FALSE(less(b, a));
    EXPECT_TRUE(less(b, c)) << "bytes compare unsigned";
    EXPECT_FALSE(less(a, CDbAcisEntityData(HostString("abc"), CDbAcisEntityData::kRegion)));
}

TEST_F(BodyCache, EmptyTextTypeZeroAndBadTextFail) {
    EXPECT_THROW(cache_.lookup(CDbAcisEntityData(HostString(), CDbAcisEntityData::kSolid)), std::exception);
    EXPECT_THROW(cache_.lookup(record("v700_prism.sat", CDbAcisEntityData::kNoEntity)), std::exception);
    EXPECT_EQ(restores_, 0);
    CDbAcisEntityData bad(HostString("700 0 1 0 nonsense"), CDbAcisEntityData::kSolid);
    EXPECT_THROW(cache_.lookup(bad), std::exception);
    EXPECT_THROW(cache_.lookup(bad), std::exception);
    EXPECT_EQ(restores_, 2) << "a text that failed is tried again";
    EXPECT_EQ(cache_.size(), 1u);
    EXPECT_FALSE(cache_.entries().begin()->second.object);
}

TEST_F(BodyCache, NothingIsPurgedWithinSixtySeconds) {
    cache_.lookup(record("v700_prism.sat"));     // first purge call with entries starts its clock
    cache_.lookup(record("v400_box_inch.sat"));  // starts the purge clock
    advanceSeconds(59);
    cache_.lookup(record("v700_cone.sat"));
    EXPECT_EQ(cache_.size(), 3u);
    for (const auto& kv : cache_.entries()) EXPECT_EQ(kv.second.flags, 0);
}

TEST_F(BodyCache, EntriesWithoutHitsGoWhenTheAverageIsPositive) {
    CDbAcisEntityData hot = record("v700_prism.sat");
    CDbAcisEntityData cold = record("v400_box_inch.sat");
    cache_.lookup(hot);
    cache_.lookup(cold);
    advanceSeconds(61);
    cache_.lookup(hot);  // purge 1: both new entries are only marked seen (average 0)
    EXPECT_EQ(cache_.size(), 2u);
    for (const auto& kv : cache_.entries()) EXPECT_EQ(kv.second.flags & AsBodyCache::kSeen, AsBodyCache::kSeen);
    cache_.lookup(hot);
    advanceSeconds(61);
    cache_.lookup(hot);  // purge 2: the hot entry saved time, the cold one none
    EXPECT_GT(cache_.averageSavedTime, 0.0);
    ASSERT_EQ(cache_.size(), 1u);
    EXPECT_EQ(cache_.entries().begin()->first.getSat(), hot.getSat());
    EXPECT_EQ(restores_, 2);
}

TEST_F(BodyCache, WithAnEmptyCacheALookupRestoresWithoutPurging) {
    advanceSeconds(3600);
    cache_.lookup(record("v700_prism.sat"));
    EXPECT_EQ(cache_.entries().begin()->second.flags, 0);
    EXPECT_EQ(restores_, 1);
}

TEST_F(BodyCache, ClearTakeOutAndPutManageTheObjects) {
    long blocks = acis_live_blocks();
    CDbAcisEntityData prism = record("v700_prism.sat");
    cache_.lookup(prism);
    cache_.lookup(record("v700_cone.sat"));
    AsCacheEntry taken = cache_.takeOut(prism);
    ASSERT_TRUE(taken.object);
    EXPECT_EQ(cache_.size(), 1u);
    cache_.put(prism, std::move(taken));
    EXPECT_EQ(cache_.size(), 2u);
    AsCacheEntry duplicate;
    duplicate.object.reset(AsRestoreRecord(prism));
    cache_.put(prism, std::move(duplicate));  // the text has an entry: the offer dies
    EXPECT_EQ(cache_.size(), 2u);
    cache_.clear();
    EXPECT_TRUE(cache_.empty());
    EXPECT_EQ(acis_live_blocks(), blocks) << "bodies die with their entries";
}

TEST_F(BodyCache, TransformMovesTheBodyAndItsCachedDisplayPoints) {
    AsCacheEntry& entry = cache_.lookup(record("v700_prism.sat"));
    AsObject& object = *entry.object;
    auto item = std::make_unique<AsDisplayPolyline>(AsDisplayPolyline::kOpen, 256);
    item->points = {SPAposition(1, 2, 3)};
    object.displayList().appendPolyline(std::move(item));
    SPAtransf shift;
    shift.t = SPAvector(10, 0, 0);
    object.transform(shift);
    ASSERT_NE(object.body()->transform(), nullptr);
    EXPECT_DOUBLE_EQ(object.body()->transform()->transform().t.x, 10.0);
    EXPECT_DOUBLE_EQ(static_cast<AsDisplayPolyline&>(*object.displayList().items()[0]).points[0].x, 11.0);
    SPAtransf flat;
    flat.a[2][2] = 0;
    EXPECT_THROW(object.transform(flat), std::exception) << "a singular transform is refused";
}

TEST(ModelerCache, TheModelerRestoresThroughItsCacheAndEmptiesIt) {
    CModeler* modeler = createViewer();
    ASSERT_NE(modeler, nullptr);
    CModeler::s_pModeler = modeler;  // as the host does
    AsBodyCache& cache = AsModeler::instance().cache();
    CDbAcisEntityData prism(HostString(sampleText("v700_prism.sat").c_str()), CDbAcisEntityData::kSolid);
    AsCacheEntry& entry = cache.lookup(prism);
    ASSERT_TRUE(entry.object);
    EXPECT_FALSE(cache.empty());
    modeler->clearCache();
    EXPECT_TRUE(cache.empty());
}

}  // namespace
