#include "web/encoders.h"

#include <gtest/gtest.h>

#include "text/codepage.h"

namespace velmora {
namespace {

struct EncodeCase {
    const char* what;
    Text keyword;  // GBK
    Text gbkForm;
    Text utf8Form;
};

class EncodeTest : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeTest, EncodesBothWays) {
    const EncodeCase& c = GetParam();
    EXPECT_EQ(percentEncodeGbk(c.keyword), c.gbkForm) << c.what;
    EXPECT_EQ(percentEncodeUtf8(c.keyword), c.utf8Form) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, EncodeTest,
    ::testing::Values(
        EncodeCase{"worked example", gbk("中国 ab-c"), "%D6%D0%B9%FA%20ab%2Dc", "%E4%B8%AD%E5%9B%BD ab%2Dc"},
        EncodeCase{"empty", "", "", ""},
        EncodeCase{"letters and digits pass", "Abc123", "Abc123", "Abc123"},
        EncodeCase{"unreserved marks are escaped too", "-_.~", "%2D%5F%2E%7E", "%2D%5F%2E%7E"},
        EncodeCase{"percent sign", "100%", "100%25", "100%25"},
        EncodeCase{"two words", "a b", "a%20b", "a b"},
        EncodeCase{"TAB LF CR", "\t\n\r", "%09%0A%0D", "%09%0A%0D"},
        EncodeCase{"other control characters and DEL", "\x01\x7F", "%01%7F", "\x01\x7F"},
        EncodeCase{"every punctuation mark", "!\"#$&'()*+,/:;<=>?@[\\]^`{|}",
                   "%21%22%23%24%26%27%28%29%2A%2B%2C%2F%3A%3B%3C%3D%3E%3F%40%5B%5C%5D%5E%60%7B%7C%7D",
                   "%21%22%23%24%26%27%28%29%2A%2B%2C%2F%3A%3B%3C%3D%3E%3F%40%5B%5C%5D%5E%60%7B%7C%7D"},
        // A lone lead byte at the end is converted alone; it has no
        // character, so the conversion's "?" is what gets escaped.
        EncodeCase{"lone lead byte at the end", "a\xD6", "a%D6", "a%3F"},
        EncodeCase{"euro sign", "\x80", "%80", "%E2%82%AC"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(DecodeTest, DecodesEscapesAndConvertsToGbk) {
    struct Case {
        const char* what;
        Text text;
        Text decoded;
    } cases[] = {
        {"worked example", "%E4%B8%AD%E5%9B%BD ab%2Dc", gbk("中国 ab-c")},
        {"plain ASCII", "plain text/with:marks", "plain text/with:marks"},
        {"empty", "", ""},
        {"lower-case hex digits", "%e4%b8%ad", gbk("中")},
        {"two zeros append nothing", "a%00b", "ab"},
        {"percent at the very end", "ab%", "ab"},
        {"percent and a final 4", "a%4", "a@"},
        // 16 * (-2) + (-2) = -34 -> 0xDE, a lone byte that is not UTF-8
        {"bare percent before quote and bracket", "100%\">", "100?"},
        {"plus stays a plus", "a+b", "a+b"},
        {"escaped A in a tag", "<h1 class=%22fl%22>%41", "<h1 class=\"fl\">A"},
        {"raw UTF-8 bytes decoded too", "中", gbk("中")},
        {"invalid UTF-8 becomes ?", "%FF", "?"},
    };
    for (const auto& c : cases) EXPECT_EQ(percentDecodeUtf8(c.text), c.decoded) << c.what;
    EXPECT_EQ(percentDecodeUtf8(percentEncodeUtf8(gbk("《功夫》 2004!"))), gbk("《功夫》 2004!"));
}

}  // namespace
}  // namespace velmora
