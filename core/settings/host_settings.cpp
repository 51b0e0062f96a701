#include "settings/host_settings.h"

#include <fstream>
#include <mutex>
#include <sstream>
#include <vector>

namespace velmora {

namespace {

std::mutex& settingsMutex() {
    static std::mutex m;
    return m;
}

HostSettings& currentSettings() {
    static HostSettings settings = HostSettings::defaults();
    return settings;
}

// Every key with the field it names, in the order the settings are written.
std::vector<std::pair<std::string, Text HostSettings::*>> namedFields() {
    return {{"site.1.film-host", &HostSettings::shuangshiFilmHost},
            {"site.8.video-host", &HostSettings::youkuVideoHost},
            {"dj", &HostSettings::dj},
            {"home", &HostSettings::home},
            {"feedback", &HostSettings::feedback},
            {"sponsor", &HostSettings::sponsor}};
}

Text* fieldFor(HostSettings& settings, const std::string& key) {
    if (key.rfind("site.", 0) == 0) {
        std::string number = key.substr(5);
        if (!number.empty() && number.size() <= 2 &&
            number.find_first_not_of("0123456789") == std::string::npos &&
            !(number.size() == 2 && number[0] == '0')) {
            int index = std::stoi(number);
            if (index < kSiteCount) return &settings.site[static_cast<std::size_t>(index)];
        }
    }
    for (const auto& [name, field] : namedFields())
        if (name == key) return &(settings.*field);
    return nullptr;
}

std::string trim(const std::string& s) {
    const char* blanks = " \t\r";
    std::size_t first = s.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

// "name" or "name:port": letters, digits, dots, hyphens and underscores,
// then a port of 1 to 65535. Anything else would change the addresses
// built from it (a path, a user name, a second host).
bool isHostAndPort(const std::string& value) {
    std::size_t colon = value.find(':');
    std::string name = value.substr(0, colon);
    if (name.empty()) return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
              c == '-' || c == '_'))
            return false;
    if (colon == std::string::npos) return true;
    std::string port = value.substr(colon + 1);
    if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
        return false;
    int number = std::stoi(port);
    return number >= 1 && number <= 65535;
}

}  // namespace

HostSettings HostSettings::defaults() {
    HostSettings s;
    // The search host of each site as the sites served them; the product's
    // own hosts sit under a reserved example domain, as it has no site.
    s.site = {"www.xunbo.cc", "www.ssdy.cc",       "so.pps.tv",        "so.56.com",
              "so.iqiyi.com", "so.tudou.com",      "so.tv.sohu.com",   "so.letv.com",
              "www.soku.com", "search.kankan.com", "so.ku6.com",       "search.pptv.com",
              "www.1905.com", "www.3444.cc",       "www.kuaibo.com",   "www.dieminwang.com",
              "s.dydytt.net", "www.piaohua.com",   "www.fangfang.tv",  "www.3gsh.com",
              "www.7060.com", "www.zhuzhu.cc",     "www.yinyuetai.com"};
    s.shuangshiFilmHost = "www.ssdy.cc";
    s.youkuVideoHost = "v.youku.com";
    s.dj = "www.dj97.com";
    s.home = "www.velmora.example";
    s.feedback = "bbs.velmora.example";
    s.sponsor = "ad.velmora.example";
    return s;
}

HostSettings hostSettings() {
    std::lock_guard lock(settingsMutex());
    return currentSettings();
}

void setHostSettings(const HostSettings& settings) {
    std::lock_guard lock(settingsMutex());
    currentSettings() = settings;
}

std::optional<HostSettings> parseHostSettings(const std::string& content, std::string* error) {
    HostSettings settings = HostSettings::defaults();
    std::istringstream lines(content);
    std::string line;
    int lineNumber = 0;
    auto fail = [&](const std::string& why) -> std::optional<HostSettings> {
        if (error) *error = "line " + std::to_string(lineNumber) + ": " + why;
        return std::nullopt;
    };
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (std::size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        line = trim(line);
        if (line.empty()) continue;
        std::size_t eq = line.find('=');
        if (eq == std::string::npos) return fail("expected 'key = value'");
        std::string key = trim(line.substr(0, eq));
        std::string value = trim(line.substr(eq + 1));
        if (key.empty() || value.empty()) return fail("expected 'key = value'");
        if (!isHostAndPort(value))
            return fail("'" + value + "' is not a host: name[:port], no scheme or path");
        Text* field = fieldFor(settings, key);
        if (!field) return fail("unknown key '" + key + "'");
        *field = value;
    }
    return settings;
}

std::optional<HostSettings> loadHostSettingsFile(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = "cannot read settings file '" + path + "'";
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    std::optional<HostSettings> settings = parseHostSettings(content.str(), error);
    if (!settings && error) *error = path + ": " + *error;
    return settings;
}

std::string formatHostSettings(const HostSettings& settings) {
    std::string out;
    for (int i = 0; i < kSiteCount; ++i)
        out += "site." + std::to_string(i) + " = " + settings.site[static_cast<std::size_t>(i)] + "\n";
    for (const auto& [name, field] : namedFields()) out += name + " = " + settings.*field + "\n";
    return out;
}

Text baseAddress(const Text& host) {
    return "http://" + host;
}

}  // namespace velmora
