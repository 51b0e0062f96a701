#include "scrapers/fixups.h"

#include "settings/host_settings.h"
#include "web/encoders.h"

namespace velmora {

Text prefixWithHost(const Text& host, std::string_view text) {
    return baseAddress(host) + Text(text);
}

Text decoded(std::string_view text) {
    return percentDecodeUtf8(text);
}

Text removeEach(std::string_view text, std::initializer_list<std::string_view> removals) {
    Text out(text);
    for (std::string_view what : removals) out = removeAll(out, what);
    return out;
}

Text firstExtraBytes(std::string_view text) {
    return leftBytes(text, kExtraTextBytes);
}

}  // namespace velmora
