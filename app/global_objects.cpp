#include "global_objects.h"

#include <memory>

#include "dj/dj_globals.h"
#include "scrapers/scraper_regexes.h"

namespace velmora {

std::int32_t currentSearchMode = 0;

namespace {
std::unique_ptr<ScraperTable> scrapers;
}  // namespace

void createGlobalObjects() {
    // The 23 scrapers in table order.
    scrapers = std::make_unique<ScraperTable>(createScraperTable());
    // The DJ browser's djRegex and djPlayer.
    createDjGlobals();
    // The scrapers' shared regex objects, A to D.
    createScraperRegexes();
}

void releaseGlobalObjects() {
    if (!scrapers) return;
    // Scrapers in table order, each destroyed on its own.
    for (auto& scraper : *scrapers) scraper.reset();
    scrapers.reset();
    // The DJ browser's currentTrackAddress, djRegex, djPlayer and
    // currentCategoryPrefix, while the application still exists.
    releaseDjGlobals();
    releaseScraperRegexes();
}

const ScraperTable& scraperTable() {
    return *scrapers;
}

}  // namespace velmora
