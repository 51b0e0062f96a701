// Every site against a saved result page in its own bytes: the request it
// makes for a keyword with Chinese, ASCII and punctuation, and the rows it
// cuts out of the page (every cell, exact bytes, page order), including a
// near-miss entry that must not match.
#include <gtest/gtest.h>

#include <cstdio>
#include <typeinfo>

#include "scraper_test_support.h"
#include "scrapers/memory_result_list.h"
#include "scrapers/scraper_table.h"
#include "scrapers/site_pipeline.h"
#include "text/codepage.h"

namespace velmora {
namespace {

using test::fixtureServer;

// "西游 A&b?" as each encoder writes it; the space of the UTF-8 form goes
// escaped so the request line stays intact.
#define KW_GBK "%CE%F7%D3%CE%20A%26b%3F"
#define KW_UTF8 "%E8%A5%BF%E6%B8%B8%20A%26b%3F"

struct ExpectedRow {
    const char* title;
    const char* link;  // "{host}" stands for the fixture server's host
    const char* site;
    const char* extra = "";
    const char* extraRawTail = "";  // GBK bytes after `extra` (a character cut in two)
};

struct SiteCase {
    int index;
    const char* target;
    std::vector<ExpectedRow> rows;
};

const char* const kHint = "双击列表:Velmora支持在线欣赏，一键下载";

const std::vector<SiteCase> kSiteCases = {
    {0,
     "/search.asp?searchword=" KW_GBK,
     {{"西游降魔篇", "http://{host}/play/101.html", "讯播电影网", "喜剧 / 2013"},
      {"西游记之大闹天宫", "http://{host}/play/102.html", "讯播电影网", "动作"}}},
    {1,
     "/sso.asp?keyword=" KW_GBK,
     {{"西游伏妖篇", "http://www.ssdy.cc/movie/201.html", "双视电影网", "类型:动作片"},
      {"西游记 第一部", "/movie/202.html", "双视电影网", "类型:"}}},
    {2,
     "/search?q=" KW_GBK,
     {{"西游记", "http://v.pps.tv/play_1.html", "pps视频网"},
      {"西游记后传", "http://v.pps.tv/play_2.html", "pps视频网"}}},
    {3,
     "/video/" KW_UTF8 "/",
     {{"西游记 第1集?", "http://www.56.com/u/v_1.html", "56网"},
      {"西游 100%", "http://www.56.com/u/v_2.html", "56网"}}},
    {4,
     "/so/q_" KW_UTF8,
     {{"西游记?", "http://www.iqiyi.com/v_1.html", "奇艺网"},
      {"西游记 2", "http://www.iqiyi.com/v_2.html", "奇艺网"}}},
    {5,
     "/nisearch/" KW_UTF8,
     {{"西游记 1986", "http://www.tudou.com/programs/view/1/", "土豆网"},
      {"西游记(动画)", "http://www.tudou.com/programs/view/2/", "土豆网"}}},
    {6,
     "/mts?wd=" KW_GBK,
     {{"西游记 第一集", "http://{host}/20130101/n1.shtml", "搜狐网"},
      {"西游记 第二集", "http://{host}/s2/2.shtml", "搜狐网"}}},
    {7,
     "/s?wd=" KW_UTF8,
     {{"西游记", "http://www.letv.com/ptv/vplay/1.html", "乐视网"},
      {"ABC 西游", "http://www.letv.com/ptv/vplay/2.html?ref=so", "乐视网"}}},
    {8,
     "/search_video/q_" KW_UTF8,
     {{"西游记第一集", "http://v.youku.com/v_show/id_1.html", "优酷网"},
      {"西游", "http://{host}/v_show/id_2.html", "优酷网"}}},
    {9,
     "/search.php?keyword=" KW_UTF8 "/",
     {{"西游记?", "http://movie.kankan.com/movie/1", "迅雷看看网"},
      {"西游记 II", "http://movie.kankan.com/movie/2", "迅雷看看网"}}},
    {10,
     "/jc/q" KW_UTF8,
     {{"西游记[高清]", "http://v.ku6.com/show/1.html", "酷6网"},
      {"西游记 片花", "http://v.ku6.com/show/2.html", "酷6网"}}},
    {11,
     "/s_video/q_+" KW_UTF8,
     {{"西游记(1986)", "http://v.pptv.com/show/1.html", "pptv网"},
      {"西游", "http://v.pptv.com/show/2.html", "pptv网"}}},
    {12,
     "/search/?type=&q=" KW_UTF8,
     {{"西游降魔", "http://www.1905.com/film/1/", "m1905电影网"},
      {"Journey West", "http://www.1905.com/film/2/", "m1905电影网"}}},
    {13,
     "/search.asp?k=" KW_GBK "&t=name",
     {{"西游记", "/movie/1.html", "快播3444"},
      {"西游降魔篇", "http://www.3444.cc/movie/2.html", "快播3444"}}},
    {14,
     "/search/search.do?q=" KW_UTF8,
     {{"西游记", "http://www.kuaibo.com/play/1.html", "讯播网"},
      {"Journey West", "http://www.kuaibo.com/play/2.html", "皮皮影视"}}},
    {15,
     "/search.asp?searchword=" KW_GBK,
     {{"西游记 百度影音", "http://www.dieminwang.com/vod/1.html", "碟民网"},
      {"西游降魔", "/vod/2.html", "碟民网"}}},
    {16,
     "/plus/search.php?kwtype=0&keyword=" KW_GBK,
     {{"西游降魔篇", "http://{host}/html/gndy/1.html", "电影天堂",
       "◎译　名JourneytotheWest◎导演周星驰西游故事"},
      {"大话西游", "http://{host}/html/gndy/2.html", "电影天堂",
       "A一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四", "\xCE"}}},
    {17,
     "/plus/search.php?kwtype=0&keyword=" KW_GBK,
     {{"西游降魔篇", "http://www.piaohua.com/html/1.html", "飘花资源", "主演:文章舒淇黄渤"},
      {"西游记", "http://www.piaohua.com/html/2.html", "飘花资源",
       "B一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四", "\xCE"}}},
    {18,
     "/search/?keyword=" KW_GBK,
     {{"西游降魔篇", "http://{host}/movie/1.html", "放放电影", "主演：文章 舒淇 黄渤"},
      {"西游记", "http://{host}/movie/2.html", "放放电影",
       "主演：六小龄童 迟重瑞 马德华 闫怀礼 刘大刚 高英 李玲玉 王苓华 朱琳 郑", "\xE9"}}},
    {19,
     "/default.php?ac=movie&op=lists&q=" KW_GBK,
     {{"西游降魔篇", "http://www.3gsh.com/movie/1.html", "3G生活网"},
      {"西游记", "http://www.3gsh.com/movie/2.html", "3G生活网"}}},
    {20,
     "/vod-search-id-" KW_UTF8 ".html",
     {{"西游降魔篇", "/vod/1.html", "7060手机电影"}, {"西游记", "/vod/2.html", "7060手机电影"}}},
    {21,
     "/search.asp?searchword=" KW_GBK,
     {{"西游降魔篇", "http://{host}/movie/1.html", "猪猪手机电影"},
      {"西游记", "http://{host}/movie/2.html", "猪猪手机电影"}}},
    {22,
     "/search?searchType=mv&keyword=" KW_UTF8,
     {{"西游记 主题曲 amp; 片尾曲", "http://{host}/video/101", "高清台", kHint},
      {"Rock  Roll", "http://{host}/video/102", "高清台", kHint}}},
};

Text withHost(const char* link) {
    Text text = link;
    if (std::size_t at = text.find("{host}"); at != Text::npos) text.replace(at, 6, fixtureServer().host());
    return text;
}

std::string siteDataFile(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "scrapers/site%02d.html", index);
    return name;
}

class SiteScrapersTest : public test::FixtureHostsTest {};

TEST_F(SiteScrapersTest, EachSiteRequestsItsAddressAndCutsItsPageIntoRows) {
    ScraperTable table = createScraperTable();
    ASSERT_EQ(table.size(), kSiteCases.size());
    const Text keyword = gbk("西游 A&b?");
    const ResultRow earlier{"earlier", "l", "s", "e"};

    for (const SiteCase& site : kSiteCases) {
        SCOPED_TRACE("site " + std::to_string(site.index));
        fixtureServer().clearRoutes();
        fixtureServer().clearRequests();
        test::FixtureResponse page;
        page.body = test::readTestData(siteDataFile(site.index));
        fixtureServer().route(site.target, page);

        MemoryResultList list;
        list.appendRow(earlier.title);
        for (int column = LinkColumn; column <= ExtraColumn; ++column)
            list.setCell(0, column, earlier.cell(column));
        table[static_cast<std::size_t>(site.index)]->search(keyword, list);

        auto requests = fixtureServer().requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].method, "GET");
        EXPECT_EQ(requests[0].target, site.target);

        std::vector<ResultRow> expected{earlier};
        for (const ExpectedRow& row : site.rows)
            expected.push_back(
                {gbk(row.title), withHost(row.link), gbk(row.site), gbk(row.extra) + row.extraRawTail});
        EXPECT_EQ(list.rows(), expected);
    }
}

TEST_F(SiteScrapersTest, AnEmptyOrMissingPageAddsNoRow) {
    ScraperTable table = createScraperTable();
    fixtureServer().setFallback(
        [](const test::FixtureRequest&) { return test::FixtureResponse{}; });  // 200, empty
    for (const auto& scraper : table) {
        MemoryResultList list;
        list.appendRow("kept");
        scraper->search("abc", list);
        ASSERT_EQ(list.rows().size(), 1u);
        EXPECT_EQ(list.rows()[0].title, "kept");
    }
    fixtureServer().setFallback(nullptr);
}

// 讯播电影网 keeps only what follows the first `<div class="cb">`.
TEST_F(SiteScrapersTest, XunboParsesFromItsResultsMarkerOnly) {
    const std::string entry =
        R"(<dt><a href="/p/1.html" class="pic"><span class="v"></span><em></em><img src="" alt="T" /></a></dt>)"
        R"(<dd><li class="cb">x</li>)";
    const struct {
        const char* name;
        std::string page;
        std::size_t rows;
    } cases[] = {
        {"no marker: the whole page", entry, 1},
        {"results only before the marker", entry + R"(<div class="cb"></div>)", 0},
        {"results after the marker", R"(<div class="cb"></div>)" + entry, 1},
        {"marker in another letter case does not cut", entry + R"(<DIV class="cb">)", 1},
    };
    ScraperTable table = createScraperTable();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::FixtureResponse response;
        response.body = c.page;
        fixtureServer().route("/search.asp?searchword=k", response);
        MemoryResultList list;
        table[0]->search("k", list);
        EXPECT_EQ(list.rows().size(), c.rows);
    }
}

TEST_F(SiteScrapersTest, HostPrefixesUseTheHostSettingAsWritten) {
    HostSettings settings = hostSettings();
    settings.site[21] = "mirror.example:8088";
    setHostSettings(settings);
    MemoryResultList list;
    createScraperTable()[21]->parse(
        R"(<li onmouseover="this.className='over'" onmouseout="this.className=''"><a href="/m/7.html"><img alt="T")",
        list);
    ASSERT_EQ(list.rows().size(), 1u);
    EXPECT_EQ(list.rows()[0].link, "http://mirror.example:8088/m/7.html");
}

TEST_F(SiteScrapersTest, YoukuKeepsLinksOnItsVideoHostWhateverItIsSetTo) {
    HostSettings settings = hostSettings();
    settings.youkuVideoHost = "video.example";
    setHostSettings(settings);
    const std::string page =
        R"(<li class="p_link"><a href="http://video.example/1" target="_blank" title="a">)"
        R"(<li class="p_link"><a href="http://v.youku.com/2" target="_blank" title="b">)";
    MemoryResultList list;
    createScraperTable()[8]->parse(page, list);
    ASSERT_EQ(list.rows().size(), 2u);
    EXPECT_EQ(list.rows()[0].link, "http://video.example/1");
    EXPECT_EQ(list.rows()[1].link, "http://" + fixtureServer().host() + "http://v.youku.com/2");
}

TEST(SiteScraperObjects, TheTableHoldsTheSitesInIndexOrderAndClonesAreAlike) {
    ScraperTable table = createScraperTable();
    ASSERT_EQ(table.size(), 23u);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto* site = dynamic_cast<const PipelineScraper*>(table[i].get());
        ASSERT_NE(site, nullptr);
        EXPECT_EQ(site->siteSearch().index, static_cast<int>(i));
        std::unique_ptr<SiteScraper> copy = table[i]->clone();
        EXPECT_EQ(typeid(*copy), typeid(*table[i]));
    }
}

}  // namespace
}  // namespace velmora
