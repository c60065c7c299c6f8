#pragma once
// Chemical formulas over the element table: "H2O", "K4[Fe(CN)6]",
// "CuSO4·5H2O". The molar mass is summed in extended precision from the
// table's own mass texts, so a formula and the element keys agree.
//
// Grammar: a symbol is a table element symbol (case matters: "Co" is cobalt, "CO"
// carbon and oxygen); a count of 1..999 999 may follow a symbol or a closing
// bracket; round and square brackets nest to any depth; parts joined by
// '*', '·' or '.' may each start with a count; spaces and tabs are ignored.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "number/failure.h"

namespace veltrum {

inline constexpr std::uint64_t kMaxFormulaCount = 999'999;
// Atoms of one element in the whole formula: the count text stays exact in
// the calculator's 15 digits.
inline constexpr std::uint64_t kMaxElementAtoms = 999'999'999'999'999;

enum class FormulaErrorKind : std::uint8_t {
  Empty,            // nothing in the formula, a part or a pair of brackets
  UnknownSymbol,    // "Xx", or letters that start with a small one
  NotInTable,       // a real element this table leaves out (Ce, U ...)
  UnpairedBracket,  // a bracket without its pair, or closed by the other kind
  BadCount,         // 0 or over 999 999
  TooManyAtoms,     // counts multiplied through brackets beyond kMaxElementAtoms
  StrayCharacter,   // a character or a number that has no place there
};

struct FormulaError {
  FormulaErrorKind kind;
  std::string message;   // Russian, for the user
  std::size_t position;  // byte offset of the offending part
  std::size_t length;    // its length in bytes
};

struct FormulaElement {
  int element;  // row of Elements()
  std::string_view symbol;
  std::uint64_t count;    // atoms in the whole formula
  Extended contribution;  // count × the element's mass
  Extended fraction;      // per cent of the molar mass
};

struct FormulaMass {
  Extended mass = 0;
  std::string text;                      // the calculator's number text of mass
  std::vector<FormulaElement> elements;  // in order of first appearance
};

struct FormulaResult {
  std::optional<FormulaError> error;  // set for a wrong formula
  FormulaMass value;                  // empty when error is set
  bool ok() const { return !error; }
};

// Linear in the length of the formula, whatever its nesting; any bytes.
FormulaResult ParseFormula(std::string_view formula);

// "Позиция N: MESSAGE", N the 1-based character position of the error
// (an invalid byte counts as one character).
std::string FormulaErrorText(std::string_view formula, const FormulaError& error);

// Symbol lookup over the table's element symbols (groups are no symbols).
// The row of Elements() for symbol, or -1.
int FindElementSymbol(std::string_view symbol);
// Whether symbol names a real element that this table leaves out.
bool IsElementOutsideTable(std::string_view symbol);
// The element's mass text of row index read as the calculator reads it.
Extended ElementMass(int index);

}  // namespace veltrum
