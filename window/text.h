#pragma once
// The core's texts are UTF-8; the toolkit's are UTF-16.
#include <QString>
#include <string_view>

namespace veltrum {

inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace veltrum
