// The bridge's start-up, shutdown, constants and error conventions, on the bridge linked
// directly (natively and under Wine).
#include "AsKernelSession.h"
#include "AsModeler.h"
#include "solidkernel/errors.h"
#include "solidkernel/lifecycle.h"
#include "solidkernel/options.h"
#include "solidkernel/testhooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

class BridgeLifecycle : public ::testing::Test {
protected:
    void SetUp() override {
        kernel_test::failNextCall("");
        kernel_test::resetCallLog();
    }
};

const Log kFullStartUp = {"api_start_modeller",       "initialize_base",       "initialize_law",
                          "api_initialize_kernel",    "api_initialize_spline", "api_initialize_faceter",
                          "api_initialize_rendering"};

TEST_F(BridgeLifecycle, SecondCreateViewerReturnsTheSameObjectAndRunsStartUpAgain) {
    CModeler* first = createViewer();
    ASSERT_NE(first, nullptr);
    kernel_test::resetCallLog();
    CModeler* second = createViewer();
    EXPECT_EQ(first, second);
    EXPECT_EQ(kernel_test::callLog(), kFullStartUp);
    EXPECT_EQ(AsKernelSession::flags(), 0x3Fu);
}

TEST_F(BridgeLifecycle, ConstructionSetsTheBridgeOptions) {
    ASSERT_NE(createViewer(), nullptr);
    int value = -1;
    api_get_int_option("compress_bb", value);
    EXPECT_EQ(value, 1);
    api_get_int_option("annotations", value);
    EXPECT_EQ(value, 0);
    api_get_int_option("check_level", value);
    EXPECT_EQ(value, 10);
    EXPECT_FALSE(logging_opt_on());
    int major = 0, minor = -1;
    get_save_version(major, minor);
    EXPECT_EQ(major, 6);
    EXPECT_EQ(minor, 0);
    FileInfo info;
    api_get_file_info(info);
    EXPECT_STREQ(info.product_id(), "Kivra");
    EXPECT_DOUBLE_EQ(info.units(), 1000.0);
}

TEST_F(BridgeLifecycle, FailedLawStartTerminatesBaseStopsModellerAndReturnsNull) {
    // Start from a stopped kernel so the sequence is seen from its beginning.
    AsKernelSession::shutdown();
    kernel_test::resetCallLog();
    kernel_test::failNextCall("initialize_law");
    EXPECT_EQ(createViewer(), nullptr);
    Log expected = {"api_start_modeller", "initialize_base", "initialize_law!", "terminate_base",
                    "api_stop_modeller"};
    EXPECT_EQ(kernel_test::callLog(), expected);
    EXPECT_EQ(AsKernelSession::flags(), 0u);
    EXPECT_EQ(kernel_test::initialisationCount("modeller"), 0);
    EXPECT_EQ(kernel_test::initialisationCount("base"), 0);
}

TEST_F(BridgeLifecycle, ShutdownRunsStepsInTheirOrderOnlyForStartedComponents) {
    ASSERT_NE(createViewer(), nullptr);
    kernel_test::resetCallLog();
    AsKernelSession::shutdown();
    Log expected = {"api_terminate_faceter", "api_terminate_rendering", "api_terminate_spline",
                    "api_terminate_kernel",  "terminate_law",           "terminate_base",
                    "api_stop_modeller"};
    EXPECT_EQ(kernel_test::callLog(), expected);
    kernel_test::resetCallLog();
    AsKernelSession::shutdown();  // nothing set: nothing done
    EXPECT_TRUE(kernel_test::callLog().empty());
}

TEST_F(BridgeLifecycle, FailedShutdownStepEndsTheSequenceSilently) {
    ASSERT_NE(createViewer(), nullptr);
    kernel_test::resetCallLog();
    kernel_test::failNextCall("api_terminate_spline");
    AsKernelSession::shutdown();
    Log expected = {"api_terminate_faceter", "api_terminate_rendering", "api_terminate_spline!"};
    EXPECT_EQ(kernel_test::callLog(), expected);
    EXPECT_EQ(AsKernelSession::flags(), unsigned(AsKernelSession::kBase | AsKernelSession::kLaw |
                                                 AsKernelSession::kSpline | AsKernelSession::kKernel));
    AsKernelSession::shutdown();
    EXPECT_EQ(AsKernelSession::flags(), 0u);
}

TEST_F(BridgeLifecycle, ConstantsAnswerWithoutTouchingTheKernel) {
    CModeler* modeler = createViewer();
    ASSERT_NE(modeler, nullptr);
    kernel_test::resetCallLog();
    EXPECT_TRUE(modeler->canDisplay());
    EXPECT_TRUE(modeler->canSnap());
    EXPECT_FALSE(modeler->canEdit());
    EXPECT_EQ(modeler->reserved36(), 0);
    EXPECT_EQ(modeler->reserved23(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12), 0);
    EXPECT_TRUE(kernel_test::callLog().empty());
}

TEST_F(BridgeLifecycle, LastErrorFollowsTheMostRecentCheckedOutcome) {
    CModeler* modeler = createViewer();
    ASSERT_NE(modeler, nullptr);
    EXPECT_EQ(modeler->lastError(), 0);

    // A failed start-up is followed by the shutdown, whose last checked call is the stop.
    kernel_test::failNextCall("api_initialize_spline", kernel_errors::kInterrupted);
    kernel_test::failNextCall("api_stop_modeller", kernel_errors::kAlreadyStopped);
    EXPECT_EQ(createViewer(), nullptr);
    EXPECT_EQ(modeler->lastError(), kernel_errors::kAlreadyStopped);
    EXPECT_EQ(modeler->lastError(), kernel_errors::kAlreadyStopped);  // reading does not clear it

    EXPECT_EQ(createViewer(), modeler);
    EXPECT_EQ(modeler->lastError(), 0);
}

TEST_F(BridgeLifecycle, ErrorTextFillsTheHostString) {
    CModeler* modeler = createViewer();
    ASSERT_NE(modeler, nullptr);
    HostString text("previous contents");
    EXPECT_EQ(modeler->errorText(kernel_errors::kTokenTooLong, text), 1);
    EXPECT_EQ(std::string(text.c_str()), find_err_mess(kernel_errors::kTokenTooLong));
    EXPECT_EQ(modeler->errorText(99999, text), 1);
    EXPECT_EQ(std::string(text.c_str()), "unknown error");
}

TEST_F(BridgeLifecycle, BodyOperationsWithoutABodyFailAndPutHostVectorsBack) {
    CModeler* modeler = createViewer();
    ASSERT_NE(modeler, nullptr);
    CDbAcisEntityData empty;
    HostVector<ModelerPoint> points(3);
    EXPECT_EQ(modeler->characteristicPoints(empty, points), 0);
    EXPECT_EQ(points.size(), 3u) << "what the host had stays";
    HostVector<ModelerSnapPoint> snaps;
    snaps.reserve(2);
    double p[3] = {0, 0, 0};
    EXPECT_EQ(modeler->snapPoints(empty, kSnapEnd, p, p, p, snaps), 0);
    EXPECT_EQ(snaps.capacity(), 0u) << "an empty vector gives its storage back";
    EXPECT_EQ(modeler->display(empty, 0, 0.5, nullptr), 0);
    EXPECT_EQ(modeler->lastError(), 0);
}

TEST_F(BridgeLifecycle, DestroyingTheModelerShutsTheKernelDownAndClearsTheCurrentModeler) {
    AsKernelSession::start();
    {
        AsModeler modeler;
        CModeler::s_pModeler = &modeler;
        kernel_test::resetCallLog();
    }
    EXPECT_EQ(CModeler::get(), nullptr);
    EXPECT_EQ(AsKernelSession::flags(), 0u);
    EXPECT_FALSE(kernel_is_running());
    ASSERT_FALSE(kernel_test::callLog().empty());
    EXPECT_EQ(kernel_test::callLog().back(), "api_stop_modeller");
}

TEST_F(BridgeLifecycle, RefusedOptionMakesConstructionThrow) {
    kernel_test::failNextCall("api_save_version", kernel_errors::kBadSaveVersion);
    EXPECT_THROW(AsModeler(), std::exception);
}

}  // namespace
