#pragma once
// Every key of the calculator window is a Key, named after its control. Element and group keys follow the fixed
// keys, one per row of ElementKeys().
#include <cstdint>
#include <optional>
#include <string_view>

namespace veltrum {

// clang-format off
// Two bytes, though the declared values fit in one: the element keys follow
// them as casts, and a longer element table would pass 255.
enum class Key : std::uint16_t {  // NOLINT(performance-enum-size)
  cmd0, cmd1, cmd2, cmd3, cmd4, cmd5, cmd6, cmd7, cmd8, cmd9,
  cmdpoint, cmdis, cmdplus, cmdminus, cmdmulti, cmddivide, cmdstepen,
  cmdon, cmdce, cmdBackSpace,
  cmdShift, cmdFactorial, cmdsin, cmdcos, cmdtg, cmdctg, cmd1nax, cmdpi,
  cmdln, cmdlg, cmdsqr, cmdsqrt, cmdplusminus,
  cmdM1in, cmdM2in, cmdM3in, cmdM1plus, cmdM2plus, cmdM3plus,
  cmdM1minus, cmdM2minus, cmdM3minus, cmdM1R, cmdM2R, cmdM3R,
  optGrad, optRad,
  FirstElement,  // FirstElement + i is row i of the element table
};
// clang-format on

constexpr int kFixedKeyCount = static_cast<int>(Key::FirstElement);

constexpr Key ElementKey(int index) { return static_cast<Key>(kFixedKeyCount + index); }
constexpr bool IsElementKey(Key k) { return k >= Key::FirstElement; }
constexpr int ElementIndex(Key k) { return static_cast<int>(k) - kFixedKeyCount; }
constexpr Key DigitKey(int digit) { return static_cast<Key>(digit); }

// Control name of a key ("cmdsin", "cmdFC2", "optRad").
std::string_view KeyName(Key k);
// The key of a control name; nothing for a name the window does not have.
std::optional<Key> KeyFromName(std::string_view name);
// Number of keys, element keys included.
int KeyCount();

// The keyboard map of the calculator window: the key a typed character
// presses, or nothing for a character the window ignores.
std::optional<Key> KeyForChar(char c);

}  // namespace veltrum
