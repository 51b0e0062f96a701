#include "web/http_session.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

namespace velmora {

namespace {

using Clock = std::chrono::steady_clock;

// libcurl's global set-up is not thread-safe; run it once before any handle.
void ensureCurlInitialised() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (asciiLower(text[i]) != asciiLower(prefix[i])) return false;
    return true;
}

bool isHostChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_';
}

bool isValidHost(std::string_view host) {
    return !host.empty() && std::all_of(host.begin(), host.end(), isHostChar);
}

// A request target travels in the request line as it is; control bytes
// would let it break out of that line.
bool isSendableTarget(std::string_view target) {
    if (target.empty() || target.front() != '/') return false;
    return std::none_of(target.begin(), target.end(), [](char c) {
        auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    });
}

Text trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() &&
           (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    return Text(text);
}

// Splits a header text into its lines; CR and LF both end a line so that
// no line can smuggle another one in, and empty lines are dropped because
// one would end the header block early.
std::vector<Text> headerLines(std::string_view text) {
    std::vector<Text> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
            if (i > start) lines.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return lines;
}

Text headerName(std::string_view line) {
    std::size_t colon = line.find(':');
    return colon == std::string_view::npos ? Text() : trimmed(line.substr(0, colon));
}

bool hasHeader(const std::vector<Text>& lines, std::string_view name) {
    return std::any_of(lines.begin(), lines.end(), [&](const Text& line) {
        Text lineName = headerName(line);
        return lineName.size() == name.size() && startsWithIgnoreCase(lineName, name);
    });
}

// Where a redirect points: a full origin ("http://host:port") and target.
struct Hop {
    bool tls = false;
    Text origin;
    Text target;
};

// Resolves a Location value against the hop that answered it. Only http
// and https are followed; anything else gives nothing.
std::optional<Hop> resolveLocation(const Hop& current, std::string_view location) {
    Text where = trimmed(location);
    if (where.empty()) return std::nullopt;
    Hop next = current;

    auto takeAuthority = [&](std::string_view rest, bool tls) -> bool {
        std::size_t end = rest.find_first_of("/?#");
        std::string_view authority = rest.substr(0, end);
        std::size_t colon = authority.find(':');
        std::string_view host = authority.substr(0, colon);
        if (!isValidHost(host)) return false;
        if (colon != std::string_view::npos) {
            std::string_view port = authority.substr(colon + 1);
            if (port.empty() || port.size() > 5 ||
                !std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; }))
                return false;
        }
        next.tls = tls;
        next.origin = Text(tls ? "https://" : "http://") + Text(authority);
        Text target = end == std::string_view::npos ? Text() : Text(rest.substr(end));
        next.target = (target.empty() || target.front() != '/') ? "/" + target : target;
        return true;
    };

    auto isSchemeChar = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
               c == '-' || c == '.';
    };
    std::size_t schemeEnd = 0;
    while (schemeEnd < where.size() && isSchemeChar(where[schemeEnd])) ++schemeEnd;
    bool hasScheme = schemeEnd > 0 && schemeEnd < where.size() && where[schemeEnd] == ':' &&
                     ((where[0] >= 'a' && where[0] <= 'z') || (where[0] >= 'A' && where[0] <= 'Z'));
    if (hasScheme) {
        if (startsWithIgnoreCase(where, "http://")) {
            if (!takeAuthority(std::string_view(where).substr(7), false)) return std::nullopt;
        } else if (startsWithIgnoreCase(where, "https://")) {
            if (!takeAuthority(std::string_view(where).substr(8), true)) return std::nullopt;
        } else {
            return std::nullopt;
        }
    } else if (where.rfind("//", 0) == 0) {
        if (!takeAuthority(std::string_view(where).substr(2), current.tls)) return std::nullopt;
    } else if (where.front() == '/') {
        next.target = where;
    } else {
        std::string_view path = current.target;
        path = path.substr(0, path.find('?'));
        if (where.front() == '?') {
            next.target = Text(path) + where;
        } else if (where.front() == '#') {
            next.target = current.target;
        } else {
            next.target = Text(path.substr(0, path.rfind('/') + 1)) + where;
        }
    }
    // A fragment names a place inside the page; it is never sent.
    if (std::size_t hash = next.target.find('#'); hash != Text::npos) next.target.erase(hash);
    if (!isSendableTarget(next.target)) return std::nullopt;
    return next;
}

bool isRedirectStatus(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

struct WakeMulti {
    CURLM* multi;
    void operator()() const noexcept { curl_multi_wakeup(multi); }
};

}  // namespace

HttpSession::HttpSession(Text userAgent, std::optional<Text> httpProxy)
    : userAgent_(std::move(userAgent)), httpProxy_(httpProxy.value_or(Text())) {
    ensureCurlInitialised();
    // The proxy serves plain http; written without a scheme it is one.
    if (!httpProxy_.empty() && httpProxy_.find("://") == Text::npos) httpProxy_ = "http://" + httpProxy_;
}

HttpConnection::HttpConnection(const HttpSession& session, bool tls, Text host, int port)
    : session_(session), tls_(tls) {
    open_ = isValidHost(host) && port >= 0 && port <= 65535;
    if (open_)
        origin_ = Text(tls ? "https://" : "http://") + host + (port > 0 ? ":" + std::to_string(port) : "");
}

struct HttpRequest::Transfer {
    const HttpConnection& connection;
    Text method;
    bool open = false;
    CURL* easy = nullptr;
    CURLM* multi = nullptr;
    curl_slist* headerList = nullptr;
    bool attached = false;
    HttpTimeouts timeouts;
    std::stop_token stop;
    std::optional<std::stop_callback<WakeMulti>> wakeOnStop;

    // The hop in flight.
    Hop hop;
    Text hopMethod;
    Text hopHeaders;
    Text hopBody;

    // Its response.
    int status = 0;
    Text headerBlock;
    bool headersComplete = false;
    Text location;
    std::string pending;
    std::size_t pendingOffset = 0;
    bool done = false;
    bool aborted = false;
    bool sent = false;

    // Progress, for the time-outs.
    bool connected = false;
    Clock::time_point lastProgress = Clock::now();
    curl_off_t lastUploaded = 0;

    Transfer(const HttpConnection& c, Text m) : connection(c), method(std::move(m)) {}

    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self) {
        auto* t = static_cast<Transfer*>(self);
        std::size_t bytes = size * count;
        t->pending.append(data, bytes);
        t->lastProgress = Clock::now();
        return bytes;
    }

    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self) {
        auto* t = static_cast<Transfer*>(self);
        std::size_t bytes = size * count;
        t->lastProgress = Clock::now();
        std::string_view line(data, bytes);
        if (line.rfind("HTTP/", 0) == 0) {
            // A new response (an interim 1xx one ends before the real one).
            t->headersComplete = false;
            t->headerBlock.clear();
            t->location.clear();
            t->status = 0;
            std::size_t pos = line.find(' ');
            if (pos != std::string_view::npos)
                for (++pos; pos < line.size() && line[pos] >= '0' && line[pos] <= '9' && t->status < 1000;
                     ++pos)
                    t->status = t->status * 10 + (line[pos] - '0');
        } else if (t->headersComplete) {
            return bytes;  // trailers of a chunked body are not part of the header block
        }
        std::string_view content = line;
        while (!content.empty() && (content.back() == '\n' || content.back() == '\r'))
            content.remove_suffix(1);
        if (content.empty()) {
            t->headerBlock += "\r\n";
            if (t->status >= 200) t->headersComplete = true;
            return bytes;
        }
        t->headerBlock.append(content);
        t->headerBlock += "\r\n";
        if (startsWithIgnoreCase(content, "location:")) t->location = trimmed(content.substr(9));
        return bytes;
    }

    static int onConnected(void* self, char*, char*, int, int) {
        auto* t = static_cast<Transfer*>(self);
        t->connected = true;
        t->lastProgress = Clock::now();
        return CURL_PREREQFUNC_OK;
    }

    void detach() {
        if (attached) curl_multi_remove_handle(multi, easy);
        attached = false;
    }

    void abort() {
        detach();
        aborted = true;
    }

    bool startHop() {
        detach();
        status = 0;
        headerBlock.clear();
        headersComplete = false;
        location.clear();
        pending.clear();
        pendingOffset = 0;
        done = false;
        connected = false;
        lastUploaded = 0;
        lastProgress = Clock::now();

        const HttpSession& session = connection.session();
        bool viaProxy = !hop.tls && !session.httpProxy().empty();
        std::vector<Text> lines = headerLines(hopHeaders);
        curl_slist_free_all(headerList);
        headerList = nullptr;
        auto add = [&](const Text& line) {
            curl_slist* grown = curl_slist_append(headerList, line.c_str());
            if (grown) headerList = grown;
            return grown != nullptr;
        };
        bool ok = true;
        for (const Text& line : lines) {
            std::size_t colon = line.find(':');
            if (colon == Text::npos || colon == 0) continue;  // not a header line
            // libcurl reads "Name:" as "remove Name"; "Name;" is its way to send it empty.
            ok = ok && add(trimmed(line.substr(colon + 1)).empty() ? line.substr(0, colon) + ";" : line);
        }
        // libcurl adds these of its own unless told not to.
        if (!hasHeader(lines, "Accept")) ok = ok && add("Accept:");
        if (!hasHeader(lines, "Expect")) ok = ok && add("Expect:");
        if (!hopBody.empty() && !hasHeader(lines, "Content-Type")) ok = ok && add("Content-Type:");
        if (viaProxy) {
            if (!hasHeader(lines, "Proxy-Connection")) ok = ok && add("Proxy-Connection:");
            // Every page comes from the origin server, never from a proxy's cache.
            if (!hasHeader(lines, "Cache-Control")) ok = ok && add("Cache-Control: no-cache");
            if (!hasHeader(lines, "Pragma")) ok = ok && add("Pragma: no-cache");
        }
        if (!ok) return false;

        Text requestTarget = viaProxy ? hop.origin + hop.target : hop.target;
        curl_easy_setopt(easy, CURLOPT_URL, (hop.origin + "/").c_str());
        curl_easy_setopt(easy, CURLOPT_REQUEST_TARGET, requestTarget.c_str());
        curl_easy_setopt(easy, CURLOPT_PROXY, viaProxy ? session.httpProxy().c_str() : "");
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headerList);
        // A body set for an earlier hop must not outlive it.
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(-1));
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, nullptr);
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
        if (hopMethod == "GET") {
            curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, nullptr);
        } else {
            curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, hopMethod.c_str());
            if (!hopBody.empty()) {
                curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(hopBody.size()));
                curl_easy_setopt(easy, CURLOPT_POSTFIELDS, hopBody.data());
            }
        }
        if (curl_multi_add_handle(multi, easy) != CURLM_OK) return false;
        attached = true;
        return true;
    }

    // Runs the transfer until `ready()` holds; false when it cannot any more
    // (finished, failed, timed out or stopped).
    template <typename Ready>
    bool runUntil(Ready ready) {
        while (true) {
            if (ready()) return true;
            if (!attached || done) return false;
            if (stop.stop_requested()) {
                abort();
                return false;
            }
            int running = 0;
            if (curl_multi_perform(multi, &running) != CURLM_OK) {
                abort();
                return false;
            }
            int queued = 0;
            while (CURLMsg* message = curl_multi_info_read(multi, &queued))
                if (message->msg == CURLMSG_DONE) done = true;
            if (ready()) return true;
            if (done) return false;

            curl_off_t uploaded = 0;
            curl_easy_getinfo(easy, CURLINFO_SIZE_UPLOAD_T, &uploaded);
            auto now = Clock::now();
            if (uploaded != lastUploaded) {
                lastUploaded = uploaded;
                lastProgress = now;
            }
            // Before the connection stands, libcurl's connect time-out rules.
            int waitMs = 100;
            if (connected) {
                bool sending = hopMethod != "GET" && uploaded < static_cast<curl_off_t>(hopBody.size());
                auto limit = sending ? timeouts.send : timeouts.receive;
                auto left = std::chrono::duration_cast<std::chrono::milliseconds>(lastProgress + limit - now);
                if (left.count() <= 0) {
                    abort();
                    return false;
                }
                waitMs = static_cast<int>(std::min<long long>(left.count(), 100));
            }
            curl_multi_poll(multi, nullptr, 0, waitMs, nullptr);
        }
    }
};

HttpRequest::HttpRequest(const HttpConnection& connection, Text method, Text objectPath)
    : transfer_(std::make_unique<Transfer>(connection, std::move(method))) {
    Transfer& t = *transfer_;
    if (!connection.isOpen() || !isSendableTarget(objectPath)) return;
    t.hop = Hop{connection.tls(), connection.origin(), std::move(objectPath)};
    t.easy = curl_easy_init();
    t.multi = curl_multi_init();
    if (!t.easy || !t.multi) return;
    CURL* easy = t.easy;
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    // Redirects are followed here, hop by hop, so that each target goes out as written.
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    // Larger network reads than the 16 KiB default: fewer wake-ups for big pages.
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, 64L * 1024);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, connection.session().userAgent().c_str());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Transfer::onBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Transfer::onHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, &Transfer::onConnected);
    curl_easy_setopt(easy, CURLOPT_PREREQDATA, &t);
    t.open = true;
    setTimeouts(HttpTimeouts{});
}

HttpRequest::~HttpRequest() {
    close();
}

bool HttpRequest::isOpen() const {
    return transfer_->open;
}

void HttpRequest::setTimeouts(const HttpTimeouts& timeouts) {
    Transfer& t = *transfer_;
    t.timeouts = timeouts;
    if (!t.open) return;
    // libcurl reads 0 as "its own default"; the shortest real limit is 1 ms.
    long connectMs = std::max<long>(1, static_cast<long>(timeouts.connect.count()));
    curl_easy_setopt(t.easy, CURLOPT_CONNECTTIMEOUT_MS, connectMs);
}

void HttpRequest::setStopToken(std::stop_token token) {
    Transfer& t = *transfer_;
    t.wakeOnStop.reset();
    t.stop = std::move(token);
    if (t.open && t.stop.stop_possible()) t.wakeOnStop.emplace(t.stop, WakeMulti{t.multi});
}

bool HttpRequest::send(const Text& headers, const Text& body) {
    Transfer& t = *transfer_;
    if (!t.open || t.sent) return false;
    t.sent = true;
    t.hopMethod = t.method;
    t.hopHeaders = headers;
    t.hopBody = t.method == "GET" ? Text() : body;
    for (int redirects = 0;; ++redirects) {
        if (!t.startHop()) {
            t.abort();
            return false;
        }
        if (!t.runUntil([&] { return t.headersComplete; })) {
            t.abort();
            return false;
        }
        if (redirects == kMaxRedirects || !isRedirectStatus(t.status) || t.location.empty()) return true;
        std::optional<Hop> next = resolveLocation(t.hop, t.location);
        if (!next) return true;  // a redirect we do not follow is the final answer
        t.hop = *next;
        bool toGet = t.status == 303 || ((t.status == 301 || t.status == 302) && t.hopMethod != "GET");
        if (toGet && t.hopMethod != "GET") {
            // The body is dropped, and with it the lines that describe it.
            Text kept;
            for (const Text& line : headerLines(t.hopHeaders)) {
                Text name = headerName(line);
                bool describesBody = (name.size() == 14 && startsWithIgnoreCase(name, "Content-Length")) ||
                                     (name.size() == 12 && startsWithIgnoreCase(name, "Content-Type"));
                if (!describesBody) kept += line + "\r\n";
            }
            t.hopHeaders = kept;
            t.hopMethod = "GET";
            t.hopBody.clear();
        }
    }
}

std::size_t HttpRequest::read(char* buffer, std::size_t size) {
    Transfer& t = *transfer_;
    if (!t.open || !t.headersComplete) return 0;
    std::size_t total = 0;
    while (total < size) {
        if (t.pendingOffset < t.pending.size()) {
            std::size_t n = std::min(size - total, t.pending.size() - t.pendingOffset);
            std::memcpy(buffer + total, t.pending.data() + t.pendingOffset, n);
            t.pendingOffset += n;
            total += n;
            continue;
        }
        t.pending.clear();
        t.pendingOffset = 0;
        if (t.aborted || !t.runUntil([&] { return !t.pending.empty(); })) break;
    }
    return total;
}

std::optional<std::size_t> HttpRequest::contentLength() const {
    const Transfer& t = *transfer_;
    curl_off_t length = -1;
    if (!t.open || !t.headersComplete ||
        curl_easy_getinfo(t.easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK || length < 0)
        return std::nullopt;
    return static_cast<std::size_t>(length);
}

bool HttpRequest::queryRawHeaders(char* buffer, std::size_t capacity) const {
    const Transfer& t = *transfer_;
    if (!t.headersComplete || t.headerBlock.size() + 1 > capacity) return false;
    std::memcpy(buffer, t.headerBlock.data(), t.headerBlock.size());
    buffer[t.headerBlock.size()] = '\0';
    return true;
}

void HttpRequest::close() {
    Transfer& t = *transfer_;
    // First: a stop arriving now must not wake a multi handle being freed.
    t.wakeOnStop.reset();
    t.detach();
    if (t.easy) curl_easy_cleanup(t.easy);
    if (t.multi) curl_multi_cleanup(t.multi);
    curl_slist_free_all(t.headerList);
    t.easy = nullptr;
    t.multi = nullptr;
    t.headerList = nullptr;
    t.open = false;
}

}  // namespace velmora
