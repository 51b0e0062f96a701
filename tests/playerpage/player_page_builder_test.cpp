#include "playerpage/player_page_builder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <functional>

#include "settings/host_settings.h"
#include "support/fixture_environment.h"
#include "temp_dir.h"
#include "text/codepage.h"
#include "web/fetch.h"

namespace velmora {
namespace {

using test::directoryEntries;
using test::fixtureServer;
using test::readFileBytes;
using test::readTestData;
using test::TempDir;
using test::writeFileBytes;
using ::testing::ElementsAre;

struct SiteCase {
    const char* name;
    FilmSite site;
    const char* savedPage;  // tests/data/playerpage/...
    const char* expectedFile;
    const char* headOnly;
    Text startMarker;
    Text endMarker;
};

const SiteCase kSites[] = {
    {"Xunbo", FilmSite::Xunbo, "playerpage/xunbo_play.htm", "playerpage/xunbo_expected.htm",
     "playerpage/xunbo_head.htm", "<div class=\"rightsideBar fl\">", "<script>getVideoHit"},
    {"Shuangshi", FilmSite::Shuangshi, "playerpage/shuangshi_play.htm", "playerpage/shuangshi_expected.htm",
     "playerpage/shuangshi_head.htm", "<div class=\"biaoti\">", "</center>"},
};

// Root ignores directory permissions; this thread gives up that power for
// a while (capabilities are per thread, so the fixture server keeps it).
class ScopedNoPermissionOverride {
public:
    ScopedNoPermissionOverride() {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        if (::syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            reduced[cap / 32].effective &= ~(1u << (cap % 32));
        active_ = ::syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~ScopedNoPermissionOverride() {
        if (active_) ::syscall(SYS_capset, &header_, saved_);
    }

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool active_ = false;
};

class PlayerPageBuilderTest : public ::testing::TestWithParam<SiteCase> {
protected:
    void SetUp() override {
        HostSettings settings = HostSettings::defaults();
        settings.site[0] = "www.xunbo.cc";
        // The film pages of this site live on another host than its search.
        settings.shuangshiFilmHost = "film.ssdy.example";
        setHostSettings(settings);
        setProgramDirectory(dir_.path());
        previousPresenter_ = setFailureMessagePresenter([this](const Text& m) { messages_.push_back(m); });
        fixtureServer().clearRoutes();
        fixtureServer().clearRequests();
    }
    void TearDown() override {
        setFailureMessagePresenter(previousPresenter_);
        setHostSettings(HostSettings::defaults());
    }

    // Serves `page` at a path of its own and returns its address.
    Text serve(const std::string& page) {
        std::string path = "/play/" + std::to_string(++served_) + ".html";
        test::FixtureResponse response;
        response.body = page;
        fixtureServer().route(path, response);
        return fixtureServer().url(path);
    }

    std::string pagePath() const { return dir_.file("temp.htm"); }

    TempDir dir_;
    std::vector<Text> messages_;
    FailureMessagePresenter previousPresenter_;
    int served_ = 0;
};

TEST_P(PlayerPageBuilderTest, SavedPlayPageBecomesTheExpectedFileByteForByte) {
    Text link = serve(readTestData(GetParam().savedPage));
    PlayerPageBuild build = buildPlayerPageFile(GetParam().site, link);

    EXPECT_TRUE(build.built);
    EXPECT_EQ(build.address, pagePath());
    EXPECT_EQ(readFileBytes(pagePath()), readTestData(GetParam().expectedFile));
    EXPECT_TRUE(messages_.empty());
    // The write leaves no temporary sibling behind.
    EXPECT_THAT(directoryEntries(dir_.path()), ElementsAre("temp.htm"));
    // The play page was asked for at the link itself.
    ASSERT_EQ(fixtureServer().requests().size(), 1u);
    EXPECT_EQ(fixtureServer().requests()[0].target, "/play/1.html");
}

// A page variant and the file it must give; `expected` receives the head
// and the saved page's expected file.
struct CutCase {
    const char* what;
    std::function<Text(const SiteCase&, const Text& savedPage)> page;
    std::function<Text(const SiteCase&, const Text& head, const Text& expected)> file;
};

const CutCase kCutCases[] = {
    {"start marker in capitals is still cut",
     [](const SiteCase& s, const Text& page) {
         return replaceAll(page, s.startMarker, toUpperAscii(s.startMarker));
     },
     [](const SiteCase& s, const Text&, const Text& expected) {
         return replaceAll(expected, s.startMarker, toUpperAscii(s.startMarker));
     }},
    {"end marker in other case is not found: head only",
     [](const SiteCase& s, const Text& page) {
         return replaceAll(page, s.endMarker, toUpperAscii(s.endMarker));
     },
     [](const SiteCase&, const Text& head, const Text&) { return head; }},
    {"end marker only before the start: head only",
     [](const SiteCase& s, const Text&) {
         return "<p>" + s.endMarker + "</p>" + s.startMarker + gbk("<b>正片</b>") + "</div>";
     },
     [](const SiteCase&, const Text& head, const Text&) { return head; }},
    {"start marker right at the end marker's place: empty stretch",
     [](const SiteCase& s, const Text&) { return s.startMarker + s.endMarker; },
     [](const SiteCase& s, const Text& head, const Text&) { return head + s.startMarker; }},
};

TEST_P(PlayerPageBuilderTest, CutFollowsTheMarkers) {
    const SiteCase& site = GetParam();
    Text saved = readTestData(site.savedPage);
    Text head = readTestData(site.headOnly);
    Text expected = readTestData(site.expectedFile);
    for (const CutCase& c : kCutCases) {
        SCOPED_TRACE(c.what);
        PlayerPageBuild build = buildPlayerPageFile(site.site, serve(c.page(site, saved)));
        EXPECT_TRUE(build.built);
        EXPECT_EQ(readFileBytes(pagePath()), c.file(site, head, expected));
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_P(PlayerPageBuilderTest, SecondBuildLeavesOnlyTheSecondPage) {
    const SiteCase& site = GetParam();
    ASSERT_TRUE(buildPlayerPageFile(site.site, serve(readTestData(site.savedPage))).built);
    Text second = site.startMarker + gbk("第二部") + site.endMarker + gbk("尾部");
    ASSERT_TRUE(buildPlayerPageFile(site.site, serve(second)).built);
    EXPECT_EQ(readFileBytes(pagePath()), readTestData(site.headOnly) + site.startMarker + gbk("第二部"));
}

TEST_P(PlayerPageBuilderTest, FailuresTellTheUserReturnTheLinkAndKeepThePreviousFile) {
    const SiteCase& site = GetParam();
    struct Failure {
        const char* what;
        Text link;
    };
    const Failure failures[] = {
        {"empty link", ""},
        {"layout changed: no start marker", serve("<html><body>" + site.endMarker + "</body></html>")},
        {"unreachable host", "http://127.0.0.1:1/play/1.html"},
        {"not a web address", "file:///etc/hostname"},
    };
    for (const Failure& f : failures) {
        SCOPED_TRACE(f.what);
        writeFileBytes(pagePath(), "previous page");
        messages_.clear();
        PlayerPageBuild build = buildPlayerPageFile(site.site, f.link);
        EXPECT_FALSE(build.built);
        EXPECT_EQ(build.address, f.link);
        EXPECT_EQ(buildPlayerPage(site.site, f.link), f.link);
        EXPECT_THAT(messages_, ElementsAre(gbk("分析过程失败!将直接为您跳转到官方地址！"),
                                           gbk("分析过程失败!将直接为您跳转到官方地址！")));
        EXPECT_EQ(readFileBytes(pagePath()), "previous page");
    }
}

TEST_P(PlayerPageBuilderTest, UnwritableDirectoryFailsAndKeepsThePreviousFile) {
    const SiteCase& site = GetParam();
    writeFileBytes(pagePath(), "previous page");
    Text link = serve(readTestData(site.savedPage));
    ASSERT_EQ(::chmod(dir_.path().c_str(), 0555), 0);
    PlayerPageBuild build;
    {
        ScopedNoPermissionOverride asPlainUser;
        build = buildPlayerPageFile(site.site, link);
    }
    ::chmod(dir_.path().c_str(), 0755);
    EXPECT_FALSE(build.built);
    EXPECT_EQ(build.address, link);
    EXPECT_THAT(messages_, ElementsAre(playerPageFailureMessage()));
    EXPECT_EQ(readFileBytes(pagePath()), "previous page");
    EXPECT_THAT(directoryEntries(dir_.path()), ElementsAre("temp.htm"));
}

TEST_P(PlayerPageBuilderTest, WriteInterruptedMidwayLeavesNoHalfPage) {
    const SiteCase& site = GetParam();
    writeFileBytes(pagePath(), "previous page");
    Text link = serve(readTestData(site.savedPage));
    // The file system refuses the write after 100 bytes, as a full disk would.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit tiny = saved;
    tiny.rlim_cur = 100;
    auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    PlayerPageBuild build = buildPlayerPageFile(site.site, link);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(build.built);
    EXPECT_THAT(messages_, ElementsAre(playerPageFailureMessage()));
    EXPECT_EQ(readFileBytes(pagePath()), "previous page");
    EXPECT_THAT(directoryEntries(dir_.path()), ElementsAre("temp.htm"));
}

TEST_P(PlayerPageBuilderTest, SymlinkPlantedAtThePageIsReplacedNotFollowed) {
    const SiteCase& site = GetParam();
    TempDir elsewhere;
    std::string victim = elsewhere.file("victim.txt");
    writeFileBytes(victim, "do not touch");
    ASSERT_EQ(::symlink(victim.c_str(), pagePath().c_str()), 0);

    ASSERT_TRUE(buildPlayerPageFile(site.site, serve(readTestData(site.savedPage))).built);

    struct stat info {};
    ASSERT_EQ(::lstat(pagePath().c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(readFileBytes(pagePath()), readTestData(site.expectedFile));
    EXPECT_EQ(readFileBytes(victim), "do not touch");
}

TEST_P(PlayerPageBuilderTest, RemovingThePageAtExitTouchesNothingElse) {
    removePlayerPage();  // no page yet: nothing happens
    ASSERT_TRUE(buildPlayerPageFile(GetParam().site, serve(readTestData(GetParam().savedPage))).built);
    writeFileBytes(dir_.file("other.htm"), "kept");
    removePlayerPage();
    EXPECT_THAT(directoryEntries(dir_.path()), ElementsAre("other.htm"));

    TempDir elsewhere;
    writeFileBytes(elsewhere.file("victim.txt"), "do not touch");
    ASSERT_EQ(::symlink(elsewhere.file("victim.txt").c_str(), pagePath().c_str()), 0);
    removePlayerPage();
    EXPECT_THAT(directoryEntries(dir_.path()), ElementsAre("other.htm"));
    EXPECT_EQ(readFileBytes(elsewhere.file("victim.txt")), "do not touch");
}

INSTANTIATE_TEST_SUITE_P(BothFilmSites, PlayerPageBuilderTest, ::testing::ValuesIn(kSites),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlayerPagePath, IsTheProgramDirectoryWithoutTrailingSeparatorPlusTempHtm) {
    const std::pair<std::string, std::string> cases[] = {
        {"/opt/velmora", "/opt/velmora/temp.htm"},
        {"/opt/velmora/", "/opt/velmora/temp.htm"},
        {"/", "/temp.htm"},
    };
    for (const auto& [directory, path] : cases) {
        setProgramDirectory(directory);
        EXPECT_EQ(playerPagePath(), path) << directory;
    }
}

TEST(FilmSiteLabels, OnlyTheExactLabelsOfTheTwoSitesMatch) {
    FilmSite site{};
    EXPECT_TRUE(filmSiteForLabel(gbk("讯播电影网"), &site));
    EXPECT_EQ(site, FilmSite::Xunbo);
    EXPECT_TRUE(filmSiteForLabel(gbk("双视电影网"), &site));
    EXPECT_EQ(site, FilmSite::Shuangshi);
    for (const char* other : {"讯播电影网 ", "pps视频网", "", "讯播"})
        EXPECT_FALSE(filmSiteForLabel(gbk(other), &site)) << other;
}

}  // namespace
}  // namespace velmora
