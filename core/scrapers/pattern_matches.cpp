#include "scrapers/pattern_matches.h"

#include <locale>
#include <optional>
#include <string>

namespace velmora {

namespace {

constexpr boost::regex::flag_type kSyntax = boost::regex::perl | boost::regex::icase;
constexpr std::string_view kLazyGroup = "(.*?)";
constexpr std::string_view kMetaCharacters = "\\^$|?*+()[]{}";

using Span = std::pair<std::size_t, std::size_t>;  // begin, end offsets in the page

bool assignPattern(boost::regex& holder, std::string_view pattern) {
    try {
        // The classic locale folds ASCII letters only; GBK bytes are never
        // folded, whatever locale the program runs in.
        holder.imbue(std::locale::classic());
        holder.assign(pattern.data(), pattern.data() + pattern.size(), kSyntax);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Most site patterns are fixed pieces of text joined by lazy "anything"
// groups. For them a match exists from a start point exactly when each
// piece can be found after the one before it, and the earliest place of
// each piece is where the engine's lazy groups stop; so once that chain
// breaks, no later start can match either. Walking the chain is linear,
// whereas the engine tries every later start again and, on a page built to
// defeat it, takes time growing with the square of the page.
class LazyChain {
public:
    // The chain of `pattern`, or nothing when the pattern has any other
    // construct (the engine then does all the work).
    static std::optional<LazyChain> of(std::string_view pattern) {
        LazyChain chain;
        std::size_t pos = 0;
        while (true) {
            std::size_t group = pattern.find(kLazyGroup, pos);
            std::string_view piece =
                pattern.substr(pos, group == std::string_view::npos ? group : group - pos);
            if (piece.find_first_of(kMetaCharacters) != std::string_view::npos) return std::nullopt;
            chain.pieces_.emplace_back(piece);
            if (group == std::string_view::npos) break;
            pos = group + kLazyGroup.size();
        }
        bool allEmpty = true;
        for (const auto& piece : chain.pieces_) allEmpty = allEmpty && piece.empty();
        if (allEmpty) return std::nullopt;  // could match the empty text; leave that to the engine
        return chain;
    }

    // The stretch of the next match at or after `from`, if there is one.
    std::optional<Span> nextMatch(std::string_view page, std::size_t from) const {
        std::size_t start = find(page, pieces_[0], from);
        if (start == std::string_view::npos) return std::nullopt;
        std::size_t end = start + pieces_[0].size();
        for (std::size_t i = 1; i < pieces_.size(); ++i) {
            std::size_t at = find(page, pieces_[i], end);
            if (at == std::string_view::npos) return std::nullopt;
            end = at + pieces_[i].size();
        }
        return Span{start, end};
    }

private:
    // Earliest place of `piece` at or after `from`, compared as the engine
    // does: "." stands for any byte, ASCII letters ignore case.
    static std::size_t find(std::string_view page, const std::string& piece, std::size_t from) {
        if (piece.size() > page.size()) return std::string_view::npos;
        for (std::size_t at = from; at + piece.size() <= page.size(); ++at) {
            std::size_t i = 0;
            while (i < piece.size() && (piece[i] == '.' || asciiLower(page[at + i]) == asciiLower(piece[i])))
                ++i;
            if (i == piece.size()) return at;
        }
        return std::string_view::npos;
    }

    std::vector<std::string> pieces_;
};

PatternMatch toMatch(const boost::match_results<const char*>& m) {
    std::vector<Text> groups;
    groups.reserve(m.size());
    for (std::size_t i = 0; i < m.size(); ++i) groups.push_back(m[i].matched ? m[i].str() : Text());
    return PatternMatch(std::move(groups));
}

void collectAlongChain(const LazyChain& chain, const boost::regex& holder, std::string_view page,
                       std::vector<PatternMatch>& matches) {
    const char* base = page.data();
    std::size_t from = 0;
    while (std::optional<Span> span = chain.nextMatch(page, from)) {
        // The engine reads the groups on exactly that stretch; it agrees
        // with the chain, and if it ever did not, we stop rather than guess.
        boost::match_results<const char*> m;
        if (!boost::regex_search(base + span->first, base + span->second, m, holder,
                                 boost::match_continuous) ||
            m[0].second != base + span->second)
            return;
        matches.push_back(toMatch(m));
        from = span->second;  // never equal to span->first: some piece is not empty
    }
}

void collectWithEngine(const boost::regex& holder, std::string_view page,
                       std::vector<PatternMatch>& matches) {
    boost::regex_iterator<const char*> it(page.data(), page.data() + page.size(), holder);
    for (boost::regex_iterator<const char*> end; it != end; ++it) matches.push_back(toMatch(*it));
}

}  // namespace

Text PatternMatch::group(int n) const {
    if (n < 0 || static_cast<std::size_t>(n) >= groups_.size()) return {};
    return groups_[static_cast<std::size_t>(n)];
}

std::vector<PatternMatch> findAllMatches(boost::regex& holder, std::string_view pattern,
                                         std::string_view page) {
    std::vector<PatternMatch> matches;
    if (!assignPattern(holder, pattern)) return matches;
    try {
        if (std::optional<LazyChain> chain = LazyChain::of(pattern))
            collectAlongChain(*chain, holder, page, matches);
        else
            collectWithEngine(holder, page, matches);
    } catch (const std::exception&) {
        // The engine gave up (its complexity or memory limit): keep what
        // was found before.
    }
    return matches;
}

}  // namespace velmora
