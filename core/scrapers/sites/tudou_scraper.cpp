// 土豆网: searched in UTF-8, titles taken as the page writes them.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern =
    R"re(<a id="a_1_1" target="_blank" title="(.*?)" href="(.*?)" class="inner">)re";
constexpr SiteSearch kSearch{5, "土豆网", "土豆网", KeywordEncoding::Utf8, "/nisearch/", "", kPattern};

class TudouScraper final : public SiteScraperBase<TudouScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void TudouScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::A), gbk(kPattern), page))
        appendResultRow(list, {m.group(1), m.group(2), label, {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createTudouScraper() {
    return std::make_unique<TudouScraper>();
}

}  // namespace velmora
