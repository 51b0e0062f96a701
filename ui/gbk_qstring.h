// GBK text <-> QString, at the boundary between the core and the widgets.
// Goes through the program's own code-page layer, never the locale.
#pragma once

#include <QString>
#include <string_view>

#include "text/codepage.h"
#include "text/text.h"

namespace velmora {

inline QString gbkToQString(std::string_view gbkText) {
    const std::u16string utf16 = gbkToUtf16(gbkText);
    return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

inline Text qStringToGbk(const QString& text) {
    return utf16ToGbk(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                          static_cast<std::size_t>(text.size())));
}

}  // namespace velmora
