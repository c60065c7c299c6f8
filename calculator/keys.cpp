#include "calculator/keys.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "calculator/element_keys.h"

namespace veltrum {
namespace {

// clang-format off
constexpr std::array<std::string_view, kFixedKeyCount> kFixedNames{
    "cmd0", "cmd1", "cmd2", "cmd3", "cmd4", "cmd5", "cmd6", "cmd7", "cmd8", "cmd9",
    "cmdpoint", "cmdis", "cmdplus", "cmdminus", "cmdmulti", "cmddivide", "cmdstepen",
    "cmdon", "cmdce", "cmdBackSpace",
    "cmdShift", "cmdFactorial", "cmdsin", "cmdcos", "cmdtg", "cmdctg", "cmd1nax", "cmdpi",
    "cmdln", "cmdlg", "cmdsqr", "cmdsqrt", "cmdplusminus",
    "cmdM1in", "cmdM2in", "cmdM3in", "cmdM1plus", "cmdM2plus", "cmdM3plus",
    "cmdM1minus", "cmdM2minus", "cmdM3minus", "cmdM1R", "cmdM2R", "cmdM3R",
    "optGrad", "optRad",
};

// The typed characters the calculator window maps to keys.
constexpr std::array<std::pair<char, Key>, 23> kKeyboardMap{{
    {'0', Key::cmd0}, {'1', Key::cmd1}, {'2', Key::cmd2}, {'3', Key::cmd3},
    {'4', Key::cmd4}, {'5', Key::cmd5}, {'6', Key::cmd6}, {'7', Key::cmd7},
    {'8', Key::cmd8}, {'9', Key::cmd9},
    {',', Key::cmdpoint}, {'.', Key::cmdpoint},
    {'+', Key::cmdplus}, {'-', Key::cmdminus}, {'*', Key::cmdmulti},
    {'/', Key::cmddivide}, {'^', Key::cmdstepen}, {'=', Key::cmdis},
    {'b', Key::cmdBackSpace}, {'c', Key::cmdon}, {'e', Key::cmdce},
    {'f', Key::cmdShift},
    {'\b', Key::cmdBackSpace},  // the backspace character, code 8
}};
// clang-format on

}  // namespace

int KeyCount() { return kFixedKeyCount + kElementKeyCount; }

std::string_view KeyName(Key k) {
  if (IsElementKey(k)) return ElementKeys()[static_cast<std::size_t>(ElementIndex(k))].name;
  return kFixedNames[static_cast<std::size_t>(k)];
}

std::optional<Key> KeyFromName(std::string_view name) {
  static const std::vector<std::pair<std::string_view, Key>> sorted = [] {
    std::vector<std::pair<std::string_view, Key>> v;
    v.reserve(static_cast<std::size_t>(KeyCount()));
    for (int i = 0; i < KeyCount(); ++i) v.emplace_back(KeyName(static_cast<Key>(i)), static_cast<Key>(i));
    std::ranges::sort(v);
    return v;
  }();
  auto it = std::ranges::lower_bound(sorted, name, {}, [](const auto& e) { return e.first; });
  if (it == sorted.end() || it->first != name) return std::nullopt;
  return it->second;
}

std::optional<Key> KeyForChar(char c) {
  for (const auto& [ch, key] : kKeyboardMap)
    if (ch == c) return key;
  return std::nullopt;
}

}  // namespace veltrum
