#include "web/url_parts.h"

namespace velmora {

namespace {

constexpr std::string_view kHttpScheme = "http://";

bool hasHttpScheme(std::string_view address) {
    return address.size() >= kHttpScheme.size() &&
           findTextIgnoreCase(address.substr(0, kHttpScheme.size()), kHttpScheme) == 1;
}

// The host part: after "http://" up to the first "/", or before the first
// "/" of an address without the scheme. Only "/" ends it.
std::string_view hostPart(std::string_view address) {
    if (hasHttpScheme(address)) {
        std::string_view rest = address.substr(kHttpScheme.size());
        return rest.substr(0, rest.find('/'));
    }
    return address.substr(0, address.find('/'));
}

}  // namespace

Text urlHost(std::string_view address) {
    std::string_view host = hostPart(address);
    return toLowerAscii(host.substr(0, host.find(':')));
}

int urlPort(std::string_view address) {
    std::string_view host = hostPart(address);
    std::size_t colon = host.find(':');
    if (colon == std::string_view::npos) return 80;
    // A fraction is dropped and a text without digits reads 0: the leading
    // digits are exactly that number.
    return readLeadingNumber(host.substr(colon + 1));
}

Text urlObjectPath(std::string_view address) {
    // The host is looked for after the scheme: searched from the first
    // byte, a host such as "h" or "tp" would be found inside "http://" and
    // the path would start at the scheme's slashes.
    std::size_t schemeLength = hasHttpScheme(address) ? kHttpScheme.size() : 0;
    Text host = urlHost(address);
    int hostPos = host.empty() ? kNotFound : findTextIgnoreCase(address, host, static_cast<int>(schemeLength) + 1);
    std::size_t from = hostPos == kNotFound ? schemeLength : static_cast<std::size_t>(hostPos - 1);
    std::size_t slash = address.find('/', from);
    if (slash == std::string_view::npos) return "/";
    return Text(address.substr(slash));
}

}  // namespace velmora
