// 电影天堂: the searched word comes wrapped in a red font tag; the opening
// tags go with the page, the closing ones with the matched texts.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern =
    R"re(<td width='55%'><b><a href='(.*?)'>(.*?)</a></b></td>(.*?)<td height="56" colspan='3'>(.*?)<font color='#8F8C89'>)re";
constexpr SiteSearch kSearch{
    16, "电影天堂", "电影天堂", KeywordEncoding::Gbk, "/plus/search.php?kwtype=0&keyword=", "", kPattern};

class DyttScraper final : public SiteScraperBase<DyttScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;

protected:
    Text preparePage(Text page) const override { return removeAll(page, "<font color='red'>"); }
};

void DyttScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    const Text host = siteHost();
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::B), gbk(kPattern), page))
        appendResultRow(list, {removeAll(m.group(2), "</font>"), prefixWithHost(host, m.group(1)), label,
                               firstExtraBytes(removeEach(m.group(4), {"</font>", " "}))});
}

}  // namespace

std::unique_ptr<SiteScraper> createDyttScraper() {
    return std::make_unique<DyttScraper>();
}

}  // namespace velmora
