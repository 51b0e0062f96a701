// 我乐网 (56网). The pattern ends with one space after its last quote.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern =
    R"re(<div class="cover">(.*?)<a target="_blank" href="(.*?)" class="img"><img alt="(.*?)" )re";
constexpr SiteSearch kSearch{3, "我乐网", "56网", KeywordEncoding::Utf8, "/video/", "/", kPattern};

class WoleScraper final : public SiteScraperBase<WoleScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void WoleScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::A), gbk(kPattern), page))
        appendResultRow(list, {decoded(m.group(3)), m.group(2), label, {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createWoleScraper() {
    return std::make_unique<WoleScraper>();
}

}  // namespace velmora
