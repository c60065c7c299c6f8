#pragma once
// The keys of a set's text, and the reader behind ReadFunctionSet and
// LoadFunctionSet: it takes a set's text one line at a time (without its
// '\n') and counts the lines.
#include <array>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "plotter/function_set.h"

namespace veltrum {

// The bound keys in the order they are written, each with its field.
struct BoundKey {
  std::string_view key;
  std::string FunctionSet::*field;
};

inline constexpr std::array kBoundKeys{
    BoundKey{.key = "xleft", .field = &FunctionSet::xLeft},
    BoundKey{.key = "xright", .field = &FunctionSet::xRight},
    BoundKey{.key = "yleft", .field = &FunctionSet::yLeft},
    BoundKey{.key = "yright", .field = &FunctionSet::yRight},
    BoundKey{.key = "from", .field = &FunctionSet::from},
    BoundKey{.key = "to", .field = &FunctionSet::to},
};
inline constexpr std::string_view kStepKey = "step";

// Whether bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view bytes);

class SetReader {
 public:
  // Takes the next line; a refusal names it.
  std::optional<SetRefusal> Line(std::string_view line);
  // A refusal for the line read last.
  SetRefusal Refuse(const std::string& what) const;
  const FunctionSet& Set() const { return set_; }

 private:
  FunctionSet set_;
  std::set<std::string> seen_;
  int number_ = 0;
};

}  // namespace veltrum
