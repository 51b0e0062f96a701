// A loopback HTTP/1.1 server for tests: serves canned responses by request
// target, records every raw request, and can misbehave on purpose (stall,
// close mid-body, trickle). One thread accepts, one thread per connection.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace velmora::test {

struct FixtureRequest {
    std::string raw;      // request line, headers and body, exactly as received
    std::string method;   // "GET"
    std::string target;   // "/search?q=abc"
    std::string headers;  // header lines after the request line, each with "\r\n"
    std::string body;
    // Value of the first header `name` (case-insensitive), "" when absent.
    std::string header(const std::string& name) const;
};

struct FixtureResponse {
    int status = 200;
    std::string contentType = "text/html";
    std::vector<std::pair<std::string, std::string>> extraHeaders;
    std::string body;
    // Honour "Range: bytes=a-b" (206 answers), as a media server must.
    bool acceptRanges = false;
    // Send no Content-Length and close the connection after the body.
    bool closeDelimited = false;
    // Wait this long before sending anything.
    std::chrono::milliseconds delay{0};
    // After the headers, send only this many body bytes, then:
    //   stallAfterPartial: keep the connection open and silent until the
    //   server stops (or stallFor elapses); otherwise close it.
    long long partialBytes = -1;
    bool stallAfterPartial = false;
    std::chrono::milliseconds stallFor{0};
    // Send the body in pieces of this size with this pause between them.
    std::size_t trickleBytes = 0;
    std::chrono::milliseconds tricklePause{0};
    // Never answer at all (read the request, then stay silent).
    bool stallBeforeHeaders = false;
};

class FixtureServer {
public:
    using Handler = std::function<FixtureResponse(const FixtureRequest&)>;

    FixtureServer();
    ~FixtureServer();
    FixtureServer(const FixtureServer&) = delete;
    FixtureServer& operator=(const FixtureServer&) = delete;

    int port() const { return port_; }
    // "127.0.0.1:PORT": a host setting that points here.
    std::string host() const;
    // "http://127.0.0.1:PORT" + path.
    std::string url(const std::string& path) const;

    // Serves `response` for requests whose target equals `target` exactly.
    void route(const std::string& target, FixtureResponse response);
    // Serves `response` for every target that starts with `prefix`.
    void routePrefix(const std::string& prefix, FixtureResponse response);
    // Called for targets without a route; the default answers 404.
    void setFallback(Handler handler);
    void clearRoutes();

    std::vector<FixtureRequest> requests() const;
    void clearRequests();
    // Waits until at least `count` requests arrived; false on time-out.
    bool waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const;

    // Ends every stalled connection (a stalled answer then closes).
    void releaseStalls();

private:
    void acceptLoop();
    void serve(int fd);
    FixtureResponse responseFor(const FixtureRequest& request) const;
    bool pause(std::chrono::milliseconds duration);  // false when stopping

    int listenFd_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptThread_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::map<std::string, FixtureResponse> routes_;
    std::vector<std::pair<std::string, FixtureResponse>> prefixRoutes_;
    Handler fallback_;
    std::vector<FixtureRequest> requests_;
    std::vector<std::thread> connections_;
    std::vector<int> openFds_;
    unsigned stallGeneration_ = 0;
};

// A loopback port on which nothing listens (bound once, then closed), and
// the host setting "127.0.0.1:PORT" for it: a fetch there is refused at once.
int closedLoopbackPort();
std::string closedLoopbackHost();

// Reads a file of the test data folder (tests/data) whole, as raw bytes.
std::string readTestData(const std::string& relativePath);

}  // namespace velmora::test
