#include "scrapers/scraper_regexes.h"

#include <array>
#include <memory>

namespace velmora {

namespace {

std::array<std::unique_ptr<boost::regex>, 4>& holders() {
    static std::array<std::unique_ptr<boost::regex>, 4> slots;
    return slots;
}

}  // namespace

void createScraperRegexes() {
    for (auto& holder : holders())
        if (!holder) holder = std::make_unique<boost::regex>();
}

void releaseScraperRegexes() {
    for (auto& holder : holders()) holder.reset();
}

boost::regex& scraperRegex(ScraperRegexSlot slot) {
    auto& holder = holders()[static_cast<std::size_t>(slot)];
    if (!holder) holder = std::make_unique<boost::regex>();
    return *holder;
}

}  // namespace velmora
