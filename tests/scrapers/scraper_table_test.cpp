// A mode run over the table: the sites of the mode in order, a keyword
// read afresh for each, a report per site, and a stop that ends the run
// wherever it stands.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <future>
#include <thread>

#include "scraper_test_support.h"
#include "scrapers/memory_result_list.h"
#include "scrapers/scraper_table.h"
#include "scrapers/stoppable_result_list.h"
#include "text/codepage.h"
#include "web/fetch.h"

namespace velmora {
namespace {

using test::closedLoopbackHost;
using test::fixtureServer;

class RecordingHooks : public ModeRunHooks {
public:
    std::vector<Text> keywords;  // handed out in turn; the last one repeats
    std::vector<Text> statuses;
    std::vector<SiteReport> reports;
    std::size_t keywordReads = 0;

    void showStatus(const Text& status) override { statuses.push_back(status); }
    Text readKeyword() override {
        std::size_t i = std::min(keywordReads++, keywords.size() - 1);
        return keywords[i];
    }
    void siteFinished(const SiteReport& report) override { reports.push_back(report); }
};

class ModeRunTest : public test::FixtureHostsTest {};

TEST_F(ModeRunTest, VisitsTheModesSitesInOrderAndReportsEach) {
    HostSettings settings = hostSettings();
    settings.site[18] = closedLoopbackHost();
    setHostSettings(settings);
    test::FixtureResponse found;
    found.body = test::readTestData("scrapers/site16.html");
    test::FixtureResponse nothingMatches;
    nothingMatches.body = "<html>no results</html>";
    // 电影天堂 and 飘花资源 share their path; the keyword tells them apart.
    fixtureServer().route("/plus/search.php?kwtype=0&keyword=first", found);
    fixtureServer().route("/plus/search.php?kwtype=0&keyword=second", nothingMatches);

    RecordingHooks hooks;
    hooks.keywords = {"first", "second", "third"};
    MemoryResultList list;
    runModeSites(createScraperTable(), VideoDownload, hooks, list, {});

    EXPECT_EQ(hooks.statuses,
              (std::vector<Text>{gbk("正在挖掘电影天堂"), gbk("正在挖掘飘花资源"), gbk("正在挖掘放放电影")}));
    ASSERT_EQ(hooks.reports.size(), 3u);
    const struct {
        int index;
        std::size_t pageBytes;
        int rows;
        SiteVerdict verdict;
    } expected[] = {{16, found.body.size(), 2, SiteVerdict::Ok},
                    {17, nothingMatches.body.size(), 0, SiteVerdict::NoResults},
                    {18, 0, 0, SiteVerdict::FetchFailed}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(hooks.reports[i].scraperIndex, expected[i].index);
        EXPECT_EQ(hooks.reports[i].statusText, hooks.statuses[i]);
        EXPECT_EQ(hooks.reports[i].pageBytes, expected[i].pageBytes);
        EXPECT_EQ(hooks.reports[i].rows, expected[i].rows);
        EXPECT_EQ(hooks.reports[i].verdict, expected[i].verdict);
    }
    EXPECT_EQ(list.rows().size(), 2u);
}

TEST_F(ModeRunTest, TheSameFilmOnTwoSitesGivesTwoRowsEachWithItsLabel) {
    test::FixtureResponse page3444;
    page3444.body = test::readTestData("scrapers/site13.html");
    test::FixtureResponse pageSearch;
    pageSearch.body = test::readTestData("scrapers/site14.html");
    fixtureServer().route("/search.asp?k=abc&t=name", page3444);
    fixtureServer().route("/search/search.do?q=abc", pageSearch);

    RecordingHooks hooks;
    hooks.keywords = {"abc"};
    MemoryResultList list;
    runModeSites(createScraperTable(), QvodResources, hooks, list, {});
    ASSERT_EQ(list.rows().size(), 4u);
    EXPECT_EQ(list.rows()[0].title, gbk("西游记"));
    EXPECT_EQ(list.rows()[0].site, gbk("快播3444"));
    EXPECT_EQ(list.rows()[2].title, gbk("西游记"));
    EXPECT_EQ(list.rows()[2].site, gbk("讯播网"));
}

TEST_F(ModeRunTest, AnUnknownModeOrAStopBeforehandVisitsNothing) {
    std::stop_source stopped;
    stopped.request_stop();
    const struct {
        std::int32_t mode;
        std::stop_token stop;
    } cases[] = {{0, {}}, {5, {}}, {OnlinePlay, stopped.get_token()}};
    for (const auto& c : cases) {
        RecordingHooks hooks;
        hooks.keywords = {"k"};
        MemoryResultList list;
        runModeSites(createScraperTable(), c.mode, hooks, list, c.stop);
        EXPECT_TRUE(hooks.statuses.empty());
        EXPECT_TRUE(hooks.reports.empty());
    }
    EXPECT_TRUE(fixtureServer().requests().empty());
}

TEST_F(ModeRunTest, AStopDuringAFetchEndsTheRunThereAndLeavesTheListAlone) {
    test::FixtureResponse silent;
    silent.stallBeforeHeaders = true;
    fixtureServer().setFallback([silent](const test::FixtureRequest&) { return silent; });

    RecordingHooks hooks;
    hooks.keywords = {"k"};
    MemoryResultList list;
    list.appendRow("earlier");
    std::stop_source stop;
    std::thread run([&] { runModeSites(createScraperTable(), OnlinePlay, hooks, list, stop.get_token()); });
    ASSERT_TRUE(fixtureServer().waitForRequests(1, std::chrono::seconds(10)));
    stop.request_stop();
    run.join();

    EXPECT_EQ(hooks.statuses.size(), 1u);
    ASSERT_EQ(hooks.reports.size(), 1u);
    EXPECT_EQ(hooks.reports[0].verdict, SiteVerdict::Cancelled);
    EXPECT_EQ(list.rows().size(), 1u);
    EXPECT_EQ(fixtureServer().requests().size(), 1u);
}

TEST(StoppableResultList, DropsEveryCallAfterTheStop) {
    MemoryResultList target;
    std::stop_source stop;
    StoppableResultList list(target, stop.get_token());
    int row = list.appendRow("a");
    list.setCell(row, LinkColumn, "link");
    stop.request_stop();
    list.setCell(row, SiteColumn, "site");
    EXPECT_EQ(list.appendRow("b"), -1);
    ASSERT_EQ(target.rows().size(), 1u);
    EXPECT_EQ(target.rows()[0], (ResultRow{"a", "link", "", ""}));
}

TEST(MemoryResultList, IgnoresCellsOutsideItsRowsAndColumns) {
    MemoryResultList list;
    int row = list.appendRow("a");
    for (auto [r, c] : {std::pair{-1, 1}, {1, 1}, {row, -1}, {row, 4}}) list.setCell(r, c, "x");
    EXPECT_EQ(list.rows(), (std::vector<ResultRow>{{"a", "", "", ""}}));
}

}  // namespace
}  // namespace velmora
