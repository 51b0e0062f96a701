// velmora-cli as other tools use it: the built program run as a process
// against the fixture server, its hosts given by a --settings file.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "settings/host_settings.h"
#include "support/fixture_environment.h"
#include "text/codepage.h"

extern char** environ;

namespace velmora {
namespace {

using test::closedLoopbackHost;
using test::fixtureServer;

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

class CliProcess {
public:
    explicit CliProcess(const std::vector<std::string>& args) {
        static int counter = 0;
        std::string base = ::testing::TempDir() + "velmora_cli_" + std::to_string(::getpid()) + "_" +
                           std::to_string(counter++);
        outPath_ = base + ".out";
        errPath_ = base + ".err";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::vector<std::string> argv{VELMORA_CLI_PATH};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<char*> pointers;
        for (auto& arg : argv) pointers.push_back(arg.data());
        pointers.push_back(nullptr);
        if (posix_spawn(&pid_, VELMORA_CLI_PATH, &actions, nullptr, pointers.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }

    void interrupt() const { ::kill(pid_, SIGINT); }

    CliResult wait() {
        CliResult result;
        int status = 0;
        if (pid_ > 0 && ::waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status))
            result.exitCode = WEXITSTATUS(status);
        result.out = readFile(outPath_);
        result.err = readFile(errPath_);
        std::remove(outPath_.c_str());
        std::remove(errPath_.c_str());
        return result;
    }

private:
    pid_t pid_ = -1;
    std::string outPath_;
    std::string errPath_;
};

CliResult runCli(const std::vector<std::string>& args) {
    return CliProcess(args).wait();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (std::size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
        out.push_back(line.substr(from, tab - from));
    out.push_back(line.substr(from));
    return out;
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        fixtureServer().clearRoutes();
        fixtureServer().clearRequests();
        settingsPath_ = ::testing::TempDir() + "velmora_cli_" + std::to_string(::getpid()) + ".hosts";
        writeSettings({});
    }
    void TearDown() override {
        fixtureServer().releaseStalls();
        fixtureServer().clearRoutes();
        std::remove(settingsPath_.c_str());
    }

    // Every site on the fixture server, except the overrides.
    void writeSettings(const std::vector<std::pair<int, std::string>>& overrides) {
        std::ofstream out(settingsPath_);
        out << "# all sites on the fixture server\n";
        for (int i = 0; i < kSiteCount; ++i) out << "site." << i << " = " << fixtureServer().host() << "\n";
        for (const auto& [index, host] : overrides) out << "site." << index << " = " << host << "\n";
    }

    void serve(const std::string& target, const std::string& body) {
        test::FixtureResponse response;
        response.body = body;
        fixtureServer().route(target, response);
    }

    std::string settingsPath_;
};

TEST_F(CliTest, AnOnlinePlayRunReportsEverySiteInOrderAndPrintsTheRowsInSiteOrder) {
    writeSettings({{12, closedLoopbackHost()}});
    serve("/search.asp?searchword=abc", test::readTestData("scrapers/site00.html"));
    serve("/sso.asp?keyword=abc", test::readTestData("scrapers/site01.html"));
    serve("/search?q=abc", test::readTestData("scrapers/site02.html"));

    CliResult run = runCli({"search", "--settings", settingsPath_, "abc"});
    EXPECT_EQ(run.exitCode, 0) << run.err;

    const char* const statuses[] = {
        "正在挖掘讯播电影网", "正在挖掘双视电影网", "正在挖掘PPS视频网", "正在挖掘我乐网", "正在挖掘奇艺网",
        "正在挖掘土豆网",     "正在挖掘搜狐网",     "正在挖掘乐视网",    "正在挖掘优酷网", "正在挖掘迅雷网",
        "正在挖掘酷6网",      "正在挖掘PPTV网",     "正在挖掘电影网"};
    auto reports = lines(run.err);
    ASSERT_EQ(reports.size(), 13u) << run.err;
    for (std::size_t i = 0; i < reports.size(); ++i) {
        SCOPED_TRACE(reports[i]);
        auto parts = fields(reports[i]);
        ASSERT_EQ(parts.size(), 5u);
        EXPECT_EQ(parts[0], statuses[i]);
        EXPECT_NE(parts[1].find(" ms"), std::string::npos);
        const char* verdict = i < 3 ? "ok" : i < 12 ? "no-results" : "fetch-failed";
        EXPECT_EQ(parts[4], verdict);
        if (i == 0) {
            EXPECT_EQ(parts[2], std::to_string(test::readTestData("scrapers/site00.html").size()) + " bytes");
        }
        if (i == 2) {
            EXPECT_EQ(parts[3], "2 rows");
        }
        if (i == 12) {
            EXPECT_EQ(parts[2], "0 bytes");
        }
    }

    const std::string host = fixtureServer().host();
    EXPECT_EQ(run.out, "西游降魔篇\thttp://" + host +
                           "/play/101.html\t讯播电影网\t喜剧 / 2013\n"
                           "西游记之大闹天宫\thttp://" +
                           host +
                           "/play/102.html\t讯播电影网\t动作\n"
                           "西游伏妖篇\thttp://www.ssdy.cc/movie/201.html\t双视电影网\t类型:动作片\n"
                           "西游记 第一部\t/movie/202.html\t双视电影网\t类型:\n"
                           "西游记\thttp://v.pps.tv/play_1.html\tpps视频网\t\n"
                           "西游记后传\thttp://v.pps.tv/play_2.html\tpps视频网\t\n");
}

TEST_F(CliTest, CellsAreEscapedForTsvAndJsonInEitherEncoding) {
    // An MTV result whose decoded title holds a backslash, TAB, CR, LF, a
    // GBK character whose second byte is a backslash (誠), and a quote.
    serve(
        "/search?searchType=mv&keyword=k",
        R"(<div class="thumb thumb_mv"><a target="_blank" href="/video/7" class="img"><img alt="a%5Cb%09c%0Dd%0Ae誠%22" )");
    const std::string link = "http://" + fixtureServer().host() + "/video/7";
    const std::string hint = "双击列表:Velmora支持在线欣赏，一键下载";
    const struct {
        std::vector<std::string> options;
        std::string out;
    } cases[] = {
        {{}, "a\\\\b\\tc\\rd\\ne誠\"\t" + link + "\t高清台\t" + hint + "\n"},
        {{"--format", "tsv", "--encoding", "utf8"},
         "a\\\\b\\tc\\rd\\ne誠\"\t" + link + "\t高清台\t" + hint + "\n"},
        {{"--encoding", "gbk"},
         "a\\\\b\\tc\\rd\\ne" + gbk("誠") + "\"\t" + link + "\t" + gbk("高清台") + "\t" + gbk(hint) + "\n"},
        {{"--format", "json"},
         "[\n  {\"title\": \"a\\\\b\\tc\\rd\\ne誠\\\"\", \"link\": \"" + link +
             "\", \"site\": \"高清台\", \"extra\": \"" + hint + "\"}\n]\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"search", "--mode", "4", "--settings", settingsPath_};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back("k");
        SCOPED_TRACE(::testing::PrintToString(c.options));
        CliResult run = runCli(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, c.out);
    }
}

TEST_F(CliTest, AJsonRunWithoutRowsIsAnEmptyArray) {
    CliResult run = runCli({"search", "--mode", "12", "--format", "json", "--settings", settingsPath_, "k"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "[]\n");
    EXPECT_NE(run.err.find("正在挖掘百度影音碟民网\t"), std::string::npos);
}

TEST_F(CliTest, UsageErrorsExitWithTwoAndOneLine) {
    const std::vector<std::vector<std::string>> cases = {
        {"search"},
        {"search", "a", "b"},
        {"search", ""},
        {"search", "--mode", "9", "k"},
        {"search", "--mode", "1x", "k"},
        {"search", "--mode"},
        {"search", "--format", "xml", "k"},
        {"search", "--encoding", "latin1", "k"},
        {"search", "--bogus", "k"},
        {"search", "--settings"},
        {"search", "--settings", "/nonexistent/velmora.hosts", "k"},
        {"settings", "extra"},
        {"sites", "extra"},
        {"nosuchcommand"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        CliResult run = runCli(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(lines(run.err).size(), 1u) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_TRUE(fixtureServer().requests().empty());
}

TEST_F(CliTest, SettingsPrintsWhatSettingsFilesRead) {
    writeSettings({{5, "tudou.example:81"}});
    CliResult run = runCli({"settings", "--settings", settingsPath_});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::string error;
    auto printed = parseHostSettings(run.out, &error);
    ASSERT_TRUE(printed) << error;
    auto written = loadHostSettingsFile(settingsPath_, &error);
    ASSERT_TRUE(written) << error;
    EXPECT_EQ(*printed, *written);
    EXPECT_EQ(lines(run.out).size(), static_cast<std::size_t>(kSiteCount) + 6);

    CliResult defaults = runCli({"settings"});
    EXPECT_EQ(defaults.out, formatHostSettings(HostSettings::defaults()));
}

TEST_F(CliTest, SitesListsEveryScraperWithItsAddress) {
    writeSettings({{13, "kuaibo.example:8000"}});
    CliResult run = runCli({"sites", "--settings", settingsPath_});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto rows = lines(run.out);
    ASSERT_EQ(rows.size(), 23u);
    EXPECT_EQ(fields(rows[13]),
              (std::vector<std::string>{"13", "快播3444", "11", "正在挖掘快播3444网", "gbk",
                                        "http://kuaibo.example:8000/search.asp?k={keyword}&t=name"}));
    EXPECT_EQ(fields(rows[22]), (std::vector<std::string>{"22", "高清台", "4", "正在挖掘MTV高清网", "utf8",
                                                          "http://" + fixtureServer().host() +
                                                              "/search?searchType=mv&keyword={keyword}"}));
}

TEST_F(CliTest, CtrlCStopsTheRunAtTheSiteInFlight) {
    test::FixtureResponse silent;
    silent.stallBeforeHeaders = true;
    fixtureServer().setFallback([silent](const test::FixtureRequest&) { return silent; });

    CliProcess process({"search", "--settings", settingsPath_, "k"});
    ASSERT_TRUE(fixtureServer().waitForRequests(1, std::chrono::seconds(10)));
    process.interrupt();
    CliResult run = process.wait();

    EXPECT_EQ(run.exitCode, 128 + SIGINT);
    auto reports = lines(run.err);
    ASSERT_EQ(reports.size(), 1u) << run.err;
    EXPECT_EQ(fields(reports[0]).front(), "正在挖掘讯播电影网");
    EXPECT_EQ(fields(reports[0]).back(), "cancelled");
    EXPECT_EQ(fixtureServer().requests().size(), 1u);
}

}  // namespace
}  // namespace velmora
