// 乐视网: the page writes its titles percent-escaped, so the whole page is
// decoded before matching. Two spaces before "target", as the site writes them.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern = R"re(<h1 class="fl"><a href="(.*?)" title="(.*?)"  target="_blank">)re";
constexpr SiteSearch kSearch{7, "乐视网", "乐视网", KeywordEncoding::Utf8, "/s?wd=", "", kPattern};

class LetvScraper final : public SiteScraperBase<LetvScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;

protected:
    Text preparePage(Text page) const override { return decoded(page); }
};

void LetvScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::A), gbk(kPattern), page))
        appendResultRow(list, {m.group(2), m.group(1), label, {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createLetvScraper() {
    return std::make_unique<LetvScraper>();
}

}  // namespace velmora
