#include "calculator/key_script.h"

namespace veltrum {

KeyScript ParseKeyScript(std::string_view script) {
  KeyScript out;
  for (std::size_t i = 0; i < script.size(); ++i) {
    const char c = script[i];
    if (c == '{') {
      const std::size_t close = script.find('}', i + 1);
      if (close == std::string_view::npos) {
        out.error = "unclosed '{' at position " + std::to_string(i + 1);
        out.keys.clear();
        return out;
      }
      const std::string_view name = script.substr(i + 1, close - i - 1);
      const std::optional<Key> key = KeyFromName(name);
      if (!key) {
        out.error = "unknown key name '" + std::string(name) + "'";
        out.keys.clear();
        return out;
      }
      out.keys.push_back(*key);
      i = close;
    } else if (c == '}') {
      out.error = "unmatched '}' at position " + std::to_string(i + 1);
      out.keys.clear();
      return out;
    } else if (const std::optional<Key> key = KeyForChar(c)) {
      out.keys.push_back(*key);
    }
  }
  return out;
}

}  // namespace veltrum
