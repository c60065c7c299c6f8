#include "elements/formula_errors.h"

#include <cstdio>
#include <string>

namespace veltrum::formula_errors {
namespace {

// Long tokens are cut in messages: the edit line marks all of them.
std::string Quoted(std::string_view text) {
  constexpr std::size_t kShown = 12;
  std::string q = "«";
  q += text.substr(0, kShown);
  if (text.size() > kShown) q += "…";
  return q + "»";
}

FormulaError Make(FormulaErrorKind kind, std::string message, std::size_t position, std::size_t length) {
  return {.kind = kind, .message = std::move(message), .position = position, .length = length};
}

}  // namespace

FormulaError EmptyFormula(std::size_t length) {
  return Make(FormulaErrorKind::Empty, "Введите формулу", 0, length);
}

FormulaError EmptyBrackets(std::size_t open, std::size_t close) {
  return Make(FormulaErrorKind::Empty, "Пустые скобки", open, close + 1 - open);
}

FormulaError EmptyPart(std::size_t position, std::size_t length) {
  return Make(FormulaErrorKind::Empty, "Пустая часть формулы у знака соединения", position, length);
}

FormulaError CountWithoutFormula(std::size_t position, std::size_t length) {
  return Make(FormulaErrorKind::Empty, "После числа нет формулы", position, length);
}

FormulaError UnknownSymbol(std::string_view formula, std::size_t position, std::size_t length) {
  const std::string_view token = formula.substr(position, length);
  if (token[0] >= 'a' && token[0] <= 'z')
    return Make(FormulaErrorKind::UnknownSymbol,
                "Символ элемента начинается с заглавной буквы: " + Quoted(token), position, length);
  return Make(FormulaErrorKind::UnknownSymbol, "Неизвестный символ элемента " + Quoted(token), position,
              length);
}

FormulaError NotInTable(std::string_view formula, std::size_t position, std::size_t length) {
  return Make(FormulaErrorKind::NotInTable,
              Quoted(formula.substr(position, length)) + ": этого элемента нет в таблице", position, length);
}

FormulaError UnpairedBracket(char bracket, std::size_t position) {
  return Make(FormulaErrorKind::UnpairedBracket, "Скобка «" + std::string(1, bracket) + "» без пары",
              position, 1);
}

FormulaError WrongClosingBracket(char open, char close, std::size_t position) {
  return Make(FormulaErrorKind::UnpairedBracket,
              "Скобка «" + std::string(1, close) + "» не закрывает «" + std::string(1, open) + "»", position,
              1);
}

FormulaError BadCount(std::size_t position, std::size_t length) {
  return Make(FormulaErrorKind::BadCount, "Число должно быть от 1 до 999 999", position, length);
}

FormulaError TooManyAtoms(std::size_t position, std::size_t length) {
  return Make(FormulaErrorKind::TooManyAtoms,
              "Слишком много атомов одного элемента (больше 999 999 999 999 999)", position, length);
}

FormulaError MisplacedNumber(std::size_t position, std::size_t length) {
  return Make(FormulaErrorKind::StrayCharacter, "Число не на своём месте", position, length);
}

std::size_t Utf8SequenceLength(std::string_view text, std::size_t position) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(position);
  if (lead < 0x80) return 1;
  std::size_t length;
  unsigned min;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, min = 0x10000;
  } else {
    return 0;
  }
  if (position + length > text.size()) return 0;
  unsigned code = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(position + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(position + i) & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

FormulaError StrayCharacter(std::string_view formula, std::size_t position) {
  const unsigned char c = static_cast<unsigned char>(formula[position]);
  const std::size_t length = Utf8SequenceLength(formula, position);
  char code[16];
  if (length == 0) {
    std::snprintf(code, sizeof code, "0x%02X", c);
    return Make(FormulaErrorKind::StrayCharacter, std::string("Байт ") + code + " не в кодировке UTF-8",
                position, 1);
  }
  if (c < 0x20 || c == 0x7F) {
    std::snprintf(code, sizeof code, "%u", c);
    return Make(FormulaErrorKind::StrayCharacter,
                std::string("Управляющему знаку с кодом ") + code + " нет места в формуле", position, 1);
  }
  // Н, С, О, К, Р, В look like H, C, O, K, P, B: a formula typed in the
  // Russian layout fails at its first letter.
  if (length == 2 && c >= 0xD0 && c <= 0xD3)
    return Make(FormulaErrorKind::StrayCharacter,
                "Символы элементов пишутся латинскими буквами, а " +
                    Quoted(formula.substr(position, length)) + " — буква кириллицы",
                position, length);
  return Make(FormulaErrorKind::StrayCharacter,
              "Знаку " + Quoted(formula.substr(position, length)) + " нет места в формуле", position, length);
}

}  // namespace veltrum::formula_errors

namespace veltrum {

std::string FormulaErrorText(std::string_view formula, const FormulaError& error) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < error.position && i < formula.size(); ++characters) {
    const std::size_t length = formula_errors::Utf8SequenceLength(formula, i);
    i += length == 0 ? 1 : length;
  }
  return "Позиция " + std::to_string(characters + 1) + ": " + error.message;
}

}  // namespace veltrum
