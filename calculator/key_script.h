#pragma once
// Key scripts: a character is typed as on the keyboard, {NAME} presses the
// control NAME directly. Used by veltrum-cli, the tests and the fuzzers.
#include <string>
#include <string_view>
#include <vector>

#include "calculator/keys.h"

namespace veltrum {

struct KeyScript {
  std::vector<Key> keys;
  std::string error;  // empty when the script is valid
};

// Characters the keyboard ignores press nothing; an unknown name or an
// unpaired brace makes the whole script invalid.
KeyScript ParseKeyScript(std::string_view script);

}  // namespace veltrum
