#include "about/version_file.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tinctora::about {
namespace {

// What a check reports for a version file's text: the item, or "(failure)" when it has none.
std::string itemOf(std::string_view fileText) {
    return readFirstItem(fileText).value_or("(failure)");
}

TEST(RunningVersion, IsMajorDotMinor) {
    EXPECT_EQ(runningVersionText(), "1.1");
}

TEST(VersionItem, PlainFirstLine) {
    EXPECT_EQ(itemOf("1.1"), "1.1");
    EXPECT_EQ(itemOf("1.1\r\n"), "1.1");
    EXPECT_EQ(itemOf("1.1\n2.0\n"), "1.1");
    EXPECT_EQ(itemOf("1.2\r\n1.1\r\n"), "1.2") << "only the first item counts";
}

TEST(VersionItem, CommaEndsTheItem) {
    EXPECT_EQ(itemOf("1.1,beta\r\n"), "1.1");
    EXPECT_EQ(itemOf(",1.1"), "");
}

TEST(VersionItem, QuotedItemRunsToTheClosingQuote) {
    EXPECT_EQ(itemOf("\"1.1\"\r\n"), "1.1");
    EXPECT_EQ(itemOf("\"1,1\"\r\n"), "1,1") << "a comma inside quotes belongs to the item";
    EXPECT_EQ(itemOf("\"1.1\" and more,2.0"), "1.1");
    EXPECT_EQ(itemOf("\"1.1"), "1.1") << "an unclosed quote runs to the end of the file";
    EXPECT_EQ(itemOf("\"1.1\r\n2.0\""), "1.1\r\n2.0") << "quotes span lines";
}

TEST(VersionItem, LeadingBlanksAreSkipped) {
    EXPECT_EQ(itemOf("   1.1\r\n"), "1.1");
    EXPECT_EQ(itemOf("\t 1.1"), "1.1");
    EXPECT_EQ(itemOf("  \"1.1\""), "1.1");
}

TEST(VersionItem, IniSectionHeaderIsTheWholeFirstLine) {
    EXPECT_EQ(itemOf("[Version]\r\nCurrent=1.1\r\n"), "[Version]");
}

TEST(VersionItem, FileWithoutAnItemIsAReadFailure) {
    EXPECT_EQ(readFirstItem(""), std::nullopt);
    EXPECT_EQ(readFirstItem("   "), std::nullopt);
}

TEST(VersionItem, BlankFirstLineIsAnEmptyItemNotAFailure) {
    EXPECT_EQ(itemOf("\r\n1.1\r\n"), "");
    EXPECT_EQ(itemOf("  \n1.1"), "");
}

TEST(VersionItem, AnItemLongerThanAVersionFileIsAFailure) {
    EXPECT_EQ(readFirstItem(std::string(kMaxItemLength + 1, '9')), std::nullopt);
    EXPECT_EQ(readFirstItem(std::string(kMaxItemLength, '9'))->size(), kMaxItemLength);
}

TEST(VersionItem, HtmlIsJustText) {
    EXPECT_EQ(itemOf("<b>2.0</b>\r\n"), "<b>2.0</b>");
}

TEST(VersionItem, ReadsFromAStreamAndStopsAfterTheItem) {
    std::istringstream in("  1.1,beta\r\nrest");
    EXPECT_EQ(readFirstItem(in), "1.1");
    std::string rest;
    std::getline(in, rest);
    EXPECT_EQ(rest, "beta\r");
}

TEST(VersionComparison, OnlyTheExactTextIsTheRunningVersion) {
    EXPECT_TRUE(isRunningVersion("1.1"));
    for (const char* other :
         {"1.2", "1.0", "1.10", "01.1", "1.1.0", "1.1 beta", "v1.1", "", "[Version]", "1,1"})
        EXPECT_FALSE(isRunningVersion(other)) << other;
}

TEST(VersionCheck, EdgeCasesEndToEnd) {
    // The file text as the server sends it, and whether the check reports the latest version.
    const struct {
        const char* file;
        bool latest;
    } cases[] = {
        {"1.1\r\n", true},     {"1.2\r\n", false},          {"1.0\r\n", false},
        {"1.10\r\n", false},   {"1.1,beta\r\n", true},      {"\"1.1\"\r\n", true},
        {"    1.1\r\n", true}, {"[Version]\r\n1.1", false}, {"1.1   \r\n", true},
    };
    for (const auto& c : cases) {
        const auto item = readFirstItem(c.file);
        ASSERT_TRUE(item) << c.file;
        EXPECT_EQ(isRunningVersion(*item), c.latest) << c.file;
    }
}

} // namespace
} // namespace tinctora::about
