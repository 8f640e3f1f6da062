// The conversion code page rule: the thread's code page on later NT platforms, else the
// locale's answer read as digits, else the system's code page.
#include <gtest/gtest.h>

#include "ConversionCodePage.h"

using vistrel::chooseConversionCodePage;

TEST(ConversionCodePage, LaterNtPlatformsUseTheThreadsCodePage) {
    EXPECT_EQ(chooseConversionCodePage(true, 5, "1251", 1252), vistrel::kThreadAnsiCodePage);
    EXPECT_EQ(chooseConversionCodePage(true, 10, nullptr, 1252), 3u);
}

TEST(ConversionCodePage, OtherwiseTheLocalesAnswerThenTheSystems) {
    EXPECT_EQ(chooseConversionCodePage(true, 4, "1251", 1252), 1251u) << "NT 4 asks the locale";
    EXPECT_EQ(chooseConversionCodePage(false, 10, "932", 1252), 932u) << "not NT: asks the locale";
    EXPECT_EQ(chooseConversionCodePage(false, 4, "1250x", 1252), 1250u) << "leading digits only";
    EXPECT_EQ(chooseConversionCodePage(false, 4, "0", 1252), 1252u) << "0 means none";
    EXPECT_EQ(chooseConversionCodePage(false, 4, "", 1253), 1253u);
    EXPECT_EQ(chooseConversionCodePage(false, 4, nullptr, 874), 874u) << "the question failed";
    EXPECT_EQ(chooseConversionCodePage(false, 4, "12345678", 1252), 1234567u) << "at most seven characters";
}
