#pragma once
// The chart's ten point series, their names and colours, and its two axes.
#include <array>
#include <cstdint>

namespace veltrum {

inline constexpr int kSeriesCount = 10;

struct SeriesStyle {
  const char* name;
  std::uint8_t red, green, blue;
};

// F1..F10 in the classic sixteen-colour palette (red .. maroon).
inline constexpr std::array<SeriesStyle, kSeriesCount> kSeriesStyles{{
    {"F1", 255, 0, 0},      // clRed
    {"F2", 0, 128, 0},      // clGreen
    {"F3", 255, 255, 0},    // clYellow
    {"F4", 0, 0, 255},      // clBlue
    {"F5", 255, 255, 255},  // clWhite
    {"F6", 128, 128, 128},  // clGray
    {"F7", 255, 0, 255},    // clFuchsia
    {"F8", 0, 128, 128},    // clTeal
    {"F9", 0, 0, 128},      // clNavy
    {"F10", 128, 0, 0},     // clMaroon
}};

enum class ChartAxis { Left, Bottom };

}  // namespace veltrum
