// Function sets on disk; a save replaces the file whole or not at all.
#include <fstream>
#include <utility>

#include "files/text_file.h"
#include "plotter/function_set.h"
#include "plotter/function_set_reader.h"

namespace veltrum {

std::variant<FunctionSet, SetRefusal> LoadFunctionSet(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return SetRefusal{"Не удалось открыть файл: " + path};
  SetReader reader;
  std::string line;
  char buffer[8192];
  bool overlong = false;
  // Lines are cut at '\n'; one that grows past the limit is refused at
  // once, without reading the rest of it.
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    const std::string_view chunk(buffer, static_cast<std::size_t>(in.gcount()));
    std::size_t start = 0;
    while (start <= chunk.size()) {
      const std::size_t end = chunk.find('\n', start);
      line.append(chunk.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
      if (end == std::string_view::npos) {
        overlong = line.size() > kMaxSetLineBytes;
        break;
      }
      if (std::optional<SetRefusal> refusal = reader.Line(line)) return *refusal;
      line.clear();
      start = end + 1;
    }
    if (overlong) return reader.Line(line).value_or(SetRefusal{});
  }
  if (in.bad()) return SetRefusal{"Не удалось открыть файл: " + path};
  if (!line.empty())
    if (std::optional<SetRefusal> refusal = reader.Line(line)) return *refusal;
  return reader.Set();
}

bool SaveFunctionSet(const FunctionSet& set, const std::string& path, std::string* reason) {
  std::optional<std::string> failure = SaveTextFile(path, FunctionSetText(set));
  if (failure && reason) *reason = std::move(*failure);
  return !failure;
}

}  // namespace veltrum
