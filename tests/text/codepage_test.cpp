#include "text/codepage.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(CodePageTest, RoundTripsGbkThroughUtf8) {
    const std::string utf8 = "中国 ab-c 《电影》€";
    const std::string gbkText = utf8ToGbk(utf8);
    EXPECT_EQ(gbkText.substr(0, 4), "\xD6\xD0\xB9\xFA");
    EXPECT_EQ(gbkText.back(), '\x80');  // the euro sign is one byte in code page 936
    EXPECT_EQ(gbkToUtf8(gbkText), utf8);
}

TEST(CodePageTest, ReplacesWhatHasNoMapping) {
    struct Case {
        const char* what;
        std::string utf8;
        std::string gbk;
    } cases[] = {
        {"character without a GBK form", "a\xF0\x9F\x98\x80" "b", "a?b"},   // an emoji
        {"Hangul has no GBK form", "\xEA\xB0\x80", "?"},
        {"invalid UTF-8 lead byte", "a\xFF" "b", "a?b"},
        {"truncated sequence at the end", "a\xE4\xB8", "a?"},
        {"truncated sequence in the middle", "\xE4\xB8" "a", "?a"},
        {"overlong encoding", "\xC0\xAF", "??"},
        {"encoded surrogate", "\xED\xA0\x80", "???"},
    };
    for (const auto& c : cases) EXPECT_EQ(utf8ToGbk(c.utf8), c.gbk) << c.what;
}

TEST(CodePageTest, InvalidGbkBecomesQuestionMarksWithoutLosingBytes) {
    struct Case {
        const char* what;
        std::string gbk;
        std::string utf8;
    } cases[] = {
        {"lone lead byte at the end", "ab\xD6", "ab?"},
        {"lead byte before an invalid trail", "\xD6" "\x20" "x", "? x"},
        {"byte 0xFF", "\xFF", "?"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(gbkToUtf8(c.gbk), c.utf8) << c.what;
}

TEST(CodePageTest, Utf16KeepsSurrogatePairs) {
    const std::string emoji = "\xF0\x9F\x98\x80";
    EXPECT_EQ(utf8ToUtf16(emoji), std::u16string(u"\U0001F600"));
    EXPECT_EQ(utf16ToUtf8(u"\U0001F600"), emoji);
    // A lone surrogate cannot be written as UTF-8.
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(CodePageTest, KeepsZeroBytesAndLongTexts) {
    std::string big(1 << 20, 'x');
    big[100] = '\0';
    EXPECT_EQ(utf8ToGbk(big), big);
    EXPECT_EQ(gbkToUtf8(big), big);
}

}  // namespace
}  // namespace velmora
