// fetchPage: the one HTTP request routine of the program.
//
// Synchronous on the calling thread; never throws and never shows
// anything: every failure gives the empty text or the body read so far.
// Besides the parameters of the routine itself, a calling thread can set
// up three things that the routine reads for the calls made on it:
//   - a hook run before each read (the desktop program uses it on the UI
//     thread to let window messages run while a page downloads);
//   - a stop token: once another thread requests a stop, a fetch in flight
//     ends within 100 ms and returns at once;
//   - the time-outs (18000 ms by default; tests shorten them).
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <stop_token>

#include "text/text.h"

namespace velmora {

struct FetchTimeouts {
    std::chrono::milliseconds connect{18000};
    // Receive and send mean "no progress for that long", not a cap on the
    // whole transfer.
    std::chrono::milliseconds receive{18000};
    std::chrono::milliseconds send{18000};
};

// A body is cut here, so a server that never stops sending cannot exhaust
// memory.
inline constexpr std::size_t kMaxBodyBytes = 64u << 20;

// Fetches `address` ("http://" optional; http and https only).
//  method      in/out: "POST" in any letter case stays as written, anything
//              else becomes "GET"; nullptr means left out (GET).
//  proxyAddress "host:port": plain-http requests go through that HTTP
//              proxy (https ones go direct); std::nullopt or empty: direct,
//              never through a proxy of the environment.
//  headers     in/out: extra request lines, each ending in "\r\n"; the
//              default Accept, Referer and Accept-Language lines are
//              appended to this very variable when missing.
//  postData    the body of a POST.
//  rawHeaders  when not nullptr, receives the raw response headers.
Text fetchPage(const Text& address, Text* method = nullptr,
               const std::optional<Text>& proxyAddress = std::nullopt, Text* headers = nullptr,
               const Text& postData = {}, Text* rawHeaders = nullptr);

// Per-thread set-up; each returns the previous value so that a scope can
// restore it.
std::function<void()> setFetchReadHook(std::function<void()> hook);
std::stop_token setFetchStopToken(std::stop_token token);
FetchTimeouts setFetchTimeouts(FetchTimeouts timeouts);

// Restores the calling thread's previous set-up when it goes out of scope.
class ScopedFetchStopToken {
public:
    explicit ScopedFetchStopToken(std::stop_token token) : previous_(setFetchStopToken(std::move(token))) {}
    ~ScopedFetchStopToken() { setFetchStopToken(std::move(previous_)); }
    ScopedFetchStopToken(const ScopedFetchStopToken&) = delete;
    ScopedFetchStopToken& operator=(const ScopedFetchStopToken&) = delete;

private:
    std::stop_token previous_;
};

class ScopedFetchReadHook {
public:
    explicit ScopedFetchReadHook(std::function<void()> hook) : previous_(setFetchReadHook(std::move(hook))) {}
    ~ScopedFetchReadHook() { setFetchReadHook(std::move(previous_)); }
    ScopedFetchReadHook(const ScopedFetchReadHook&) = delete;
    ScopedFetchReadHook& operator=(const ScopedFetchReadHook&) = delete;

private:
    std::function<void()> previous_;
};

class ScopedFetchTimeouts {
public:
    explicit ScopedFetchTimeouts(FetchTimeouts timeouts) : previous_(setFetchTimeouts(timeouts)) {}
    ~ScopedFetchTimeouts() { setFetchTimeouts(previous_); }
    ScopedFetchTimeouts(const ScopedFetchTimeouts&) = delete;
    ScopedFetchTimeouts& operator=(const ScopedFetchTimeouts&) = delete;

private:
    FetchTimeouts previous_;
};

}  // namespace velmora
