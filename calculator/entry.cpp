// The number entry keys: digits and the point, one key at a time or a
// run of them at once, and the effect of C, a number's keys and equals
// for the numbers whose keys show them as they are.
#include <string>
#include <string_view>

#include "calculator/calculator.h"

namespace veltrum {

// Each entry key first completes a pending operation, then enters its
// character; PressNumberKeys enters the characters of a run of such keys
// directly once nothing is pending.

void Calculator::ButtonClick(char digit) {
  Reported(EntryKind::Key, DigitKey(digit - '0'), {}, [&] {
    ApplyPendingOperation();
    EnterDigit(digit);
  });
}

void Calculator::EnterDigit(char digit) {
  if (!EntryState)
    SetText1(std::string_view(&digit, 1));
  else
    AppendText1(digit);
  EntryState = true;
  MarkNewNumber();
}

void Calculator::cmd0Click() {
  ApplyPendingOperation();
  EnterZero();
}

void Calculator::EnterZero() {
  if (ExponentStart) return;  // a 0 right after "E" is not typed
  if (!EntryState || text1_ == "0") {
    SetText1("0");
    EntryState = false;
  } else {
    AppendText1('0');
  }
  MarkNewNumber();
}

void Calculator::cmdpointClick() {
  Guarded([&] {
    ApplyPendingOperation();
    EnterPoint();
  });
}

// The display text is worked on as a whole string rather than a table of
// 100 characters, so texts of any length behave alike.
void Calculator::EnterPoint() {
  if (!text1_.empty() && text1_.back() == ',') {
    EntryState = true;
    MarkNewNumber();
    return;
  }
  if (text1_.find('E') != std::string::npos) return;
  const bool hasComma = text1_.find(',') != std::string::npos;
  if (!EntryState)
    SetText1("0,");
  else if (!hasComma)
    AppendText1(',');
  EntryState = true;
  MarkNewNumber();
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether C and the keys of t (its sign as the sign key behind the first
// non-zero digit) end with t on the display: the first digit or "0,"
// replaces the 0 that C left, every later digit and the comma append, and
// the sign key turns the number typed so far into its negative by the
// text alone (a single digit, or 0, with at most three zeros and a
// non-zero digit).
bool TypesAsShown(std::string_view t) {
  const bool negative = !t.empty() && t[0] == '-';
  if (negative) t.remove_prefix(1);
  if (t.empty() || t == "0") return false;
  std::size_t i = 0;
  if (t[0] == '0') {
    if (t.size() < 3 || t[1] != ',') return false;
  } else {
    while (i < t.size() && IsDigit(t[i])) ++i;
    if (i == 0) return false;
    if (i == t.size()) return true;
    if (t[i] != ',') return false;
  }
  const std::size_t comma = t[0] == '0' ? 1 : i;
  std::size_t j = comma + 1;
  while (j < t.size() && t[j] == '0') ++j;
  if (negative && t[0] == '0' && j - comma - 1 > 3) return false;
  for (std::size_t k = comma + 1; k < t.size(); ++k)
    if (!IsDigit(t[k])) return false;
  return t.size() > comma + 1 && t.back() != '0';
}

}  // namespace

bool Calculator::EnterShownNumber(std::string_view number) {
  if (!PlotMode || !TypesAsShown(number)) return false;
  if (ShiftOn) Press(Key::cmdShift);
  SetText1(number);
  // C, the number keys and equals leave: no operation, chain or exponent
  // entry, and no number being entered.
  PendingKey = Op::None;
  SimpleOp = Op::None;
  EntryState = false;
  ChainState = ChainCode::None;
  PowerState = PowerCode::None;
  ChainActive = false;
  ExponentStart = false;
  RepeatMark = false;
  return true;
}

void Calculator::PressNumberKeys(std::string_view keys) {
  // Outside a run every key is pressed and reported as a click would be.
  if (!PlotMode) {
    for (char c : keys) Press(c == ',' || c == '.' ? Key::cmdpoint : DigitKey(c - '0'));
    return;
  }
  for (std::size_t i = 0; i < keys.size();) {
    if (CalcError) return;
    const char c = keys[i];
    const bool point = c == ',' || c == '.';
    if (PendingKey != Op::None) {
      Press(point ? Key::cmdpoint : DigitKey(c - '0'));
      ++i;
      continue;
    }
    // Digits typed onto a number being entered (not a lone 0, not right
    // after "E") each append themselves and leave the same flags: a run of
    // them appends at once when no view is told of every step.
    if (!view_ && EntryState && !ExponentStart && text1_ != "0" && IsDigit(c)) {
      std::size_t end = i + 1;
      while (end < keys.size() && IsDigit(keys[end])) ++end;
      text1_.append(keys.substr(i, end - i));
      Text1Change();
      MarkNewNumber();
      i = end;
      continue;
    }
    if (point)
      EnterPoint();
    else if (c == '0')
      EnterZero();
    else
      EnterDigit(c);
    ++i;
  }
}

}  // namespace veltrum
