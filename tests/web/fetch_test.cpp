#include "web/fetch.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "support/fixture_environment.h"
#include "text/codepage.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using test::FixtureRequest;
using test::FixtureResponse;
using test::closedLoopbackPort;
using test::fixtureServer;
using Clock = std::chrono::steady_clock;

const std::string kUserAgentLine = "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n";
const std::string kAcceptLine =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";
const std::string kLanguageLine = "Accept-Language: zh-cn\r\n";

// Short enough that a stalled server ends a test quickly, long enough that
// a loopback answer never trips them.
const FetchTimeouts kShortTimeouts{2000ms, 400ms, 400ms};

FixtureResponse page(std::string body) {
    FixtureResponse response;
    response.body = std::move(body);
    return response;
}

FixtureResponse redirect(int status, std::string location, std::string body = "moved") {
    FixtureResponse response;
    response.status = status;
    response.extraHeaders = {{"Location", std::move(location)}};
    response.body = std::move(body);
    return response;
}

std::string hostLine() {
    return "Host: " + fixtureServer().host() + "\r\n";
}

std::vector<std::string> targetsOf(const std::vector<FixtureRequest>& requests) {
    std::vector<std::string> targets;
    for (const auto& request : requests) targets.push_back(request.target);
    return targets;
}

long long millisSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class FetchTest : public ::testing::Test {
protected:
    void SetUp() override { fixtureServer().clearRequests(); }
    void TearDown() override { fixtureServer().releaseStalls(); }
    ScopedFetchTimeouts timeouts_{kShortTimeouts};
};

// ---- The request as it goes out -------------------------------------------------

TEST_F(FetchTest, AddressAloneSendsExactlyTheDefaultLinesInOrder) {
    fixtureServer().route("/req/defaults?q=1", page("ok"));
    const std::string address = fixtureServer().url("/req/defaults?q=1");

    EXPECT_EQ(fetchPage(address), "ok");

    auto requests = fixtureServer().requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].raw, "GET /req/defaults?q=1 HTTP/1.1\r\n" + hostLine() + kUserAgentLine +
                                   kAcceptLine + "Referer: " + address + "\r\n" + kLanguageLine + "\r\n");
}

struct HeaderCase {
    const char* name;
    std::string callerHeaders;
    std::string expectedAfter;  // the caller's variable after the call, also what is sent
};

class FetchHeaderTest : public FetchTest, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(FetchHeaderTest, AppendsOnlyMissingDefaultsToTheCallersVariable) {
    const HeaderCase& c = GetParam();
    fixtureServer().route("/req/headers", page("ok"));
    const std::string address = fixtureServer().url("/req/headers");
    std::string headers = c.callerHeaders;
    std::string expected = c.expectedAfter;
    for (std::size_t at; (at = expected.find("ADDRESS")) != std::string::npos;)
        expected.replace(at, 7, address);

    fetchPage(address, nullptr, std::nullopt, &headers);

    EXPECT_EQ(headers, expected);
    auto requests = fixtureServer().requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].raw,
              "GET /req/headers HTTP/1.1\r\n" + hostLine() + kUserAgentLine + expected + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FetchHeaderTest,
    ::testing::Values(HeaderCase{"Empty", "", kAcceptLine + "Referer: ADDRESS\r\n" + kLanguageLine},
                      HeaderCase{"LowerCaseAccept", "accept: text/html\r\n",
                                 "accept: text/html\r\nReferer: ADDRESS\r\n" + kLanguageLine},
                      // The search is for the text anywhere, so X-Referer counts as a Referer line.
                      HeaderCase{"XReferer", "X-Referer: elsewhere\r\n",
                                 "X-Referer: elsewhere\r\n" + kAcceptLine + kLanguageLine},
                      HeaderCase{"AllPresent", "Accept-Language: en\r\nReferer: r\r\nAccept: */*\r\n",
                                 "Accept-Language: en\r\nReferer: r\r\nAccept: */*\r\n"},
                      HeaderCase{"ExtraLineKeepsItsPlace", "X-Token: 7\r\n",
                                 "X-Token: 7\r\n" + kAcceptLine + "Referer: ADDRESS\r\n" + kLanguageLine}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FetchTest, ReusedHeaderVariableKeepsTheFirstReferer) {
    fixtureServer().route("/req/first", page("1"));
    fixtureServer().route("/req/second", page("2"));
    std::string headers;

    fetchPage(fixtureServer().url("/req/first"), nullptr, std::nullopt, &headers);
    const std::string afterFirst = headers;
    fetchPage(fixtureServer().url("/req/second"), nullptr, std::nullopt, &headers);

    EXPECT_EQ(headers, afterFirst);
    auto requests = fixtureServer().requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].header("Referer"), fixtureServer().url("/req/first"));
}

struct MethodCase {
    const char* name;
    std::string method;
    std::string postData;
    std::string methodAfter;
    std::string sentMethod;
    std::string sentBody;
    bool bodyLines;
};

class FetchMethodTest : public FetchTest, public ::testing::WithParamInterface<MethodCase> {};

TEST_P(FetchMethodTest, OnlyAPostIsSentAsOneAndCarriesItsBody) {
    const MethodCase& c = GetParam();
    fixtureServer().route("/req/method", page("done"));
    std::string method = c.method;
    std::string headers;

    EXPECT_EQ(fetchPage(fixtureServer().url("/req/method"), &method, std::nullopt, &headers, c.postData),
              "done");

    EXPECT_EQ(method, c.methodAfter);
    auto requests = fixtureServer().requests();
    ASSERT_EQ(requests.size(), 1u);
    const FixtureRequest& sent = requests[0];
    EXPECT_EQ(sent.method, c.sentMethod);
    EXPECT_EQ(sent.body, c.sentBody);
    const std::string bodyLines = "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
                                  std::to_string(c.sentBody.size()) + "\r\n";
    EXPECT_EQ(headers.ends_with(bodyLines), c.bodyLines) << headers;
    // Nothing but Host, User-Agent and the caller's text: no Expect, no curl defaults.
    EXPECT_EQ(sent.headers, hostLine() + kUserAgentLine + headers);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FetchMethodTest,
    ::testing::Values(MethodCase{"LowerPost", "post", "a=1&b=2", "post", "post", "a=1&b=2", true},
                      MethodCase{"UpperPost", "POST", "k=v", "POST", "POST", "k=v", true},
                      MethodCase{"EmptyPostBody", "POST", "", "POST", "POST", "", false},
                      MethodCase{"PutBecomesGet", "PUT", "ignored", "GET", "GET", "", false},
                      MethodCase{"HeadBecomesGet", "head", "ignored", "GET", "GET", "", false},
                      MethodCase{"EmptyBecomesGet", "", "", "GET", "GET", "", false},
                      // Past the size at which libcurl would ask for "Expect: 100-continue".
                      MethodCase{"LargePost", "POST", std::string(1500 * 1024, 'x'), "POST", "POST",
                                 std::string(1500 * 1024, 'x'), true}),
    [](const auto& info) { return std::string(info.param.name); });

struct AddressCase {
    const char* name;
    std::string prefix;
};

class FetchAddressTest : public FetchTest, public ::testing::WithParamInterface<AddressCase> {};

TEST_P(FetchAddressTest, SchemeIsOptionalAndCaseBlind) {
    fixtureServer().route("/req/address/x?y=1", page("found"));
    const std::string address = GetParam().prefix + fixtureServer().host() + "/req/address/x?y=1";
    EXPECT_EQ(fetchPage(address), "found");
    auto requests = fixtureServer().requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].header("Referer"), address);
}

INSTANTIATE_TEST_SUITE_P(Cases, FetchAddressTest,
                         ::testing::Values(AddressCase{"Lower", "http://"}, AddressCase{"Upper", "HTTP://"},
                                           AddressCase{"Mixed", "hTtP://"}, AddressCase{"None", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FetchTest, RequestTargetGoesOutByteForByte) {
    // Keywords encoded for UTF-8 sites keep their spaces; GBK bytes may pass raw too.
    const std::string target = "/req/raw?q=a b&w=" + gbk("电影") + "&e=%E4%BD";
    fixtureServer().route(target, page("raw"));

    EXPECT_EQ(fetchPage(fixtureServer().url(target)), "raw");

    auto requests = fixtureServer().requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].raw.substr(0, requests[0].raw.find("\r\n")), "GET " + target + " HTTP/1.1");
}

// ---- Reading the body -------------------------------------------------------------

struct BodyCase {
    std::size_t size;
    int hookCalls;  // one before each read of at most 512 bytes, the last read delivering 0
};

class FetchBodyTest : public FetchTest, public ::testing::WithParamInterface<BodyCase> {};

TEST_P(FetchBodyTest, ArrivesWholeInReadsOfAtMost512Bytes) {
    const BodyCase& c = GetParam();
    std::string body(c.size, '\0');
    for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>('a' + i % 26);
    const std::string target = "/body/" + std::to_string(c.size);
    FixtureResponse response = page(body);
    // Small pieces so that reads must gather across network packets.
    response.trickleBytes = 100;
    fixtureServer().route(target, response);
    int hookCalls = 0;
    ScopedFetchReadHook hook([&] { ++hookCalls; });

    EXPECT_EQ(fetchPage(fixtureServer().url(target)), body);
    EXPECT_EQ(hookCalls, c.hookCalls);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FetchBodyTest,
                         ::testing::Values(BodyCase{0, 1}, BodyCase{1, 2}, BodyCase{512, 2},
                                           BodyCase{1024, 3}, BodyCase{1300, 4}),
                         [](const auto& info) { return "bytes" + std::to_string(info.param.size); });

TEST_F(FetchTest, BodyEndsAtItsFirstZeroByte) {
    fixtureServer().route("/body/zero", page(std::string("before\0after", 12)));
    EXPECT_EQ(fetchPage(fixtureServer().url("/body/zero")), "before");
}

TEST_F(FetchTest, ErrorStatusBodyIsReturnedLikeAnyOther) {
    FixtureResponse missing = page("gone");
    missing.status = 404;
    fixtureServer().route("/body/404", missing);
    EXPECT_EQ(fetchPage(fixtureServer().url("/body/404")), "gone");
}

TEST_F(FetchTest, EndlessBodyIsCutAtTheMemoryCap) {
    fixtureServer().route("/body/huge", page(std::string(kMaxBodyBytes + 4096, 'h')));
    // The server copies 64 MiB before its first byte; under a sanitizer
    // that takes longer than the short receive time-out.
    ScopedFetchTimeouts patient({18000ms, 18000ms, 18000ms});
    Text body = fetchPage(fixtureServer().url("/body/huge"));
    fixtureServer().route("/body/huge", page(""));  // release the fixture's copy
    EXPECT_EQ(body.size(), kMaxBodyBytes);
    EXPECT_EQ(body.find_first_not_of('h'), Text::npos);
}

// ---- Raw response headers -----------------------------------------------------------

// The raw header text the fixture server sends for `response` once padded
// by an X-Pad header to exactly `size` bytes.
FixtureResponse withHeaderBlockOf(std::size_t size) {
    FixtureResponse response = page("body");
    response.extraHeaders = {{"X-Pad", ""}};
    std::string unpadded =
        "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nX-Pad: \r\nContent-Length: 4\r\n\r\n";
    response.extraHeaders[0].second = std::string(size - unpadded.size(), 'p');
    return response;
}

TEST_F(FetchTest, RawHeadersRunFromStatusLineToEmptyLine) {
    FixtureResponse response = page("body");
    response.extraHeaders = {{"X-Note", "kept"}};
    fixtureServer().route("/raw/ok", response);
    Text raw;
    EXPECT_EQ(fetchPage(fixtureServer().url("/raw/ok"), nullptr, std::nullopt, nullptr, {}, &raw), "body");
    EXPECT_EQ(raw, "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nX-Note: kept\r\nContent-Length: 4\r\n\r\n");
}

TEST_F(FetchTest, RawHeadersThatDoNotFitLeaveTheBufferOfSpaces) {
    // 1023 bytes and the closing zero fill the 1024-byte buffer exactly.
    fixtureServer().route("/raw/fits", withHeaderBlockOf(1023));
    fixtureServer().route("/raw/toolong", withHeaderBlockOf(1024));
    Text fits, tooLong;

    fetchPage(fixtureServer().url("/raw/fits"), nullptr, std::nullopt, nullptr, {}, &fits);
    fetchPage(fixtureServer().url("/raw/toolong"), nullptr, std::nullopt, nullptr, {}, &tooLong);

    EXPECT_EQ(fits.size(), 1023u);
    EXPECT_TRUE(fits.starts_with("HTTP/1.1 200 OK\r\n"));
    EXPECT_EQ(tooLong, std::string(1024, ' '));
}

// ---- Failures ----------------------------------------------------------------------

TEST_F(FetchTest, RefusedConnectionGivesEmptyTextAndNoHeaders) {
    std::string method = "post";
    Text raw;
    const auto start = Clock::now();
    EXPECT_EQ(fetchPage("http://127.0.0.1:" + std::to_string(closedLoopbackPort()) + "/x", &method, std::nullopt,
                        nullptr, "a=1", &raw),
              "");
    EXPECT_LT(millisSince(start), 2000);
    EXPECT_EQ(method, "post");
    EXPECT_EQ(raw, std::string(1024, ' '));
}

TEST_F(FetchTest, AddressesThatNameNoServerFailQuietlyWithoutARequest) {
    const std::string host = fixtureServer().host();
    for (const std::string& address :
         std::vector<std::string>{"/only/a/path", "", "http://127.0.0.1:70000/x", "http://bad host/x",
                                  "http://" + host + "/x\r\nX-Injected: 1", "http://" + host + "/x\ny",
                                  "http://user@" + host + "/x"}) {
        EXPECT_EQ(fetchPage(address), "") << address;
    }
    EXPECT_TRUE(fixtureServer().requests().empty());
}

TEST_F(FetchTest, SilentServerEndsAtTheReceiveTimeout) {
    FixtureResponse silent;
    silent.stallBeforeHeaders = true;
    fixtureServer().route("/fail/silent", silent);
    Text raw;
    const auto start = Clock::now();
    EXPECT_EQ(fetchPage(fixtureServer().url("/fail/silent"), nullptr, std::nullopt, nullptr, {}, &raw), "");
    EXPECT_LT(millisSince(start), 5000);
    EXPECT_EQ(raw, std::string(1024, ' '));
}

TEST_F(FetchTest, ServerThatStallsMidBodyGivesTheBodySoFar) {
    FixtureResponse stalling = page(std::string(2000, 's'));
    stalling.partialBytes = 700;
    stalling.stallAfterPartial = true;
    fixtureServer().route("/fail/stall", stalling);
    const auto start = Clock::now();
    EXPECT_EQ(fetchPage(fixtureServer().url("/fail/stall")), std::string(700, 's'));
    EXPECT_LT(millisSince(start), 5000);
}

TEST_F(FetchTest, ServerThatClosesMidBodyGivesTheBodySoFar) {
    FixtureResponse cut = page(std::string(1300, 'c'));
    cut.partialBytes = 900;
    fixtureServer().route("/fail/cut", cut);
    Text raw;
    EXPECT_EQ(fetchPage(fixtureServer().url("/fail/cut"), nullptr, std::nullopt, nullptr, {}, &raw),
              std::string(900, 'c'));
    EXPECT_TRUE(raw.starts_with("HTTP/1.1 200 OK\r\n"));
}

TEST_F(FetchTest, ReceiveTimeoutIsAboutSilenceNotTotalTime) {
    // 1.2 s in all, but never 400 ms without a byte.
    FixtureResponse slow = page(std::string(1200, 't'));
    slow.trickleBytes = 100;
    slow.tricklePause = 100ms;
    fixtureServer().route("/fail/slow", slow);
    EXPECT_EQ(fetchPage(fixtureServer().url("/fail/slow")), std::string(1200, 't'));
}

// ---- Stopping from another thread ---------------------------------------------------

struct StopCase {
    const char* name;
    FixtureResponse response;
    std::size_t bytesBeforeStop;
};

class FetchStopTest : public FetchTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(FetchStopTest, StopEndsTheFetchInFlightAtOnce) {
    const StopCase& c = GetParam();
    const std::string target = std::string("/stop/") + c.name;
    fixtureServer().route(target, c.response);
    ScopedFetchTimeouts patient({18000ms, 18000ms, 18000ms});
    std::stop_source stop;
    std::atomic<long long> returnedAt{0};
    auto result = std::async(std::launch::async, [&] {
        ScopedFetchStopToken token(stop.get_token());
        Text body = fetchPage(fixtureServer().url(target));
        returnedAt = Clock::now().time_since_epoch().count();
        return body;
    });
    ASSERT_TRUE(fixtureServer().waitForRequests(1, 5s));
    std::this_thread::sleep_for(150ms);  // let the fetch settle into waiting
    const auto stoppedAt = Clock::now();
    stop.request_stop();
    ASSERT_EQ(result.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(result.get(), std::string(c.bytesBeforeStop, 'b'));
    const auto took = Clock::time_point(Clock::duration(returnedAt.load())) - stoppedAt;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 500);
}

FixtureResponse stalledBeforeHeaders() {
    FixtureResponse response;
    response.stallBeforeHeaders = true;
    return response;
}

FixtureResponse stalledAfter(long long bytes) {
    FixtureResponse response = page(std::string(4000, 'b'));
    response.partialBytes = bytes;
    response.stallAfterPartial = true;
    return response;
}

INSTANTIATE_TEST_SUITE_P(Cases, FetchStopTest,
                         ::testing::Values(StopCase{"BeforeHeaders", stalledBeforeHeaders(), 0},
                                           StopCase{"MidBody", stalledAfter(600), 600}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FetchTest, AlreadyStoppedThreadSendsNothing) {
    fixtureServer().route("/stop/early", page("never"));
    std::stop_source stop;
    stop.request_stop();
    ScopedFetchStopToken token(stop.get_token());
    EXPECT_EQ(fetchPage(fixtureServer().url("/stop/early")), "");
    EXPECT_TRUE(fixtureServer().requests().empty());
}

// ---- Redirects ---------------------------------------------------------------------

TEST_F(FetchTest, RedirectsAreFollowedRelativeAndAbsolute) {
    fixtureServer().route("/redir/dir/start", redirect(302, "next?k=1"));
    fixtureServer().route("/redir/dir/next?k=1", redirect(301, fixtureServer().url("/redir/final#part")));
    fixtureServer().route("/redir/final", page("arrived"));
    Text raw;

    EXPECT_EQ(fetchPage(fixtureServer().url("/redir/dir/start"), nullptr, std::nullopt, nullptr, {}, &raw),
              "arrived");

    EXPECT_EQ(targetsOf(fixtureServer().requests()),
              (std::vector<std::string>{"/redir/dir/start", "/redir/dir/next?k=1", "/redir/final"}));
    EXPECT_TRUE(raw.starts_with("HTTP/1.1 200 OK\r\n")) << raw;
}

TEST_F(FetchTest, RedirectLoopStopsAfterTenFollows) {
    fixtureServer().route("/redir/loop", redirect(302, "/redir/loop", "still moving"));
    EXPECT_EQ(fetchPage(fixtureServer().url("/redir/loop")), "still moving");
    EXPECT_EQ(fixtureServer().requests().size(), 11u);
}

TEST_F(FetchTest, RedirectToAnotherSchemeIsNotFollowed) {
    for (const std::string& location :
         std::vector<std::string>{"ftp://" + fixtureServer().host() + "/redir/final", "file:///etc/passwd",
                                  "javascript:alert(1)"}) {
        fixtureServer().clearRequests();
        fixtureServer().route("/redir/elsewhere", redirect(302, location, "refused"));
        EXPECT_EQ(fetchPage(fixtureServer().url("/redir/elsewhere")), "refused") << location;
        EXPECT_EQ(fixtureServer().requests().size(), 1u) << location;
    }
}

TEST_F(FetchTest, PostRedirectedBy303ArrivesAsAPlainGet) {
    fixtureServer().route("/redir/form", redirect(303, "/redir/thanks"));
    fixtureServer().route("/redir/thanks", page("thanks"));
    std::string method = "post";

    EXPECT_EQ(fetchPage(fixtureServer().url("/redir/form"), &method, std::nullopt, nullptr, "a=1"), "thanks");

    auto requests = fixtureServer().requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].body, "a=1");
    EXPECT_EQ(requests[1].method, "GET");
    EXPECT_EQ(requests[1].body, "");
    EXPECT_EQ(requests[1].header("Content-Length"), "");
    EXPECT_EQ(requests[1].header("Content-Type"), "");
}

TEST_F(FetchTest, PostRedirectedBy307KeepsMethodAndBody) {
    fixtureServer().route("/redir/keep", redirect(307, "/redir/kept"));
    fixtureServer().route("/redir/kept", page("kept"));
    std::string method = "post";

    EXPECT_EQ(fetchPage(fixtureServer().url("/redir/keep"), &method, std::nullopt, nullptr, "a=1"), "kept");

    auto requests = fixtureServer().requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].method, "post");
    EXPECT_EQ(requests[1].body, "a=1");
}

// ---- Proxy and TLS -----------------------------------------------------------------

TEST_F(FetchTest, SuppliedProxyReceivesTheAbsoluteAddress) {
    // The fixture server stands in for the proxy; the site's name is never resolved.
    fixtureServer().route("http://site.invalid:8080/page?q=a b", page("via proxy"));
    const std::string address = "http://site.invalid:8080/page?q=a b";

    EXPECT_EQ(fetchPage(address, nullptr, fixtureServer().host()), "via proxy");

    auto requests = fixtureServer().requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].raw,
              "GET http://site.invalid:8080/page?q=a b HTTP/1.1\r\nHost: site.invalid:8080\r\n" +
                  kUserAgentLine + kAcceptLine + "Referer: " + address + "\r\n" + kLanguageLine +
                  "Cache-Control: no-cache\r\nPragma: no-cache\r\n\r\n");
}

TEST_F(FetchTest, EmptySuppliedProxyConnectsDirectly) {
    fixtureServer().route("/proxy/none", page("direct"));
    EXPECT_EQ(fetchPage(fixtureServer().url("/proxy/none"), nullptr, Text()), "direct");
    auto requests = fixtureServer().requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, "/proxy/none");
}

TEST_F(FetchTest, HttpsAddressIsSpokenOverTls) {
    // A bare listener: the first byte a TLS client sends is a handshake record (22).
    int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    socklen_t len = sizeof addr;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);
    auto firstByte = std::async(std::launch::async, [listener] {
        pollfd p{listener, POLLIN, 0};
        if (::poll(&p, 1, 5000) <= 0) return -1;
        int fd = ::accept(listener, nullptr, nullptr);
        unsigned char byte = 0;
        p = {fd, POLLIN, 0};
        int result = (::poll(&p, 1, 5000) > 0 && ::recv(fd, &byte, 1, 0) == 1) ? byte : -1;
        ::close(fd);  // no handshake answer: the fetch must fail quietly
        return result;
    });

    EXPECT_EQ(fetchPage("https://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/x"), "");
    EXPECT_EQ(firstByte.get(), 22);
    ::close(listener);
}

}  // namespace
}  // namespace velmora
