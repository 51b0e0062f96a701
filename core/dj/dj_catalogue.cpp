#include "dj/dj_catalogue.h"

#include "settings/host_settings.h"
#include "text/codepage.h"
#include "web/fetch.h"

namespace velmora {

const std::string_view kDjListPattern =
    "<ul><li class=\"wq_2\">(.*?)<a href=(.*?) onClick='(.*?)'>(.*?)</a>(.*?)class=\"wq_4\">(.*?)</li>"
    "(.*?)class=\"wq_8\">(.*?)target=_blank>(.*?)</a>";

const std::vector<DjCategory>& djCategories() {
    static const std::vector<DjCategory> categories = {
        {gbk("串烧舞曲"), 826, "/dance/sort/Kushiyaki_"}, {gbk("中文舞曲"), 873, "/dance/sort/chinese_"},
        {gbk("国外舞曲"), 1329, "/dance/sort/foreign_"},  {gbk("原创舞曲"), 165, "/dance/sort/remix_"},
        {gbk("推荐舞曲"), 320, "/dance/sort/recommend_"},
    };
    return categories;
}

const DjCategory* findDjCategory(std::string_view name) {
    for (const DjCategory& category : djCategories())
        if (category.name == name) return &category;
    return nullptr;
}

Text djBaseAddress() {
    return baseAddress(hostSettings().dj);
}

Text djCategoryPrefix(const DjCategory& category) {
    return djBaseAddress() + category.pathPrefix;
}

Text djListPageAddress(std::string_view categoryPrefix, int page) {
    return Text(categoryPrefix) + std::to_string(page) + ".html";
}

std::optional<std::vector<DjTrackRow>> parseDjListPage(const Text& page, DjRegex& regex) {
    if (!regex.assign(kDjListPattern)) return std::nullopt;
    std::vector<DjTrackRow> rows;
    for (DjMatch& m : regex.findAll(page))
        rows.push_back({std::move(m[4]), std::move(m[9]), std::move(m[6]), std::move(m[2])});
    return rows;
}

std::optional<std::vector<DjTrackRow>> loadDjListPage(const Text& address, DjRegex& regex) {
    return parseDjListPage(fetchPage(address), regex);
}

}  // namespace velmora
