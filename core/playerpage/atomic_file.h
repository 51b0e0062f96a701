// Writing a file whole, so that a reader never sees half of it.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Writes `bytes` to a new sibling of `path`, flushes it to the disk and
// renames it over `path`. A failed or interrupted write leaves whatever
// was at `path` untouched; a symbolic link at `path` is replaced by the
// file, never followed. Returns false on any failure.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace velmora
