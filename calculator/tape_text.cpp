// How keys appear on the tape. An operand is written as it was entered:
//   typed digits, comma, backspace, sign while typing, exponent entry: the
//     display text ("12,5", "-3", "2E-3");
//   C: drops the calculation in progress (no line); CE: the operand is "0"
//     again and the operators before it stay;
//   element and group keys: their symbols ("Cu", "H₂O");
//   memory recall, a pasted number and a result recalled from the tape: the
//     value as the display shows it;
//   a number entered from the molar-mass window: its formula;
//   π and, with the shift, e: "π", "e";
//   function keys wrap the operand they read: "sin(0,5)", "arcsin(x)",
//     "cos", "tg", "ctg" and their "arc" forms likewise, "ln(x)", "exp(x)",
//     "lg(x)", "10^x", "sqr(x)", "sqrt(x)", "1/x", "x!"; the sign key on a
//     result gives "-x"; an operand with a sign or an operator in it is bracketed ("(-3)!");
//   a function key that first applies a waiting operator reads the
//     intermediate result the display then shows, so that is its operand.
// Operators are " + ", " - ", " * ", " / ", " ^ "; the root key is written
// as the power it computes, "27 ^ (1/3)". The shift, the angle unit and the
// memory store, add and subtract keys leave nothing on the tape unless they
// fail: a failed store reads "x → M1", a failed add "M1 + x".
#include <string_view>

#include "calculator/tape.h"

namespace veltrum {
namespace {

// An operand that reads as one number, name or function value without
// brackets: no sign in front, no operator.
bool IsPlain(const std::string& x) {
  return !x.empty() && x.front() != '-' && x.find_first_of(" +*/^") == std::string::npos;
}

std::string Wrapped(const std::string& x) { return IsPlain(x) ? x : "(" + x + ")"; }

std::string_view FunctionName(Key key, bool shift) {
  // clang-format off
  switch (key) {
    case Key::cmdsin: return shift ? "arcsin" : "sin";
    case Key::cmdcos: return shift ? "arccos" : "cos";
    case Key::cmdtg: return shift ? "arctg" : "tg";
    case Key::cmdctg: return shift ? "arcctg" : "ctg";
    case Key::cmdln: return shift ? "exp" : "ln";
    case Key::cmdlg: return "lg";
    case Key::cmdsqr: return "sqr";
    default: return "sqrt";
  }
  // clang-format on
}

}  // namespace

std::string DescribeFunction(Key key, bool shift, const std::string& operand) {
  switch (key) {
    case Key::cmdFactorial: return Wrapped(operand) + "!";
    case Key::cmd1nax: return "1/" + Wrapped(operand);
    case Key::cmdplusminus: return "-" + Wrapped(operand);
    case Key::cmdlg:
      if (shift) return "10^" + Wrapped(operand);
      break;
    default: break;
  }
  return std::string(FunctionName(key, shift)) + "(" + operand + ")";
}

std::string JoinTerms(const std::string& left, Op join, const std::string& right) {
  switch (join) {
    case Op::Plus: return left + " + " + right;
    case Op::Minus: return left + " - " + right;
    case Op::Multiply: return left + " * " + right;
    case Op::Divide: return left + " / " + right;
    case Op::Power: return left + " ^ " + right;
    case Op::Root: return left + " ^ (1/" + right + ")";
    case Op::None: break;
  }
  return left;
}

}  // namespace veltrum
