#include "scrapers/site_pipeline.h"

#include "settings/host_settings.h"
#include "text/codepage.h"
#include "web/encoders.h"
#include "web/fetch.h"

namespace velmora {

namespace {

thread_local SearchStats threadStats;

// The UTF-8 encoder lets the space and other control bytes through; in a
// request target they would break the request line, so they go escaped.
Text escapeForRequestTarget(std::string_view encoded) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    Text out;
    out.reserve(encoded.size());
    for (char ch : encoded) {
        auto c = static_cast<unsigned char>(ch);
        if (c <= 0x20 || c == 0x7F) {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0x0F]);
        } else {
            out.push_back(ch);
        }
    }
    return out;
}

}  // namespace

Text PipelineScraper::siteHost() const {
    const SiteSearch& site = siteSearch();
    return hostSettings().site.at(static_cast<std::size_t>(site.index));
}

Text PipelineScraper::searchAddress(const Text& keyword) const {
    const SiteSearch& site = siteSearch();
    Text encoded =
        site.encoding == KeywordEncoding::Gbk ? percentEncodeGbk(keyword) : percentEncodeUtf8(keyword);
    return baseAddress(siteHost()) + site.path + escapeForRequestTarget(encoded) + site.suffix;
}

void PipelineScraper::search(const Text& keyword, ResultList& list) const {
    threadStats = {};
    try {
        Text page = fetchPage(searchAddress(keyword));
        threadStats.pageBytes = page.size();
        page = preparePage(std::move(page));
        parse(page, list);
    } catch (const std::exception&) {
        // A site reports no error: whatever failed adds no further row.
    }
}

SearchStats lastSearchStats() {
    return threadStats;
}
void resetLastSearchStats() {
    threadStats = {};
}

void appendResultRow(ResultList& list, const RowCells& cells) {
    int row = list.appendRow(cells.title);
    if (row < 0) return;
    list.setCell(row, LinkColumn, cells.link);
    list.setCell(row, SiteColumn, cells.site);
    if (cells.extra) list.setCell(row, ExtraColumn, *cells.extra);
}

}  // namespace velmora
