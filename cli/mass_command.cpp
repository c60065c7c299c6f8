// veltrum-cli mass: the molar mass of a formula and its composition.
#include <cstdio>
#include <string>

#include "number/number_text.h"
#include "cli/commands.h"
#include "elements/formula.h"

namespace veltrum::cli {

int RunMass(const std::vector<std::string>& args) {
  const std::string* formula = nullptr;
  bool options = true;
  for (const std::string& a : args) {
    if (options && a == "--") {
      options = false;
    } else if (options && a.size() > 1 && a.rfind("--", 0) == 0) {
      return UsageError("mass: unknown option '" + a + "'");
    } else if (formula) {
      return UsageError("mass: only one FORMULA is taken");
    } else {
      formula = &a;
    }
  }
  if (!formula) return UsageError("mass: FORMULA is missing");
  const FormulaResult r = ParseFormula(*formula);
  if (!r.ok()) {
    std::fprintf(stderr, "%s\n", FormulaErrorText(*formula, *r.error).c_str());
    return 1;
  }
  std::printf("%s\n", r.value.text.c_str());
  for (const FormulaElement& e : r.value.elements)
    std::printf("%.*s\t%s\t%s\t%s\n", static_cast<int>(e.symbol.size()), e.symbol.data(),
                NumberText(static_cast<Extended>(e.count)).c_str(), NumberText(e.contribution).c_str(),
                NumberText(e.fraction).c_str());
  return 0;
}

}  // namespace veltrum::cli
