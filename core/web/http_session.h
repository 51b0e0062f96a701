// A small RAII layer over libcurl with the shape of the classic Windows
// HTTP calls: a session (user agent, optional HTTP proxy), a connection
// (scheme, host, port), a request (method, object path) that takes
// time-outs, is sent with a header text and a body, is read in chunks and
// answers its raw response headers. Each object closes what it opened.
//
// Only http and https are spoken. Redirects (301, 302, 303, 307, 308) are
// followed inside send(), at most kMaxRedirects of them and only to http
// or https addresses; the request target of every hop is sent byte for
// byte as written (raw spaces and GBK bytes included).
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>

#include "text/text.h"

namespace velmora {

inline constexpr int kMaxRedirects = 10;

class HttpSession {
public:
    // `httpProxy` is "host:port" of an HTTP proxy for plain-http requests;
    // std::nullopt or empty means direct (the environment's proxy variables
    // are never consulted).
    HttpSession(Text userAgent, std::optional<Text> httpProxy);
    HttpSession(const HttpSession&) = delete;
    HttpSession& operator=(const HttpSession&) = delete;

    const Text& userAgent() const { return userAgent_; }
    const Text& httpProxy() const { return httpProxy_; }

private:
    Text userAgent_;
    Text httpProxy_;
};

class HttpConnection {
public:
    // Port 0 means the scheme's default port.
    HttpConnection(const HttpSession& session, bool tls, Text host, int port);
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    // False when the host or port cannot name a server (then every request
    // on this connection fails).
    bool isOpen() const { return open_; }
    const HttpSession& session() const { return session_; }
    // "http://host:port", the origin that request targets are relative to.
    const Text& origin() const { return origin_; }
    bool tls() const { return tls_; }

private:
    const HttpSession& session_;
    bool tls_;
    bool open_ = false;
    Text origin_;
};

struct HttpTimeouts {
    std::chrono::milliseconds connect{18000};
    std::chrono::milliseconds receive{18000};  // longest time without incoming bytes
    std::chrono::milliseconds send{18000};     // longest time without outgoing body bytes
};

class HttpRequest {
public:
    // `method` is sent as written ("GET", "POST", "post"); any method other
    // than "GET" is sent with the body given to send().
    HttpRequest(const HttpConnection& connection, Text method, Text objectPath);
    ~HttpRequest();
    HttpRequest(const HttpRequest&) = delete;
    HttpRequest& operator=(const HttpRequest&) = delete;

    // False when the request cannot be made at all (closed connection, a
    // target holding control bytes, libcurl out of memory).
    bool isOpen() const;

    void setTimeouts(const HttpTimeouts& timeouts);
    // Once `token` is stopped (from any thread) a send or read in progress
    // ends at once and every later read delivers 0 bytes.
    void setStopToken(std::stop_token token);

    // Sends the request with `headers` (lines ending in "\r\n") as its whole
    // header text besides Host and User-Agent, follows redirects, and waits
    // for the final response's headers. False on any failure.
    bool send(const Text& headers, const Text& body);

    // Reads up to `size` body bytes into `buffer`; it returns fewer only at
    // the end of the body. 0 means the end, a failure, a time-out or a stop.
    std::size_t read(char* buffer, std::size_t size);

    // The body length the final response announced, when it did.
    std::optional<std::size_t> contentLength() const;

    // Copies the final response's status line and header lines (each ending
    // in "\r\n", then an empty line) and a closing zero byte into `buffer`.
    // False, leaving the buffer untouched, when there is no complete header
    // block or it does not fit in `capacity` bytes.
    bool queryRawHeaders(char* buffer, std::size_t capacity) const;

    // Aborts whatever is in flight and releases the handles; idempotent.
    void close();

private:
    struct Transfer;
    std::unique_ptr<Transfer> transfer_;
};

}  // namespace velmora
