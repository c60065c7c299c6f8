// The set reader: a set's text taken one line at a time.
#include "plotter/function_set_reader.h"

#include <cstdint>

#include "number/number_text.h"

namespace veltrum {
namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool IsNumber(const std::string& text) {
  try {
    ReadNumberDouble(text);
    return true;
  } catch (const CalcFailure&) {
    return false;
  }
}

}  // namespace

bool IsUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<std::uint8_t>(bytes[i]);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07u;
    } else {
      return false;
    }
    if (i + length > bytes.size()) return false;
    for (std::size_t j = 1; j < length; ++j) {
      const auto next = static_cast<std::uint8_t>(bytes[i + j]);
      if ((next & 0xC0u) != 0x80u) return false;
      code = (code << 6) | (next & 0x3Fu);
    }
    // Overlong forms, surrogates and values past U+10FFFF.
    if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) || code > 0x10FFFF ||
        (code >= 0xD800 && code <= 0xDFFF))
      return false;
    i += length;
  }
  return true;
}

std::optional<SetRefusal> SetReader::Line(std::string_view line) {
  ++number_;
  if (line.size() > kMaxSetLineBytes) return Refuse("строка длиннее 64 КиБ.");
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  // Any other CR is text that no saved set holds: lines ended by CR alone,
  // or an expression that could not be written back as it was read.
  if (line.find('\r') != std::string_view::npos) return Refuse("возврат каретки (CR) внутри строки.");
  // A byte order mark, as some editors write it, is no part of the text.
  if (number_ == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
  if (!IsUtf8(line)) return Refuse("текст не в кодировке UTF-8.");
  if (TrimBlanks(line).empty()) return std::nullopt;
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return Refuse("ожидается «F(X)=выражение» или «ключ=значение».");
  const std::string key(TrimBlanks(line.substr(0, eq)));
  // Blanks around "=" are a hand-edited file's, for every key alike.
  const std::string_view value = TrimBlanks(line.substr(eq + 1));
  if (key == kFunctionPrefix.substr(0, kFunctionPrefix.size() - 1)) {
    if (set_.expressions.size() == kMaxSetFunctions) return Refuse("функций больше десяти.");
    set_.expressions.emplace_back(value);
    return std::nullopt;
  }
  if (!seen_.insert(key).second) return Refuse("ключ «" + key + "» уже был задан.");
  if (key == kStepKey) {
    if (const std::optional<SamplingStep> step = StepFromText(value)) {
      set_.step = *step;
      return std::nullopt;
    }
    return Refuse("шаг может быть только 0,1, 0,01 или 0,001.");
  }
  for (const BoundKey& bound : kBoundKeys) {
    if (key != bound.key) continue;
    std::string text(value);
    if (!IsNumber(text)) return Refuse("«" + text + "» — не число.");
    set_.*bound.field = std::move(text);
    return std::nullopt;
  }
  return Refuse("неизвестный ключ «" + key + "».");
}

SetRefusal SetReader::Refuse(const std::string& what) const {
  return SetRefusal{"Строка " + std::to_string(number_) + ": " + what};
}

}  // namespace veltrum
