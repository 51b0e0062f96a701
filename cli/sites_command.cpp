// velmora-cli sites: what each scraper searches, one line per scraper:
// index, site label, mode code, status text, keyword encoding and the
// search address with the keyword shown as {keyword}.
#include <iostream>

#include "cli_options.h"
#include "command.h"
#include "scrapers/scraper_table.h"
#include "scrapers/site_pipeline.h"
#include "settings/host_settings.h"

namespace velmora::cli {

namespace {

const WorkerSite* workerSiteOf(int scraperIndex, std::int32_t& mode) {
    for (std::int32_t code : kSearchModes)
        for (const WorkerSite& site : workerSites(code))
            if (site.scraperIndex == scraperIndex) {
                mode = code;
                return &site;
            }
    return nullptr;
}

int runSites(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    if (std::optional<std::string> error = applySettingsOption(args)) return usageError(*error);
    if (!args.empty()) return usageError("sites takes no arguments besides --settings FILE");

    ScraperTable table = createScraperTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto* scraper = dynamic_cast<const PipelineScraper*>(table[i].get());
        if (!scraper) continue;
        const SiteSearch& site = scraper->siteSearch();
        std::int32_t mode = 0;
        const WorkerSite* worker = workerSiteOf(static_cast<int>(i), mode);
        // 快播搜索站 has no fixed label (each row names its source); its
        // name stands in.
        const char* label = *site.labelUtf8 ? site.labelUtf8 : site.nameUtf8;
        std::cout << i << '\t' << label << '\t' << mode << '\t' << (worker ? worker->statusTextUtf8 : "")
                  << '\t' << (site.encoding == KeywordEncoding::Gbk ? "gbk" : "utf8") << '\t'
                  << baseAddress(scraper->siteHost()) << site.path << "{keyword}" << site.suffix << '\n';
    }
    return kExitOk;
}

CommandRegistrar registrar{{"sites", "sites [--settings FILE]", &runSites}};

}  // namespace

}  // namespace velmora::cli
