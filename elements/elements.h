#pragma once
// The element and group keys of the periodic-table panel: one row per
// control. A click puts the row's mass text on the display as if typed.
#include <array>
#include <cstdint>
#include <string_view>

namespace veltrum {

enum class ElementPlace : std::uint8_t { Table, Side, Group };

struct ElementKeyInfo {
  std::string_view name;     // control name: cmdF + symbol (+ 2 in the side column)
  std::string_view caption;  // element symbol, or the group formula of a picture
  std::string_view hint;     // Russian element name; groups have none
  std::string_view mass;     // the text put on the display, exactly
  ElementPlace place;
  int row;                       // 1..10 in the table, 1..11 in the side column
  int column;                    // 1..10 in the table
  int left, top, width, height;  // position in the calculator window
};

inline constexpr int kElementKeyCount = 96;

const std::array<ElementKeyInfo, kElementKeyCount>& Elements();

}  // namespace veltrum
