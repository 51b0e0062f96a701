// 搜狐网: links are site-relative.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern =
    R"re(<a class="img" (.*?)href="(.*?)" target="_blank"><img (.*?)alt="(.*?)"(.*?)</a>)re";
constexpr SiteSearch kSearch{6, "搜狐网", "搜狐网", KeywordEncoding::Gbk, "/mts?wd=", "", kPattern};

class SohuScraper final : public SiteScraperBase<SohuScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void SohuScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    const Text host = siteHost();
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::A), gbk(kPattern), page))
        appendResultRow(list, {m.group(4), prefixWithHost(host, m.group(2)), label, {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createSohuScraper() {
    return std::make_unique<SohuScraper>();
}

}  // namespace velmora
