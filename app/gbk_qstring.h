// GBK text <-> QString, at the boundary between the core and the widgets.
// Goes through the program's own code-page layer, never the locale.
#pragma once

#include <QString>

#include "text/codepage.h"
#include "text/text.h"

namespace velmora {

inline QString fromGbk(const Text& text) {
    const std::u16string utf16 = gbkToUtf16(text);
    return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

inline Text toGbk(const QString& text) {
    return utf16ToGbk(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                          static_cast<std::size_t>(text.size())));
}

}  // namespace velmora
