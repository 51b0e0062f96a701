// Finding every match of a site pattern in a page, the way all scrapers
// (and the DJ browser, with its own holder) do it: Perl syntax,
// case-insensitive for ASCII letters only, "." matching line breaks too,
// matches taken left to right without overlap, all of them collected
// before anyone turns them into rows.
#pragma once

#include <string_view>
#include <vector>

#include <boost/regex.hpp>

#include "text/text.h"

namespace velmora {

class PatternMatch {
public:
    explicit PatternMatch(std::vector<Text> groups) : groups_(std::move(groups)) {}
    // Group n of the match (0 is the whole match); a group that took no
    // part, or that the pattern does not have, reads as the empty text.
    Text group(int n) const;
    // Group 0 and every numbered group of the pattern.
    std::size_t groupCount() const { return groups_.size(); }

private:
    std::vector<Text> groups_;
};

// Assigns `pattern` (GBK bytes) to `holder` and returns every match in
// `page`. A pattern that does not compile gives no match. A page on which
// the engine gives up part-way gives the matches found before that point.
// Never throws.
std::vector<PatternMatch> findAllMatches(boost::regex& holder, std::string_view pattern,
                                         std::string_view page);

}  // namespace velmora
