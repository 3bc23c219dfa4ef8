#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace polygrav {

// The program keeps its texts as UTF-8 byte strings; Qt holds them as QString.
inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) {
    return text.toStdString();
}

}  // namespace polygrav
