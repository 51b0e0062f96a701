// The program-wide objects: created once at start, in a fixed order,
// and released once when the program ends.
#pragma once

#include <cstdint>

#include "scrapers/scraper_table.h"

namespace velmora {

// The mode whose sites the next search run visits: 0 until the main
// window is created, then always a SearchMode code. User-interface thread
// only; a run takes its mode when it starts.
extern std::int32_t currentSearchMode;

void createGlobalObjects();
// Safe to call more than once; only the first call after a creation acts.
void releaseGlobalObjects();

// The 23 scrapers; valid between createGlobalObjects and releaseGlobalObjects.
const ScraperTable& scraperTable();

}  // namespace velmora
