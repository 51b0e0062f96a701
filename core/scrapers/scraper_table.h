// The scraper table: the 23 site scrapers in creation (index) order, and
// the run of one search mode's sites over them.
#pragma once

#include <chrono>
#include <memory>
#include <stop_token>
#include <vector>

#include "scrapers/search_modes.h"
#include "scrapers/site_scraper.h"

namespace velmora {

using ScraperTable = std::vector<std::unique_ptr<SiteScraper>>;

// Creates the 23 scrapers in index order.
ScraperTable createScraperTable();

// ok: rows found; no-results: a page came but nothing matched;
// fetch-failed: the page was empty; cancelled: the run was stopped during
// the site.
enum class SiteVerdict { Ok, NoResults, FetchFailed, Cancelled };

// "ok", "no-results", "fetch-failed", "cancelled".
const char* verdictName(SiteVerdict verdict);

struct SiteReport {
    int scraperIndex = 0;
    Text statusText;  // GBK
    std::chrono::milliseconds elapsed{0};
    std::size_t pageBytes = 0;
    int rows = 0;
    SiteVerdict verdict = SiteVerdict::Ok;
};

// What a mode run asks of whoever shows it (the main window, the CLI).
class ModeRunHooks {
public:
    virtual ~ModeRunHooks() = default;
    // Called before each site with its status text ("正在挖掘优酷网").
    virtual void showStatus(const Text& statusText) = 0;
    // The keyword, read afresh for every site.
    virtual Text readKeyword() = 0;
    // Called after each site, also when it was cancelled.
    virtual void siteFinished(const SiteReport&) {}
};

// Visits the sites of `mode` in worker-table order: status text, keyword,
// search. A stop requested through `stop` ends it before the next site,
// row or cell and aborts the fetch in flight. It neither empties `list`
// first nor finishes the run afterwards: the caller does both.
void runModeSites(const ScraperTable& table, std::int32_t mode, ModeRunHooks& hooks, ResultList& list,
                  std::stop_token stop);

}  // namespace velmora
