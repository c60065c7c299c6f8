#pragma once
// The element and group keys of the periodic-table panel, in the order of
// their Key values: the table's elements, the side column that repeats
// eleven of them, then the four group pictures.
#include <array>
#include <string_view>

#include "elements/elements.h"

namespace veltrum {

struct ElementKeyInfo {
  std::string_view name;  // control name: cmdF + symbol (+ 2 in the side column)
  int element;            // row of Elements() whose mass the key types
};

inline constexpr int kElementKeyCount = 96;

const std::array<ElementKeyInfo, kElementKeyCount>& ElementKeys();

// The element or group a key of the panel stands for (index: row of ElementKeys()).
const Element& ElementOfKey(int index);

}  // namespace veltrum
