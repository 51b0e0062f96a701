#include "web/fetch.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

#include "web/http_session.h"
#include "web/url_parts.h"

namespace velmora {

namespace {

constexpr std::size_t kReadChunkBytes = 512;
constexpr std::size_t kRawHeaderBufferBytes = 1024;

constexpr std::string_view kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr std::string_view kDefaultAcceptLine =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";
constexpr std::string_view kDefaultLanguageLine = "Accept-Language: zh-cn\r\n";
constexpr std::string_view kFormBodyTypeLine = "Content-Type: application/x-www-form-urlencoded\r\n";

thread_local std::function<void()> tReadHook;
thread_local std::stop_token tStopToken;
thread_local FetchTimeouts tTimeouts;

struct Destination {
    bool tls = false;
    Text host;
    int port = 0;  // 0: the scheme's default
    Text objectPath;
};

// An "https://" address is fetched over TLS from the host it names; every
// other address is split as a plain-http one, scheme written or not.
Destination destinationOf(const Text& address) {
    constexpr std::string_view kHttps = "https://";
    if (address.size() >= kHttps.size() && toLowerAscii(address.substr(0, kHttps.size())) == kHttps) {
        Text asHttp = "http://" + address.substr(kHttps.size());
        Text hostPart = asHttp.substr(7, asHttp.find('/', 7) - 7);
        int port = hostPart.find(':') == Text::npos ? 0 : urlPort(asHttp);
        return {true, urlHost(asHttp), port, urlObjectPath(asHttp)};
    }
    return {false, urlHost(address), urlPort(address), urlObjectPath(address)};
}

void runReadHook() {
    if (!tReadHook) return;
    // The hook is the caller's code; nothing it throws may cross the fetch.
    try {
        tReadHook();
    } catch (...) {
    }
}

}  // namespace

std::function<void()> setFetchReadHook(std::function<void()> hook) {
    return std::exchange(tReadHook, std::move(hook));
}

std::stop_token setFetchStopToken(std::stop_token token) {
    return std::exchange(tStopToken, std::move(token));
}

FetchTimeouts setFetchTimeouts(FetchTimeouts timeouts) {
    return std::exchange(tTimeouts, timeouts);
}

Text fetchPage(const Text& address, Text* method, const std::optional<Text>& proxyAddress, Text* headers,
               const Text& postData, Text* rawHeaders) {
    const std::stop_token stop = tStopToken;
    if (stop.stop_requested()) return {};

    HttpSession session(Text(kUserAgent), proxyAddress);
    Destination destination = destinationOf(address);
    HttpConnection connection(session, destination.tls, destination.host, destination.port);
    if (!connection.isOpen()) return {};

    Text usedMethod = method ? *method : Text();
    if (toUpperAscii(usedMethod) != "POST") usedMethod = "GET";
    if (method) *method = usedMethod;

    HttpRequest request(connection, usedMethod, destination.objectPath);
    if (!request.isOpen()) return {};
    request.setTimeouts({tTimeouts.connect, tTimeouts.receive, tTimeouts.send});
    request.setStopToken(stop);

    Text ownHeaders;
    Text& headerText = headers ? *headers : ownHeaders;
    if (findTextIgnoreCase(headerText, "Accept: ") == kNotFound) headerText += kDefaultAcceptLine;
    if (findTextIgnoreCase(headerText, "Referer: ") == kNotFound)
        headerText += "Referer: " + address + "\r\n";
    if (findTextIgnoreCase(headerText, "Accept-Language: ") == kNotFound) headerText += kDefaultLanguageLine;

    const bool withBody = usedMethod != "GET" && !postData.empty();
    if (withBody) {
        headerText += kFormBodyTypeLine;
        headerText += "Content-Length: " + std::to_string(postData.size()) + "\r\n";
    }
    request.send(headerText, withBody ? postData : Text());

    Text body;
    // One allocation for an announced length (never past the cap, whatever a server claims).
    if (std::optional<std::size_t> announced = request.contentLength())
        body.reserve(std::min(*announced, kMaxBodyBytes));
    while (!stop.stop_requested() && body.size() < kMaxBodyBytes) {
        runReadHook();
        const std::size_t before = body.size();
        body.resize(before + std::min(kReadChunkBytes, kMaxBodyBytes - before));
        const std::size_t count = request.read(body.data() + before, body.size() - before);
        // Everything from the first zero byte on is dropped, so reading stops there.
        const void* zero = std::memchr(body.data() + before, 0, count);
        body.resize(zero ? static_cast<const char*>(zero) - body.data() : before + count);
        if (count == 0 || zero) break;
    }

    // A server may announce far more than it sends; keep no idle reserve.
    if (body.capacity() > 2 * body.size() + kReadChunkBytes) body.shrink_to_fit();

    if (rawHeaders) {
        char buffer[kRawHeaderBufferBytes];
        std::memset(buffer, ' ', sizeof buffer);
        request.queryRawHeaders(buffer, sizeof buffer);
        const void* end = std::memchr(buffer, 0, sizeof buffer);
        *rawHeaders = Text(buffer, end ? static_cast<const char*>(end) - buffer : sizeof buffer);
    }
    request.close();
    return body;
}

}  // namespace velmora
