// The DJ catalogue and track lookup without a window: list pages cut into
// rows, track pages read for their media address, over the loopback server.
#include <gtest/gtest.h>

#include <string>

#include "dj/dj_catalogue.h"
#include "dj/dj_track.h"
#include "settings/host_settings.h"
#include "support/fixture_environment.h"
#include "text/codepage.h"
#include "text/text.h"
#include "web/fetch.h"

namespace velmora {
namespace {

using test::fixtureServer;
using test::readTestData;

class DjCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        HostSettings settings = hostSettings();
        settings.dj = fixtureServer().host();
        setHostSettings(settings);
        fixtureServer().clearRoutes();
        fixtureServer().clearRequests();
    }
    DjRegex regex;
};

TEST_F(DjCatalogueTest, ListPageGivesItsTwentyEntriesInPageOrderWithTheFourColumns) {
    auto rows = parseDjListPage(readTestData("dj/list_foreign_1.html"), regex);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 20u);
    const DjTrackRow& first = rows->front();
    EXPECT_EQ(first.name, gbk("2012最新中文串烧 一路有你"));
    EXPECT_EQ(first.author, gbk("DJ阿华"));
    EXPECT_EQ(first.dateAdded, "2012-05-01");
    EXPECT_EQ(first.link, "/play/301200.htm");
    // Entry 7 is written in capitals, entries 0, 3, ... span several lines.
    EXPECT_EQ((*rows)[7].name, gbk("劲爆迪高 Free Loop"));
    EXPECT_EQ((*rows)[7].link, "/play/301207.htm");
    EXPECT_EQ((*rows)[3].dateAdded, "2012-05-04");
    const DjTrackRow& last = rows->back();
    EXPECT_EQ(last.name, gbk("柔情慢摇 - 童话"));
    EXPECT_EQ(last.author, gbk("DJ阿远"));
    EXPECT_EQ(last.link, "/play/301219.htm");
}

TEST_F(DjCatalogueTest, GroupsAreTakenAsMatchedWithoutTrimmingOrDecoding) {
    const Text page =
        "<ul><li class=\"wq_2\"><a href=\"/play/1.htm\" onClick='x'> A%20B </a><li class=\"wq_4\"> d </li>"
        "<li class=\"wq_8\"><a target=_blank>&amp;</a>";
    auto rows = parseDjListPage(page, regex);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 1u);
    EXPECT_EQ((*rows)[0].link, "\"/play/1.htm\"");
    EXPECT_EQ((*rows)[0].name, " A%20B ");
    EXPECT_EQ((*rows)[0].dateAdded, " d ");
    EXPECT_EQ((*rows)[0].author, "&amp;");
}

TEST_F(DjCatalogueTest, PagesWithoutEntriesGiveAnEmptyListNotAKeptOne) {
    struct Case {
        const char* what;
        Text page;
    };
    const Case cases[] = {
        {"empty page (failed fetch)", ""},
        {"changed layout", "<div class=\"item\"><a href=/play/1.htm>x</a></div>"},
        {"entry cut short", "<ul><li class=\"wq_2\"><a href=/play/1.htm onClick='x'>name</a>"},
        {"invalid bytes", std::string("\xff\xfe\x80\x00\x81", 5)},
    };
    for (const Case& c : cases) {
        auto rows = parseDjListPage(c.page, regex);
        ASSERT_TRUE(rows) << c.what;
        EXPECT_TRUE(rows->empty()) << c.what;
    }
}

TEST_F(DjCatalogueTest, PagesThatOpenEntriesTheyNeverCloseEndQuickly) {
    // Every unclosed opening drives the lazy groups to the end of the page;
    // a backtracking search alone spends minutes on such a page.
    Text unclosed;
    for (int i = 0; i < 20000; ++i) unclosed += "<ul><li class=\"wq_2\"><a href=x onClick='y'>z</a>";
    const Text entry =
        "<ul><li class=\"wq_2\"><a href=/p/1.htm onClick='o'>n</a><li class=\"wq_4\">d</li>"
        "<li class=\"wq_8\"><a target=_blank>a</a>";
    struct Case {
        const char* what;
        Text page;
        std::size_t rows;
        Text firstLink;
    };
    const Case cases[] = {
        {"only unclosed entries", unclosed, 0, ""},
        {"two entries, then unclosed ones", entry + entry + unclosed, 2, "/p/1.htm"},
        // The opening that never closed starts the match; the next entry ends it.
        {"unclosed ones, then an entry", "<ul><li class=\"wq_2\"><a href=x onClick='y'>z</a>" + entry, 1,
         "x"},
    };
    for (const Case& c : cases) {
        auto rows = parseDjListPage(c.page, regex);
        ASSERT_TRUE(rows) << c.what;
        ASSERT_EQ(rows->size(), c.rows) << c.what;
        if (c.rows > 0) {
            EXPECT_EQ(rows->front().link, c.firstLink) << c.what;
        }
    }
}

TEST_F(DjCatalogueTest, AddressesAreBasePrefixPageAndSuffix) {
    const DjCategory* chinese = findDjCategory(gbk("中文舞曲"));
    ASSERT_NE(chinese, nullptr);
    EXPECT_EQ(djListPageAddress(djCategoryPrefix(*chinese), 2),
              "http://" + fixtureServer().host() + "/dance/sort/chinese_2.html");
    EXPECT_EQ(djListPageAddress("p", 0), "p0.html");
    EXPECT_EQ(findDjCategory(gbk("DJ分类")), nullptr);
    ASSERT_EQ(djCategories().size(), 5u);
    EXPECT_EQ(djCategories()[2].name, gbk("国外舞曲"));
    EXPECT_EQ(djCategories()[2].totalPages, 1329);
}

TEST_F(DjCatalogueTest, LoadingAListPageFetchesItsAddress) {
    test::FixtureResponse page;
    page.body = readTestData("dj/list_foreign_1.html");
    fixtureServer().route("/dance/sort/foreign_1.html", page);
    auto rows = loadDjListPage(djListPageAddress(djCategoryPrefix(djCategories()[2]), 1), regex);
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->size(), 20u);

    // Nothing listens here: the fetch fails and the list is emptied.
    ScopedFetchTimeouts quick(
        {std::chrono::milliseconds(2000), std::chrono::milliseconds(2000), std::chrono::milliseconds(2000)});
    rows = loadDjListPage("http://127.0.0.1:1/dance/sort/foreign_1.html", regex);
    ASSERT_TRUE(rows);
    EXPECT_TRUE(rows->empty());
}

TEST_F(DjCatalogueTest, TrackAddressIsTheFirstScriptsTwoPiecesJoined) {
    struct Case {
        const char* what;
        Text page;
        Text address;
    };
    const Case cases[] = {
        {"test page", readTestData("dj/track.html"), "@MEDIA_BASE@@MEDIA_FILE@"},
        {"lower-case script tag",
         "<script language=javascript>var s_bstr=\"http://m.example/\";var righturl=\"a/b.wma\";</script>",
         "http://m.example/a/b.wma"},
        {"empty pieces", "<SCRIPT LANGUAGE=JavaScript>var s_bstr=\"\"var righturl=\"\";</SCRIPT>", ""},
        {"no track script", "<html><body>404</body></html>", ""},
        {"empty page", "", ""},
        {"righturl missing", "<SCRIPT LANGUAGE=JavaScript>var s_bstr=\"http://m/\";</SCRIPT>", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(parseDjTrackAddress(c.page, regex), c.address) << c.what;
}

TEST_F(DjCatalogueTest, LookupFetchesBaseAddressFollowedByTheCell) {
    test::FixtureResponse track;
    track.body = readTestData("dj/track.html");
    fixtureServer().route("/play/301200.htm", track);
    EXPECT_EQ(lookupTrackAddress("/play/301200.htm", regex), "@MEDIA_BASE@@MEDIA_FILE@");
    // An empty cell fetches the base address alone; its page has no script.
    EXPECT_EQ(lookupTrackAddress("", regex), "");
    auto requests = fixtureServer().requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].target, "/play/301200.htm");
    EXPECT_EQ(requests[1].target, "/");
}

TEST(DjRegexTest, UnassignablePatternEmptiesTheHolder) {
    DjRegex regex;
    ASSERT_TRUE(regex.assign("a(b)"));
    EXPECT_EQ(regex.findAll("xAbyab").size(), 2u);
    EXPECT_FALSE(regex.assign("a(b"));
    EXPECT_TRUE(regex.empty());
    EXPECT_TRUE(regex.findAll("ab").empty());
}

}  // namespace
}  // namespace velmora
