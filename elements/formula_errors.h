#pragma once
// The parser's error messages, built from the offending part of a formula.
#include <string_view>

#include "elements/formula.h"

namespace veltrum::formula_errors {

FormulaError EmptyFormula(std::size_t length);
FormulaError EmptyBrackets(std::size_t open, std::size_t close);
FormulaError EmptyPart(std::size_t position, std::size_t length);
FormulaError CountWithoutFormula(std::size_t position, std::size_t length);
FormulaError UnknownSymbol(std::string_view formula, std::size_t position, std::size_t length);
FormulaError NotInTable(std::string_view formula, std::size_t position, std::size_t length);
FormulaError UnpairedBracket(char bracket, std::size_t position);
FormulaError WrongClosingBracket(char open, char close, std::size_t position);
FormulaError BadCount(std::size_t position, std::size_t length);
FormulaError TooManyAtoms(std::size_t position, std::size_t length);
FormulaError MisplacedNumber(std::size_t position, std::size_t length);
// The character at position, whatever it is: a UTF-8 sequence or a byte
// that is not UTF-8.
FormulaError StrayCharacter(std::string_view formula, std::size_t position);

// Length of the valid UTF-8 sequence at position, or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t position);

}  // namespace veltrum::formula_errors
