#include "support/runtime_dir.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace velmora::test {

namespace {
std::string& createdDir() {
    static std::string dir;
    return dir;
}
}  // namespace

void ensurePrivateRuntimeDir() {
    if (std::getenv("XDG_RUNTIME_DIR") != nullptr || !createdDir().empty()) return;
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-test-runtime-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    createdDir() = pattern;
    ::setenv("XDG_RUNTIME_DIR", pattern.c_str(), 1);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(createdDir(), ignored);
    });
}

}  // namespace velmora::test
