// 迅雷看看网. The class name "reusltbox_list" is the site's own spelling.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern = R"re(<li class="reusltbox_list">(.*?)href="(.*?)"(.*?)alt="(.*?)")re";
constexpr SiteSearch kSearch{
    9, "迅雷看看网", "迅雷看看网", KeywordEncoding::Utf8, "/search.php?keyword=", "/", kPattern};

class KankanScraper final : public SiteScraperBase<KankanScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void KankanScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::A), gbk(kPattern), page))
        appendResultRow(list, {decoded(m.group(4)), m.group(2), label, {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createKankanScraper() {
    return std::make_unique<KankanScraper>();
}

}  // namespace velmora
