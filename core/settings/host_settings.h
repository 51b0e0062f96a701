// Host settings: every outside address is one of these hosts plus a fixed
// path. A host is "name[:port]" without a scheme and is used exactly as
// written, port included.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "text/text.h"

namespace velmora {

inline constexpr int kSiteCount = 23;

struct HostSettings {
    std::array<Text, kSiteCount> site;  // search host of each scraper, "site.N"
    Text shuangshiFilmHost;             // "site.1.film-host": 双视电影网's film pages
    Text youkuVideoHost;                // "site.8.video-host": tested against 优酷网 links
    Text dj;                            // "dj": the music site
    Text home;                          // "home": homeSiteHost
    Text feedback;                      // "feedback": feedbackSiteHost
    Text sponsor;                       // "sponsor": sponsorSiteHost

    static HostSettings defaults();
    bool operator==(const HostSettings&) const = default;
};

// The settings in force (the built-in defaults unless replaced). Safe to
// call from any thread; returns a copy.
HostSettings hostSettings();
// Replaces them; for the command-line tool and tests only.
void setHostSettings(const HostSettings& settings);

// Reads "key = value" lines (# starts a comment) over the defaults. On an
// unknown key or a malformed line (including a value that is not
// "name[:port]") returns nothing and sets `error` to a message that names
// the line.
std::optional<HostSettings> parseHostSettings(const std::string& content, std::string* error);
std::optional<HostSettings> loadHostSettingsFile(const std::string& path, std::string* error);
// The settings as "key = value" lines, in the format parseHostSettings reads.
std::string formatHostSettings(const HostSettings& settings);

// "http://" + host: the base address put before site-relative links.
Text baseAddress(const Text& host);

}  // namespace velmora
