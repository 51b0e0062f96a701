// PPTV网: the search path puts a "+" before the keyword.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern = R"re(<div class="movie_thumb">(.*?)<a href="(.*?)" title="(.*?)")re";
constexpr SiteSearch kSearch{11, "PPTV网", "pptv网", KeywordEncoding::Utf8, "/s_video/q_+", "", kPattern};

class PptvScraper final : public SiteScraperBase<PptvScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void PptvScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::A), gbk(kPattern), page))
        appendResultRow(list, {removeAll(decoded(m.group(3)), "?"), m.group(2), label, {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createPptvScraper() {
    return std::make_unique<PptvScraper>();
}

}  // namespace velmora
