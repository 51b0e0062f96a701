// Parse time of each site on a 1 MiB page holding 500 of its entries.
// Writes each page and its pattern (GBK bytes) to DIR so that a peer can
// time the same pattern on the same bytes, then prints one line per site:
//   index <TAB> bytes <TAB> rows <TAB> best milliseconds of several runs
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "scrapers/memory_result_list.h"
#include "scrapers/scraper_table.h"
#include "scrapers/site_pipeline.h"
#include "text/codepage.h"

namespace {

constexpr std::size_t kPageBytes = 1u << 20;
constexpr int kEntries = 500;
constexpr int kRuns = 5;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// The site's saved page holds two entries; 250 copies, padded with text
// that matches nothing, make 500 entries in about 1 MiB.
std::string benchPage(const std::string& sitePage) {
    const int copies = kEntries / 2;
    std::size_t padding = kPageBytes / copies > sitePage.size() ? kPageBytes / copies - sitePage.size() : 0;
    std::string filler = "<p class=\"filler\">";
    while (filler.size() + 5 < padding) filler += "text ";
    filler += "</p>\n";
    std::string page;
    page.reserve(kPageBytes + sitePage.size());
    for (int i = 0; i < copies; ++i) page += sitePage + filler;
    return page;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: scraper_parse_bench OUTPUT_DIR\n";
        return 2;
    }
    const std::string outDir = argv[1];
    velmora::ScraperTable table = velmora::createScraperTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto& site = dynamic_cast<const velmora::PipelineScraper&>(*table[i]).siteSearch();
        char name[64];
        std::snprintf(name, sizeof name, "/site%02zu.html", i);
        std::string page = benchPage(readFile(std::string(VELMORA_SCRAPER_PAGES_DIR) + name));
        std::ofstream(outDir + name, std::ios::binary) << page;
        std::snprintf(name, sizeof name, "/site%02zu.pattern", i);
        std::ofstream(outDir + name, std::ios::binary) << velmora::gbk(site.pattern);

        double best = 1e9;
        std::size_t rows = 0;
        for (int run = 0; run < kRuns; ++run) {
            velmora::MemoryResultList list;
            auto start = std::chrono::steady_clock::now();
            table[i]->parse(page, list);
            std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
            best = std::min(best, took.count());
            rows = list.rows().size();
        }
        std::printf("%zu\t%zu\t%zu\t%.3f\n", i, page.size(), rows, best);
    }
    return 0;
}
