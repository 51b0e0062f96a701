#include "dj/dj_regex.h"

#include <algorithm>
#include <stdexcept>

namespace velmora {

namespace {

constexpr std::string_view kLazyGroup = "(.*?)";
constexpr std::string_view kRegexSpecials = "\\^$.|?*+()[]{}";

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The plain texts between the lazy groups, lower-cased; nothing when the
// pattern has any other construct or an empty text between two groups.
std::vector<Text> lazyGroupLiterals(std::string_view pattern) {
    std::vector<Text> literals;
    std::size_t start = 0;
    while (true) {
        std::size_t group = pattern.find(kLazyGroup, start);
        std::string_view part =
            pattern.substr(start, group == std::string_view::npos ? group : group - start);
        if (part.empty() || part.find_first_of(kRegexSpecials) != std::string_view::npos) return {};
        literals.push_back(toLowerAscii(part));
        if (group == std::string_view::npos) return literals;
        start = group + kLazyGroup.size();
    }
}

// Byte-wise, ASCII letters without regard to case: as the engine compares.
std::size_t findLower(const Text& page, const Text& lowerNeedle, std::size_t from) {
    auto it = std::search(page.begin() + static_cast<std::ptrdiff_t>(from), page.end(), lowerNeedle.begin(),
                          lowerNeedle.end(), [](char a, char b) { return lowerAscii(a) == b; });
    return it == page.end() ? Text::npos : static_cast<std::size_t>(it - page.begin());
}

}  // namespace

bool DjRegex::assign(std::string_view pattern) {
    assigned_ = false;
    lowerLiterals_.clear();
    try {
        regex_.assign(pattern.begin(), pattern.end(),
                      boost::regex::perl | boost::regex::icase | boost::regex::mod_s);
        assigned_ = true;
        lowerLiterals_ = lazyGroupLiterals(pattern);
    } catch (const std::exception&) {
        regex_ = boost::regex();
    }
    return assigned_;
}

std::size_t DjRegex::nextPossibleMatch(const Text& page, std::size_t from) const {
    if (lowerLiterals_.empty()) return from;
    std::size_t first = findLower(page, lowerLiterals_.front(), from);
    std::size_t at = first;
    for (const Text& literal : lowerLiterals_) {
        if (at == Text::npos) return Text::npos;
        at = findLower(page, literal, at);
        if (at != Text::npos) at += literal.size();
    }
    return at == Text::npos ? Text::npos : first;
}

std::vector<DjMatch> DjRegex::findAll(const Text& page) const {
    std::vector<DjMatch> matches;
    if (!assigned_) return matches;
    std::size_t from = 0;
    try {
        while (from <= page.size()) {
            std::size_t start = nextPossibleMatch(page, from);
            if (start == Text::npos) break;
            boost::smatch m;
            auto flags = start > 0 ? boost::match_default | boost::match_prev_avail : boost::match_default;
            if (!boost::regex_search(page.begin() + static_cast<std::ptrdiff_t>(start), page.end(), m, regex_,
                                     flags))
                break;
            DjMatch groups;
            groups.reserve(m.size());
            for (std::size_t g = 0; g < m.size(); ++g) groups.push_back(m[g].matched ? m[g].str() : Text());
            matches.push_back(std::move(groups));
            std::size_t end = static_cast<std::size_t>(m[0].second - page.begin());
            // An empty match must not stall the search on one position.
            from = end > start || m[0].length() > 0 ? end : end + 1;
        }
    } catch (const std::exception&) {
        // Complexity or memory bound of the engine: keep what was found.
    }
    return matches;
}

}  // namespace velmora
