// 3G生活网: searched in GBK, its titles are UTF-8.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern =
    R"re(<li class="img">(.*?)<a href="(.*?)" title="(.*?)"(.*?)<li class="tlt">)re";
constexpr SiteSearch kSearch{
    19, "3G生活网", "3G生活网", KeywordEncoding::Gbk, "/default.php?ac=movie&op=lists&q=", "", kPattern};

class Shenghuo3gScraper final : public SiteScraperBase<Shenghuo3gScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void Shenghuo3gScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::C), gbk(kPattern), page))
        appendResultRow(list, {removeAll(decoded(m.group(3)), "?"), m.group(2), label, {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createShenghuo3gScraper() {
    return std::make_unique<Shenghuo3gScraper>();
}

}  // namespace velmora
