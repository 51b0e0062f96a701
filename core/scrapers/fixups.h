// The fix-ups that site entries apply to matched texts before they become
// cells. Removal and prefixing keep to the GBK text rules of text/text.h.
#pragma once

#include <initializer_list>
#include <string_view>

#include "text/text.h"

namespace velmora {

// At most this many bytes of an extra text (column 3) are kept.
inline constexpr std::size_t kExtraTextBytes = 70;

// The site's base address ("http://" + host, no trailing "/") then `text`,
// so a link that starts with "/" becomes absolute on that host.
Text prefixWithHost(const Text& host, std::string_view text);

// Percent escapes decoded and the UTF-8 bytes read as GBK text.
Text decoded(std::string_view text);

// Every occurrence of each text removed, in the order given.
Text removeEach(std::string_view text, std::initializer_list<std::string_view> removals);

// The first kExtraTextBytes bytes (a double-byte character across the
// limit is cut in two).
Text firstExtraBytes(std::string_view text);

}  // namespace velmora
