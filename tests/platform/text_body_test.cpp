#include "platform/text_body.h"

#include <gtest/gtest.h>

#include <string>

namespace tinctora::platform {
namespace {

using namespace std::string_view_literals;

TEST(TextBody, VersionFilesInAnyLineEndingAreText) {
    EXPECT_TRUE(isTextBody(""));
    EXPECT_TRUE(isTextBody("1.1"));
    EXPECT_TRUE(isTextBody("1.1\r\n"));
    EXPECT_TRUE(isTextBody("[Version]\n\tCurrent = \"1.1\"\f\v\r"));
}

TEST(TextBody, EightBitAndUtf8CharactersAreText) {
    EXPECT_TRUE(isTextBody("Version 1.1 \xC2\xA9 2024"));
    EXPECT_TRUE(isTextBody("caf\xE9"));
}

TEST(TextBody, NulAndOtherControlBytesAreNot) {
    EXPECT_FALSE(isTextBody("1.1\0"sv));
    EXPECT_FALSE(isTextBody("\x89PNG\r\n\x1A\n"));
    EXPECT_FALSE(isTextBody("1\0.\0001\0"sv)) << "UTF-16";
    EXPECT_FALSE(isTextBody("\x1B[31m1.1"));
    EXPECT_FALSE(isTextBody("1.1\x7F"));
    EXPECT_FALSE(isTextBody("\x08"));
}

} // namespace
} // namespace tinctora::platform
