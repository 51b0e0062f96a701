#include "support/fixture_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#ifndef VELMORA_TEST_DATA_DIR
#define VELMORA_TEST_DATA_DIR "tests/data"
#endif

namespace velmora::test {

namespace {

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool sendAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool sendAll(int fd, const std::string& s) { return sendAll(fd, s.data(), s.size()); }

const char* reasonPhrase(int status) {
    switch (status) {
        case 200: return "OK";
        case 206: return "Partial Content";
        case 301: return "Moved Permanently";
        case 302: return "Found";
        case 404: return "Not Found";
        case 416: return "Range Not Satisfiable";
        case 500: return "Internal Server Error";
        default: return "Status";
    }
}

}  // namespace

std::string FixtureRequest::header(const std::string& name) const {
    std::istringstream lines(headers);
    std::string line;
    const std::string wanted = lower(name) + ":";
    while (std::getline(lines, line)) {
        if (lower(line.substr(0, wanted.size())) == wanted) {
            std::string value = line.substr(wanted.size());
            while (!value.empty() && (value.front() == ' ')) value.erase(0, 1);
            while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) value.pop_back();
            return value;
        }
    }
    return {};
}

FixtureServer::FixtureServer() {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (listenFd_ < 0) throw std::runtime_error("fixture server: socket failed");
    int yes = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listenFd_, 64) != 0)
        throw std::runtime_error("fixture server: bind/listen failed");
    socklen_t len = sizeof addr;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    acceptThread_ = std::thread([this] { acceptLoop(); });
}

FixtureServer::~FixtureServer() {
    stopping_ = true;
    changed_.notify_all();
    ::shutdown(listenFd_, SHUT_RDWR);
    if (acceptThread_.joinable()) acceptThread_.join();
    ::close(listenFd_);
    std::vector<std::thread> connections;
    {
        std::lock_guard lock(mutex_);
        for (int fd : openFds_) ::shutdown(fd, SHUT_RDWR);
        connections.swap(connections_);
    }
    for (auto& t : connections)
        if (t.joinable()) t.join();
}

std::string FixtureServer::host() const { return "127.0.0.1:" + std::to_string(port_); }

std::string FixtureServer::url(const std::string& path) const { return "http://" + host() + path; }

void FixtureServer::route(const std::string& target, FixtureResponse response) {
    std::lock_guard lock(mutex_);
    routes_[target] = std::move(response);
}

void FixtureServer::routePrefix(const std::string& prefix, FixtureResponse response) {
    std::lock_guard lock(mutex_);
    prefixRoutes_.emplace_back(prefix, std::move(response));
}

void FixtureServer::setFallback(Handler handler) {
    std::lock_guard lock(mutex_);
    fallback_ = std::move(handler);
}

void FixtureServer::clearRoutes() {
    std::lock_guard lock(mutex_);
    routes_.clear();
    prefixRoutes_.clear();
    fallback_ = nullptr;
}

std::vector<FixtureRequest> FixtureServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void FixtureServer::clearRequests() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

bool FixtureServer::waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return requests_.size() >= count; });
}

void FixtureServer::releaseStalls() {
    std::lock_guard lock(mutex_);
    ++stallGeneration_;
    changed_.notify_all();
}

bool FixtureServer::pause(std::chrono::milliseconds duration) {
    std::unique_lock lock(mutex_);
    unsigned generation = stallGeneration_;
    changed_.wait_for(lock, duration, [&] { return stopping_.load() || stallGeneration_ != generation; });
    return !stopping_ && stallGeneration_ == generation;
}

void FixtureServer::acceptLoop() {
    while (!stopping_) {
        int fd = ::accept(listenFd_, nullptr, nullptr);
        if (fd < 0) {
            if (stopping_) return;
            continue;
        }
        int yes = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        std::lock_guard lock(mutex_);
        if (stopping_) {
            ::close(fd);
            return;
        }
        openFds_.push_back(fd);
        connections_.emplace_back([this, fd] { serve(fd); });
    }
}

FixtureResponse FixtureServer::responseFor(const FixtureRequest& request) const {
    std::lock_guard lock(mutex_);
    if (auto it = routes_.find(request.target); it != routes_.end()) return it->second;
    for (const auto& [prefix, response] : prefixRoutes_)
        if (request.target.compare(0, prefix.size(), prefix) == 0) return response;
    if (fallback_) return fallback_(request);
    FixtureResponse notFound;
    notFound.status = 404;
    notFound.body = "not found";
    return notFound;
}

void FixtureServer::serve(int fd) {
    std::string buffer;
    char chunk[4096];
    bool keepOpen = true;
    while (keepOpen && !stopping_) {
        // Read one request: headers, then a body of Content-Length bytes.
        std::size_t headerEnd;
        while ((headerEnd = buffer.find("\r\n\r\n")) == std::string::npos) {
            pollfd p{fd, POLLIN, 0};
            int ready = ::poll(&p, 1, 100);
            if (stopping_) break;
            if (ready <= 0) continue;
            ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
            if (n <= 0) {
                keepOpen = false;
                break;
            }
            buffer.append(chunk, static_cast<std::size_t>(n));
        }
        if (!keepOpen || stopping_) break;
        FixtureRequest request;
        std::string head = buffer.substr(0, headerEnd + 4);
        std::size_t lineEnd = head.find("\r\n");
        std::string requestLine = head.substr(0, lineEnd);
        request.headers = head.substr(lineEnd + 2, head.size() - lineEnd - 4);
        std::size_t sp1 = requestLine.find(' ');
        std::size_t sp2 = requestLine.rfind(' ');
        request.method = requestLine.substr(0, sp1);
        request.target = sp2 > sp1 ? requestLine.substr(sp1 + 1, sp2 - sp1 - 1) : std::string();
        std::size_t bodyLength = 0;
        if (std::string cl = request.header("Content-Length"); !cl.empty()) bodyLength = std::stoul(cl);
        while (buffer.size() < headerEnd + 4 + bodyLength) {
            ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
            if (n <= 0) break;
            buffer.append(chunk, static_cast<std::size_t>(n));
        }
        std::size_t total = std::min(buffer.size(), headerEnd + 4 + bodyLength);
        request.body = buffer.substr(headerEnd + 4, total - headerEnd - 4);
        request.raw = buffer.substr(0, total);
        buffer.erase(0, total);
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        changed_.notify_all();

        FixtureResponse response = responseFor(request);
        if (response.stallBeforeHeaders) {
            pause(std::chrono::hours(1));
            break;
        }
        if (response.delay.count() > 0 && !pause(response.delay)) break;

        std::string body = response.body;
        int status = response.status;
        std::string rangeHeader;
        if (response.acceptRanges) {
            std::string range = request.header("Range");
            long long size = static_cast<long long>(body.size());
            if (range.rfind("bytes=", 0) == 0) {
                std::string byteRange = range.substr(6);
                std::size_t dash = byteRange.find('-');
                long long first = 0, last = size - 1;
                try {
                    if (dash == 0) {
                        first = std::max(0LL, size - std::stoll(byteRange.substr(1)));
                    } else {
                        first = std::stoll(byteRange.substr(0, dash));
                        if (dash + 1 < byteRange.size())
                            last = std::min(last, std::stoll(byteRange.substr(dash + 1)));
                    }
                } catch (const std::exception&) {
                    first = size;  // a range that cannot be read is not satisfiable
                }
                if (first >= size || first > last) {
                    status = 416;
                    rangeHeader = "Content-Range: bytes */" + std::to_string(size) + "\r\n";
                    body.clear();
                } else {
                    status = 206;
                    rangeHeader = "Content-Range: bytes " + std::to_string(first) + "-" + std::to_string(last) +
                                  "/" + std::to_string(size) + "\r\n";
                    body = body.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first + 1));
                }
            }
        }

        std::string out = "HTTP/1.1 " + std::to_string(status) + " " + reasonPhrase(status) + "\r\n";
        out += "Content-Type: " + response.contentType + "\r\n";
        if (response.acceptRanges) out += "Accept-Ranges: bytes\r\n" + rangeHeader;
        for (const auto& [name, value] : response.extraHeaders) out += name + ": " + value + "\r\n";
        if (response.closeDelimited) {
            out += "Connection: close\r\n";
            keepOpen = false;
        } else {
            out += "Content-Length: " + std::to_string(body.size()) + "\r\n";
        }
        out += "\r\n";
        if (!sendAll(fd, out)) break;
        if (request.method == "HEAD") continue;

        std::size_t toSend = body.size();
        if (response.partialBytes >= 0) toSend = std::min(toSend, static_cast<std::size_t>(response.partialBytes));
        bool ok = true;
        if (response.trickleBytes > 0) {
            for (std::size_t pos = 0; pos < toSend && ok; pos += response.trickleBytes) {
                ok = sendAll(fd, body.data() + pos, std::min(response.trickleBytes, toSend - pos));
                if (ok && pos + response.trickleBytes < toSend) ok = pause(response.tricklePause);
            }
        } else {
            ok = sendAll(fd, body.data(), toSend);
        }
        if (!ok) break;
        if (response.partialBytes >= 0 && toSend < body.size()) {
            if (response.stallAfterPartial)
                pause(response.stallFor.count() > 0 ? response.stallFor : std::chrono::hours(1));
            break;
        }
    }
    std::lock_guard lock(mutex_);
    openFds_.erase(std::remove(openFds_.begin(), openFds_.end(), fd), openFds_.end());
    ::shutdown(fd, SHUT_RDWR);
    ::close(fd);
}

int closedLoopbackPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return ntohs(addr.sin_port);
}

std::string closedLoopbackHost() { return "127.0.0.1:" + std::to_string(closedLoopbackPort()); }

std::string readTestData(const std::string& relativePath) {
    std::ifstream in(std::string(VELMORA_TEST_DATA_DIR) + "/" + relativePath, std::ios::binary);
    if (!in) throw std::runtime_error("missing test data: " + relativePath);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace velmora::test
