// 飘花资源: the searched word comes wrapped in a red font tag; the opening
// tags go with the page, the closing ones with the matched texts. The
// pattern begins with one space.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern =
    R"re( <li><a href="(.*?)"><img src="(.*?)" alt="(.*?)" width="120" height="150" class="img" /></a>(.*?)</a><br />(.*?)<br /></span>)re";
constexpr SiteSearch kSearch{
    17, "飘花资源", "飘花资源", KeywordEncoding::Gbk, "/plus/search.php?kwtype=0&keyword=", "", kPattern};

class PiaohuaScraper final : public SiteScraperBase<PiaohuaScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;

protected:
    Text preparePage(Text page) const override { return removeAll(page, "<font color='red'>"); }
};

void PiaohuaScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::B), gbk(kPattern), page))
        appendResultRow(list, {removeAll(m.group(3), "</font>"), m.group(1), label,
                               firstExtraBytes(removeEach(m.group(5), {"</font>", " "}))});
}

}  // namespace

std::unique_ptr<SiteScraper> createPiaohuaScraper() {
    return std::make_unique<PiaohuaScraper>();
}

}  // namespace velmora
