// 碟民网, the Baidu Yingyin resource site.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern = R"re(<li>(.*?)<h2><a href="(.*?)" title="(.*?)">(.*?)</a></h2>(.*?)</li>)re";
constexpr SiteSearch kSearch{
    15, "碟民网", "碟民网", KeywordEncoding::Gbk, "/search.asp?searchword=", "", kPattern};

class DieminScraper final : public SiteScraperBase<DieminScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void DieminScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::A), gbk(kPattern), page))
        appendResultRow(list, {m.group(3), m.group(2), label, {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createDieminScraper() {
    return std::make_unique<DieminScraper>();
}

}  // namespace velmora
