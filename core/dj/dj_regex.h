// djRegex: the DJ browser's own compiled-pattern holder. Every use assigns
// its pattern anew, so nothing relies on what an earlier use left in it.
#pragma once

#include <string_view>
#include <vector>

#include <boost/regex.hpp>

#include "text/text.h"

namespace velmora {

// One match: the texts of group 0 (the whole match) and of every numbered
// group; a group that took no part in the match holds the empty text.
using DjMatch = std::vector<Text>;

class DjRegex {
public:
    // Compiles `pattern` in Perl syntax, case-insensitive, "." matching line
    // breaks. False (and the holder emptied) when it cannot be compiled.
    bool assign(std::string_view pattern);
    bool empty() const { return !assigned_; }

    // Every match of the assigned pattern in `page`, in page order, each
    // search starting where the previous match ended, found the way the
    // scrapers find theirs (bounded on pages built to defeat the engine).
    // All of them are collected before the caller sees any.
    std::vector<DjMatch> findAll(const Text& page) const;

private:
    mutable boost::regex regex_;
    Text pattern_;
    bool assigned_ = false;
};

}  // namespace velmora
