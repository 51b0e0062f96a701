// fetchPage against two peers on the same loopback server in the same run:
// libcurl's easy interface in this process, keeping the page in a string
// (the floor for our layer), and
// the curl tool (`curl -s -o /dev/null`, process start included).
// Prints the time ratios at the end.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "web/fetch.h"

extern char** environ;

namespace {

// A lean server, so that the figures measure the client: "/bytes/N" answers
// N bytes from one shared buffer, then closes.
class BytesServer {
public:
    BytesServer() : payload_(64u << 20, 'v') {
        listenFd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        int yes = 1;
        ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            ::listen(listenFd_, 64) != 0) {
            std::perror("bench server");
            std::exit(1);
        }
        socklen_t len = sizeof addr;
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        std::thread([this] { acceptLoop(); }).detach();
    }

    std::string url(std::size_t bytes) const {
        return "http://127.0.0.1:" + std::to_string(port_) + "/bytes/" + std::to_string(bytes);
    }

private:
    void acceptLoop() {
        while (true) {
            int fd = ::accept(listenFd_, nullptr, nullptr);
            if (fd >= 0) std::thread([this, fd] { serve(fd); }).detach();
        }
    }

    void serve(int fd) {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            request.append(buffer, static_cast<std::size_t>(n));
        }
        std::size_t at = request.find("/bytes/");
        std::size_t size = at == std::string::npos ? 0 : std::strtoull(request.c_str() + at + 7, nullptr, 10);
        size = std::min(size, payload_.size());
        std::string head =
            "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(size) +
            "\r\nConnection: close\r\n\r\n";
        bool ok = ::send(fd, head.data(), head.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(head.size());
        for (std::size_t sent = 0; ok && sent < size;) {
            ssize_t n = ::send(fd, payload_.data() + sent, size - sent, MSG_NOSIGNAL);
            ok = n > 0;
            if (ok) sent += static_cast<std::size_t>(n);
        }
        ::close(fd);
    }

    std::string payload_;
    int listenFd_ = -1;
    int port_ = 0;
};

BytesServer& server() {
    static BytesServer instance;
    return instance;
}

void BM_fetchPage(benchmark::State& state) {
    const std::string url = server().url(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        velmora::Text body = velmora::fetchPage(url);
        if (body.size() != static_cast<std::size_t>(state.range(0))) state.SkipWithError("short body");
        benchmark::DoNotOptimize(body.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// Keeps the page, as every client that reads it must.
std::size_t keep(char* data, std::size_t size, std::size_t count, void* page) {
    static_cast<std::string*>(page)->append(data, size * count);
    return size * count;
}

void BM_libcurlEasy(benchmark::State& state) {
    const std::string url = server().url(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::string page;
        CURL* easy = curl_easy_init();
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &keep);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, &page);
        if (curl_easy_perform(easy) != CURLE_OK) state.SkipWithError("libcurl failed");
        curl_easy_cleanup(easy);
        benchmark::DoNotOptimize(page.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_curlTool(benchmark::State& state) {
    std::string url = server().url(static_cast<std::size_t>(state.range(0)));
    std::vector<std::string> args = {"curl", "-s", "-o", "/dev/null", url};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawnp(&pid, "curl", nullptr, nullptr, argv.data(), environ) != 0 ||
            ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("curl tool failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

constexpr long kOneMiB = 1 << 20;

BENCHMARK(BM_fetchPage)->Arg(kOneMiB)->Arg(16 * kOneMiB)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_libcurlEasy)->Arg(kOneMiB)->Arg(16 * kOneMiB)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_curlTool)->Arg(kOneMiB)->Arg(16 * kOneMiB)->UseRealTime()->Unit(benchmark::kMillisecond);

// Keeps each run's time per iteration so the ratios can be printed after.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (!run.error_occurred && (run.run_type == Run::RT_Iteration || run.aggregate_name == "median"))
                times_[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatios() const {
        for (long size : {kOneMiB, 16 * kOneMiB}) {
            std::string arg = "/" + std::to_string(size) + "/real_time";
            auto ours = find("BM_fetchPage" + arg);
            if (ours == times_.end()) continue;
            for (const char* peer : {"BM_libcurlEasy", "BM_curlTool"}) {
                auto theirs = find(peer + arg);
                if (theirs == times_.end() || theirs->second <= 0) continue;
                std::printf("fetchPage / %-14s %3ld MiB: %.2fx the time\n", peer + 3, size / kOneMiB,
                            ours->second / theirs->second);
            }
        }
    }

private:
    // The median of repeated runs when there is one.
    std::map<std::string, double>::const_iterator find(const std::string& name) const {
        auto median = times_.find(name + "_median");
        return median != times_.end() ? median : times_.find(name);
    }

    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    benchmark::Initialize(&argc, argv);
    server();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
