#include "dj/dj_regex.h"

#include <stdexcept>

#include "scrapers/pattern_matches.h"

namespace velmora {

bool DjRegex::assign(std::string_view pattern) {
    assigned_ = false;
    pattern_.clear();
    try {
        regex_.assign(pattern.begin(), pattern.end(), boost::regex::perl | boost::regex::icase);
        pattern_ = Text(pattern);
        assigned_ = true;
    } catch (const std::exception&) {
        regex_ = boost::regex();
    }
    return assigned_;
}

std::vector<DjMatch> DjRegex::findAll(const Text& page) const {
    std::vector<DjMatch> matches;
    if (!assigned_) return matches;
    for (const PatternMatch& m : findAllMatches(regex_, pattern_, page)) {
        DjMatch groups;
        groups.reserve(m.groupCount());
        for (std::size_t g = 0; g < m.groupCount(); ++g) groups.push_back(m.group(static_cast<int>(g)));
        matches.push_back(std::move(groups));
    }
    return matches;
}

}  // namespace velmora
