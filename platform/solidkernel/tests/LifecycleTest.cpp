// The kernel's life cycle, options and error table: the rules the bridge's start-up and
// shutdown sequences rely on.
#include "solidkernel/errors.h"
#include "solidkernel/lifecycle.h"
#include "solidkernel/options.h"
#include "solidkernel/testhooks.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class KernelLifecycle : public ::testing::Test {
protected:
    void SetUp() override {
        kernel_test::failNextCall("");
        kernel_test::resetCallLog();
    }
};

TEST_F(KernelLifecycle, ComponentsStartInDependencyOrderAndStopCleanly) {
    ASSERT_TRUE(api_start_modeller(0).ok());
    ASSERT_TRUE(initialize_base());
    ASSERT_TRUE(initialize_law());
    ASSERT_TRUE(api_initialize_kernel().ok());
    ASSERT_TRUE(api_initialize_spline().ok());
    ASSERT_TRUE(api_initialize_faceter().ok());
    ASSERT_TRUE(api_initialize_rendering().ok());
    EXPECT_TRUE(kernel_is_running());

    EXPECT_TRUE(api_terminate_rendering().ok());
    EXPECT_TRUE(api_terminate_faceter().ok());
    EXPECT_TRUE(api_terminate_spline().ok());
    EXPECT_TRUE(api_terminate_kernel().ok());
    EXPECT_TRUE(terminate_law());
    EXPECT_TRUE(terminate_base());
    EXPECT_TRUE(api_stop_modeller().ok());
    EXPECT_FALSE(kernel_is_running());
    EXPECT_EQ(kernel_test::initialisationCount("modeller"), 0);
    EXPECT_EQ(kernel_test::initialisationCount("base"), 0);
}

TEST_F(KernelLifecycle, ComponentNeedsItsPrerequisites) {
    ASSERT_TRUE(api_start_modeller(0).ok());
    EXPECT_FALSE(initialize_law());  // base missing
    EXPECT_EQ(api_initialize_kernel().error_number(), kernel_errors::kComponentNotInitialised);
    EXPECT_FALSE(terminate_base());  // never initialised
    EXPECT_TRUE(api_stop_modeller().ok());
    EXPECT_EQ(api_stop_modeller().error_number(), kernel_errors::kAlreadyStopped);
    EXPECT_FALSE(initialize_base());  // modeller stopped
}

TEST_F(KernelLifecycle, InjectedFailureHitsOnlyTheNextCallOfThatName) {
    ASSERT_TRUE(api_start_modeller(0).ok());
    ASSERT_TRUE(initialize_base());
    kernel_test::failNextCall("initialize_law", 77);
    EXPECT_FALSE(initialize_law());
    EXPECT_EQ(kernel_test::initialisationCount("law"), 0);
    EXPECT_TRUE(initialize_law());
    EXPECT_TRUE(terminate_law());
    EXPECT_TRUE(terminate_base());
    EXPECT_TRUE(api_stop_modeller().ok());

    std::vector<std::string> expected = {"api_start_modeller", "initialize_base", "initialize_law!",
                                         "initialize_law",     "terminate_law",   "terminate_base",
                                         "api_stop_modeller"};
    EXPECT_EQ(kernel_test::callLog(), expected);
}

TEST_F(KernelLifecycle, InjectedOutcomeCarriesTheErrorNumber) {
    kernel_test::failNextCall("api_save_version", kernel_errors::kInterrupted);
    outcome result = api_save_version(6, 0);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.error_number(), kernel_errors::kInterrupted);
}

TEST(KernelOptions, KnownOptionsAreRangeChecked) {
    int value = -1;
    EXPECT_TRUE(api_set_int_option("check_level", 10).ok());
    EXPECT_TRUE(api_get_int_option("check_level", value).ok());
    EXPECT_EQ(value, 10);
    EXPECT_EQ(api_set_int_option("compress_bb", 2).error_number(), kernel_errors::kBadOptionValue);
    EXPECT_EQ(api_set_int_option("no_such_option", 1).error_number(), kernel_errors::kUnknownOption);
    EXPECT_EQ(api_set_int_option(nullptr, 1).error_number(), kernel_errors::kUnknownOption);
}

TEST(KernelOptions, SaveVersionAcceptsOnlyWritableVersions) {
    int major = 0, minor = 0;
    EXPECT_TRUE(api_save_version(6, 0).ok());
    get_save_version(major, minor);
    EXPECT_EQ(major, 6);
    EXPECT_EQ(minor, 0);
    EXPECT_FALSE(api_save_version(10, 0).ok());
    EXPECT_FALSE(api_save_version(6, -1).ok());
    get_save_version(major, minor);
    EXPECT_EQ(major, 6);  // a rejected version leaves the setting alone
}

TEST(KernelOptions, FileInfoCopiesOnlyTheMaskedParts) {
    FileInfo first;
    first.set_product_id("First");
    first.set_units(25.4);
    ASSERT_TRUE(api_set_file_info(FileInfo::kProductId | FileInfo::kUnits, first).ok());

    FileInfo second;
    second.set_product_id("Second");
    second.set_units(1000.0);
    ASSERT_TRUE(api_set_file_info(FileInfo::kUnits, second).ok());

    FileInfo stored;
    api_get_file_info(stored);
    EXPECT_STREQ(stored.product_id(), "First");
    EXPECT_DOUBLE_EQ(stored.units(), 1000.0);

    FileInfo noUnits;
    EXPECT_FALSE(api_set_file_info(FileInfo::kUnits, noUnits).ok());
    EXPECT_FALSE(api_set_file_info(8, first).ok());
}

TEST(KernelErrors, EveryNumberHasATextAndUnknownNumbersAreSafe) {
    EXPECT_STREQ(find_err_mess(kernel_errors::kNotStarted), "the modeller has not been started");
    EXPECT_STREQ(find_err_ident(kernel_errors::kTokenTooLong), "TOKEN_TOO_LONG");
    for (int number = -5; number < 400; ++number) {
        ASSERT_NE(find_err_mess(number), nullptr);
        EXPECT_GT(std::strlen(find_err_mess(number)), 0u);
    }
    EXPECT_STREQ(find_err_mess(12345), "unknown error");
}

}  // namespace
