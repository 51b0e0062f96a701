// 奇艺网: titles are percent-escaped UTF-8 and keep their "?".
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern = R"re(<dt><a href="(.*?)" class="(.*?)title="(.*?)")re";
constexpr SiteSearch kSearch{4, "奇艺网", "奇艺网", KeywordEncoding::Utf8, "/so/q_", "", kPattern};

class QiyiScraper final : public SiteScraperBase<QiyiScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void QiyiScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::A), gbk(kPattern), page))
        appendResultRow(list, {decoded(m.group(3)), m.group(1), label, {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createQiyiScraper() {
    return std::make_unique<QiyiScraper>();
}

}  // namespace velmora
