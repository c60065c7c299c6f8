// veltrum-cli analyze: the zeros, extrema, breaks, intersections and the
// integral of a function over a sampling range, one line per finding in
// ascending x, in the calculator's number texts.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/commands.h"
#include "number/number_text.h"
#include "plotter/analysis.h"

namespace veltrum::cli {
namespace {

constexpr const char* kKindWords[] = {"root", "min", "max", "break", "intersection"};

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnAnalyzeInterrupt(int) { interrupted = 1; }

}  // namespace

int RunAnalyze(const std::vector<std::string>& args) {
  SamplingOptions o;
  std::vector<const std::string*> expressions;
  const int status = ReadArguments(
      "analyze", args, o,
      [&](const std::string& a) {
        if (expressions.size() == 2) return UsageError("analyze: at most two EXPRESSIONs are taken");
        expressions.push_back(&a);
        return 0;
      },
      [&](std::size_t& i) { return UsageError("analyze: unknown option '" + args[i] + "'"); });
  if (status != 0) return status;
  if (expressions.empty()) return UsageError("analyze: EXPRESSION is missing");

  StderrMessages messages;
  RunEnd refusal;
  const std::optional<SamplingPlan> plan = PlanSampling({*expressions[0], o.from, o.to, o.step}, refusal);
  if (!plan) {
    messages.ShowMessage(MessageKind::Error, refusal.text);
    return 1;
  }
  AnalysisRequest request;
  request.expression = *expressions[0];
  if (expressions.size() == 2) request.second = *expressions[1];
  request.plan = *plan;
  request.radians = !o.degrees;
  std::signal(SIGINT, OnAnalyzeInterrupt);
  const AnalysisResult result = Analyze(request, o.threads, [] { return interrupted == 0; });
  if (result.end.kind == RunEnd::Kind::Stopped) {
    std::signal(SIGINT, SIG_DFL);
    std::raise(SIGINT);
  }
  if (result.end.kind == RunEnd::Kind::Failed) {
    if (IsCalculatorFailure(result.end.failure))
      messages.ShowMessage(MessageKind::Error, result.end.text);
    else
      std::fprintf(stderr, "veltrum-cli: %s\n", result.end.text.c_str());
    return 1;
  }
  for (const Finding& f : result.findings) {
    std::string line = kKindWords[static_cast<int>(f.kind)];
    line += '\t' + NumberText(f.x);
    if (f.kind != FindingKind::Break) line += '\t' + NumberText(f.y);
    std::puts(line.c_str());
  }
  if (result.integral.end == IntegralValue::End::Computed) {
    std::printf("integral\t%s\n", NumberText(result.integral.value).c_str());
  } else {
    std::puts("integral\t-");
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", IntegralMessage(result.integral).c_str());
  }
  return 0;
}

}  // namespace veltrum::cli
