#include "text/text.h"

#include <gtest/gtest.h>

#include "text/codepage.h"

namespace velmora {
namespace {

// "中" in GBK is D6 D0, "国" B9 FA; the byte pair "D0 B9" straddles them.
const Text kZhongGuo = gbk("中国");

struct FindCase {
    const char* what;
    Text text;
    Text needle;
    int from;
    int exact;
    int ignoreCase;
};

class FindTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindTest, FindsOnCharacterBoundariesOnly) {
    const FindCase& c = GetParam();
    EXPECT_EQ(findText(c.text, c.needle, c.from), c.exact) << c.what;
    EXPECT_EQ(findTextIgnoreCase(c.text, c.needle, c.from), c.ignoreCase) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FindTest,
    ::testing::Values(FindCase{"plain", "abcabc", "ca", 1, 3, 3},
                      FindCase{"case differs", "xxACCEPT: y", "Accept: ", 1, -1, 3},
                      FindCase{"from a later position", "abcabc", "abc", 2, 4, 4},
                      FindCase{"not present", "abc", "d", 1, -1, -1},
                      FindCase{"empty needle", "abc", "", 1, -1, -1},
                      FindCase{"empty text", "", "a", 1, -1, -1},
                      FindCase{"needle longer than text", "ab", "abc", 1, -1, -1},
                      FindCase{"across two GBK characters", kZhongGuo, "\xD0\xB9", 1, -1, -1},
                      FindCase{"whole GBK character", "a" + kZhongGuo, "\xB9\xFA", 1, 4, 4},
                      // 0xC1 0x61 is one character; "a" as its trail byte is no "a"
                      FindCase{"ASCII trail byte", "\xC1" "a" "A", "A", 1, 3, 3},
                      FindCase{"trail byte not case-folded", "\xC1" "A", "a", 1, -1, -1}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(TextTest, RemoveAllWorksLeftToRightOnBoundaries) {
    EXPECT_EQ(removeAll("a</font>b</font>", "</font>"), "ab");
    EXPECT_EQ(removeAll("aaa", "aa"), "a");
    EXPECT_EQ(removeAll("abc", ""), "abc");
    // The pair D0 B9 inside 中国 is not a character of its own.
    EXPECT_EQ(removeAll(kZhongGuo, "\xD0\xB9"), kZhongGuo);
    EXPECT_EQ(removeAll(gbk("中?国?"), "?"), kZhongGuo);
}

TEST(TextTest, ReplaceAllNeverRescansAReplacement) {
    EXPECT_EQ(replaceAll("aaaa", "aa", "a"), "aa");
    EXPECT_EQ(replaceAll("src=\"/x\" src=\"/y\"", "src=\"/", "src=\"http://h/"),
              "src=\"http://h/x\" src=\"http://h/y\"");
    EXPECT_EQ(replaceAll("ab", "b", "bb"), "abb");
    EXPECT_EQ(replaceAll("", "a", "b"), "");
}

TEST(TextTest, LeftBytesMayCutACharacter) {
    EXPECT_EQ(leftBytes(kZhongGuo, 3), "\xD6\xD0\xB9");
    EXPECT_EQ(leftBytes("ab", 70), "ab");
    EXPECT_EQ(rightBytes("abcdef", 2), "ef");
    EXPECT_EQ(rightBytes("ab", 5), "ab");
}

TEST(TextTest, CaseMappingLeavesDoubleByteCharactersAlone) {
    EXPECT_EQ(toUpperAscii("post"), "POST");
    EXPECT_EQ(toUpperAscii("\xC1" "a" "b"), "\xC1" "a" "B");
    EXPECT_EQ(toLowerAscii("HoSt"), "host");
}

TEST(TextTest, ReadsLeadingDigits) {
    struct Case {
        const char* text;
        int value;
    } cases[] = {{"", 0}, {"abc", 0}, {"1329", 1329}, {"12ab", 12}, {"8080.9", 8080},
                 {" 5", 0}, {"-3", 0}, {"99999999999999", 2147483647}};
    for (const auto& c : cases) EXPECT_EQ(readLeadingNumber(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace velmora
