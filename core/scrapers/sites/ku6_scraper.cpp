// 酷6网: the title is followed by the text of the thumbnail's caption.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern =
    R"re(<dl><dt><span class="shadow">(.*?)</span><a target="show_v" href="(.*?)" title='(.*?)'>)re";
constexpr SiteSearch kSearch{10, "酷6网", "酷6网", KeywordEncoding::Utf8, "/jc/q", "", kPattern};

class Ku6Scraper final : public SiteScraperBase<Ku6Scraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void Ku6Scraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::A), gbk(kPattern), page))
        appendResultRow(list, {m.group(3) + m.group(1), m.group(2), label, {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createKu6Scraper() {
    return std::make_unique<Ku6Scraper>();
}

}  // namespace velmora
