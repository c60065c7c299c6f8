// The tape over key scripts, pasted texts and formulas entered from the
// molar-mass window. The input is lines: "V text" pastes text, "M formula"
// enters the formula's mass as the molar-mass window does, any other line
// is a key script. Every tape line is UTF-8 and names a result: the display
// the calculator showed when the line was added, or the error box's text.
// Run it with -entropic=0: the entropic schedule's bookkeeping over the many
// features of this target took six times the time of the inputs.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "calculator/calculator.h"
#include "calculator/key_script.h"
#include "calculator/tape.h"
#include "elements/formula.h"
#include "fuzz/check_display.h"
#include "plotter/function_set_reader.h"

namespace {

[[noreturn]] void Fail(const char* what, const veltrum::TapeLine& line) {
  std::fprintf(stderr, "%s: '%s'\n", what, line.Text().c_str());
  std::abort();
}

void Run(veltrum::Calculator& calc, veltrum::Tape& tape, std::string_view line) {
  using namespace veltrum;
  if (line.substr(0, 2) == "V ") {
    calc.Press(Input::Pasted(line.substr(2)));
  } else if (line.substr(0, 2) == "M ") {
    const std::string_view formula = line.substr(2);
    const FormulaResult r = ParseFormula(formula);
    if (!r.ok()) return;
    tape.NameNextEntry(std::string(formula));
    calc.Press(Input::Entered(r.value.text));
  } else {
    const KeyScript script = ParseKeyScript(line);
    for (Key key : script.keys) {
      try {
        calc.Press(key);
      } catch (const CalcFailure& e) {
        if (e.kind() != FailureKind::Conversion) __builtin_trap();
      }
      fuzz::CheckState(calc);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrum;
  if (size > 8192) return 0;
  fuzz::QuietMessages messages;
  Calculator calc(&messages);
  Tape tape;
  calc.SetObserver(&tape);
  tape.OnLineAdded([&calc](const TapeLine& line) {
    if (!IsUtf8(line.expression) || !IsUtf8(line.result)) Fail("a line that is not UTF-8", line);
    if (line.expression.empty()) Fail("a line without its calculation", line);
    if (line.failed ? line.result != kCalcErrorText : line.result != calc.Text1())
      Fail("a line whose result is not the display", line);
  });
  std::string_view input(reinterpret_cast<const char*>(data), size);
  while (!input.empty()) {
    const std::size_t end = input.find('\n');
    Run(calc, tape, input.substr(0, end));
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
  }
  if (tape.Lines().size() > Tape::kCapacity) __builtin_trap();
  return 0;
}
