#pragma once
// How the evaluator's working texts become calculator keys: the keys of a
// character and of a function name, and the calculation of a whole text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calculator/calculator.h"

namespace veltrum {

inline constexpr Key kNoKey = Key::FirstElement;

// The keys one character of a working text presses; letters outside this
// table press nothing.
struct CharKeys {
  std::array<Key, 3> keys{kNoKey, kNoKey, kNoKey};
  int count = 0;
};

struct Function {
  std::string_view name;
  CharKeys keys;  // count 0: abs, which presses no key
};

// The function whose name ends right before the "[" at open.
const Function* FunctionBefore(std::string_view s, std::size_t open);

void PressAll(Calculator& calc, const CharKeys& k);

// The sign mark: a leading "-" moves behind the first non-zero digit as
// "z" ("-25" -> "2z5", "-0,05" -> "0,05z").
void MoveMinusBehind(std::string& text);

// Where the sign mark goes: behind the first k characters after the "-",
// for the smallest k whose prefix of k + 1 characters reads as non-zero.
std::size_t SignMarkPlace(std::string_view t);

// How the characters of a working text become key presses: a run of
// digits and commas in one call of PlotRun::PressNumberKeys, or each through Press
// (the reference the tests compare with).
enum class Typing : std::uint8_t { Runs, KeyByKey };

// Presses C, the keys of text (its sign moved behind first) and equals;
// false when a key failed. number is working room for the text's value.
bool CalculateTextAs(Calculator& calc, std::string& text, Typing typing, std::string& number);

}  // namespace veltrum
