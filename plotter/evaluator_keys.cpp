#include "plotter/evaluator_keys.h"

#include <cstring>

#include "calculator/plot_run.h"
#include "number/number_text.h"
#include "plotter/evaluator.h"

namespace veltrum {
namespace {

constexpr std::array<CharKeys, 256> MakeCharTable() {
  std::array<CharKeys, 256> t{};
  for (int d = 0; d <= 9; ++d) t['0' + d] = {.keys = {DigitKey(d)}, .count = 1};
  t[','] = {.keys = {Key::cmdpoint}, .count = 1};
  t['.'] = {.keys = {Key::cmdpoint}, .count = 1};
  t['+'] = {.keys = {Key::cmdplus}, .count = 1};
  t['-'] = {.keys = {Key::cmdminus}, .count = 1};
  t['*'] = {.keys = {Key::cmdmulti}, .count = 1};
  t['/'] = {.keys = {Key::cmddivide}, .count = 1};
  t['^'] = {.keys = {Key::cmdstepen}, .count = 1};
  t['p'] = {.keys = {Key::cmdpi}, .count = 1};
  t['e'] = {.keys = {Key::cmdShift, Key::cmdpi, Key::cmdShift}, .count = 3};
  t['E'] = {.keys = {Key::cmdShift, Key::cmd1nax, Key::cmdShift}, .count = 3};
  t['z'] = {.keys = {Key::cmdplusminus}, .count = 1};
  return t;
}
constexpr std::array<CharKeys, 256> kCharKeys = MakeCharTable();

// Longer names first, so "arctg" wins over "tg" and "arcsin" over "sin".
constexpr std::array<Function, 13> kFunctions{{
    {.name = "arcsin", .keys = {.keys = {Key::cmdShift, Key::cmdsin, Key::cmdShift}, .count = 3}},
    {.name = "arccos", .keys = {.keys = {Key::cmdShift, Key::cmdcos, Key::cmdShift}, .count = 3}},
    {.name = "arcctg", .keys = {.keys = {Key::cmdShift, Key::cmdctg, Key::cmdShift}, .count = 3}},
    {.name = "arctg", .keys = {.keys = {Key::cmdShift, Key::cmdtg, Key::cmdShift}, .count = 3}},
    {.name = "sqrt", .keys = {.keys = {Key::cmdsqrt}, .count = 1}},
    {.name = "sin", .keys = {.keys = {Key::cmdsin}, .count = 1}},
    {.name = "cos", .keys = {.keys = {Key::cmdcos}, .count = 1}},
    {.name = "ctg", .keys = {.keys = {Key::cmdctg}, .count = 1}},
    {.name = "abs", .keys = {}},
    {.name = "tg", .keys = {.keys = {Key::cmdtg}, .count = 1}},
    {.name = "ln", .keys = {.keys = {Key::cmdln}, .count = 1}},
    {.name = "lg", .keys = {.keys = {Key::cmdlg}, .count = 1}},
    {.name = "!", .keys = {.keys = {Key::cmdFactorial}, .count = 1}},
}};

bool IsNumberKey(char c) { return (c >= '0' && c <= '9') || c == ',' || c == '.'; }

bool TypeText(Calculator& calc, std::string_view text, Typing typing) {
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (typing == Typing::Runs && IsNumberKey(c)) {
      std::size_t end = i + 1;
      while (end < text.size() && IsNumberKey(text[end])) ++end;
      PlotRun::PressNumberKeys(calc, text.substr(i, end - i));
      i = end;
    } else {
      PressAll(calc, kCharKeys[static_cast<unsigned char>(c)]);
      ++i;
    }
    if (calc.HasCalcError()) return false;
  }
  return true;
}

}  // namespace

const Function* FunctionBefore(std::string_view s, std::size_t open) {
  for (const Function& f : kFunctions)
    if (open >= f.name.size() && s.substr(open - f.name.size(), f.name.size()) == f.name) return &f;
  return nullptr;
}

void PressAll(Calculator& calc, const CharKeys& k) {
  for (int i = 0; i < k.count; ++i) calc.Press(k.keys[static_cast<std::size_t>(i)]);
}

std::size_t SignMarkPlace(std::string_view t) {
  // Common case: zeros and at most one comma up to the first non-zero
  // digit; every shorter prefix then reads as zero.
  bool comma = false;
  for (std::size_t i = 1; i < t.size(); ++i) {
    const char c = t[i];
    if (c >= '1' && c <= '9') return i;
    if (c == '0') continue;
    if (c == ',' && !comma) {
      comma = true;
      continue;
    }
    break;
  }
  for (std::size_t k = 1; k < t.size(); ++k)
    if (ReadNumber(t.substr(0, k + 1)) != 0) return k;
  // No prefix reads as non-zero (such as "-0"): the mark goes to the end.
  return t.size() - 1;
}

void MoveMinusBehind(std::string& t) {
  if (t.empty() || t[0] != '-') return;
  const std::size_t k = SignMarkPlace(t);
  std::memmove(&t[0], &t[1], k);
  t[k] = 'z';
}

namespace {

// The number a plain value text stands for: "2z5" -> "-25", "0,05z" ->
// "-0,05"; false unless the text is digits and commas with at most one
// sign mark, right behind the first non-zero digit, as MoveMinusBehind
// puts it.
bool ValueTextNumber(std::string_view t, std::string& number) {
  std::size_t mark = std::string_view::npos;
  std::size_t firstNonZero = std::string_view::npos;
  for (std::size_t i = 0; i < t.size(); ++i) {
    const char c = t[i];
    if (c == 'z') {
      if (mark != std::string_view::npos) return false;
      mark = i;
    } else if (c >= '1' && c <= '9') {
      if (firstNonZero == std::string_view::npos) firstNonZero = i;
    } else if (c != '0' && c != ',') {
      return false;
    }
  }
  if (mark == std::string_view::npos) {
    number.assign(t);
    return true;
  }
  if (firstNonZero == std::string_view::npos || mark != firstNonZero + 1) return false;
  number.assign(1, '-');
  number.append(t.substr(0, mark));
  number.append(t.substr(mark + 1));
  return true;
}

}  // namespace

bool CalculateTextAs(Calculator& calc, std::string& text, Typing typing, std::string& number) {
  // A value text of a number that its keys show as it is needs no keys.
  if (typing == Typing::Runs && ValueTextNumber(text, number) && PlotRun::EnterShownNumber(calc, number))
    return !calc.HasCalcError();
  MoveMinusBehind(text);
  if (calc.IsShiftOn()) calc.Press(Key::cmdShift);
  calc.Press(Key::cmdon);
  if (!TypeText(calc, text, typing)) return false;
  calc.Press(Key::cmdis);
  return !calc.HasCalcError();
}

}  // namespace veltrum
