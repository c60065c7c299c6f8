// A number pasted from the clipboard enters like a key's result: the
// waiting operator is applied, the number shown in the display's format,
// and the next digit starts a new number.
#include "calculator/calculator.h"
#include "number/number_text.h"

namespace veltrum {

std::optional<Extended> ReadPastedNumber(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (text.empty() || text.size() > 400) return std::nullopt;
  std::string normal(text);
  int separators = 0;
  for (char& c : normal) {
    if (c == '.') c = ',';
    if (c == ',') ++separators;
    if (c == ' ') return std::nullopt;
  }
  if (separators > 1) return std::nullopt;
  try {
    return ReadNumber(normal);
  } catch (const CalcFailure&) {
    return std::nullopt;
  }
}

bool Calculator::PasteNumber(std::string_view text) {
  const std::optional<Extended> value = ReadPastedNumber(text);
  if (!value) return false;
  ++inputs_;
  Reported(EntryKind::Paste, Key::cmd0, text, [&] {
    ApplyPendingOperation();
    ShowValue(*value);
    EntryState = false;
    MarkNewNumber();
  });
  return true;
}

}  // namespace veltrum
