// veltrum-cli keys: one calculator, as after start-up, driven by a script.
#include <cstdio>
#include <string>

#include "calculator/calculator.h"
#include "calculator/key_script.h"
#include "calculator/tape.h"
#include "cli/commands.h"
#include "version.h"

namespace veltrum::cli {

int RunKeys(const std::vector<std::string>& args) {
  bool memory = false, trace = false, tape = false;
  const std::string* script = nullptr;
  // After "--" every argument is taken as it stands, so a SCRIPT may start
  // with "-".
  bool options = true;
  for (const std::string& a : args) {
    if (options && a == "--") {
      options = false;
    } else if (options && a == "--memory") {
      memory = true;
    } else if (options && a == "--trace") {
      trace = true;
    } else if (options && a == "--tape") {
      tape = true;
    } else if (options && a.size() > 1 && a.rfind("--", 0) == 0) {
      return UsageError("keys: unknown option '" + a + "'");
    } else if (script) {
      return UsageError("keys: only one SCRIPT is taken");
    } else {
      script = &a;
    }
  }
  if (!script) return UsageError("keys: SCRIPT is missing");
  const KeyScript parsed = ParseKeyScript(*script);
  if (!parsed.error.empty()) return UsageError("keys: " + parsed.error);

  StderrMessages messages;
  Calculator calc(&messages);
  Tape lines;
  if (tape) calc.SetObserver(&lines);
  for (Key key : parsed.keys) {
    try {
      calc.Press(key);
    } catch (const CalcFailure& e) {
      std::fprintf(stderr, "%s: %s\n", kApplicationTitle, ErrorBoxText(e.what()).c_str());
    }
    if (trace) {
      const std::string_view name = KeyName(key);
      std::printf("%.*s\t%s\n", static_cast<int>(name.size()), name.data(), calc.Text1().c_str());
    }
  }
  for (const TapeLine& line : lines.Lines()) std::printf("%s\n", line.Text().c_str());
  std::printf("%s\n", calc.Text1().c_str());
  if (memory)
    for (int i = 0; i < 3; ++i) std::printf("%s\n", calc.MemoryText(i).c_str());
  return 0;
}

}  // namespace veltrum::cli
