// The four compiled-pattern holders the scrapers share (A for the online
// play, QVOD and Baidu Yingyin sites, B for video download, C for mobile
// films, D for MTV). Every parse assigns its own pattern before matching,
// so no holder carries anything a later parse relies on.
//
// The desktop program creates them at start, after its other program-wide
// objects, and releases them at the end; anything that scrapes before that
// (tests, the command-line tool) gets them created on first use. Only one
// search worker uses them at a time, so they are not locked.
#pragma once

#include <boost/regex.hpp>

namespace velmora {

enum class ScraperRegexSlot { A, B, C, D };

// Creates the four empty holders in the order A, B, C, D (no-op when they
// exist).
void createScraperRegexes();
// Destroys them in the order A, B, C, D.
void releaseScraperRegexes();
// The holder of `slot`, created on first use.
boost::regex& scraperRegex(ScraperRegexSlot slot);

}  // namespace velmora
