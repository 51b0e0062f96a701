#include "scrapers/scraper_table.h"

#include "scrapers/site_pipeline.h"
#include "scrapers/sites/shuangshi_scraper.h"
#include "scrapers/sites/site_factories.h"
#include "scrapers/sites/xunbo_scraper.h"
#include "scrapers/stoppable_result_list.h"
#include "settings/host_settings.h"
#include "text/codepage.h"
#include "web/fetch.h"

namespace velmora {

namespace {

// Counts the rows a site got into the list.
class RowCountingList final : public ResultList {
public:
    explicit RowCountingList(ResultList& target) : target_(target) {}
    int appendRow(const Text& title) override {
        int row = target_.appendRow(title);
        if (row >= 0) ++rows_;
        return row;
    }
    void setCell(int row, int column, const Text& text) override { target_.setCell(row, column, text); }
    int rows() const { return rows_; }

private:
    ResultList& target_;
    int rows_ = 0;
};

SiteVerdict verdictFor(const SiteReport& report, const std::stop_token& stop) {
    if (stop.stop_requested()) return SiteVerdict::Cancelled;
    if (report.pageBytes == 0) return SiteVerdict::FetchFailed;
    if (report.rows == 0) return SiteVerdict::NoResults;
    return SiteVerdict::Ok;
}

}  // namespace

ScraperTable createScraperTable() {
    ScraperTable table;
    table.reserve(kSiteCount);
    table.push_back(std::make_unique<XunboScraper>());
    table.push_back(std::make_unique<ShuangshiScraper>());
    table.push_back(createPpsScraper());
    table.push_back(createWoleScraper());
    table.push_back(createQiyiScraper());
    table.push_back(createTudouScraper());
    table.push_back(createSohuScraper());
    table.push_back(createLetvScraper());
    table.push_back(createYoukuScraper());
    table.push_back(createKankanScraper());
    table.push_back(createKu6Scraper());
    table.push_back(createPptvScraper());
    table.push_back(createM1905Scraper());
    table.push_back(createKuaibo3444Scraper());
    table.push_back(createKuaiboSearchScraper());
    table.push_back(createDieminScraper());
    table.push_back(createDyttScraper());
    table.push_back(createPiaohuaScraper());
    table.push_back(createFangfangScraper());
    table.push_back(createShenghuo3gScraper());
    table.push_back(createMobile7060Scraper());
    table.push_back(createZhuzhuScraper());
    table.push_back(createMtvHdScraper());
    return table;
}

const char* verdictName(SiteVerdict verdict) {
    switch (verdict) {
        case SiteVerdict::Ok:
            return "ok";
        case SiteVerdict::NoResults:
            return "no-results";
        case SiteVerdict::FetchFailed:
            return "fetch-failed";
        case SiteVerdict::Cancelled:
            return "cancelled";
    }
    return "ok";
}

void runModeSites(const ScraperTable& table, std::int32_t mode, ModeRunHooks& hooks, ResultList& list,
                  std::stop_token stop) {
    ScopedFetchStopToken fetchStop(stop);
    StoppableResultList guardedList(list, stop);
    for (const WorkerSite& site : workerSites(mode)) {
        if (stop.stop_requested()) return;
        auto index = static_cast<std::size_t>(site.scraperIndex);
        if (index >= table.size() || !table[index]) continue;

        hooks.showStatus(gbk(site.statusTextUtf8));
        Text keyword = hooks.readKeyword();

        RowCountingList countedList(guardedList);
        auto started = std::chrono::steady_clock::now();
        resetLastSearchStats();
        table[index]->search(keyword, countedList);

        SiteReport report;
        report.scraperIndex = site.scraperIndex;
        report.statusText = gbk(site.statusTextUtf8);
        report.elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
        report.pageBytes = lastSearchStats().pageBytes;
        report.rows = countedList.rows();
        report.verdict = verdictFor(report, stop);
        hooks.siteFinished(report);
    }
}

}  // namespace velmora
