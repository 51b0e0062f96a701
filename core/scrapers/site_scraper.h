// SiteScraper: one object per website. No data members: an object is
// nothing but its class, and keeps no state between calls.
#pragma once

#include <memory>

#include "scrapers/result_list.h"

namespace velmora {

class SiteScraper {
public:
    virtual ~SiteScraper() = default;
    virtual std::unique_ptr<SiteScraper> clone() const = 0;
    // The whole search of one site: encode, build the address, fetch,
    // prepare the page and call parse through this object's own slot.
    // Never throws; a failure adds no row.
    virtual void search(const Text& keyword, ResultList& list) const = 0;
    // Turns a prepared page into rows appended to `list`.
    virtual void parse(const Text& page, ResultList& list) const = 0;

protected:
    SiteScraper() = default;
    SiteScraper(const SiteScraper&) = default;
    SiteScraper& operator=(const SiteScraper&) = default;
};

}  // namespace velmora
