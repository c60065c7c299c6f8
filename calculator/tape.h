#pragma once
// The tape: one line per completed calculation, the operands and operators
// as they were entered, then " = " and the result as the display showed it.
// It only observes the calculator (attach it with Calculator::SetObserver);
// it never presses a key and keeps nothing on disk.
#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "calculator/key_report.h"

namespace veltrum {

struct TapeLine {
  std::string expression;
  std::string result;  // the display text, or the error box's text
  bool failed = false;
  std::string Text() const { return expression + " = " + result; }
};

class Tape : public KeyObserver {
 public:
  static constexpr std::size_t kCapacity = 1000;

  void KeyHandled(const KeyReport& report) override;

  // The next number text entered (not a key) appears on the tape as name,
  // for example the formula whose molar mass it is.
  void NameNextEntry(std::string name) { nextName_ = std::move(name); }

  const std::deque<TapeLine>& Lines() const { return lines_; }
  // Forgets the lines; the calculation in progress goes on.
  void Clear() { lines_.clear(); }
  // Called after each line added (the oldest is dropped beyond kCapacity).
  void OnLineAdded(std::function<void(const TapeLine&)> added) { added_ = std::move(added); }

 private:
  // An operand and the operator entered after it.
  struct Term {
    std::string operand;
    Op join;
  };

  void OwnWork(const KeyReport& r);
  void Equals(const KeyReport& r);
  void Fail(const std::string& expression);
  void Add(TapeLine line);
  std::string Expression() const;
  std::string RepeatedExpression(const KeyReport& r) const;

  std::deque<TapeLine> lines_;
  std::function<void(const TapeLine&)> added_;
  std::vector<Term> terms_;
  // What the number on the display is, as entered: "12", "sin(0,5)", "Cu".
  std::string operand_ = "0";
  // The display as the last report left it.
  std::string seen_ = "0";
  std::string nextName_;
};

// How the key applied to operand appears on the tape: "sin(0,5)", "5!".
std::string DescribeFunction(Key key, bool shift, const std::string& operand);
// " + ", " * ", " ^ " between two operands; a root is a power of 1/n.
std::string JoinTerms(const std::string& left, Op join, const std::string& right);

}  // namespace veltrum
