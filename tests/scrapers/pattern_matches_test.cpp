// The matching rules every site relies on, and agreement between the
// linear walk over lazy-group patterns and the regex engine itself.
#include <gtest/gtest.h>

#include <random>

#include "scrapers/pattern_matches.h"
#include "text/codepage.h"

namespace velmora {
namespace {

using Groups = std::vector<Text>;

std::vector<Groups> groupsOf(const std::vector<PatternMatch>& matches, int groupCount) {
    std::vector<Groups> out;
    for (const PatternMatch& m : matches) {
        Groups groups;
        for (int n = 0; n <= groupCount; ++n) groups.push_back(m.group(n));
        out.push_back(groups);
    }
    return out;
}

TEST(PatternMatches, FollowTheMatchingRules) {
    const struct {
        const char* rule;
        std::string pattern;
        std::string page;
        std::vector<Groups> expected;  // group 0 and group 1 of each match
    } cases[] = {
        {"dot matches line breaks", "<a>(.*?)</a>", "<a>x\r\ny</a>", {{"<a>x\r\ny</a>", "x\r\ny"}}},
        {"ASCII letters ignore case", "<li>(.*?)</li>", "<LI>a</Li>", {{"<LI>a</Li>", "a"}}},
        {"GBK bytes never fold", gbk("<b>(.*?)西"), "<b>1\xEE\xF7", {}},
        {"GBK bytes match themselves", gbk("<b>(.*?)西"), gbk("<b>1西"), {{gbk("<b>1西"), "1"}}},
        {"left to right without overlap",
         "<b>(.*?)</b>",
         "<b>1</b><b>2</b>",
         {{"<b>1</b>", "1"}, {"<b>2</b>", "2"}}},
        {"lazy groups stop early", "<b>(.*?)</b>", "<b>1</b>2</b>", {{"<b>1</b>", "1"}}},
        {"a broken entry runs into the next one", "<i>(.*?)<u>", "<i>a<i>b<u>", {{"<i>a<i>b<u>", "a<i>b"}}},
        {"pattern dots stand for any byte", "a.c(.*?)!", "abc1!aXc2!", {{"abc1!", "1"}, {"aXc2!", "2"}}},
        {"a group that took no part reads empty", "a(x)?b", "ab", {{"ab", ""}}},
        {"an empty page has no match", "<b>(.*?)</b>", "", {}},
        {"a pattern that does not compile gives nothing", "<b>(.*?", "<b>1</b>", {}},
        {"an unbalanced set does not compile either", "[a(.*?)", "[a1", {}},
    };
    boost::regex holder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        EXPECT_EQ(groupsOf(findAllMatches(holder, c.pattern, c.page), 1), c.expected);
    }
}

TEST(PatternMatches, GroupsBeyondThePatternReadEmpty) {
    boost::regex holder;
    auto matches = findAllMatches(holder, "<b>(.*?)</b>", "<b>1</b>");
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0].group(2), "");
    EXPECT_EQ(matches[0].group(-1), "");
}

TEST(PatternMatches, WhenTheEngineGivesUpTheEarlierMatchesStay) {
    boost::regex holder;
    auto matches = findAllMatches(holder, "(a*)*b", "ab" + std::string(1000, 'a'));
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0].group(0), "ab");
}

TEST(PatternMatches, AReusedHolderTakesEachNewPattern) {
    boost::regex holder;
    findAllMatches(holder, "<x>(.*?)</x>", "<x>1</x>");
    auto matches = findAllMatches(holder, "<y>(.*?)</y>", "<x>1</x><y>2</y>");
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0].group(1), "2");
}

std::vector<std::string> piecesOf(const std::string& pattern) {
    std::vector<std::string> pieces;
    for (std::size_t from = 0;;) {
        std::size_t at = pattern.find("(.*?)", from);
        pieces.push_back(pattern.substr(from, at == std::string::npos ? at : at - from));
        if (at == std::string::npos) return pieces;
        from = at + 5;
    }
}

// Random pages built from bits of each pattern, compared with what the
// regex engine finds when it walks the page on its own.
TEST(PatternMatches, AgreeWithTheEngineOnRandomPages) {
    const std::vector<std::string> patterns = {
        R"re(<a href="(.*?)" t="(.*?)">)re",
        "<li>(.*?)<b>(.*?)</b>(.*?)</li>",
        " x(.*?)Y.z(.*?)",
        "(.*?)<e>",
    };
    const std::vector<std::string> noise = {"\n", gbk("西游"), "q", "Z", " ", "\"", ">", "<"};
    std::mt19937 random(20130101);
    boost::regex holder;
    for (const std::string& pattern : patterns) {
        std::vector<std::string> tokens = noise;
        for (const std::string& piece : piecesOf(pattern)) {
            if (piece.empty()) continue;
            std::string upper = piece;
            for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            tokens.insert(tokens.end(), {piece, piece.substr(0, piece.size() / 2), upper});
        }
        for (int round = 0; round < 1500; ++round) {
            std::string page;
            int length = static_cast<int>(random() % 24);
            for (int i = 0; i < length; ++i) page += tokens[random() % tokens.size()];

            boost::regex engine(pattern, boost::regex::perl | boost::regex::icase);
            std::vector<Groups> expected;
            for (boost::sregex_iterator it(page.begin(), page.end(), engine), end; it != end; ++it) {
                Groups groups;
                for (std::size_t n = 0; n < it->size(); ++n) groups.push_back((*it)[n].str());
                expected.push_back(groups);
            }
            auto groupCount = static_cast<int>(engine.mark_count());
            ASSERT_EQ(groupsOf(findAllMatches(holder, pattern, page), groupCount), expected)
                << "pattern " << pattern << "\npage " << page;
        }
    }
}

}  // namespace
}  // namespace velmora
