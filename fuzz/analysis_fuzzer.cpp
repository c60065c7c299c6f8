// The function analysis over what a person may type into its window. The
// input is lines: the expression, then optionally the first and the last x
// (default -3 and 3), the step ("0,1", "0,01" or "0,001"; anything else is
// 0,1) and a second expression to intersect with. Nothing may crash; every
// number the analysis prints reads back as a number; the findings lie in
// the range in ascending x; the integral is a number or "-" with a reason.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/check_display.h"
#include "number/number_text.h"
#include "plotter/analysis.h"

namespace {

using namespace veltrum;

// Few enough samples that an input ends in well under a second: every
// finding may take its 200 evaluations, the integral its 100 000.
constexpr double kMaxFuzzSamples = 2001;
constexpr std::size_t kMaxExpressionBytes = 256;

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
  std::abort();
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (lines.size() < 5) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// The text the CLI and the window print for v; it must read back.
std::string Printed(double v) {
  const std::string text = NumberText(v);
  try {
    ReadNumberDouble(text);
  } catch (const CalcFailure&) {
    Fail("a printed number does not read back", text);
  }
  return text;
}

void CheckResult(const AnalysisResult& a, const SamplingPlan& plan) {
  // A thread or memory the machine did not give.
  if (a.end.kind == RunEnd::Kind::Failed && !IsCalculatorFailure(a.end.failure)) return;
  if (a.end.kind != RunEnd::Kind::Completed) {
    if (!a.findings.empty() || a.integral.end != IntegralValue::End::NotTaken)
      Fail("a run that did not end reports", "findings");
    return;
  }
  double last = plan.from;
  for (const Finding& f : a.findings) {
    const std::string x = Printed(f.x) + " (kind " + std::to_string(static_cast<int>(f.kind)) + ")";
    if (f.x < plan.from || f.x > plan.to) Fail("a finding outside the range", x);
    if (f.x < last) Fail("findings out of order", x);
    last = f.x;
    if (f.kind != FindingKind::Break) Printed(f.y);
  }
  switch (a.integral.end) {
    case IntegralValue::End::Computed: Printed(a.integral.value); break;
    case IntegralValue::End::NotTaken: Fail("an analysis that ended without its integral", "-");
    case IntegralValue::End::Undefined:
      Printed(a.integral.undefinedAt);
      [[fallthrough]];
    default:
      if (IntegralMessage(a.integral).empty()) Fail("an integral not taken gives no reason", "-");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string_view> lines = Lines(std::string_view(reinterpret_cast<const char*>(data), size));
  AnalysisRequest request;
  request.expression = lines[0];
  if (lines.size() > 4) request.second = lines[4];
  if (request.expression.size() > kMaxExpressionBytes || request.second.size() > kMaxExpressionBytes) return 0;
  const std::string from(lines.size() > 1 ? lines[1] : "-3"), to(lines.size() > 2 ? lines[2] : "3");
  const SamplingStep step = StepFromText(lines.size() > 3 ? lines[3] : "").value_or(kStepTenth);
  RunEnd refusal;
  const std::optional<SamplingPlan> plan = PlanSampling({request.expression, from, to, step}, refusal);
  if (!plan || plan->samples > kMaxFuzzSamples) return 0;
  request.plan = *plan;
  request.radians = size % 2 == 0;
  CheckResult(Analyze(request, 2), *plan);
  // The window's "Значение в точке" at the first x.
  try {
    if (const std::optional<double> y = ValueAt(request.expression, plan->from, request.radians)) Printed(*y);
  } catch (const CalcFailure&) {
  }
  return 0;
}
