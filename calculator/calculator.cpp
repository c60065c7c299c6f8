#include "calculator/calculator.h"

#include "calculator/number_text.h"
#include "elements/elements.h"

namespace veltrum {

Calculator::Calculator(MessageSink* messages, CalculatorView* view) : messages_(messages), view_(view) {
  FormCreate();
}

void Calculator::FormCreate() {
  CalcError = 0;
  PlotMode = 0;
  SimpleOp = Op::None;
  Accumulator = 0.0;
  Operand = 0.0;
  EntryState = 0;
  Memory = {0.0, 0.0, 0.0};
  ShowValue(0);
  for (int i = 0; i < 3; ++i) {
    memoryText_[i].assign(1, '0');
    if (view_) view_->MemoryTextChanged(i, memoryText_[i]);
  }
  RepeatMark = 0.0;
  SelectAngleUnit(true);
  ShiftOn = 0;
  if (view_) view_->ShiftCaptionChanged(ShiftCaption());
  PendingKey = Op::None;
}

void Calculator::RefreshView() {
  if (!view_) return;
  view_->DisplayChanged(text1_);
  view_->ShiftCaptionChanged(ShiftCaption());
  for (int i = 0; i < 3; ++i) view_->MemoryTextChanged(i, memoryText_[i]);
  view_->AngleUnitChanged(radians_);
}

void Calculator::SetText1(std::string_view text) {
  if (text == text1_) return;
  text1_.assign(text.data(), text.size());
  Text1Change();
  if (view_) view_->DisplayChanged(text1_);
}

void Calculator::AppendText1(char c) {
  text1_.push_back(c);
  Text1Change();
  if (view_) view_->DisplayChanged(text1_);
}

void Calculator::Text1Change() {
  RepeatMark = 1.0;
  ExponentStart = 0;
  PendingKey = Op::None;
}

Extended Calculator::ReadDisplay() const { return ReadNumber(text1_); }

double Calculator::ReadOperand() const { return ReadNumberDouble(text1_); }

void Calculator::ShowValue(Extended v) {
  char buf[kNumberTextCapacity];
  SetText1(std::string_view(buf, FormatNumber(Checked(v), buf)));
}

void Calculator::HandleCalcError() {
  SimpleOp = Op::None;
  EntryState = 0;
  ChainState = ChainCode::None;
  PowerState = PowerCode::None;
  SetText1("0");
  if (PlotMode == 0) {
    if (messages_) messages_->ShowMessage(MessageKind::Error, kCalcErrorText);
  } else {
    CalcError = 1;
  }
}

void Calculator::Press(Key key) {
  if (IsElementKey(key)) {
    ElementClick(ElementIndex(key));
    return;
  }
  // clang-format off
  switch (key) {
    case Key::cmd0: cmd0Click(); break;
    case Key::cmd1: case Key::cmd2: case Key::cmd3: case Key::cmd4: case Key::cmd5:
    case Key::cmd6: case Key::cmd7: case Key::cmd8: case Key::cmd9:
      ButtonClick(static_cast<char>('0' + static_cast<int>(key)));
      break;
    case Key::cmdpoint: cmdpointClick(); break;
    case Key::cmdis: cmdisClick(); break;
    case Key::cmdplus: cmdplusClick(); break;
    case Key::cmdminus: cmdminusClick(); break;
    case Key::cmdmulti: cmdmultiClick(); break;
    case Key::cmddivide: cmddivideClick(); break;
    case Key::cmdstepen: cmdstepenClick(); break;
    case Key::cmdon: cmdonClick(); break;
    case Key::cmdce: cmdceClick(); break;
    case Key::cmdBackSpace: cmdBackSpaceClick(); break;
    case Key::cmdShift: cmdShiftClick(); break;
    case Key::cmdFactorial: cmdFactorialClick(); break;
    case Key::cmdsin: cmdsinClick(); break;
    case Key::cmdcos: cmdcosClick(); break;
    case Key::cmdtg: cmdtgClick(); break;
    case Key::cmdctg: cmdctgClick(); break;
    case Key::cmd1nax: cmd1naxClick(); break;
    case Key::cmdpi: cmdpiClick(); break;
    case Key::cmdln: cmdlnClick(); break;
    case Key::cmdlg: cmdlgClick(); break;
    case Key::cmdsqr: cmdsqrClick(); break;
    case Key::cmdsqrt: cmdsqrtClick(); break;
    case Key::cmdplusminus: cmdplusminusClick(); break;
    case Key::cmdM1in: case Key::cmdM2in: case Key::cmdM3in:
      MemoryInClick(static_cast<int>(key) - static_cast<int>(Key::cmdM1in));
      break;
    case Key::cmdM1plus: case Key::cmdM2plus: case Key::cmdM3plus:
      MemoryPlusClick(static_cast<int>(key) - static_cast<int>(Key::cmdM1plus));
      break;
    case Key::cmdM1minus: case Key::cmdM2minus: case Key::cmdM3minus:
      MemoryMinusClick(static_cast<int>(key) - static_cast<int>(Key::cmdM1minus));
      break;
    case Key::cmdM1R: case Key::cmdM2R: case Key::cmdM3R:
      MemoryRecallClick(static_cast<int>(key) - static_cast<int>(Key::cmdM1R));
      break;
    case Key::optGrad: SelectAngleUnit(false); break;
    case Key::optRad: SelectAngleUnit(true); break;
    case Key::FirstElement: break;
  }
  // clang-format on
}

// ---- Number entry ----

// Each entry key first completes a pending operation, then enters its
// character; PressNumberKeys enters the characters of a run of such keys
// directly once nothing is pending.

void Calculator::ButtonClick(char digit) {
  ApplyPendingOperation();
  EnterDigit(digit);
}

void Calculator::EnterDigit(char digit) {
  if (EntryState == 0)
    SetText1(std::string_view(&digit, 1));
  else
    AppendText1(digit);
  EntryState = 1;
  MarkNewNumber();
}

void Calculator::cmd0Click() {
  ApplyPendingOperation();
  EnterZero();
}

void Calculator::EnterZero() {
  if (ExponentStart == 1) return;  // a 0 right after "E" is not typed
  if (EntryState == 0 || text1_ == "0") {
    SetText1("0");
    EntryState = 0;
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
    EntryState = 1;
    MarkNewNumber();
    return;
  }
  if (text1_.find('E') != std::string::npos) return;
  const bool hasComma = text1_.find(',') != std::string::npos;
  if (EntryState == 0)
    SetText1("0,");
  else if (!hasComma)
    AppendText1(',');
  EntryState = 1;
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
  if (view_ || !TypesAsShown(number)) return false;
  if (ShiftOn) Press(Key::cmdShift);
  SetText1(number);
  // C, the number keys and equals leave: no operation, chain or exponent
  // entry, and no number being entered.
  PendingKey = Op::None;
  SimpleOp = Op::None;
  EntryState = 0;
  ChainState = ChainCode::None;
  PowerState = PowerCode::None;
  ChainActive = 0;
  ExponentStart = 0;
  RepeatMark = 0.0;
  return true;
}

void Calculator::PressNumberKeys(std::string_view keys) {
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
    if (!view_ && EntryState == 1 && ExponentStart == 0 && text1_ != "0" && IsDigit(c)) {
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

void Calculator::cmdBackSpaceClick() {
  if (PendingKey != Op::None || EntryState != 1) return;
  // A lone "-" left from a one-digit negative number counts as nothing left.
  if (text1_.size() == 1 || text1_ == "-" || (text1_.size() == 2 && text1_[0] == '-')) {
    SetText1("0");
    EntryState = 0;
  } else {
    SetText1(std::string_view(text1_).substr(0, text1_.size() - 1));
    EntryState = 1;
  }
  if (ReadDisplay() == 0.0L) EntryState = 0;
}

void Calculator::cmdonClick() {
  PendingKey = Op::None;
  SimpleOp = Op::None;
  EntryState = 0;
  ChainState = ChainCode::None;
  PowerState = PowerCode::None;
  SetText1("0");
}

void Calculator::cmdceClick() {
  SetText1("0");
  EntryState = 0;
}

void Calculator::ElementClick(int index) {
  ApplyPendingOperation();
  SetText1(Elements()[static_cast<std::size_t>(index)].mass);
  EntryState = 0;
  MarkNewNumber();
}

}  // namespace veltrum
