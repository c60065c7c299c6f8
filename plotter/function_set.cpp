// The text of a function set: writing it, and reading it back through the
// set reader.
#include "plotter/function_set.h"

#include "plotter/function_set_reader.h"

namespace veltrum {

std::string FunctionSetText(const FunctionSet& set) {
  std::string text;
  for (const std::string& expression : set.expressions) {
    text += kFunctionPrefix;
    text += expression;
    text += '\n';
  }
  for (const BoundKey& bound : kBoundKeys) {
    text += bound.key;
    text += '=';
    text += set.*bound.field;
    text += '\n';
  }
  std::string_view step = StepText(set.step);
  if (step.empty()) step = StepText(kStepTenth);
  text += kStepKey;
  text += '=';
  text += step;
  text += '\n';
  return text;
}

std::variant<FunctionSet, SetRefusal> ReadFunctionSet(std::string_view text) {
  SetReader reader;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (std::optional<SetRefusal> refusal = reader.Line(line)) return *refusal;
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return reader.Set();
}

}  // namespace veltrum
