#include "plotter/evaluator.h"

#include "calculator/plot_run.h"

#include <vector>

#include "number/number_texts.h"
#include "plotter/evaluator_keys.h"

namespace veltrum {
namespace {

void MarkNegativeExponents(std::string& s) {
  for (std::size_t i = s.find("E-"); i != std::string::npos; i = s.find("E-", i + 2)) s[i + 1] = 'z';
}

// The display text as a value text for the working text.
void ReadValueText(const Calculator& calc, std::string& v) {
  v = calc.Text1();
  MoveMinusBehind(v);
  MarkNegativeExponents(v);
}

bool IsPlain(std::string_view a) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char c = a[i];
    if ((c >= '0' && c <= '9') || c == ',' || c == 'E' || c == 'z') continue;
    if (i == 0 && (c == '-' || c == 'p' || c == 'e')) continue;
    return false;
  }
  return true;
}

// x as the working text shows it: its number text, a negative one with its
// sign moved behind the first non-zero digit as the value texts are, so
// that a negative x in scientific notation keeps its sign ("2zEz5").
void AppendSample(std::string& s, double x, NumberTexts& texts) {
  char buf[kNumberTextCapacity];
  const std::size_t len = texts.Format(x, buf);
  const std::string_view t(buf, len);
  if (buf[0] != '-') {
    s += t;
    return;
  }
  const std::size_t k = SignMarkPlace(t);
  s.append(buf + 1, k);
  s.push_back('z');
  s.append(buf + k + 1, len - k - 1);
}

// Minus signs become keys: a leading one and one after an opening bracket
// multiply by minus one; one before "(" subtracts one times the group.
void RewriteMinus(const std::string& s, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '-') {
      out.push_back(s[i]);
    } else if (i == 0) {  // NOLINT(bugprone-branch-clone): the rules apply in this order
      out += "1z*";
    } else if (i + 1 < s.size() && s[i + 1] == '(') {
      out += "-1*";
    } else if (s[i - 1] == '(' || s[i - 1] == '[') {
      out += "1z*";
    } else {
      out.push_back('-');
    }
  }
}

bool IsBracket(char c) { return c == '(' || c == ')' || c == '[' || c == ']'; }

// The bracket passes in one scan from left to right. A pass works out the
// group closed by the first closing bracket of the working text: the one
// the scan has reached, since everything left of it is already in w with
// its closing brackets resolved. The group opens at the last opening
// bracket of its kind still in w, and a pass rewrites w only from there
// (or from the function name in front of it) to its end, so the scan goes
// on where it stopped and the value texts are never rescanned.
//
// Choices where the passes could never end: a closing bracket without its
// opening bracket, an opening bracket without a closing one, and a "[...]"
// group with a plain number and no function name in front of it
// ("2*[x+1]", "exp[x]", "[5]") give a sample without value.
bool ResolveBrackets(Calculator& calc, EvaluatorBuffers& b, Typing typing) {
  const std::string& s = b.s;
  std::string& w = b.w;
  w.clear();
  b.wIsDisplayValue = false;
  b.rounds.clear();
  b.squares.clear();
  for (std::size_t i = 0; i < s.size(); ++i) {
    const std::size_t run = i;
    while (i < s.size() && !IsBracket(s[i])) ++i;
    w.append(s, run, i - run);
    if (i > run) b.wIsDisplayValue = false;
    if (i == s.size()) break;
    const char ch = s[i];
    if (ch == '(' || ch == '[') {
      (ch == '(' ? b.rounds : b.squares).push_back(w.size());
      w.push_back(ch);
      b.wIsDisplayValue = false;
      continue;
    }
    std::vector<std::size_t>& same = ch == ')' ? b.rounds : b.squares;
    std::vector<std::size_t>& other = ch == ')' ? b.squares : b.rounds;
    if (same.empty()) return false;
    const std::size_t o = same.back();
    // A group that is not a plain number keeps its brackets around its
    // value, which the next pass over the same closing bracket resolves.
    for (;;) {
      b.inner.assign(w, o + 1);
      const bool plain = IsPlain(b.inner);
      if (!CalculateTextAs(calc, b.inner, typing, b.number)) return false;
      if (plain) break;
      ReadValueText(calc, b.value);
      w.replace(o + 1, std::string::npos, b.value);
      b.wIsDisplayValue = false;
      while (!other.empty() && other.back() > o) other.pop_back();
    }
    same.pop_back();
    if (ch == ')') {
      ReadValueText(calc, b.value);
      w.replace(o, std::string::npos, b.value);
      b.wIsDisplayValue = o == 0;
      continue;
    }
    const Function* f = FunctionBefore(w, o);
    if (!f) return false;
    PressAll(calc, f->keys);
    if (calc.HasCalcError()) return false;
    if (f->keys.count == 0) {
      b.value = calc.Text1();
      if (!b.value.empty() && b.value[0] == '-') b.value.erase(0, 1);
      MarkNegativeExponents(b.value);
    } else {
      ReadValueText(calc, b.value);
    }
    w.replace(o - f->name.size(), std::string::npos, b.value);
    b.wIsDisplayValue = o == f->name.size() && f->keys.count != 0;
  }
  return b.rounds.empty() && b.squares.empty();
}

std::optional<double> Evaluate(Calculator& calc, EvaluatorBuffers& b, std::string_view expression, double x,
                               Typing typing) {
  b.substituted.clear();
  NumberTexts& texts = PlotRun::Texts(calc);
  for (char c : expression) {
    if (c == 'x')
      AppendSample(b.substituted, x, texts);
    else
      b.substituted.push_back(c);
  }
  MarkNegativeExponents(b.substituted);
  RewriteMinus(b.substituted, b.s);
  if (!ResolveBrackets(calc, b, typing)) return std::nullopt;
  // The value text of the display types the display's own number.
  const bool shown = typing == Typing::Runs && b.wIsDisplayValue && PlotRun::EnterShownNumber(calc, calc.Text1());
  if (shown ? calc.HasCalcError() : !CalculateTextAs(calc, b.w, typing, b.number)) return std::nullopt;
  return texts.ReadDouble(calc.Text1());
}

}  // namespace

std::optional<double> Evaluator::At(Calculator& calc, std::string_view expression, double x) {
  return Evaluate(calc, buffers_, expression, x, Typing::Runs);
}

std::optional<double> Evaluator::AtKeyByKey(Calculator& calc, std::string_view expression, double x) {
  return Evaluate(calc, buffers_, expression, x, Typing::KeyByKey);
}

}  // namespace veltrum
