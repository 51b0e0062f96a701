// velmora-cli dj list / dj track against the loopback music site.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "support/fixture_environment.h"
#include "text/codepage.h"

namespace velmora {
namespace {

using test::fixtureServer;

struct CliResult {
    int exitCode;
    std::string out;
};

class DjCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        fixtureServer().clearRoutes();
        test::FixtureResponse list;
        list.body = test::readTestData("dj/list_foreign_1329.html");
        fixtureServer().route("/dance/sort/foreign_1329.html", list);
        test::FixtureResponse track;
        track.body = test::readTestData("dj/track.html");
        fixtureServer().route("/play/301240.htm", track);
        settingsFile = ::testing::TempDir() + "dj_cli_test.settings";
        std::ofstream(settingsFile) << "dj = " << fixtureServer().host() << "\n";
    }

    CliResult run(const std::string& args) const {
        std::string command =
            std::string(VELMORA_CLI_PATH) + " dj --settings " + settingsFile + " " + args + " 2>/dev/null";
        CliResult result{-1, {}};
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return result;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            result.out.append(buffer, n);
        int status = pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return result;
    }

    std::string settingsFile;
};

TEST_F(DjCliTest, ListPrintsTheRowsOfOnePage) {
    const std::string tsv =
        "2012最新中文串烧 一路有你\tDJ阿华\t2012-05-13\t/play/301240.htm\n"
        "DJ阿福 - 夜店舞曲精选\tDJ小鱼儿\t2012-05-14\t/play/301241.htm\n";
    // The category by name, by place in the tree and by the word of its path.
    for (const char* category : {"国外舞曲", "3", "foreign"}) {
        CliResult r = run(std::string("list ") + category + " 1329");
        EXPECT_EQ(r.exitCode, 0) << category;
        EXPECT_EQ(r.out, tsv) << category;
    }
    CliResult gbkOut = run("--encoding gbk list foreign 1329");
    EXPECT_EQ(gbkOut.out, utf8ToGbk(tsv));

    CliResult json = run("--format json list foreign 1329");
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_NE(json.out.find(
                  "{\"name\": \"DJ阿福 - 夜店舞曲精选\", \"author\": \"DJ小鱼儿\", \"date\": \"2012-05-14\", "
                  "\"link\": \"/play/301241.htm\"}"),
              std::string::npos)
        << json.out;

    CliResult empty = run("--format json list foreign 7");  // no such page here
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(empty.out, "[]\n");
}

TEST_F(DjCliTest, TrackPrintsTheMediaAddressOrFails) {
    CliResult found = run("track /play/301240.htm");
    EXPECT_EQ(found.exitCode, 0);
    EXPECT_EQ(found.out, "@MEDIA_BASE@@MEDIA_FILE@\n");
    CliResult missing = run("track /play/none.htm");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
}

TEST_F(DjCliTest, BadArgumentsAreUsageErrors) {
    for (const char* args : {"", "list", "list foreign", "list 国内舞曲 1", "list 0 1", "list foreign -1",
                             "list foreign 1x", "list foreign 99999999999", "track", "track a b", "play x",
                             "--format xml list foreign 1", "--encoding latin1 track x", "--bogus track x"}) {
        CliResult r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_EQ(r.out, "") << args;
    }
}

}  // namespace
}  // namespace velmora
