#pragma once
// Function sets: the plot window's functions, bounds and step kept in a
// plain UTF-8 text file (".vfs") that a person can read and edit:
//
//   F(X)=sin[x]
//   F(X)=x^2-2
//   xleft=-10
//   xright=10
//   yleft=-10
//   yright=10
//   from=-3
//   to=3
//   step=0,1
//
// One "F(X)=" line per function, in list order, then the axis bounds, the
// bounds of the variable and the step as key=value lines. Bounds are kept
// as typed in the window's edits (decimal comma). Empty lines are skipped;
// a key that is missing keeps its value from the window's design.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "plotter/sampling.h"

namespace veltrum {

inline constexpr std::string_view kFunctionSetSuffix = "vfs";
inline constexpr std::string_view kFunctionPrefix = "F(X)=";
inline constexpr std::size_t kMaxSetFunctions = 10;
inline constexpr std::size_t kMaxSetLineBytes = std::size_t{64} * 1024;

struct FunctionSet {
  std::vector<std::string> expressions;  // the text after "F(X)=" of each entry
  std::string xLeft = "-10", xRight = "10";
  std::string yLeft = "-10", yRight = "10";
  std::string from = "-3", to = "3";
  SamplingStep step = kStepTenth;

  bool operator==(const FunctionSet&) const = default;
};

// Why a file was refused: a message to show as it stands ("Строка 4: ...").
struct SetRefusal {
  std::string message;
};

// The file's text for set. A step other than the three of the window is
// written as 0,1.
std::string FunctionSetText(const FunctionSet& set);

// Reads a file's text; a refusal names the line (counted from 1).
std::variant<FunctionSet, SetRefusal> ReadFunctionSet(std::string_view text);

// Reads the file at path. A line longer than kMaxSetLineBytes is refused
// as soon as it is met, so a huge file is never read whole.
std::variant<FunctionSet, SetRefusal> LoadFunctionSet(const std::string& path);

// Writes set to path through a temporary file in the same folder renamed
// over it, so an earlier file stays whole when anything fails. False when
// the file could not be written, with the system's reason in reason when
// one is asked for; nothing is left behind then.
bool SaveFunctionSet(const FunctionSet& set, const std::string& path, std::string* reason = nullptr);

}  // namespace veltrum
