// m1905电影网: decoded titles lose every "?".
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern =
    R"re(<div class="fl"><a href="(.*?)" target="_blank" class="img_a"><img src="(.*?)" alt="(.*?)")re";
constexpr SiteSearch kSearch{
    12, "m1905电影网", "m1905电影网", KeywordEncoding::Utf8, "/search/?type=&q=", "", kPattern};

class M1905Scraper final : public SiteScraperBase<M1905Scraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void M1905Scraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::A), gbk(kPattern), page))
        appendResultRow(list, {removeAll(decoded(m.group(3)), "?"), m.group(1), label, {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createM1905Scraper() {
    return std::make_unique<M1905Scraper>();
}

}  // namespace velmora
