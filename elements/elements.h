#pragma once
// The elements of the periodic-table panel and its four groups: symbol,
// Russian name and the mass text exactly as the panel puts it on the display.
#include <array>
#include <string_view>

namespace veltrum {

struct Element {
  std::string_view symbol;  // element symbol, or the formula of a group
  std::string_view name;    // Russian element name; groups have none
  std::string_view mass;    // relative atomic mass as the panel writes it
};

// The 81 elements of the table in reading order, then the four groups.
inline constexpr int kElementCount = 81;
inline constexpr int kGroupCount = 4;

const std::array<Element, kElementCount + kGroupCount>& Elements();

}  // namespace veltrum
