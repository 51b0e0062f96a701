#include "playerpage/player_page_builder.h"

#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>

#include <unistd.h>

#include "playerpage/atomic_file.h"
#include "text/codepage.h"
#include "web/fetch.h"

namespace velmora {

namespace {

struct BuilderSetup {
    std::mutex mutex;
    std::optional<std::string> directory;
    FailureMessagePresenter presenter;
};

BuilderSetup& setup() {
    static BuilderSetup s;
    return s;
}

std::string executableDirectory() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !exe.has_parent_path()) return ".";
    return exe.parent_path().string();
}

void presentFailure(const Text& message) {
    FailureMessagePresenter presenter;
    {
        std::lock_guard lock(setup().mutex);
        presenter = setup().presenter;
    }
    if (presenter) {
        presenter(message);
    } else {
        std::cerr << gbkToUtf8(message) << '\n';
    }
}

}  // namespace

Text playerPageFailureMessage() {
    return gbk("分析过程失败!将直接为您跳转到官方地址！");
}

void setProgramDirectory(const std::string& directory) {
    std::string trimmed = directory;
    while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
    std::lock_guard lock(setup().mutex);
    setup().directory = trimmed;
}

std::string programDirectory() {
    {
        std::lock_guard lock(setup().mutex);
        if (setup().directory) return *setup().directory;
    }
    return executableDirectory();
}

std::string playerPagePath() {
    std::string directory = programDirectory();
    return directory == "/" ? "/temp.htm" : directory + "/temp.htm";
}

FailureMessagePresenter setFailureMessagePresenter(FailureMessagePresenter presenter) {
    std::lock_guard lock(setup().mutex);
    std::swap(setup().presenter, presenter);
    return presenter;
}

Text cutPlayerStretch(const Text& page, const FilmSiteTable& table, bool* startFound) {
    int start = findTextIgnoreCase(page, table.startMarker);
    int end = findText(page, table.endMarker, start == kNotFound ? 1 : start);
    if (startFound) *startFound = start != kNotFound;
    Text stretch;
    if (start != kNotFound && end != kNotFound && end > start)
        stretch = page.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(end - start));
    for (const auto& [sought, replacement] : table.fixUps) stretch = replaceAll(stretch, sought, replacement);
    return stretch;
}

PlayerPageBuild buildPlayerPageFile(FilmSite site, const Text& link) {
    FilmSiteTable table = filmSiteTable(site, filmSiteBaseAddress(site));
    Text page = fetchPage(link);
    bool startFound = false;
    Text stretch = cutPlayerStretch(page, table, &startFound);
    if (startFound) {
        std::string path = playerPagePath();
        if (writeFileAtomically(path, table.pageHead + stretch)) return {true, path};
    }
    presentFailure(playerPageFailureMessage());
    return {false, link};
}

Text buildPlayerPage(FilmSite site, const Text& link) {
    return buildPlayerPageFile(site, link).address;
}

void removePlayerPage() {
    ::unlink(playerPagePath().c_str());
}

}  // namespace velmora
