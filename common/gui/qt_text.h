#pragma once

#include <QString>
#include <string_view>

namespace common::gui {

// Our texts are UTF-8 bytes, Qt's are UTF-16.
inline QString qtText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace common::gui
