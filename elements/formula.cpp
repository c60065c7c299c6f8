// The formula parser: one pass over the bytes with an explicit stack of
// bracket levels, so neither length nor nesting can exhaust the call stack.
//
// Atoms live in one flat list. Each level owns a tail of it: the finished
// parts of the bracket, then the current part, then the pending item (the
// last symbol or closed bracket, still waiting for its count). Every range
// holds each element once, so a merge costs at most the table's size and
// the whole pass stays linear.
#include "elements/formula.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "elements/elements.h"
#include "elements/formula_errors.h"
#include "number/number_text.h"

namespace veltrum {
namespace {

namespace err = formula_errors;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

struct Atom {
  int element;
  std::uint64_t count;
};

struct Level {
  char bracket;           // '(' or '['; 0 for the formula itself
  std::size_t open;       // position of the bracket
  std::size_t start;      // first atom of the bracket's contents
  std::size_t partStart;  // first atom of the current part
  std::size_t separator;  // position of the separator before the part, or kNone
  std::size_t separatorLength;
  std::uint64_t multiplier;  // the part's leading count
  std::size_t countAt, countLength;
  bool partHasAtoms;
};

enum class Expect : std::uint8_t { PartStart, AfterLeadingCount, AfterItem, AfterCount };

class Parser {
 public:
  explicit Parser(std::string_view f) : f_(f) { firstSeen_.fill(kNone); }

  std::optional<FormulaError> Run() {
    levels_.push_back(NewLevel(0, 0));
    while (!error_ && i_ < f_.size()) Step();
    if (error_) return error_;
    FlushPending();
    if (error_) return error_;
    if (levels_.size() > 1) return err::UnpairedBracket(levels_.back().bracket, levels_.back().open);
    if (atoms_.empty() && levels_.back().separator == kNone && !levels_.back().countLength)
      return err::EmptyFormula(f_.size());
    ClosePart(f_.size(), 0);
    return error_;
  }

  std::vector<Atom> Atoms() const { return atoms_; }
  std::size_t FirstSeen(int element) const { return firstSeen_[static_cast<std::size_t>(element)]; }

 private:
  Level NewLevel(char bracket, std::size_t open) const {
    return {.bracket = bracket,
            .open = open,
            .start = atoms_.size(),
            .partStart = atoms_.size(),
            .separator = kNone,
            .separatorLength = 0,
            .multiplier = 1,
            .countAt = 0,
            .countLength = 0,
            .partHasAtoms = false};
  }

  void Step() {
    const char c = f_[i_];
    if (c == ' ' || c == '\t') {
      ++i_;
    } else if (c >= '0' && c <= '9') {
      Count();
    } else if (c >= 'A' && c <= 'Z') {
      Symbol();
    } else if (c >= 'a' && c <= 'z') {
      error_ = err::UnknownSymbol(f_, i_, LettersFrom(i_) - i_);
    } else if (c == '(' || c == '[') {
      FlushPending();
      if (error_) return;
      levels_.back().partHasAtoms = true;
      levels_.push_back(NewLevel(c, i_++));
      expect_ = Expect::PartStart;
    } else if (c == ')' || c == ']') {
      CloseBracket(c);
    } else if (c == '*' || c == '.' || f_.substr(i_, 2) == "\xC2\xB7") {
      Separator(c == '*' || c == '.' ? 1 : 2);
    } else {
      error_ = err::StrayCharacter(f_, i_);
    }
  }

  std::size_t LettersFrom(std::size_t p) const {
    while (p < f_.size() && f_[p] >= 'a' && f_[p] <= 'z') ++p;
    return p;
  }

  void Symbol() {
    FlushPending();
    if (error_) return;
    const std::size_t end = LettersFrom(i_ + 1);
    const std::string_view symbol = f_.substr(i_, end - i_);
    const int element = FindElementSymbol(symbol);
    if (element < 0) {
      error_ = IsElementOutsideTable(symbol) ? err::NotInTable(f_, i_, end - i_)
                                             : err::UnknownSymbol(f_, i_, end - i_);
      return;
    }
    std::size_t& seen = firstSeen_[static_cast<std::size_t>(element)];
    if (seen == kNone) seen = i_;
    pending_ = atoms_.size();
    atoms_.push_back({element, 1});
    pendingAt_ = i_;
    pendingLength_ = end - i_;
    levels_.back().partHasAtoms = true;
    expect_ = Expect::AfterItem;
    i_ = end;
  }

  void Count() {
    const std::size_t at = i_;
    std::uint64_t value = 0;
    for (; i_ < f_.size() && f_[i_] >= '0' && f_[i_] <= '9'; ++i_)
      value = std::min<std::uint64_t>(value * 10 + static_cast<unsigned>(f_[i_] - '0'), kMaxFormulaCount + 1);
    const std::size_t length = i_ - at;
    if (expect_ == Expect::AfterLeadingCount || expect_ == Expect::AfterCount) {
      error_ = err::MisplacedNumber(at, length);
      return;
    }
    if (value == 0 || value > kMaxFormulaCount) {
      error_ = err::BadCount(at, length);
      return;
    }
    if (expect_ == Expect::AfterItem) {
      Multiply(pending_, value, at, length);
      pendingAt_ = at;
      pendingLength_ = length;
      expect_ = Expect::AfterCount;
    } else {
      Level& level = levels_.back();
      level.multiplier = value;
      level.countAt = at;
      level.countLength = length;
      expect_ = Expect::AfterLeadingCount;
    }
  }

  void CloseBracket(char c) {
    FlushPending();
    if (error_) return;
    if (levels_.size() == 1) {
      error_ = err::UnpairedBracket(c, i_);
      return;
    }
    const Level& level = levels_.back();
    if ((level.bracket == '(') != (c == ')')) {
      error_ = err::WrongClosingBracket(level.bracket, c, i_);
      return;
    }
    if (atoms_.size() == level.start && level.separator == kNone && !level.countLength) {
      error_ = err::EmptyBrackets(level.open, i_);
      return;
    }
    ClosePart(i_, 1);
    if (error_) return;
    // The bracket's contents become the pending item of the level around it.
    pending_ = levels_.back().start;
    pendingAt_ = levels_.back().open;
    pendingLength_ = i_ + 1 - pendingAt_;
    levels_.pop_back();
    ++i_;
    expect_ = Expect::AfterItem;
  }

  void Separator(std::size_t length) {
    FlushPending();
    ClosePart(i_, length);
    if (error_) return;
    Level& level = levels_.back();
    level.partStart = atoms_.size();
    level.separator = i_;
    level.separatorLength = length;
    level.multiplier = 1;
    level.countLength = 0;
    level.partHasAtoms = false;
    i_ += length;
    expect_ = Expect::PartStart;
  }

  // The current part ends at the mark [end, end + endLength): its leading
  // count multiplies it and it joins the bracket's earlier parts.
  void ClosePart(std::size_t end, std::size_t endLength) {
    if (error_) return;
    Level& level = levels_.back();
    if (!level.partHasAtoms) {
      if (level.countLength)
        error_ = err::CountWithoutFormula(level.countAt, level.countLength);
      else if (level.separator != kNone)
        error_ = err::EmptyPart(level.separator, level.separatorLength);
      else
        error_ = err::EmptyPart(end, endLength);
      return;
    }
    Multiply(level.partStart, level.multiplier, level.countAt, level.countLength);
    Merge(level.start, level.partStart, level.countAt, level.countLength);
  }

  void FlushPending() {
    if (error_ || pending_ == kNone) return;
    Merge(levels_.back().partStart, pending_, pendingAt_, pendingLength_);
    pending_ = kNone;
  }

  void Multiply(std::size_t from, std::uint64_t by, std::size_t at, std::size_t length) {
    if (by == 1) return;
    for (std::size_t k = from; k < atoms_.size(); ++k) {
      if (atoms_[k].count > kMaxElementAtoms / by) {
        error_ = err::TooManyAtoms(at, length);
        return;
      }
      atoms_[k].count *= by;
    }
  }

  // Joins the range [mid, end) into [from, mid); both hold each element once.
  void Merge(std::size_t from, std::size_t mid, std::size_t at, std::size_t length) {
    if (error_) return;
    for (std::size_t k = from; k < mid; ++k) slot_[static_cast<std::size_t>(atoms_[k].element)] = k + 1;
    std::size_t out = mid;
    for (std::size_t k = mid; k < atoms_.size() && !error_; ++k) {
      std::size_t& slot = slot_[static_cast<std::size_t>(atoms_[k].element)];
      if (slot == 0) {
        atoms_[out] = atoms_[k];
        slot = ++out;
      } else if (atoms_[slot - 1].count > kMaxElementAtoms - atoms_[k].count) {
        error_ = err::TooManyAtoms(at, length);
      } else {
        atoms_[slot - 1].count += atoms_[k].count;
      }
    }
    for (std::size_t k = from; k < atoms_.size(); ++k) slot_[static_cast<std::size_t>(atoms_[k].element)] = 0;
    atoms_.resize(out);
  }

  std::string_view f_;
  std::size_t i_ = 0;
  std::vector<Atom> atoms_;
  std::vector<Level> levels_;
  std::size_t pending_ = kNone, pendingAt_ = 0, pendingLength_ = 0;
  Expect expect_ = Expect::PartStart;
  std::optional<FormulaError> error_;
  std::array<std::size_t, kElementCount> slot_{};
  std::array<std::size_t, kElementCount> firstSeen_{};
};

}  // namespace

FormulaResult ParseFormula(std::string_view formula) {
  Parser parser(formula);
  FormulaResult result;
  result.error = parser.Run();
  if (result.error) return result;
  std::vector<Atom> atoms = parser.Atoms();
  std::ranges::sort(atoms, [&](const Atom& a, const Atom& b) {
    return parser.FirstSeen(a.element) < parser.FirstSeen(b.element);
  });
  FormulaMass& value = result.value;
  for (const Atom& a : atoms) {
    const Extended contribution = static_cast<Extended>(a.count) * ElementMass(a.element);
    value.mass += contribution;
    value.elements.push_back(
        {a.element, Elements()[static_cast<std::size_t>(a.element)].symbol, a.count, contribution, 0});
  }
  for (FormulaElement& e : value.elements) e.fraction = e.contribution / value.mass * 100;
  value.text = NumberText(value.mass);
  return result;
}

}  // namespace veltrum
