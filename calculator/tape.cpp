// The tape follows the calculator key by key: an applied operator closes an
// operand, the key's own work describes the new operand, and an equals key
// that computed something, or an error box, ends the line.
#include "calculator/tape.h"

#include "calculator/calculator.h"
#include "calculator/element_keys.h"
#include "number/number_text.h"

namespace veltrum {
namespace {

bool ChainWasOpen(const CalculatorState& s) {
  return s.ChainState != ChainCode::None || s.PowerState != PowerCode::None;
}

bool IsFunctionKey(Key k) {
  switch (k) {
    case Key::cmdsqr:
    case Key::cmdsqrt:
    case Key::cmdFactorial:
    case Key::cmdsin:
    case Key::cmdcos:
    case Key::cmdtg:
    case Key::cmdctg:
    case Key::cmdln:
    case Key::cmdlg: return true;
    default: return false;
  }
}

// 0..2 for the register of a memory key of the given first key, or -1.
int RegisterOf(Key k, Key first) {
  const int i = static_cast<int>(k) - static_cast<int>(first);
  return i >= 0 && i < 3 ? i : -1;
}

}  // namespace

void Tape::KeyHandled(const KeyReport& r) {
  // Something the tape did not see changed the display (a plot run on this
  // calculator): what it shows now starts a new calculation.
  if (r.displayBefore != seen_) {
    terms_.clear();
    operand_ = r.displayBefore;
  }
  if (r.applied != Op::None) {
    if (r.failedApplying) {
      // The calculation up to the operand before the operator failed.
      Fail(Expression());
    } else {
      terms_.push_back({operand_, r.applied});
    }
    operand_ = r.displayAfterApplying;
  }
  if (r.failed) {
    const Key k = r.kind == EntryKind::Key ? r.key : Key::cmd0;
    std::string expression;
    if (k == Key::cmdis) {
      expression = terms_.empty() ? RepeatedExpression(r) : Expression();
    } else if (const int i = RegisterOf(k, Key::cmdM1in); i >= 0) {
      expression = operand_ + " → M" + std::to_string(i + 1);
    } else if (const int j = RegisterOf(k, Key::cmdM1plus); j >= 0) {
      expression = "M" + std::to_string(j + 1) + " + " + operand_;
    } else if (const int m = RegisterOf(k, Key::cmdM1minus); m >= 0) {
      expression = "M" + std::to_string(m + 1) + " - " + operand_;
    } else {
      if (IsFunctionKey(k) || k == Key::cmd1nax || k == Key::cmdplusminus)
        operand_ = DescribeFunction(k, r.before.ShiftOn, operand_);
      expression = Expression();
    }
    Fail(expression);
    operand_ = r.display;
  } else {
    OwnWork(r);
  }
  nextName_.clear();
  seen_ = r.display;
}

void Tape::OwnWork(const KeyReport& r) {
  if (r.kind == EntryKind::Paste) {
    operand_ = r.display;
    return;
  }
  if (r.kind == EntryKind::NumberText) {
    operand_ = nextName_.empty() ? r.text : nextName_;
    return;
  }
  const Key k = r.key;
  const bool shift = r.before.ShiftOn;
  // The display the key's own work started from.
  const std::string& start = r.applied != Op::None ? r.displayAfterApplying : r.displayBefore;
  const bool changed = r.display != start;
  if (IsElementKey(k)) {
    operand_ = ElementOfKey(ElementIndex(k)).symbol;
  } else if (k <= Key::cmdpoint || k == Key::cmdce || RegisterOf(k, Key::cmdM1R) >= 0) {
    operand_ = r.display;
  } else if (k == Key::cmdon) {
    terms_.clear();
    operand_ = r.display;
  } else if (k == Key::cmdBackSpace || (k == Key::cmd1nax && shift)) {
    if (changed) operand_ = r.display;
  } else if (k == Key::cmdplusminus) {
    // While a number is typed the sign is part of its text.
    if (r.before.ExponentStart || operand_ == start)
      operand_ = r.display;
    else if (changed)
      operand_ = DescribeFunction(k, shift, operand_);
  } else if (IsFunctionKey(k) || k == Key::cmd1nax) {
    operand_ = DescribeFunction(k, shift, operand_);
  } else if (k == Key::cmdpi) {
    operand_ = shift ? "e" : "π";
  } else if (k == Key::cmdis) {
    Equals(r);
  }
}

// An equals key that found an operation completes the line. One that found
// none finishes a function or a named value on its own ("sin(0,5) = ...")
// and otherwise leaves the calculation open (2 + = 3 = is 2 + 3 = 5).
void Tape::Equals(const KeyReport& r) {
  if (r.before.SimpleOp == Op::None && !ChainWasOpen(r.before)) {
    if (terms_.empty() && operand_ != r.display)
      Add({.expression = operand_, .result = r.display, .failed = false});
    operand_ = r.display;
    return;
  }
  Add({.expression = terms_.empty() ? RepeatedExpression(r) : Expression(),
       .result = r.display,
       .failed = false});
  terms_.clear();
  operand_ = r.display;
}

// An equals key with no operator entered since the last one repeats the
// last operation on the result shown, with the number typed meanwhile or
// else the last operand: "5 + 3" after 2 + 3 =.
std::string Tape::RepeatedExpression(const KeyReport& r) const {
  const CalculatorState& s = r.failed ? r.before : r.after;
  const std::string operand = r.before.RepeatMark ? operand_ : NumberText(s.Operand);
  return JoinTerms(NumberText(r.before.Accumulator), s.SimpleOp, operand);
}

std::string Tape::Expression() const {
  if (terms_.empty()) return operand_;
  std::string text = terms_.front().operand;
  for (std::size_t i = 0; i < terms_.size(); ++i)
    text = JoinTerms(text, terms_[i].join, i + 1 < terms_.size() ? terms_[i + 1].operand : operand_);
  return text;
}

void Tape::Fail(const std::string& expression) {
  Add({.expression = expression, .result = std::string(kCalcErrorText), .failed = true});
  terms_.clear();
}

void Tape::Add(TapeLine line) {
  lines_.push_back(std::move(line));
  if (lines_.size() > kCapacity) lines_.pop_front();
  if (added_) added_(lines_.back());
}

}  // namespace veltrum
