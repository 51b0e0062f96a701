// velmora-cli fetch, run as a real process against the fixture server.
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/fixture_environment.h"
#include "text/codepage.h"

extern char** environ;

namespace velmora {
namespace {

using namespace std::chrono_literals;
using test::FixtureResponse;
using test::fixtureServer;

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class CliProcess {
public:
    explicit CliProcess(const std::vector<std::string>& args) {
        std::vector<std::string> all = {VELMORA_CLI_PATH, "fetch"};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : all) argv.push_back(a.data());
        argv.push_back(nullptr);
        int out[2], err[2];
        if (::pipe(out) != 0 || ::pipe(err) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addclose(&actions, err[0]);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        ::close(err[1]);
        outFd_ = out[0];
        errFd_ = err[0];
    }

    ~CliProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (outFd_ >= 0) ::close(outFd_);
        if (errFd_ >= 0) ::close(errFd_);
    }

    void signal(int number) { ::kill(pid_, number); }

    // Collects the output until the process ends, or gives up after `limit`.
    bool finish(CliRun& run, std::chrono::milliseconds limit = 10s) {
        auto deadline = std::chrono::steady_clock::now() + limit;
        bool outOpen = true, errOpen = true;
        while ((outOpen || errOpen) && std::chrono::steady_clock::now() < deadline) {
            pollfd fds[2] = {{outOpen ? outFd_ : -1, POLLIN, 0}, {errOpen ? errFd_ : -1, POLLIN, 0}};
            if (::poll(fds, 2, 50) <= 0) continue;
            char buffer[65536];
            for (int i = 0; i < 2; ++i) {
                if (!(fds[i].revents & (POLLIN | POLLHUP))) continue;
                ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
                if (n <= 0)
                    (i == 0 ? outOpen : errOpen) = false;
                else
                    (i == 0 ? run.out : run.err).append(buffer, static_cast<std::size_t>(n));
            }
        }
        if (outOpen || errOpen) return false;
        int status = 0;
        if (::waitpid(pid_, &status, 0) != pid_) return false;
        pid_ = -1;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return true;
    }

private:
    pid_t pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
};

CliRun runFetch(const std::vector<std::string>& args) {
    CliProcess process(args);
    CliRun run;
    EXPECT_TRUE(process.finish(run)) << "velmora-cli did not end";
    return run;
}

TEST(FetchCommandTest, WritesTheBodyBytesUnchanged) {
    const std::string body = gbk("电影 页面") + "\r\n\xff\x80 end\n";
    FixtureResponse response;
    response.body = body;
    fixtureServer().route("/cli/page", response);

    CliRun run = runFetch({fixtureServer().url("/cli/page")});

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, body);
    EXPECT_EQ(run.err, "");
}

TEST(FetchCommandTest, EmptyBodyIsStillSuccess) {
    CliRun run = runFetch({"http://127.0.0.1:1/nothing-listens"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
}

TEST(FetchCommandTest, UsageErrorsGiveOneLineAndExitTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {}, {"a", "b"}, {"--bogus"}, {"-x", "http://h/"}, {""}};
    for (const auto& args : cases) {
        CliRun run = runFetch(args);
        EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with("velmora-cli: ")) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
}

TEST(FetchCommandTest, InterruptEndsAStalledFetch) {
    FixtureResponse silent;
    silent.stallBeforeHeaders = true;
    fixtureServer().route("/cli/stall", silent);
    fixtureServer().clearRequests();

    CliProcess process({fixtureServer().url("/cli/stall")});
    ASSERT_TRUE(fixtureServer().waitForRequests(1, 10s));
    process.signal(SIGINT);
    CliRun run;
    ASSERT_TRUE(process.finish(run, 5s)) << "velmora-cli ignored SIGINT";
    fixtureServer().releaseStalls();

    EXPECT_EQ(run.exitCode, 128 + SIGINT);
    EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace velmora
