// Symbols of the formula language: the element symbols of the table, the
// elements it leaves out, and the masses read from its texts.
#include <algorithm>
#include <array>

#include "number/number_text.h"
#include "elements/elements.h"
#include "elements/formula.h"

namespace veltrum {
namespace {

// A symbol is one capital letter and at most one small one: a 26 × 27 grid.
constexpr int kNoSmall = 26;

struct SymbolTable {
  std::array<std::array<int, 27>, 26> rows;
  std::array<Extended, kElementCount> masses{};

  SymbolTable() {
    for (auto& r : rows) r.fill(-1);
    const auto& table = Elements();
    for (int i = 0; i < kElementCount; ++i) {
      const Element& e = table[static_cast<std::size_t>(i)];
      masses[static_cast<std::size_t>(i)] = ReadNumber(e.mass);
      const int big = e.symbol[0] - 'A';
      const int small = e.symbol.size() > 1 ? e.symbol[1] - 'a' : kNoSmall;
      rows[static_cast<std::size_t>(big)][static_cast<std::size_t>(small)] = i;
    }
  }
};

const SymbolTable& Symbols() {
  static const SymbolTable table;
  return table;
}

// Lanthanides after La, actinides after Ac, and the heaviest elements.
constexpr std::string_view kOutsideTable[] = {
    "Ce", "Pr", "Nd", "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb",
    "Lu", "Th", "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm", "Md",
    "No", "Lr", "Ds", "Rg", "Cn", "Nh", "Fl", "Mc", "Lv", "Ts", "Og",
};

}  // namespace

int FindElementSymbol(std::string_view symbol) {
  if (symbol.empty() || symbol.size() > 2 || symbol[0] < 'A' || symbol[0] > 'Z') return -1;
  int small = kNoSmall;
  if (symbol.size() == 2) {
    if (symbol[1] < 'a' || symbol[1] > 'z') return -1;
    small = symbol[1] - 'a';
  }
  return Symbols().rows[static_cast<std::size_t>(symbol[0] - 'A')][static_cast<std::size_t>(small)];
}

bool IsElementOutsideTable(std::string_view symbol) {
  return std::ranges::find(kOutsideTable, symbol) != std::end(kOutsideTable);
}

Extended ElementMass(int index) { return Symbols().masses[static_cast<std::size_t>(index)]; }

}  // namespace veltrum
