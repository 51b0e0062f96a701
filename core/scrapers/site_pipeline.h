// The pipeline every site scraper follows: encode the keyword, build the
// search address from the site's host setting, fetch, prepare the page,
// and parse it through the object's own slot. A site class says only what
// is its own: its search values, its page preparation and its parse.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>

#include "scrapers/pattern_matches.h"
#include "scrapers/scraper_regexes.h"
#include "scrapers/site_scraper.h"

namespace velmora {

enum class KeywordEncoding { Gbk, Utf8 };

// A site's own search values.
struct SiteSearch {
    int index;              // place in the scraper table and in the host settings ("site.N")
    const char* nameUtf8;   // the site's name, such as "PPS视频网"
    const char* labelUtf8;  // column 2 of its rows, "" when taken from each result
    KeywordEncoding encoding;
    const char* path;     // what follows the host, before the keyword
    const char* suffix;   // what follows the keyword
    const char* pattern;  // cuts the page into rows (UTF-8 source text; matched as GBK)
};

class PipelineScraper : public SiteScraper {
public:
    void search(const Text& keyword, ResultList& list) const override;

    virtual const SiteSearch& siteSearch() const = 0;

    // "http://" + the site's host setting + path + encoded keyword + suffix.
    Text searchAddress(const Text& keyword) const;
    // The site's host setting as it stands now.
    Text siteHost() const;

protected:
    // Cuts, cleans or decodes the fetched page; most sites keep it whole.
    virtual Text preparePage(Text page) const { return page; }
};

// Gives a site class its clone.
template <class Site>
class SiteScraperBase : public PipelineScraper {
public:
    std::unique_ptr<SiteScraper> clone() const override {
        return std::make_unique<Site>(static_cast<const Site&>(*this));
    }
};

// What the last search on the calling thread fetched; search() itself
// returns nothing, and the run reports page sizes from here.
struct SearchStats {
    std::size_t pageBytes = 0;  // as fetched, before preparation
};
SearchStats lastSearchStats();
void resetLastSearchStats();

// The cells of one row as a site's parse produced them.
struct RowCells {
    Text title;
    Text link;
    Text site;
    std::optional<Text> extra;  // column 3 only for the sites that write it
};

// Appends the row and sets its cells in column order; a list that refuses
// the row (a stopped run) gets no cells.
void appendResultRow(ResultList& list, const RowCells& cells);

}  // namespace velmora
